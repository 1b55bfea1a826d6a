// Routines of an exact length from kestrune-cli: the loops that come closest to the wanted count, the fewest padding
// after them, and every routine run cycle for cycle in a small interpreter of the listing text, and for a PIC in gpsim.
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTest>
#include <QTextStream>

#include <map>
#include <set>

#include "calc/ExactDelay.h"
#include "calc/NumberText.h"
#include "cli/Cli.h"
#include "listing/Listing.h"
#include "support/Judges.h"

using namespace Qt::StringLiterals;
using calc::Chip;

namespace {

// A PIC's goto, call and return take 2 cycles, an SX's jumps 3 in turbo mode.
int jumpCost(Chip chip) { return chip == Chip::Pic ? 2 : 3; }

// Runs a listing from its first instruction to its end or its return and counts the cycles, the return and
// a CALL into a routine included. A decrement that reaches zero skips or falls through at the cost of a jump
// (PIC decfsz 2, SX djnz 3); the Parallax mov of a literal is two instructions. Empty for anything else.
std::optional<qint64> interpretedCycles(const QString& listing, Chip chip) {
    enum Code { Movlw, Movwf, Mov, Decfsz, Djnz, Goto, Jmp, Nop, Retlw, Ret };
    static const QStringList kCodes = {u"movlw"_s, u"movwf"_s, u"mov"_s, u"decfsz"_s, u"djnz"_s, u"goto"_s, u"jmp"_s, u"nop"_s, u"retlw"_s, u"ret"_s};
    QStringList labels;
    QList<QStringList> lines;  // "", mnemonic, operands split at commas
    for (const QString& text : listing.split(u"\r\n"_s))
        if (!text.startsWith(u';'))
            labels << text.section(u'\t', 0, 0), lines << text.section(u'\t', 1, 2).split(u'\t') + text.section(u'\t', 3).split(u',');
    struct Op { qsizetype code, next; int* file; int literal; };
    std::map<QString, int> files;
    QList<Op> ops;
    for (qsizetype at = 0; at < lines.size(); ++at) {
        const QStringList& line = lines[at];
        const QString to = line.value(line[1] == u"djnz"_s ? 3 : 2);
        const QString literal = line.value(line[1] == u"mov"_s ? 3 : 2);
        ops << Op{kCodes.indexOf(line[1]), to == u"$"_s ? at : to == u"$+1"_s ? at + 1 : labels.indexOf(to), &files[line[2]],
                  QString(literal).remove(u"D'"_s).remove(u'\'').remove(u'#').toInt()};
        if (!line[0].isEmpty() || ops.back().code < 0) return std::nullopt;
    }
    const qint64 jump = jumpCost(chip);
    int w = 0;
    qint64 cycles = 0;
    for (qsizetype at = 0; at < ops.size();) {
        const Op& op = ops[at];
        switch (op.code) {
            case Movlw: w = op.literal, cycles += 1, ++at; break;
            case Movwf: *op.file = w, cycles += 1, ++at; break;
            case Mov: *op.file = op.literal, cycles += 2, ++at; break;
            case Goto:
            case Jmp: cycles += jump, at = op.next; break;
            case Nop: cycles += 1, ++at; break;
            case Retlw:
            case Ret: return cycles + 2 * jump;
            default:
                if ((*op.file = (*op.file + 255) % 256) == 0) cycles += jump, at += op.code == Djnz ? 1 : 2;
                else if (op.code == Djnz) cycles += 1 + jump, at = op.next;
                else cycles += 1, ++at;
        }
        if (at < 0) return std::nullopt;
    }
    return cycles;
}

QJsonObject runJson(const QStringList& arguments) {
    QString output, errors;
    {
        QTextStream out(&output), err(&errors);
        if (cli::runCli(arguments + QStringList{u"--json"_s, u"--crlf"_s}, out, err) != cli::ExitOk) qFatal("%s", qPrintable(errors));
    }
    return QJsonDocument::fromJson(output.toUtf8()).object();
}

}  // namespace

class TestExact : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void interpreterChargesWhatTheFormulasDo() {
        // The window's listings, for counts of every depth: the interpreter's costs are those the loop formulas rest on.
        for (const Chip chip : {Chip::Pic, Chip::SxTurbo})
            for (const auto format : {listing::ListingFormat::Microchip, listing::ListingFormat::Parallax})
                for (int depth = 1; depth <= calc::MaxDepth; ++depth)
                    for (const calc::Counts& counts : {calc::Counts{1, 1, 1, 1}, calc::Counts{7, 3, 2, 1}, calc::Counts{256, 2, 1, 1}}) {
                        listing::ListingInput input;
                        input.chip = chip;
                        input.withReturn = depth % 2 == 0;
                        for (int counter = 0; counter < calc::MaxDepth; ++counter)
                            input.counters[counter] = {u"R%1"_s.arg(counter), calc::formatPlain(calc::registerValueOf(counts[counter]))};
                        QCOMPARE(interpretedCycles(listing::fullListing(format, depth, input), chip),
                                 qint64(calc::loopCycles(chip, depth, counts)) + (input.withReturn ? 2 * jumpCost(chip) : 0));
                    }
    }

    void fewestInstructionsThenCounters() {
        // Against every routine of up to 3000 cycles, any cap on the counters (any counter but A and B above 1 makes more):
        // none has fewer instructions, nor as many and fewer counters. Its padding is then the fewest for its rest.
        constexpr int kLongest = 3000;
        for (const Chip chip : calc::kAllChips) {
            const calc::ChipModel& model = calc::chipModel(chip);
            const int jump = int(model.jumpCycles), perCounter = model.loadInstructions + model.loopInstructions;
            std::vector<int> padding(kLongest + 1);
            for (int rest = 0; rest <= kLongest; ++rest) {
                padding[std::size_t(rest)] = rest;
                for (int jumps = 1; jump > 0 && jumps * jump <= rest; ++jumps)
                    padding[std::size_t(rest)] = std::min(padding[std::size_t(rest)], jumps + rest - jumps * jump);
            }
            std::array<std::set<int>, calc::MaxDepth + 1> loops;  // the cycles each depth's loops make
            for (int depth = 1; depth <= calc::MaxDepth; ++depth)
                for (double a = 1; a <= 256; ++a)
                    for (double b = 1; b <= (depth > 1 ? 256 : 1); ++b)
                        if (const double cycles = calc::loopCycles(chip, depth, {a, b, 1, 1}); cycles <= kLongest) loops[std::size_t(depth)].insert(int(cycles));
            for (int cap = 1; cap <= calc::MaxDepth; ++cap)
                for (int wanted = 0; wanted <= kLongest; ++wanted) {
                    std::pair<int, int> fewest = {padding[std::size_t(wanted)], 0};  // instructions, counters
                    for (int depth = 1; depth <= cap; ++depth)
                        for (auto cycles = loops[std::size_t(depth)].begin(); cycles != loops[std::size_t(depth)].end() && *cycles <= wanted; ++cycles)
                            fewest = std::min(fewest, {depth * perCounter + padding[std::size_t(wanted - *cycles)], depth});
                    const std::optional<calc::ExactDelay> delay = calc::exactDelay(chip, wanted, cap);
                    const QString form = u"%1 cap %2, %3 cycles: %4 in %5 instructions, %6 counters"_s.arg(model.commandLineName).arg(cap).arg(wanted);
                    if (wanted > calc::longestExact(chip, cap)) {
                        QVERIFY2(!delay, qPrintable(form));
                        continue;
                    }
                    QVERIFY2(delay, qPrintable(form));
                    calc::Counts counts{};
                    for (int counter = 0; counter < calc::MaxDepth; ++counter) counts[counter] = calc::passesOf(delay->registerValues[counter]);
                    const double made = (delay->depth > 0 ? calc::loopCycles(chip, delay->depth, counts) : 0) + double(delay->jumps) * jump + double(delay->nops);
                    QCOMPARE(form.arg(made).arg(delay->depth * perCounter + delay->jumps + delay->nops).arg(delay->depth),
                             form.arg(wanted).arg(fewest.first).arg(fewest.second));
                }
        }
        // Beyond four loops of 256 passes and less than an inner pass more, or below nothing, there is no such routine.
        QCOMPARE(calc::longestExact(Chip::Pic, 4), 12918587913.0);
        QVERIFY(calc::exactDelay(Chip::Pic, 12918587913));
        QVERIFY(!calc::exactDelay(Chip::Pic, 12918587914));
        QVERIFY(!calc::exactDelay(Chip::Pic, -1));
    }

    void wantedCyclesRound() {
        // The delay times the cycle rate, to the nearest whole cycle; the header states the exact delay.
        const struct { QString arguments; double wanted; QString delayText; } rows[] = {
            {u"--clock 4MHz --delay 1.2346ms"_s, 1235, u"0.00123500"_s},
            {u"--clock 4MHz --delay 1.2345ms"_s, 1235, u"0.00123500"_s},  // halfway rounds up
            {u"--clock 4MHz --delay 1.2344999ms"_s, 1234, u"0.00123400"_s},
            {u"--clock 50MHz --chip sx --delay 3.33us --call-return"_s, 167, u"0.00000334"_s}};
        QList<JudgedPiece> pieces;
        for (const auto& row : rows) {
            const QJsonObject json = runJson(QStringList{u"values"_s, u"--exact"_s} + row.arguments.split(u' '));
            const QString listing = json[u"listing"_s].toString();
            QCOMPARE(u"%1: %2 wanted, %3 achieved, %4 left, %5"_s.arg(row.arguments).arg(json[u"wanted_cycles"_s].toDouble())
                         .arg(json[u"achieved_cycles"_s].toDouble()).arg(json[u"cycles_left"_s].toDouble()).arg(json[u"delay_text"_s].toString()),
                     u"%1: %2 wanted, %2 achieved, 0 left, %3"_s.arg(row.arguments).arg(row.wanted).arg(row.delayText));
            QVERIFY(listing.contains(u" Time Delay = "_s + row.delayText + u" s"_s));
            QCOMPARE(interpretedCycles(listing, row.arguments.contains(u"sx"_s) ? Chip::SxTurbo : Chip::Pic), qint64(row.wanted));
            if (!row.arguments.contains(u"sx"_s)) pieces << JudgedPiece{listing, false, qint64(row.wanted), row.arguments};
        }
        if (gpsimAvailable()) QCOMPARE(gpsimDifferences(u"p16f84"_s, pieces), QString());
        // Halves go away from zero, within a millionth of a cycle.
        for (const auto& [cycles, whole] : {std::pair{2.5, 3.0}, {2.4999999, 3.0}, {2.4999, 2.0}, {-2.5, -3.0}, {-2.4999999, -3.0}, {-2.6, -3.0}})
            QCOMPARE(double(calc::wholeCycles(cycles)), whole);
        // Up and down, within a millionth of a cycle of a whole number, take that number.
        for (const auto& [cycles, up, down] : {std::tuple{24.1, 25.0, 24.0}, {24.0000001, 24.0, 24.0}, {23.9999999, 24.0, 24.0}, {23.5, 24.0, 23.0}})
            QCOMPARE((QList<double>{double(calc::wholeCycles(cycles, calc::Rounding::Up)), double(calc::wholeCycles(cycles, calc::Rounding::Down))}),
                     (QList<double>{up, down}));
    }

    void randomRoutinesTakeExactlyTheirCycles() {
        // 200 requests, seeded: both chips, both formats, every depth, with and without the CALL and return,
        // as plain listings and as routines to include.
        QRandomGenerator random(20261206);
        QList<JudgedPiece> pieces;
        const QList<double> depthStarts = {0, 4, 770, 197124, 50463238};
        for (int request = 0; request < 200; ++request) {
            const Chip chip = request % 2 ? Chip::Pic : Chip::SxTurbo;
            const bool parallax = request % 4 >= 2;
            const int depth = request % 25 == 1 ? 4 : request / 4 % 4;  // four loops take 5e7 cycles and more
            const double rate = (chip == Chip::Pic ? 1 : 4) * (1 + random.bounded(20)) * 1e6 / 4;
            const double span = depth == 4 ? 1e6 : depth == 0 ? 4.0 : depthStarts[depth + 1] - depthStarts[depth];
            const double whole = std::floor(depthStarts[depth] + random.bounded(span)) + (request % 8 < 4 ? 6 : 0);  // 4 or 6 more with a CALL
            QString arguments = u"values --exact --clock %1 --delay %2 --chip %3 --format %4"_s.arg(
                calc::formatPlain(rate * calc::chipModel(chip).clocksPerCycle), calc::formatPlain((whole + random.bounded(0.98) - 0.49) / rate),
                chip == Chip::Pic ? u"pic"_s : u"sx"_s, parallax ? u"parallax"_s : u"microchip"_s);
            if (request % 8 < 4) arguments += request % 3 ? u" --routine wait%1"_s.arg(request) : u" --call-return"_s;
            const QJsonObject json = runJson(arguments.split(u' '));
            const QString listing = json[u"listing"_s].toString();
            const qint64 cycles = qint64(json[u"achieved_cycles"_s].toDouble());
            QCOMPARE(u"%1: %2 achieved, %3 left, %4 run\n"_s.arg(arguments).arg(cycles).arg(json[u"cycles_left"_s].toDouble())
                         .arg(interpretedCycles(listing, chip).value_or(-1)) + listing,
                     u"%1: %2 achieved, 0 left, %2 run\n"_s.arg(arguments).arg(qint64(whole)) + listing);
            if (chip == Chip::Pic && !parallax && !listing.endsWith(u" Hz"_s))
                pieces << JudgedPiece{listing, json[u"call_return"_s].toBool(), cycles, arguments};
        }
        QCOMPARE(pieces.size(), 50);  // a quarter, every depth among them
        if (!gpsimAvailable()) QSKIP("gpasm and gpsim (Debian packages gputils and gpsim) are needed for the Microchip routines");
        const QString differences = gpsimDifferences(u"p16f84"_s, pieces);
        QVERIFY2(differences.isEmpty(), qPrintable(differences));
    }
};

QTEST_APPLESS_MAIN(TestExact)
#include "tst_exact.moc"
