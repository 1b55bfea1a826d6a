// The cycle formulas, the delay limits and the reading of the boxes into all four depths.
#include <QTest>

#include "support/ThrowsFault.h"

#include "calc/Formulas.h"

using calc::CalcState;

namespace {

CalcState stateFor(qint16 chip, float clockHz, calc::Counts counts) {
    CalcState state;
    state.ChipType = chip;
    state.ClockHz = clockHz;
    state.CountA = counts[0];
    state.CountB = counts[1];
    state.CountC = counts[2];
    state.CountD = counts[3];
    return state;
}

}  // namespace

class TestFormulas : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void coefficientsFollowFromInstructionCosts_data();
    void coefficientsFollowFromInstructionCosts();
    void workedExamples_data();
    void workedExamples();
    void limits_data();
    void limits();
    void fullCountersEqualTheLongestDelay();
    void formulasTakeCountersAsTheyAre();
    void zeroClockWritesCyclesButNoTime();
    void chipTypeReadings();
    void calcTimeReadsZeroAs256();
    void calcTimeStopsAtTheFirstBadBox();
    void calcTmmWithZeroClockKeepsLimits();
    void fillBoxesStopsBeforeShowingOnBadClock();
};

void TestFormulas::coefficientsFollowFromInstructionCosts_data() {
    QTest::addColumn<qint16>("chip");
    QTest::addColumn<QList<double>>("coefficients");
    QTest::addColumn<QList<double>>("constants");
    QTest::newRow("PIC") << qint16(calc::ChipMchip) << QList<double>{3, 770, 197122, 50463234}
                         << QList<double>{1, -765, -197883, -50661113};
    QTest::newRow("SX") << qint16(calc::ChipSxTurbo) << QList<double>{4, 1027, 262915, 67306243}
                        << QList<double>{1, -1021, -263931, -67570169};
}

void TestFormulas::coefficientsFollowFromInstructionCosts() {
    QFETCH(qint16, chip);
    QFETCH(QList<double>, coefficients);
    QFETCH(QList<double>, constants);
    const calc::ChipCosts& costs = calc::costsFor(chip);
    for (int level = 0; level < calc::MaxDepth; ++level) {
        QCOMPARE(costs.coefficient[level], coefficients[level]);
        QCOMPARE(costs.constant[level], constants[level]);
    }
}

void TestFormulas::workedExamples_data() {
    QTest::addColumn<qint16>("chip");
    QTest::addColumn<float>("clock");
    QTest::addColumn<int>("depth");
    QTest::addColumn<QList<double>>("counts");
    QTest::addColumn<double>("cycles");
    QTest::addColumn<double>("seconds");
    const auto pic = qint16(calc::ChipMchip);
    const auto sx = qint16(calc::ChipSxTurbo);
    QTest::newRow("PIC 4 MHz, one loop, A 255") << pic << 4e6f << 1 << QList<double>{255, 1, 1, 1} << 766.0 << 0.000766;
    QTest::newRow("PIC 4 MHz, one loop, A 256") << pic << 4e6f << 1 << QList<double>{256, 1, 1, 1} << 769.0 << 0.000769;
    QTest::newRow("PIC 4 MHz, two loops full") << pic << 4e6f << 2 << QList<double>{256, 256, 1, 1} << 197123.0 << 0.197123;
    QTest::newRow("PIC 4 MHz, A 1 is the shortest") << pic << 4e6f << 1 << QList<double>{1, 1, 1, 1} << 4.0 << 0.000004;
    QTest::newRow("PIC 4 MHz, search result 75/2") << pic << 4e6f << 2 << QList<double>{75, 2, 1, 1} << 1000.0 << 0.001;
    QTest::newRow("PIC 4 MHz, triple 86/138/3") << pic << 4e6f << 3 << QList<double>{86, 138, 3, 1} << 500001.0 << 0.500001;
    QTest::newRow("PIC 4 MHz, quad 204/77/252/2") << pic << 4e6f << 4 << QList<double>{204, 77, 252, 2} << 100000001.0 << 100.000001;
    QTest::newRow("SX 50 MHz, one loop, A 255") << sx << 5e7f << 1 << QList<double>{255, 1, 1, 1} << 1021.0 << 0.00002042;
    QTest::newRow("SX 50 MHz, A 1 is the shortest") << sx << 5e7f << 1 << QList<double>{1, 1, 1, 1} << 5.0 << 1e-7;
    QTest::newRow("SX 50 MHz, four loops full") << sx << 5e7f << 4 << QList<double>{256, 256, 256, 256} << 17230398215.0 << 344.6079643;
    QTest::newRow("SX 50 MHz, double 175/49") << sx << 5e7f << 2 << QList<double>{175, 49, 1, 1} << 50002.0 << 0.00100004;
}

void TestFormulas::workedExamples() {
    QFETCH(qint16, chip);
    QFETCH(float, clock);
    QFETCH(int, depth);
    QFETCH(QList<double>, counts);
    QFETCH(double, cycles);
    QFETCH(double, seconds);
    CalcState state = stateFor(chip, clock, {counts[0], counts[1], counts[2], counts[3]});
    calc::runFormula(state, depth);
    QCOMPARE(calc::cyclesOfDepth(state, depth), cycles);
    QCOMPARE(calc::timeOfDepth(state, depth), seconds);
}

void TestFormulas::limits_data() {
    QTest::addColumn<qint16>("chip");
    QTest::addColumn<QList<double>>("cycles");  // shortest, then longest of 1 to 4 loops
    QTest::newRow("PIC") << qint16(calc::ChipMchip)
                         << QList<double>{4, 769, 197123, 50463237, 12918587911.0};
    QTest::newRow("SX") << qint16(calc::ChipSxTurbo)
                        << QList<double>{5, 1025, 262915, 67306245, 17230398215.0};
}

void TestFormulas::limits() {
    QFETCH(qint16, chip);
    QFETCH(QList<double>, cycles);
    CalcState state;
    state.ChipType = chip;
    calc::CalcTmm(state, QStringLiteral("4000000"));
    const double factor = (chip == calc::ChipMchip ? 4.0 : 1.0) / 4e6;
    QCOMPARE(state.ClockHz, 4e6f);
    QCOMPARE(state.MinTimeSingle, factor * cycles[0]);
    QCOMPARE(state.MaxTimeSingle, factor * cycles[1]);
    QCOMPARE(state.MaxTimeDouble, factor * cycles[2]);
    QCOMPARE(state.MaxTimeTriple, factor * cycles[3]);
    QCOMPARE(state.MaxTimeQuad, factor * cycles[4]);
}

void TestFormulas::fullCountersEqualTheLongestDelay() {
    for (const qint16 chip : {qint16(calc::ChipMchip), qint16(calc::ChipSxTurbo)}) {
        CalcState state = stateFor(chip, 3579545.0f, {256, 256, 256, 256});
        calc::CalcTmm(state, QStringLiteral("3579545"));
        for (int depth = 1; depth <= calc::MaxDepth; ++depth) calc::runFormula(state, depth);
        QCOMPARE(state.TimeSingle, state.MaxTimeSingle);
        QCOMPARE(state.TimeDouble, state.MaxTimeDouble);
        QCOMPARE(state.TimeTriple, state.MaxTimeTriple);
        QCOMPARE(state.TimeQuad, state.MaxTimeQuad);
    }
}

void TestFormulas::formulasTakeCountersAsTheyAre() {
    CalcState state = stateFor(calc::ChipMchip, 4e6f, {0, 257, 1, 1});
    calc::FormulaA(state);
    QCOMPARE(state.CyclesSingle, 1.0);  // 0 is zero passes here, not 256
    calc::FormulaB(state);
    QCOMPARE(state.CyclesDouble, 770.0 * 257 - 765);
    state.CountA = 2.5;
    calc::FormulaA(state);
    QCOMPARE(state.CyclesSingle, 8.5);
}

void TestFormulas::zeroClockWritesCyclesButNoTime() {
    CalcState state = stateFor(calc::ChipMchip, 0.0f, {10, 1, 1, 1});
    state.TimeSingle = 42;
    QVERIFY_FAULT(calc::FormulaA(state));
    QCOMPARE(state.CyclesSingle, 31.0);
    QCOMPARE(state.TimeSingle, 42.0);
}

void TestFormulas::chipTypeReadings() {
    // A chip type of 7 (left by a load that stopped early) is an SX to every reader, so no
    // routine mixes the two models.
    CalcState state = stateFor(7, 4e6f, {1, 1, 1, 1});
    calc::FormulaA(state);
    QCOMPARE(state.CyclesSingle, 5.0);
    calc::CalcTmm(state, QStringLiteral("4000000"));
    QCOMPARE(state.MinTimeSingle, 5 / 4e6);
    QCOMPARE(calc::FillBoxes(state, 0, true, QStringLiteral("4000000")).cyclesText, QStringLiteral("11"));
}

void TestFormulas::calcTimeReadsZeroAs256() {
    CalcState state;
    state.ChipType = calc::ChipMchip;
    calc::CalcTime(state, QStringLiteral("4000000"),
                   {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1")});
    QCOMPARE(state.CountA, 256.0);
    QCOMPARE(state.CyclesSingle, 769.0);
    QCOMPARE(state.CyclesDouble, 197123.0);
    QCOMPARE(state.TimeDouble, 0.197123);
    QCOMPARE(state.CountC, 1.0);
}

void TestFormulas::calcTimeStopsAtTheFirstBadBox() {
    CalcState state;
    state.CountA = state.CountB = state.CountC = state.CountD = 9;
    state.CyclesSingle = 77;
    QVERIFY_FAULT(calc::CalcTime(state, QStringLiteral("4000000"),
                                    {QStringLiteral("5"), QStringLiteral("x"), QStringLiteral("6"),
                                     QStringLiteral("7")}));
    QCOMPARE(state.CountA, 5.0);
    QCOMPARE(state.CountB, 9.0);
    QCOMPARE(state.CountC, 9.0);
    QCOMPARE(state.CyclesSingle, 77.0);

    // A clock of 0 stops after the first cycle count, before any time.
    state.TimeSingle = 1;
    QVERIFY_FAULT(calc::CalcTime(state, QStringLiteral("0"),
                                    {QStringLiteral("5"), QStringLiteral("5"), QStringLiteral("5"),
                                     QStringLiteral("5")}));
    QCOMPARE(state.CyclesSingle, 21.0);
    QCOMPARE(state.TimeSingle, 1.0);
    QCOMPARE(state.CyclesDouble, 0.0);
}

void TestFormulas::calcTmmWithZeroClockKeepsLimits() {
    CalcState state;
    state.ChipType = calc::ChipMchip;
    calc::CalcTmm(state, QStringLiteral("4000000"));
    const double shortest = state.MinTimeSingle;
    QVERIFY_FAULT(calc::CalcTmm(state, QStringLiteral("0")));
    QCOMPARE(state.ClockHz, 0.0f);
    QCOMPARE(state.MinTimeSingle, shortest);
    QVERIFY_FAULT(calc::CalcTmm(state, QStringLiteral("four")));
    QCOMPARE(state.ClockHz, 0.0f);
    // Beyond the single-precision range is an overflow, never an infinity.
    QVERIFY_FAULT(calc::CalcTmm(state, QStringLiteral("1e39")));
    QCOMPARE(state.ClockHz, 0.0f);
}

void TestFormulas::fillBoxesStopsBeforeShowingOnBadClock() {
    CalcState state;
    state.ChipType = calc::ChipMchip;
    calc::CalcTime(state, QStringLiteral("4000000"),
                   {QStringLiteral("255"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")});
    for (const QString& clock : {QStringLiteral("0"), QStringLiteral("abc")})
        QVERIFY_FAULT(calc::FillBoxes(state, 0, true, clock));
    // Without the CALL and return the clock text is not read again.
    QCOMPARE(calc::FillBoxes(state, 0, false, QStringLiteral("abc")).cyclesText, QStringLiteral("766"));
}

QTEST_APPLESS_MAIN(TestFormulas)
#include "tst_formulas.moc"
