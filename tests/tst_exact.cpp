// Routines of an exact length from kestrune-cli: the loops that come closest to the wanted
// count, the fewest padding instructions after them, and every routine run cycle for cycle,
// the Microchip ones for a PIC in gpsim, all of them in a small interpreter of the listing
// text that charges the instruction costs the loop formulas rest on.
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTest>
#include <QTextStream>

#include <map>
#include <numeric>

#include "calc/ExactDelay.h"
#include "calc/NumberText.h"
#include "cli/Cli.h"
#include "listing/Listing.h"
#include "support/Gpsim.h"

using namespace Qt::StringLiterals;
using calc::Chip;

namespace {

// What each instruction costs: a PIC's goto and return take 2 cycles, an SX's jump and
// return 3 in turbo mode; a decrement that skips costs the jump it skips less one (a PIC's
// decfsz 2, an SX's 3). The Parallax mov of a literal is two instructions, djnz a decrement
// and a jump. A CALL costs what a jump does.
struct Costs {
    qint64 jump;
    qint64 skip;
};
Costs costsOf(Chip chip) { return chip == Chip::Pic ? Costs{2, 2} : Costs{3, 3}; }

// Runs a listing from its first instruction to its end or its return and counts the cycles,
// the return and a CALL into a routine included. Empty when the text holds something else.
std::optional<qint64> interpretedCycles(const QString& listing, Chip chip) {
    enum class Kind { Literal, Store, Move, Decrement, DecrementJump, Jump, Nop, Return };
    struct Op {
        Kind kind;
        int file = 0;        // the register, or the literal of a Literal
        int value = 0;       // the literal of a Move
        qsizetype next = 0;  // where a jump goes
    };
    QStringList labels;
    QList<QStringList> fields;  // label, "", mnemonic, operands split at commas
    for (const QString& text : listing.split(u"\r\n"_s)) {
        if (text.startsWith(u';')) continue;
        const QStringList line = text.split(u'\t');
        labels << line.value(0);
        fields << (QStringList{line.value(2)} + line.value(3).split(u','));
    }
    std::map<QString, int> files;
    const auto file = [&](const QString& name) { return files.emplace(name, int(files.size())).first->second; };
    const auto target = [&](qsizetype at, const QString& operand) -> qsizetype {
        if (operand == u"$"_s) return at;
        if (operand == u"$+1"_s) return at + 1;
        const qsizetype line = labels.indexOf(operand.startsWith(u':') ? operand.mid(1) : operand);
        return line < 0 ? labels.indexOf(operand) : line;
    };
    QList<Op> ops;
    for (qsizetype at = 0; at < fields.size(); ++at) {
        const QString& m = fields[at][0];
        const QString operand = fields[at].value(1);
        if (m == u"movlw"_s) ops << Op{Kind::Literal, operand.mid(2).chopped(1).toInt()};
        else if (m == u"movwf"_s) ops << Op{Kind::Store, file(operand)};
        else if (m == u"mov"_s) ops << Op{Kind::Move, file(operand), fields[at].value(2).mid(1).toInt()};
        else if (m == u"decfsz"_s) ops << Op{Kind::Decrement, file(operand)};
        else if (m == u"djnz"_s) ops << Op{Kind::DecrementJump, file(operand), 0, target(at, fields[at].value(2))};
        else if (m == u"goto"_s || m == u"jmp"_s) ops << Op{Kind::Jump, 0, 0, target(at, operand)};
        else if (m == u"nop"_s) ops << Op{Kind::Nop};
        else if (m == u"retlw"_s || m == u"ret"_s) ops << Op{Kind::Return};
        else return std::nullopt;
        if (ops.back().next < 0) return std::nullopt;
    }
    const Costs costs = costsOf(chip);
    std::vector<int> registers(files.size());
    int w = 0;
    qint64 cycles = 0;
    for (qsizetype at = 0; at < ops.size();) {
        const Op& op = ops.at(at);
        switch (op.kind) {
            case Kind::Literal: w = op.file, cycles += 1, ++at; break;
            case Kind::Store: registers[std::size_t(op.file)] = w, cycles += 1, ++at; break;
            case Kind::Move: registers[std::size_t(op.file)] = op.value, cycles += 2, ++at; break;
            case Kind::Decrement:
            case Kind::DecrementJump: {
                int& value = registers[std::size_t(op.file)];
                value = (value + 255) % 256;
                // decfsz skips the instruction after it; djnz goes on after itself.
                if (value == 0) cycles += costs.skip, at += op.kind == Kind::Decrement ? 2 : 1;
                else if (op.kind == Kind::DecrementJump) cycles += 1 + costs.jump, at = op.next;
                else cycles += 1, ++at;
                break;
            }
            case Kind::Jump: cycles += costs.jump, at = op.next; break;
            case Kind::Nop: cycles += 1, ++at; break;
            case Kind::Return: return cycles + 2 * costs.jump;  // the return, and the CALL that came in
        }
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
        // The window's listings, for counts of every depth: the interpreter's costs are those
        // the loop formulas are derived from.
        for (const Chip chip : {Chip::Pic, Chip::SxTurbo})
            for (const auto format : {listing::ListingFormat::Microchip, listing::ListingFormat::Parallax})
                for (int depth = 1; depth <= calc::MaxDepth; ++depth)
                    for (const calc::Counts& counts : {calc::Counts{1, 1, 1, 1}, calc::Counts{7, 3, 2, 1}, calc::Counts{256, 2, 1, 1}}) {
                        listing::ListingInput input;
                        input.chip = chip;
                        input.withReturn = depth % 2 == 0;
                        for (int counter = 0; counter < calc::MaxDepth; ++counter)
                            input.counters[counter] = {u"R%1"_s.arg(counter), calc::formatPlain(calc::registerValueOf(counts[counter]))};
                        const qint64 callReturn = input.withReturn ? qint64(calc::chipModel(chip).callReturnCycles) : 0;
                        QCOMPARE(interpretedCycles(listing::fullListing(format, depth, input), chip),
                                 qint64(calc::loopCycles(chip, depth, counts)) + callReturn);
                    }
    }

    void paddingIsTheFewestInstructions() {
        // Below the shortest loop the routine is padding alone: as few instructions as any
        // mix of jumps and nops that makes up the count.
        for (const Chip chip : {Chip::Pic, Chip::SxTurbo}) {
            const int jump = static_cast<int>(calc::chipModel(chip).jumpCycles);
            for (int wanted = 0; wanted < 4; ++wanted) {
                const std::optional<calc::ExactDelay> delay = calc::exactDelay(chip, wanted);
                int fewest = wanted;
                for (int jumps = 0; jumps * jump <= wanted; ++jumps) fewest = std::min(fewest, jumps + wanted - jumps * jump);
                QCOMPARE(delay->depth, 0);
                QCOMPARE(delay->jumps * jump + delay->nops, wanted);
                QCOMPARE(delay->jumps + delay->nops, fewest);
            }
        }
    }

    void loopsComeClosest() {
        // Against every routine of up to 3000 cycles: any counter but A and B above 1 makes
        // more than that.
        for (const Chip chip : {Chip::Pic, Chip::SxTurbo}) {
            std::vector<bool> reachable(3000);
            for (double a = 1; a <= 256; ++a) {
                for (double b = 1; b <= 256; ++b)
                    for (int depth = 1; depth <= calc::MaxDepth; ++depth)
                        if (const double cycles = calc::loopCycles(chip, depth, {a, b, 1, 1}); cycles < 3000) reachable[std::size_t(cycles)] = true;
            }
            double closest = 0;
            for (int wanted = 0; wanted < 3000; ++wanted) {
                if (reachable[std::size_t(wanted)]) closest = wanted;
                const std::optional<calc::ExactDelay> delay = calc::exactDelay(chip, wanted);
                QVERIFY2(delay && delay->loopCycles == closest, qPrintable(u"%1 cycles"_s.arg(wanted)));
                const calc::Counts counts = {calc::passesOf(delay->registerValues[0]), calc::passesOf(delay->registerValues[1]),
                                             calc::passesOf(delay->registerValues[2]), calc::passesOf(delay->registerValues[3])};
                if (delay->depth > 0) QCOMPARE(calc::loopCycles(chip, delay->depth, counts), closest);
            }
        }
        // Beyond four loops of 256 passes, or below nothing, there is no such routine.
        QVERIFY(!calc::exactDelay(Chip::Pic, 12918587912));
        QVERIFY(!calc::exactDelay(Chip::Pic, -1));
    }

    void wantedCyclesRound_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<double>("wanted");
        QTest::addColumn<QString>("delayText");
        QTest::newRow("4 MHz, 1.2346 ms") << u"--clock 4MHz --delay 1.2346ms"_s.split(u' ') << 1235.0 << u"0.00123500"_s;
        QTest::newRow("halfway rounds up") << u"--clock 4MHz --delay 1.2345ms"_s.split(u' ') << 1235.0 << u"0.00123500"_s;
        QTest::newRow("just under halfway rounds down") << u"--clock 4MHz --delay 1.2344999ms"_s.split(u' ') << 1234.0 << u"0.00123400"_s;
        QTest::newRow("SX 50 MHz, CALL counted") << u"--clock 50MHz --chip sx --delay 3.33us --call-return"_s.split(u' ') << 167.0 << u"0.00000334"_s;
    }
    void wantedCyclesRound() {
        QFETCH(QStringList, arguments);
        QFETCH(double, wanted);
        QFETCH(QString, delayText);
        const QJsonObject json = runJson(QStringList{u"values"_s, u"--exact"_s} + arguments);
        QCOMPARE(json[u"wanted_cycles"_s].toDouble(), wanted);
        QCOMPARE(json[u"achieved_cycles"_s].toDouble(), wanted);
        QCOMPARE(json[u"cycles_left"_s].toDouble(), 0.0);
        QCOMPARE(json[u"delay_text"_s].toString(), delayText);
        // The header states the exact delay.
        QVERIFY(json[u"listing"_s].toString().contains(u" Time Delay = "_s + delayText + u" s"_s));
        const Chip chip = arguments.contains(u"sx"_s) ? Chip::SxTurbo : Chip::Pic;
        QCOMPARE(interpretedCycles(json[u"listing"_s].toString(), chip), qint64(wanted));
    }

    void randomRoutinesTakeExactlyTheirCycles() {
        // 200 requests, seeded: both chips, both formats, every depth, with and without the
        // CALL and return, as plain listings and as routines to include.
        QRandomGenerator random(20261206);
        QList<GpsimPiece> pieces;
        QList<qint64> forGpsim;
        const QList<double> depthStarts = {0, 4, 770, 197124, 50463238};
        for (int request = 0; request < 200; ++request) {
            const Chip chip = request % 2 ? Chip::Pic : Chip::SxTurbo;
            const bool parallax = request % 4 >= 2;
            const int depth = request % 25 == 1 ? 4 : request / 4 % 4;  // four loops take 5e7 cycles and more
            const double rate = (chip == Chip::Pic ? 1 : 4) * (1 + random.bounded(20)) * 1e6 / 4;
            const double wanted = depthStarts[depth] + random.bounded(depth == 4 ? 1e6 : depth == 0 ? 4.0 : depthStarts[depth + 1] - depthStarts[depth]);
            const double whole = std::floor(wanted) + (request % 8 < 4 ? 6 : 0);  // with the CALL and return: 4 or 6 more
            const double seconds = (whole + random.bounded(0.98) - 0.49) / rate;
            QStringList arguments = {u"values"_s, u"--exact"_s, u"--clock"_s, calc::formatPlain(rate * calc::chipModel(chip).clocksPerCycle),
                                     u"--delay"_s, calc::formatPlain(seconds), u"--chip"_s, chip == Chip::Pic ? u"pic"_s : u"sx"_s,
                                     u"--format"_s, parallax ? u"parallax"_s : u"microchip"_s};
            if (request % 8 < 4) arguments << (request % 3 ? QStringList{u"--routine"_s, u"wait%1"_s.arg(request)} : QStringList{u"--call-return"_s});
            const QJsonObject json = runJson(arguments);
            const QString listing = json[u"listing"_s].toString();
            const qint64 cycles = qint64(json[u"achieved_cycles"_s].toDouble());
            QVERIFY2(json[u"cycles_left"_s].toDouble() == 0 && cycles == qint64(whole), qPrintable(arguments.join(u' ')));
            QVERIFY2(interpretedCycles(listing, chip) == cycles, qPrintable(arguments.join(u' ') + u'\n' + listing));
            if (chip == Chip::Pic && !parallax && !listing.endsWith(u" Hz"_s)) {
                pieces << GpsimPiece{listing, json[u"call_return"_s].toBool()};
                forGpsim << cycles;
            }
        }
        QCOMPARE(pieces.size(), 50);  // a quarter, every depth among them
        if (!gpsimAvailable()) QSKIP("gpasm and gpsim (Debian packages gputils and gpsim) are needed for the Microchip routines");
        const GpsimCycles simulated = cyclesInGpsim(pieces, std::accumulate(forGpsim.begin(), forGpsim.end(), qint64(1000)));
        QVERIFY2(simulated.failure.isEmpty(), qPrintable(simulated.failure));
        QCOMPARE(simulated.cycles, forGpsim);
    }
};

QTEST_APPLESS_MAIN(TestExact)
#include "tst_exact.moc"
