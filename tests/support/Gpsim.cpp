#include <QRegularExpression>
#include <QTemporaryDir>

#include <map>

#include "support/Judges.h"

using namespace Qt::StringLiterals;

namespace {

// These parts start with the watchdog on, and it would reset a long delay. The counters lie in the first
// general-purpose registers the code reaches without a bank change (the access bank of a PIC18).
struct Part {
    QString watchdogOff;
    int firstRegister;
    int callReach = 0;  // words from address 0, where a CALL reaches less than the whole program memory
};
const std::map<QString, Part> kParts = {
    {u"p16f84"_s, {u"__config\t_WDT_OFF"_s, 0x0C}},
    {u"p12f508"_s, {u"__config\t_WDT_OFF"_s, 0x07, 0x100}},
    {u"p16f628a"_s, {u"__config\t_WDT_OFF"_s, 0x20}},
    {u"p16f1823"_s, {u"__config\t_CONFIG1, _WDTE_OFF"_s, 0x20}},
    {u"p18f452"_s, {u"config\tWDT = OFF"_s, 0x00}},
    {u"p18f26k22"_s, {u"config\tWDTEN = OFF"_s, 0x00}},
};
const QStringList kCounters = {u"CntA"_s, u"CntB"_s, u"CntC"_s, u"CntD"_s, u"Delay1"_s, u"Delay2"_s,
                               u"Delay3"_s, u"Delay4"_s, u"a"_s, u"b"_s, u"c"_s, u"d"_s};

}  // namespace

bool gpsimAvailable() { return judge::toolsFound({u"gpasm"_s, u"gpsim"_s}); }

QString gpsimDifferences(const QString& part, const QList<JudgedPiece>& pieces) {
    const auto found = kParts.find(part);
    if (found == kParts.end()) return u"gpsim judges no part %1"_s.arg(part);
    const Part& chip = found->second;
    QString program = u"\tlist\tp=%1\n\tinclude\t<%2.inc>\n\t%3\n\tcblock\t%4\n\t%5\n\tendc\n\torg\t0\n"_s.arg(
        part.mid(1), part, chip.watchdogOff, u"0x%1"_s.arg(chip.firstRegister, 2, 16, QChar(u'0')), kCounters.join(u", "_s));
    program += judge::batchProgram(u""_s, u"goto"_s, u"call"_s, pieces);
    if (chip.callReach)
        program += u"\tif\tmark0 > 0x%1\n\terror\t\"the subroutines do not fit in the words CALL reaches\"\n\tendif\n"_s.arg(chip.callReach, 0, 16);
    program += u"\tend\n"_s;

    // gpsim stops at each marker; past the cycle limit it stops at every cycle, so a piece that never ends
    // costs the limit once, not once per marker.
    const qint64 limit = judge::cycleLimit(pieces);
    QString script = u"load delay.cod\n"_s;
    for (qsizetype at = 0; at <= pieces.size(); ++at) script += u"break e mark%1\nbreak c %2\n"_s.arg(at).arg(limit + at);
    script += u"run\ncycles\n"_s.repeated(pieces.size() + 1) + u"quit\n"_s;
    QTemporaryDir folder;
    if (!judge::writeFile(folder.filePath(u"delay.asm"_s), program) || !judge::writeFile(folder.filePath(u"delay.stc"_s), script))
        return u"cannot write the test program"_s;
    // Assembler warnings count: one is a program beyond the part's memory.
    if (const judge::ToolRun assembly = judge::runTool(folder.path(), u"gpasm"_s, {u"delay.asm"_s});
        !assembly.succeeded || assembly.output.contains(u"Warning["_s))
        return judge::refusal(u"gpasm"_s, assembly, program);
    const judge::ToolRun simulation =
        judge::runTool(folder.path(), u"gpsim"_s, {u"-i"_s, u"-S"_s, u"disable"_s, u"-c"_s, u"delay.stc"_s}, {}, limit);
    // gpsim answers "cycles" with the count in decimal and in hex: "14939 = 0x00003A5B".
    static const QRegularExpression reading(u"(\\d+) = 0x([0-9A-Fa-f]+)"_s);
    QList<qint64> readings;
    for (const QRegularExpressionMatch& match : reading.globalMatch(simulation.output)) {
        const qint64 cycles = match.captured(1).toLongLong();
        if (cycles != match.captured(2).toLongLong(nullptr, 16)) continue;
        if (cycles >= limit) break;
        readings << cycles;
    }
    return judge::differences(u"gpsim"_s, pieces, readings, simulation.output);
}
