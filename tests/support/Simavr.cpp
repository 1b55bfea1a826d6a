#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "support/Judges.h"

using namespace Qt::StringLiterals;

namespace {

struct Step {
    QString tool;
    QStringList arguments;
};

// avra's map file gives word addresses ("mark3\tL\t0005\t5"), avr-nm byte addresses ("0000000a t mark3").
QList<qint64> markerAddresses(AvrSyntax syntax, const QString& symbols, qsizetype markers) {
    static const QRegularExpression atmel(u"^mark(?<marker>\\d+)\\s+L\\s+(?<address>[0-9a-fA-F]+)\\s"_s,
                                          QRegularExpression::MultilineOption);
    static const QRegularExpression gnu(u"^(?<address>[0-9a-f]+) t mark(?<marker>\\d+)$"_s, QRegularExpression::MultilineOption);
    QList<qint64> addresses(markers, -1);
    for (const QRegularExpressionMatch& match : (syntax == AvrSyntax::Atmel ? atmel : gnu).globalMatch(symbols))
        if (const qsizetype marker = match.captured(u"marker").toLongLong(); marker < markers)
            addresses[marker] = match.captured(u"address").toLongLong(nullptr, 16) * (syntax == AvrSyntax::Atmel ? 2 : 1);
    return addresses;
}

}  // namespace

bool simavrAvailable(AvrSyntax syntax) {
    return QFileInfo(QStringLiteral(SIMAVR_CYCLES)).isExecutable() &&
           judge::toolsFound(syntax == AvrSyntax::Atmel ? QStringList{u"avra"_s}
                                                         : QStringList{u"avr-as"_s, u"avr-ld"_s, u"avr-objcopy"_s, u"avr-nm"_s});
}

QString simavrDifferences(const QString& mcu, AvrSyntax syntax, const QList<JudgedPiece>& pieces) {
    // avra's .device refuses what the part lacks, such as CALL on an ATtiny85; avr-as does so for -mmcu.
    const QString program = (syntax == AvrSyntax::Atmel ? u".device\t%1\n"_s.arg(mcu) : QString()) +
                            judge::batchProgram(u":"_s, u"rjmp"_s, u"rcall"_s, pieces);
    QTemporaryDir folder;
    if (!judge::writeFile(folder.filePath(u"delay.asm"_s), program)) return u"cannot write the test program"_s;
    const QList<Step> assembly =
        syntax == AvrSyntax::Atmel
            ? QList<Step>{{u"avra"_s, {u"-m"_s, u"delay.map"_s, u"delay.asm"_s}}}
            : QList<Step>{{u"avr-as"_s, {u"-mmcu="_s + mcu, u"-o"_s, u"delay.o"_s, u"delay.asm"_s}},
                          {u"avr-ld"_s, {u"-o"_s, u"delay.elf"_s, u"delay.o"_s}},
                          {u"avr-objcopy"_s, {u"-O"_s, u"ihex"_s, u"delay.elf"_s, u"delay.hex"_s}},
                          {u"avr-nm"_s, {u"delay.elf"_s}}};
    judge::ToolRun step{};
    for (const auto& [tool, arguments] : assembly)
        if (step = judge::runTool(folder.path(), tool, arguments); !step.succeeded) return judge::refusal(tool, step, program);
    const QList<qint64> addresses = markerAddresses(
        syntax, syntax == AvrSyntax::Atmel ? judge::readFile(folder.filePath(u"delay.map"_s)) : step.output, pieces.size() + 1);
    if (addresses.contains(-1)) return u"no address for every marker:\n"_s + step.output;

    const qint64 limit = judge::cycleLimit(pieces);
    QStringList arguments = {mcu, u"delay.hex"_s, QString::number(limit)};
    for (const qint64 address : addresses) arguments << QString::number(address);
    const judge::ToolRun simulation = judge::runTool(folder.path(), QStringLiteral(SIMAVR_CYCLES), arguments, {}, limit);
    QList<qint64> readings;
    for (const QString& line : simulation.output.split(u'\n')) {
        bool isCount = false;
        if (const qint64 cycles = line.toLongLong(&isCount); isCount) readings << cycles;
    }
    return judge::differences(u"simavr"_s, pieces, readings, simulation.output);
}
