// The numeric core: the loop formulas and delay limits of both chips, the counter search, and
// the number rules of the boxes (reading, the display patterns, checked arithmetic).
#include <QTest>

#include <cmath>

#include "calc/DelayCalculation.h"
#include "calc/Fault.h"
#include "calc/NumberText.h"
#include "support/ThrowsFault.h"

using calc::CalcState;
using calc::Chip;

Q_DECLARE_METATYPE(calc::Chip)

namespace {

constexpr Chip kPic = Chip::Pic;
constexpr Chip kSx = Chip::SxTurbo;

CalcState stateFor(Chip chip, float clockHz, const QList<double>& counts = {1, 1, 1, 1}) {
    CalcState state;
    state.ChipType = chip;
    state.ClockHz = clockHz;
    for (int counter = 0; counter < calc::MaxDepth; ++counter) calc::setCount(state, counter, counts[counter]);
    return state;
}

QList<double> listOf(const calc::Counts& counts) { return {counts.begin(), counts.end()}; }

// The counters the search finds, as register values, and what the window then shows.
calc::SearchCalculation searchFor(Chip chip, double clockHz, double delay, bool addCallReturn = false) {
    CalcState state;
    state.ChipType = chip;
    return calc::countersFromDelay(state, clockHz, delay, addCallReturn);
}

}  // namespace

class TestCalc : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formulas_data() {
        QTest::addColumn<Chip>("chip");
        QTest::addColumn<float>("clock");
        QTest::addColumn<int>("depth");
        QTest::addColumn<QList<double>>("counts");
        QTest::addColumn<double>("cycles");
        QTest::addColumn<double>("seconds");
        QTest::newRow("PIC, one loop, A 255") << kPic << 4e6f << 1 << QList<double>{255, 1, 1, 1} << 766.0 << 0.000766;
        QTest::newRow("PIC, one loop, A 256") << kPic << 4e6f << 1 << QList<double>{256, 1, 1, 1} << 769.0 << 0.000769;
        QTest::newRow("PIC, the shortest") << kPic << 4e6f << 1 << QList<double>{1, 1, 1, 1} << 4.0 << 0.000004;
        QTest::newRow("PIC, two loops full") << kPic << 4e6f << 2 << QList<double>{256, 256, 1, 1} << 197123.0 << 0.197123;
        QTest::newRow("PIC, 75 and 2") << kPic << 4e6f << 2 << QList<double>{75, 2, 1, 1} << 1000.0 << 0.001;
        QTest::newRow("PIC, three loops") << kPic << 4e6f << 3 << QList<double>{86, 138, 3, 1} << 500001.0 << 0.500001;
        QTest::newRow("PIC, four loops") << kPic << 4e6f << 4 << QList<double>{204, 77, 252, 2} << 100000001.0 << 100.000001;
        QTest::newRow("SX, one loop, A 255") << kSx << 5e7f << 1 << QList<double>{255, 1, 1, 1} << 1021.0 << 0.00002042;
        QTest::newRow("SX, the shortest") << kSx << 5e7f << 1 << QList<double>{1, 1, 1, 1} << 5.0 << 1e-7;
        QTest::newRow("SX, two loops") << kSx << 5e7f << 2 << QList<double>{175, 49, 1, 1} << 50002.0 << 0.00100004;
        QTest::newRow("SX, three loops") << kSx << 5e7f << 3 << QList<double>{19, 1, 2, 1} << 263002.0 << 0.00526004;
        QTest::newRow("SX, four loops full") << kSx << 5e7f << 4 << QList<double>{256, 256, 256, 256} << 17230398215.0 << 344.6079643;
        // The search passes through values no box shows; the formulas take them as they are.
        QTest::newRow("A 0 is no pass here") << kPic << 4e6f << 1 << QList<double>{0, 1, 1, 1} << 1.0 << 0.000001;
        QTest::newRow("B 257") << kPic << 4e6f << 2 << QList<double>{0, 257, 1, 1} << 770.0 * 257 - 765 << (770.0 * 257 - 765) / 1e6;
        QTest::newRow("A 2.5") << kSx << 4e6f << 1 << QList<double>{2.5, 1, 1, 1} << 11.0 << 11 / 4e6;
    }
    void formulas() {
        QFETCH(Chip, chip);
        QFETCH(float, clock);
        QFETCH(int, depth);
        QFETCH(QList<double>, counts);
        QFETCH(double, cycles);
        QFETCH(double, seconds);
        CalcState state = stateFor(chip, clock, counts);
        calc::runFormula(state, depth);
        QCOMPARE(calc::cyclesOfDepth(state, depth), cycles);
        QCOMPARE(calc::timeOfDepth(state, depth), seconds);
        // A formula reads only the counters of its depth.
        for (int outer = depth; outer < calc::MaxDepth; ++outer) calc::setCount(state, outer, 99);
        calc::runFormula(state, depth);
        QCOMPARE(calc::cyclesOfDepth(state, depth), cycles);
    }

    void limits_data() {
        QTest::addColumn<Chip>("chip");
        QTest::addColumn<QList<double>>("cycles");  // the shortest, then the longest of 1 to 4 loops
        QTest::newRow("PIC") << kPic << QList<double>{4, 769, 197123, 50463237, 12918587911.0};
        QTest::newRow("SX") << kSx << QList<double>{5, 1025, 262915, 67306245, 17230398215.0};
    }
    void limits() {
        QFETCH(Chip, chip);
        QFETCH(QList<double>, cycles);
        CalcState state = stateFor(chip, 0, {256, 256, 256, 256});
        calc::CalcTmm(state, 3579545);
        const double factor = (chip == kPic ? 4.0 : 1.0) / 3579545;
        QCOMPARE(state.ClockHz, 3579545.0f);
        QCOMPARE(state.MinTimeSingle, factor * cycles[0]);
        const QList<double> longest = {state.MaxTimeSingle, state.MaxTimeDouble, state.MaxTimeTriple, state.MaxTimeQuad};
        calc::computeAllDepths(state);
        for (int depth = 1; depth <= calc::MaxDepth; ++depth) {
            QCOMPARE(longest[depth - 1], factor * cycles[depth]);
            // All counters full is exactly the longest delay, same factor and cycle count.
            QCOMPARE(calc::timeOfDepth(state, depth), longest[depth - 1]);
        }
    }

    void faultsLeaveWhatIsNotWritten() {
        // A clock of 0: the cycle count is written, the time is not.
        CalcState state = stateFor(kPic, 0, {10, 1, 1, 1});
        state.TimeSingle = 42;
        QVERIFY_FAULT(calc::FormulaA(state));
        QCOMPARE(state.CyclesSingle, 31.0);
        QCOMPARE(state.TimeSingle, 42.0);
        QVERIFY_FAULT(calc::CalcTime(state, 0, {5, 5, 5, 5}));
        QCOMPARE(state.CyclesSingle, 16.0);
        QCOMPARE(state.CyclesDouble, 0.0);
        // The limits keep their values; the clock itself is taken.
        calc::CalcTmm(state, 4e6);
        const double shortest = state.MinTimeSingle;
        QVERIFY_FAULT(calc::CalcTmm(state, 0));
        QCOMPARE(state.ClockHz, 0.0f);
        QCOMPARE(state.MinTimeSingle, shortest);
        // Beyond single precision is an overflow, never an infinity, and the clock stays.
        QVERIFY_FAULT(calc::CalcTmm(state, 1e39));
        QCOMPARE(state.ClockHz, 0.0f);
    }

    void storedChipNumbers() {
        // Only 1 is a PIC, for every reader alike.
        QCOMPARE(calc::chipFromStored(1), kPic);
        for (const qint16 other : {qint16(0), qint16(7), qint16(-1)}) QCOMPARE(calc::chipFromStored(other), kSx);
        QCOMPARE(calc::storedChip(kPic), qint16(1));
        QCOMPARE(calc::storedChip(kSx), qint16(0));
    }

    void shownResult_data() {
        QTest::addColumn<Chip>("chip");
        QTest::addColumn<double>("clock");
        QTest::addColumn<double>("registerA");
        QTest::addColumn<bool>("addCallReturn");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("cycles");
        QTest::newRow("PIC 4 MHz") << kPic << 4e6 << 255.0 << false << "0.00076600" << "766";
        QTest::newRow("PIC 4 MHz, CALL") << kPic << 4e6 << 255.0 << true << "0.00077000" << "770";
        QTest::newRow("PIC 4 MHz, 0 is 256 passes, CALL") << kPic << 4e6 << 0.0 << true << "0.00077300" << "773";
        QTest::newRow("PIC 3.579545 MHz, ninth decimal") << kPic << 3579545.0 << 255.0 << false << "0.000855975" << "766";
        QTest::newRow("SX 50 MHz") << kSx << 5e7 << 255.0 << false << "0.00002042" << "1021";
        QTest::newRow("SX 50 MHz, CALL") << kSx << 5e7 << 255.0 << true << "0.00002054" << "1027";
        QTest::newRow("SX 33 MHz, rounded to nine decimals") << kSx << 33e6 << 2.0 << false << "0.000000273" << "9";
    }
    void shownResult() {
        QFETCH(Chip, chip);
        QFETCH(double, clock);
        QFETCH(double, registerA);
        QFETCH(bool, addCallReturn);
        QFETCH(QString, time);
        QFETCH(QString, cycles);
        CalcState state;
        state.ChipType = chip;
        const calc::Calculation result = calc::delayFromCounters(state, clock, {registerA, 1, 1, 1}, 1, addCallReturn);
        QCOMPARE(calc::formatDelay(result.shown.seconds), time);
        QCOMPARE(calc::formatPlain(result.shown.cycles), cycles);
        // The CALL and return cannot be added without a clock to time them.
        QVERIFY_FAULT(calc::FillBoxes(state, 1, 0.0));
    }

    void search_data() {
        QTest::addColumn<Chip>("chip");
        QTest::addColumn<double>("clock");
        QTest::addColumn<double>("delay");
        QTest::addColumn<bool>("addCallReturn");
        QTest::addColumn<int>("depth");
        QTest::addColumn<QList<double>>("counters");  // as the boxes show them, A first
        QTest::addColumn<double>("cycles");            // shown afterwards
        QTest::addColumn<double>("clamped");           // 0: the request is searched as it is
        const double none = 0;
        QTest::newRow("PIC 1 ms") << kPic << 4e6 << 0.001 << false << 2 << QList<double>{75, 2, 1, 1} << 1000.0 << none;
        QTest::newRow("PIC 0.5 us, below the shortest") << kPic << 4e6 << 0.0000005 << false << 1 << QList<double>{1, 1, 1, 1} << 4.0 << 0.000004;
        QTest::newRow("PIC 0.5 s") << kPic << 4e6 << 0.5 << false << 3 << QList<double>{86, 138, 3, 1} << 500001.0 << none;
        QTest::newRow("PIC 1 s") << kPic << 4e6 << 1.0 << false << 3 << QList<double>{174, 19, 6, 1} << 1000001.0 << none;
        QTest::newRow("PIC 100 s") << kPic << 4e6 << 100.0 << false << 4 << QList<double>{204, 77, 252, 2} << 100000001.0 << none;
        QTest::newRow("PIC 10^6 s, beyond the longest") << kPic << 4e6 << 1e6 << false << 4 << QList<double>{0, 0, 0, 0} << 12918587911.0 << 12918.587911;
        QTest::newRow("PIC exactly the longest") << kPic << 4e6 << 12918.587911 << false << 4 << QList<double>{0, 0, 0, 0} << 12918587911.0 << 12918.587911;
        QTest::newRow("SX 1 ms") << kSx << 5e7 << 0.001 << false << 2 << QList<double>{175, 49, 1, 1} << 50002.0 << none;
        QTest::newRow("SX 5.26 ms") << kSx << 5e7 << 0.00526 << false << 3 << QList<double>{19, 1, 2, 1} << 263002.0 << none;
        QTest::newRow("PIC 0.5 ms, one loop stays below") << kPic << 4e6 << 0.0005 << false << 1 << QList<double>{166, 1, 1, 1} << 499.0 << none;
        // The depth tests are strict: the longest one-loop delay itself takes two loops.
        QTest::newRow("PIC exactly the longest one loop") << kPic << 4e6 << 0.000769 << false << 2 << QList<double>{255, 1, 1, 1} << 770.0 << none;
        QTest::newRow("PIC negative") << kPic << 4e6 << -3.0 << false << 1 << QList<double>{1, 1, 1, 1} << 4.0 << 0.000004;
        QTest::newRow("PIC 1 ms, CALL taken off and added back") << kPic << 4e6 << 0.001 << true << 2 << QList<double>{74, 2, 1, 1} << 1001.0 << none;
        QTest::newRow("SX 1 ms, CALL") << kSx << 5e7 << 0.001 << true << 2 << QList<double>{173, 49, 1, 1} << 50000.0 << none;
    }
    void search() {
        QFETCH(Chip, chip);
        QFETCH(double, clock);
        QFETCH(double, delay);
        QFETCH(bool, addCallReturn);
        QFETCH(int, depth);
        QFETCH(QList<double>, counters);
        QFETCH(double, cycles);
        QFETCH(double, clamped);
        const calc::SearchCalculation run = searchFor(chip, clock, delay, addCallReturn);
        QCOMPARE(run.outcome.depth, depth);
        QCOMPARE(listOf(run.result.registerValues), counters);
        QCOMPARE(run.result.shown.cycles, cycles);
        QCOMPARE(run.outcome.clampedDelay.value_or(0), clamped);
    }

    void shortestRequestsNeverGive256Passes() {
        // At 1172858 Hz and 2000107 Hz the clock times the shortest SX delay comes out just
        // below 5 cycles, which a plain rounding down would turn into A = 0 (256 passes).
        for (const double clock : {1172858.0, 2000107.0, 3579545.0, 33e6, 5e7})
            for (const double delay : {0.0, -1.0, 1e-9, 1e-300}) {
                const calc::SearchCalculation run = searchFor(kSx, clock, delay);
                QCOMPARE(run.outcome.depth, 1);
                QCOMPARE(run.result.registerValues[0], 1.0);
            }
    }

    void oneLoopNeverExceedsTheRequest() {
        // Every request from the shortest to the longest one-loop delay, in tenths of a cycle,
        // gives the longest delay that does not exceed it.
        for (const Chip chip : {kPic, kSx}) {
            const double perPass = chip == kPic ? 3 : 4;
            const double factor = (chip == kPic ? 4.0 : 1.0) / 4e6;
            for (double cycles = perPass + 1; cycles < 256 * perPass + 1; cycles += 0.1) {
                const calc::SearchCalculation run = searchFor(chip, 4e6, cycles * factor);
                const double expected = std::floor((cycles - 1) / perPass + 1e-9);
                if (run.outcome.depth != 1 || run.result.registerValues[0] != expected)
                    QFAIL(qPrintable(QStringLiteral("%1 cycles gave A = %2").arg(cycles).arg(run.result.registerValues[0])));
            }
        }
    }

    void oneLoopHitsEveryExactDelay() {
        // A request equal to a routine's own delay gives back that routine, not the one a
        // cycle shorter, whatever rounding the clock brings in (1234593 Hz and 1432145 Hz make
        // some requests divide out just below a whole cycle).
        for (const Chip chip : {kPic, kSx})
            for (const double clock : {4e6, 3579545.0, 2e7, 32768.0, 1234593.0, 1432145.0, 5e7, 7.5e7, 1e8})
                for (double a = 1; a <= 255; ++a) {
                    CalcState routine = stateFor(chip, static_cast<float>(clock), {a, 1, 1, 1});
                    calc::FormulaA(routine);
                    const calc::SearchCalculation run = searchFor(chip, clock, routine.TimeSingle);
                    if (run.outcome.depth != 1 || run.result.registerValues[0] != a)
                        QFAIL(qPrintable(QStringLiteral("%1 Hz, A = %2 gave A = %3").arg(clock).arg(a).arg(run.result.registerValues[0])));
                }
    }

    void nestedLoopsNeverEndBelowTheRequest() {
        for (const Chip chip : {kPic, kSx})
            for (double delay = 0.0008; delay < 4000; delay *= 1.37) {
                const calc::SearchCalculation run = searchFor(chip, 4e6, delay);
                QVERIFY(run.outcome.depth >= 2);
                QVERIFY2(run.result.shown.seconds >= delay * (1 - 1e-12), qPrintable(QString::number(delay)));
                for (const double count : run.result.registerValues) QVERIFY(count >= 0 && count <= 255);
            }
    }

    void failedSearchLeavesTheCountersAsTheyStand() {
        CalcState state = stateFor(kPic, 4e6, {7, 256, 1, 1});
        // With the CALL and return counted, the division by a clock of 0 fails first.
        const calc::SearchOutcome outcome = calc::CounterSearch(state, {0.001, 0.0, true});
        QCOMPARE(outcome.depth, 0);
        QCOMPARE(listOf(calc::countsOf(state)), (QList<double>{7, 256, 1, 1}));
        QCOMPARE(calc::registerValueOf(256), 0.0);
        // Without a clock the limits stay as they were, and the search goes on with them.
        CalcState noClock = stateFor(kPic, 4e6);
        calc::CalcTmm(noClock, 4e6);
        QCOMPARE(calc::CounterSearch(noClock, {0.001, std::nullopt, false}).depth, 2);
    }

    void readingNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("fault");  // -1 for none
        const int none = -1;
        const int notANumber = int(calc::FaultKind::NotANumber);
        QTest::newRow("whole") << "4000000" << 4e6 << none;
        QTest::newRow("decimal") << "0.001" << 0.001 << none;
        QTest::newRow("exponent") << "1e-3" << 0.001 << none;
        QTest::newRow("signs") << "-5" << -5.0 << none;
        QTest::newRow("plus sign") << "+2.5" << 2.5 << none;
        QTest::newRow("blanks around") << "  12 " << 12.0 << none;
        QTest::newRow("leading point") << ".5" << 0.5 << none;
        QTest::newRow("empty") << "" << 0.0 << notANumber;
        QTest::newRow("blanks") << "   " << 0.0 << notANumber;
        QTest::newRow("trailing letter") << "12x" << 0.0 << notANumber;
        QTest::newRow("grouped") << "1,000,000" << 0.0 << notANumber;
        QTest::newRow("blank inside") << "1 2" << 0.0 << notANumber;
        QTest::newRow("the word inf") << "inf" << 0.0 << notANumber;
        QTest::newRow("the word nan") << "nan" << 0.0 << notANumber;
        QTest::newRow("beyond double") << "1e400" << 0.0 << int(calc::FaultKind::Overflow);
        QTest::newRow("beyond double, negative") << "-1e400" << 0.0 << int(calc::FaultKind::Overflow);
    }
    void readingNumbers() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(int, fault);
        double read = 0;
        const std::optional<calc::FaultKind> kind = faultOf([&] { read = calc::parseNumber(text); });
        QCOMPARE(kind ? int(*kind) : -1, fault);
        QCOMPARE(read, value);
    }

    void writingNumbers_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("delay");  // "####0.00000000#"
        QTest::addColumn<QString>("whole");  // "###########0"
        QTest::addColumn<QString>("plain");  // the shortest text that reads back
        QTest::newRow("eight decimals") << 0.000766 << "0.00076600" << "0" << "0.000766";
        QTest::newRow("ninth decimal shown") << 0.000007822223 << "0.000007822" << "0" << "0.000007822223";
        QTest::newRow("integer digits") << 344.6079643 << "344.60796430" << "345" << "344.6079643";
        QTest::newRow("zero") << 0.0 << "0.00000000" << "0" << "0";
        QTest::newRow("rounded to nine decimals") << 0.0000000014 << "0.000000001" << "0" << "0.0000000014";
        QTest::newRow("tiny negative") << -1e-12 << "0.00000000" << "0" << "-0.000000000001";
        QTest::newRow("negative, half away from zero") << -0.5 << "-0.50000000" << "-1" << "-0.5";
        QTest::newRow("large, no grouping") << 12918587911.0 << "12918587911.00000000" << "12918587911" << "12918587911";
        QTest::newRow("a clock") << 3579545.4 << "3579545.40000000" << "3579545" << "3579545.4";
        QTest::newRow("a rounded product") << 4.0 / 3579545 * 4 << "0.00000447" << "0" << "0.0000044698418374402335";
    }
    void writingNumbers() {
        QFETCH(double, value);
        QFETCH(QString, delay);
        QFETCH(QString, whole);
        QFETCH(QString, plain);
        QCOMPARE(calc::formatDelay(value), delay);
        QCOMPARE(calc::formatWhole(value), whole);
        QCOMPARE(calc::formatPlain(value), plain);
        QCOMPARE(calc::parseNumber(plain), value);
    }

    void checkedArithmetic() {
        // 16-bit whole numbers round half to even, and beyond the range they overflow.
        const QList<std::pair<double, int>> rounded = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {2.6, 3}, {32767.4, 32767}, {-32768, -32768}};
        for (const auto& [value, whole] : rounded) QCOMPARE(int(calc::toInt16(value)), whole);
        for (const double outside : {32767.5, -32769.0, 1e9}) QCOMPARE(faultOf([&] { calc::toInt16(outside); }), calc::FaultKind::Overflow);
        QCOMPARE(faultOf([] { calc::divide(1, 0); }), calc::FaultKind::DivisionByZero);
        QCOMPARE(faultOf([] { calc::toSingle(1e39); }), calc::FaultKind::Overflow);
        QCOMPARE(faultOf([] { calc::checked(std::nan("")); }), calc::FaultKind::InvalidOperation);
        QCOMPARE(calc::toSingle(3579545.0), 3579545.0f);
        QCOMPARE(calc::Fault(calc::FaultKind::DivisionByZero).description(), QStringLiteral("Division by zero"));
    }
};

QTEST_APPLESS_MAIN(TestCalc)
#include "tst_calc.moc"
