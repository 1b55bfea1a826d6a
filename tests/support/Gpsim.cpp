#include "support/Gpsim.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

// The watchdog is off (it would reset a long delay); the counters of the window and of kestrune-cli lie in
// the first general-purpose registers. The nop comes first because gpsim never breaks on the reset vector.
const QString kPrologue =
    u"\tlist\tp=16f84\n\tinclude\t<p16f84.inc>\n\t__config\t_WDT_OFF & _XT_OSC & _PWRTE_OFF & _CP_OFF\n"
    u"\tcblock\t0x0C\n\tCntA, CntB, CntC, CntD, Delay1, Delay2, Delay3, Delay4\n\tendc\n\torg\t0\n\tnop\n"_s;

// The tool's output, or nothing when it fails.
std::optional<QString> runTool(const QString& folder, const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(tool, arguments);
    if (!process.waitForFinished(120000)) process.kill();
    process.waitForFinished();
    const QString output = QString::fromLocal8Bit(process.readAll());
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) return output;
    qWarning("%s failed:\n%s", qPrintable(tool), qPrintable(output));
    return std::nullopt;
}

}  // namespace

bool gpsimAvailable() {
    return !QStandardPaths::findExecutable(u"gpasm"_s).isEmpty() && !QStandardPaths::findExecutable(u"gpsim"_s).isEmpty();
}

QString gpsimDifferences(const QList<GpsimPiece>& pieces) {
    // Label Bn before each piece and after the last; the cycle counter is read at each of them. Each
    // piece's "loop" label is made its own.
    QString program = kPrologue, subroutines, script = u"load delay.cod\n"_s;
    qint64 limit = 1000;
    for (qsizetype at = 0; at < pieces.size(); ++at) {
        const QString listing = QString(pieces[at].listing).remove(u'\r').replace(u"loop"_s, u"loop%1"_s.arg(at));
        program += u"B%1\n"_s.arg(at) + (pieces[at].subroutine ? u"\tcall\tR%1\n"_s.arg(at) : listing + u'\n');
        if (pieces[at].subroutine) subroutines += u"R%1\n"_s.arg(at) + listing + u'\n';
        script += u"break e B%1\n"_s.arg(at);
        limit += pieces[at].cycles;
    }
    program += u"B%1\n\tgoto\tB%1\n"_s.arg(pieces.size()) + subroutines + u"\tend\n"_s;
    script += u"break e B%1\nbreak c %2\n"_s.arg(pieces.size()).arg(limit) + u"run\ncycles\n"_s.repeated(pieces.size() + 1) + u"quit\n"_s;
    QTemporaryDir folder;
    for (const auto& [name, text] : {std::pair{u"delay.asm"_s, program}, std::pair{u"delay.stc"_s, script}}) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(text.toLatin1()) != text.size()) return u"cannot write the test program"_s;
    }
    if (!runTool(folder.path(), u"gpasm"_s, {u"delay.asm"_s})) return u"gpasm refused the program:\n"_s + program;
    const std::optional<QString> simulation = runTool(folder.path(), u"gpsim"_s, {u"-i"_s, u"-S"_s, u"disable"_s, u"-c"_s, u"delay.stc"_s});
    // gpsim answers "cycles" with the count in decimal and in hex: "14939 = 0x00003A5B".
    static const QRegularExpression reading(u"(\\d+) = 0x([0-9A-Fa-f]+)"_s);
    QList<qint64> readings;
    for (const QRegularExpressionMatch& match : reading.globalMatch(simulation.value_or(QString())))
        if (match.captured(1).toLongLong() == match.captured(2).toLongLong(nullptr, 16)) readings << match.captured(1).toLongLong();
    if (readings.size() != pieces.size() + 1 || readings.back() >= limit)
        return u"gpsim did not read the cycles at every piece:\n"_s + simulation.value_or(QString());
    QString differences;
    for (qsizetype at = 0; at < pieces.size(); ++at)
        if (const qint64 counted = readings[at + 1] - readings[at]; counted != pieces[at].cycles)
            differences += u"%1: gpsim counts %2, not %3\n%4\n"_s.arg(pieces[at].origin).arg(counted).arg(pieces[at].cycles).arg(pieces[at].listing);
    return differences;
}
