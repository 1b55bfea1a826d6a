#include <QRegularExpression>
#include <QTemporaryDir>

#include "support/Judges.h"

using namespace Qt::StringLiterals;

namespace {

// as31's listing shows an address on each line that holds an instruction; a marker alone on its line lies at
// the address of the next one.
QList<qint64> markerAddresses(const QString& listing, qsizetype markers) {
    static const QRegularExpression addressed(u"^([0-9A-F]{4}):"_s), marker(u"\\bmark(\\d+):"_s);
    QList<qint64> addresses(markers, -1);
    QList<qsizetype> waiting;
    for (const QString& line : listing.split(u'\n')) {
        if (const QRegularExpressionMatch found = marker.match(line); found.hasMatch() && found.captured(1).toLongLong() < markers)
            waiting << found.captured(1).toLongLong();
        if (const QRegularExpressionMatch found = addressed.match(line); found.hasMatch()) {
            for (const qsizetype at : waiting) addresses[at] = found.captured(1).toLongLong(nullptr, 16);
            waiting.clear();
        }
    }
    return addresses;
}

}  // namespace

bool ucsimAvailable() { return judge::toolsFound({u"as31"_s, u"s51"_s}); }

QString ucsimDifferences(const QList<JudgedPiece>& pieces) {
    const QString program = judge::batchProgram(u":"_s, u"ljmp"_s, u"lcall"_s, pieces);
    QTemporaryDir folder;
    if (!judge::writeFile(folder.filePath(u"delay.asm"_s), program)) return u"cannot write the test program"_s;
    if (const judge::ToolRun assembly = judge::runTool(folder.path(), u"as31"_s, {u"-l"_s, u"delay.asm"_s}); !assembly.succeeded)
        return judge::refusal(u"as31"_s, assembly, program);
    const QList<qint64> addresses = markerAddresses(judge::readFile(folder.filePath(u"delay.lst"_s)), pieces.size() + 1);
    if (addresses.contains(-1)) return u"no address for every marker in as31's listing"_s;

    // s51 stops at a breakpoint or after the instructions a step allows, each at least one machine cycle:
    // a piece that never ends costs its own limit.
    QString commands;
    for (const qint64 address : addresses) commands += u"break 0x%1\n"_s.arg(address, 0, 16);
    commands += u"step 1000\nstate\n"_s;
    for (const JudgedPiece& piece : pieces) commands += u"step %1\nstate\n"_s.arg(judge::cycleLimit(piece));
    const judge::ToolRun simulation = judge::runTool(folder.path(), u"s51"_s, {u"-t"_s, u"8051"_s, u"-b"_s, u"delay.hex"_s},
                                                     commands + u"quit\n"_s, judge::cycleLimit(pieces));
    // "state" after each stop: "Stop at 0x00000f: (104) Breakpoint" ... "Total time since last reset= ... sec (8052 clks)".
    static const QRegularExpression reading(u"Stop at 0x([0-9a-fA-F]+):.*?since last reset= \\S+ sec \\((\\d+) clks\\)"_s,
                                            QRegularExpression::DotMatchesEverythingOption);
    QList<qint64> readings;
    for (const QRegularExpressionMatch& match : reading.globalMatch(simulation.output)) {
        if (readings.size() == addresses.size() || match.captured(1).toLongLong(nullptr, 16) != addresses[readings.size()]) break;
        readings << match.captured(2).toLongLong() / 12;
    }
    return judge::differences(u"s51"_s, pieces, readings, simulation.output);
}
