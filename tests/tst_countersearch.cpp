// The counter search: depth choice, clamping to the limits, the counter steps and the
// one-loop guard.
#include <QTest>

#include "calc/CounterSearch.h"
#include "calc/Formulas.h"
#include "calc/NumberText.h"

using calc::CalcState;

namespace {

struct Search {
    CalcState state;
    calc::SearchOutcome outcome;
};

Search search(qint16 chip, const QString& clock, const QString& delay, bool addCallReturn = false) {
    Search run;
    run.state.ChipType = chip;
    run.outcome = calc::CounterSearch(run.state, {delay, clock, addCallReturn});
    return run;
}

// The counters as the boxes will show them (0 = 256 passes), read back as the window does.
CalcState resultOf(const Search& run) {
    CalcState state;
    state.ChipType = run.state.ChipType;
    const calc::Counts counts = calc::countsOf(run.state);
    std::array<QString, calc::MaxDepth> texts;
    for (int counter = 0; counter < calc::MaxDepth; ++counter) texts[counter] = calc::formatPlain(counts[counter]);
    calc::CalcTime(state, calc::formatPlain(run.state.ClockHz), texts);
    return state;
}

}  // namespace

class TestCounterSearch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void belowShortestDelayGivesTheShortest_data();
    void belowShortestDelayGivesTheShortest();
    void beyondLongestDelayGivesAllZero();
    void limitComparisonsAreStrict();
    void oneLoopNeverExceedsTheRequest();
    void oneLoopHitsEveryExactDelay_data();
    void oneLoopHitsEveryExactDelay();
    void nestedLoopsNeverEndBelowTheRequest_data();
    void nestedLoopsNeverEndBelowTheRequest();
    void callAndReturnAreTakenOff();
    void nonNumericInputStopsBeforeAnything();
    void zeroClockEndsWithTheCountersAsTheyStand();
};

void TestCounterSearch::belowShortestDelayGivesTheShortest_data() {
    QTest::addColumn<qint16>("chip");
    QTest::addColumn<QString>("clock");
    QTest::addColumn<QString>("delay");
    // At 1172858 Hz and 2000107 Hz the clock times the shortest SX delay comes out just
    // below 5 cycles, which a plain rounding down would turn into A = 0 (256 passes).
    for (const char* delay : {"0", "-1", "1e-9", "1e-300"}) {
        QTest::addRow("PIC, %s", delay) << qint16(calc::ChipMchip) << "4000000" << delay;
        QTest::addRow("SX 1172858 Hz, %s", delay) << qint16(calc::ChipSxTurbo) << "1172858" << delay;
        QTest::addRow("SX 2000107 Hz, %s", delay) << qint16(calc::ChipSxTurbo) << "2000107" << delay;
        QTest::addRow("SX 50 MHz, %s", delay) << qint16(calc::ChipSxTurbo) << "50000000" << delay;
        QTest::addRow("SX 3.579545 MHz, %s", delay) << qint16(calc::ChipSxTurbo) << "3579545" << delay;
        QTest::addRow("SX 33 MHz, %s", delay) << qint16(calc::ChipSxTurbo) << "33000000" << delay;
    }
}

void TestCounterSearch::belowShortestDelayGivesTheShortest() {
    QFETCH(qint16, chip);
    QFETCH(QString, clock);
    QFETCH(QString, delay);
    const Search run = search(chip, clock, delay);
    QCOMPARE(run.outcome.depth, 1);
    QCOMPARE(run.outcome.delayTexts, QStringList{calc::formatPlain(run.state.MinTimeSingle)});
    // Never 0 (256 passes, the longest one-loop delay) for the shortest request.
    QCOMPARE(run.state.CountA, 1.0);
}

void TestCounterSearch::beyondLongestDelayGivesAllZero() {
    for (const qint16 chip : {qint16(calc::ChipMchip), qint16(calc::ChipSxTurbo)}) {
        const Search run = search(chip, QStringLiteral("20000000"), QStringLiteral("1e9"));
        QCOMPARE(run.outcome.depth, 4);
        QCOMPARE(run.outcome.delayTexts, QStringList{calc::formatPlain(run.state.MaxTimeQuad)});
        const calc::Counts counts = calc::countsOf(run.state);
        QCOMPARE(QList<double>(counts.begin(), counts.end()), (QList<double>{0, 0, 0, 0}));
    }
    // Exactly the longest delay is clamped the same way.
    const Search exact = search(calc::ChipMchip, QStringLiteral("4000000"), QStringLiteral("12918.587911"));
    QCOMPARE(exact.outcome.depth, 4);
    QCOMPARE(exact.state.CountD, 0.0);
}

void TestCounterSearch::limitComparisonsAreStrict() {
    // 769 us is the longest one-loop delay at 4 MHz: asking for exactly that takes two loops.
    const Search run = search(calc::ChipMchip, QStringLiteral("4000000"), QStringLiteral("0.000769"));
    QCOMPARE(run.outcome.depth, 2);
    QVERIFY(run.outcome.delayTexts.isEmpty());
}

void TestCounterSearch::oneLoopNeverExceedsTheRequest() {
    // Every request between the shortest and the longest one-loop delay, in steps of a
    // tenth of a cycle, gives the longest delay that does not exceed it.
    for (const qint16 chip : {qint16(calc::ChipMchip), qint16(calc::ChipSxTurbo)}) {
        const double cyclesPerA = chip == calc::ChipMchip ? 3 : 4;
        const double shortest = chip == calc::ChipMchip ? 4 : 5;
        const double factor = (chip == calc::ChipMchip ? 4.0 : 1.0) / 4e6;
        for (double cycles = shortest; cycles < shortest + 255 * cyclesPerA; cycles += 0.1) {
            const Search run = search(chip, QStringLiteral("4000000"), calc::formatPlain(cycles * factor));
            QCOMPARE(run.outcome.depth, 1);
            const double expected = std::floor((cycles - 1) / cyclesPerA + 1e-9);
            if (run.state.CountA != expected)
                QFAIL(qPrintable(QStringLiteral("%1 cycles gave A = %2").arg(cycles).arg(run.state.CountA)));
        }
    }
}

void TestCounterSearch::oneLoopHitsEveryExactDelay_data() {
    QTest::addColumn<qint16>("chip");
    QTest::addColumn<QString>("clock");
    // 1234593 Hz and 1432145 Hz make some exact requests divide out just below a whole cycle.
    for (const char* clock : {"4000000", "3579545", "20000000", "32768", "1234593", "1432145"})
        QTest::addRow("PIC %s Hz", clock) << qint16(calc::ChipMchip) << clock;
    for (const char* clock : {"50000000", "75000000", "3579545", "33000000", "4000000", "100000000"})
        QTest::addRow("SX %s Hz", clock) << qint16(calc::ChipSxTurbo) << clock;
}

void TestCounterSearch::oneLoopHitsEveryExactDelay() {
    QFETCH(qint16, chip);
    QFETCH(QString, clock);
    // A request equal to a routine's own delay must give back that routine, not the one a
    // cycle shorter, whatever rounding the clock brings in.
    for (int a = 1; a <= 255; ++a) {
        CalcState routine;
        routine.ChipType = chip;
        calc::CalcTime(routine, clock, {QString::number(a), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")});
        const QString delay = calc::formatPlain(routine.TimeSingle);
        const Search run = search(chip, clock, delay);
        if (run.outcome.depth != 1 || run.state.CountA != a)
            QFAIL(qPrintable(QStringLiteral("A = %1: %2 s gave A = %3").arg(a).arg(delay).arg(run.state.CountA)));
    }
}

void TestCounterSearch::nestedLoopsNeverEndBelowTheRequest_data() {
    QTest::addColumn<qint16>("chip");
    QTest::addRow("PIC") << qint16(calc::ChipMchip);
    QTest::addRow("SX") << qint16(calc::ChipSxTurbo);
}

void TestCounterSearch::nestedLoopsNeverEndBelowTheRequest() {
    QFETCH(qint16, chip);
    for (double delay = 0.0008; delay < 4000; delay *= 1.37) {
        const Search run = search(chip, QStringLiteral("4000000"), calc::formatPlain(delay));
        QVERIFY(run.outcome.depth >= 2);
        CalcState shown = resultOf(run);
        const double found = calc::timeOfDepth(shown, run.outcome.depth);
        QVERIFY2(found >= delay * (1 - 1e-12), qPrintable(QString::number(delay)));
        for (const double count : calc::countsOf(run.state)) QVERIFY(count >= 0 && count <= 255);
    }
}

void TestCounterSearch::callAndReturnAreTakenOff() {
    // 1000 us with the CALL and return (4 cycles) leaves 996 cycles to find.
    const Search run = search(calc::ChipMchip, QStringLiteral("4000000"), QStringLiteral("0.001"), true);
    QCOMPARE(run.state.CallRetTime, 4e-6);
    QCOMPARE(run.state.TargetTime, 0.001 - 4e-6);
    QCOMPARE(run.outcome.depth, 2);
    CalcState shown = resultOf(run);
    QVERIFY(shown.CyclesDouble >= 996 && shown.CyclesDouble < 1000);
}

void TestCounterSearch::nonNumericInputStopsBeforeAnything() {
    for (const auto& [delay, clock] : {std::pair{"abc", "4000000"}, std::pair{"", "4000000"}, std::pair{"0.001", "4 MHz"}}) {
        CalcState state;
        state.ChipType = calc::ChipMchip;
        state.CountA = 7;
        const calc::SearchOutcome outcome =
            calc::CounterSearch(state, {QLatin1StringView(delay), QLatin1StringView(clock), true});
        QVERIFY(outcome.inputNotNumeric);
        QCOMPARE(outcome.depth, 0);
        QCOMPARE(state.CountA, 7.0);
    }
}

void TestCounterSearch::zeroClockEndsWithTheCountersAsTheyStand() {
    CalcState state;
    state.ChipType = calc::ChipMchip;
    state.CountA = 7;
    state.CountB = 256;
    // With the CALL and return counted the division by the clock fails first.
    const calc::SearchOutcome outcome =
        calc::CounterSearch(state, {QStringLiteral("0.001"), QStringLiteral("0"), true});
    QVERIFY(!outcome.inputNotNumeric);
    QCOMPARE(outcome.depth, 0);
    QCOMPARE(state.CountA, 7.0);
    QCOMPARE(state.CountB, 0.0);  // 256 passes are written as 0 whatever stopped the search
}

QTEST_APPLESS_MAIN(TestCounterSearch)
#include "tst_countersearch.moc"
