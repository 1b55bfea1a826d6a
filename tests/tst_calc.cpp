// The numeric core: the loop formulas and delay limits of both chips, the counter search, and
// the number rules of the boxes (reading, the display patterns, checked arithmetic).
#include <QTest>

#include <cmath>

#include "calc/DelayCalculation.h"
#include "calc/NumberText.h"
#include "support/ThrowsFault.h"

using namespace Qt::StringLiterals;
using calc::CalcState;
using calc::Chip;

Q_DECLARE_METATYPE(calc::Chip)

namespace {

constexpr Chip kPic = Chip::Pic;
constexpr Chip kSx = Chip::SxTurbo;

calc::SearchCalculation searchFor(Chip chip, double clockHz, double delay) {
    CalcState state{.ChipType = chip};
    return calc::countersFromDelay(state, clockHz, delay, false);
}

// "depth: A B C D, cycles, delay" as the boxes show them.
QString shown(const calc::Calculation& result) {
    QString text = QString::number(result.depth) + u':';
    for (const double value : result.registerValues) text += u' ' + calc::formatPlain(value);
    return text + u", %1, %2"_s.arg(calc::formatPlain(result.shown.cycles), calc::formatDelay(result.shown.seconds));
}

// The search's depth and counter A for a request, with the request, so a difference names it.
QString oneLoop(double clock, double delay, int depth, double a) {
    return u"%1 s at %2 Hz: %3 loops, A %4"_s.arg(delay).arg(clock).arg(depth).arg(a);
}
QString searchedOneLoop(Chip chip, double clock, double delay) {
    const calc::SearchCalculation run = searchFor(chip, clock, delay);
    return oneLoop(clock, delay, run.outcome.depth, run.result.registerValues[0]);
}

}  // namespace

class TestCalc : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void faultsLeaveWhatIsNotWritten() {
        // A clock of 0: the cycle count is written, the time is not.
        CalcState state{.TimeSingle = 42, .CountA = 10, .ChipType = kPic};
        QVERIFY_FAULT(calc::FormulaA(state));
        QCOMPARE((QList<double>{state.CyclesSingle, state.TimeSingle}), (QList<double>{31, 42}));
        QVERIFY_FAULT(calc::CalcTime(state, 0, {5, 5, 5, 5}));
        QCOMPARE((QList<double>{state.CyclesSingle, state.CyclesDouble}), (QList<double>{16, 0}));
        // The limits keep their values; the clock itself is taken, unless it is beyond single precision.
        calc::CalcTmm(state, 4e6);
        const double shortest = state.MinTimeSingle;
        QVERIFY_FAULT(calc::CalcTmm(state, 0));
        QCOMPARE((QList<double>{state.ClockHz, state.MinTimeSingle}), (QList<double>{0, shortest}));
        QCOMPARE(faultOf([&] { calc::CalcTmm(state, 1e39); }), calc::FaultKind::Overflow);
        QCOMPARE(state.ClockHz, 0.0f);
        // The CALL and return cannot be added without a clock to time them.
        QVERIFY_FAULT(calc::FillBoxes(state, 1, 0.0));
        // A failed search leaves the counters as they stand: with the CALL and return counted, the division by a
        // clock of 0 fails first. Without a clock the limits stay as they were, and the search goes on with them.
        state = {.CountA = 7, .CountB = 256, .ChipType = kPic};
        QCOMPARE(calc::CounterSearch(state, {0.001, 0.0, true}).depth, 0);
        QCOMPARE(calc::countsOf(state), (calc::Counts{7, 256, 0, 0}));
        calc::CalcTmm(state, 4e6);
        QCOMPARE(calc::CounterSearch(state, {0.001, std::nullopt, false}).depth, 2);
    }

    void storedChipNumbers() {
        // Only 1 is a PIC, for every reader alike.
        for (const int stored : {0, 1, 7, -1}) QCOMPARE(calc::chipFromStored(qint16(stored)), stored == 1 ? kPic : kSx);
        QCOMPARE((QList<qint16>{calc::storedChip(kPic), calc::storedChip(kSx)}), (QList<qint16>{1, 0}));
    }

    void calculations_data() {
        QTest::addColumn<Chip>("chip");
        QTest::addColumn<double>("clock");
        QTest::addColumn<QString>("request");  // "A n": one loop of these counters; "t s": a search for this delay
        QTest::addColumn<bool>("addCallReturn");
        QTest::addColumn<QString>("expected");  // as shown(), then the delay a request is clamped to
        QTest::newRow("PIC, 0 is 256 passes, CALL") << kPic << 4e6 << "A 0" << true << "1: 0 1 1 1, 773, 0.00077300";
        QTest::newRow("PIC, ninth decimal") << kPic << 3579545.0 << "A 255" << false << "1: 255 1 1 1, 766, 0.000855975";
        QTest::newRow("SX, CALL") << kSx << 5e7 << "A 255" << true << "1: 255 1 1 1, 1027, 0.00002054";
        QTest::newRow("SX, nine decimals") << kSx << 33e6 << "A 2" << false << "1: 2 1 1 1, 9, 0.000000273";
        QTest::newRow("PIC 0.5 us, below the shortest") << kPic << 4e6 << "t 0.0000005" << false << "1: 1 1 1 1, 4, 0.00000400 at 0.00000400";
        QTest::newRow("PIC 0.5 ms, one loop stays below") << kPic << 4e6 << "t 0.0005" << false << "1: 166 1 1 1, 499, 0.00049900";
        // The depth tests are strict: the longest one-loop delay itself takes two loops.
        QTest::newRow("PIC, the longest one loop") << kPic << 4e6 << "t 0.000769" << false << "2: 255 1 1 1, 770, 0.00077000";
        QTest::newRow("PIC, A down to 1") << kPic << 4e6 << "t 0.0007775" << false << "2: 1 2 1 1, 778, 0.00077800";
        QTest::newRow("PIC 0.5 s") << kPic << 4e6 << "t 0.5" << false << "3: 86 138 3 1, 500001, 0.50000100";
        QTest::newRow("PIC 1 s") << kPic << 4e6 << "t 1" << false << "3: 174 19 6 1, 1000001, 1.00000100";
        QTest::newRow("PIC 100 s") << kPic << 4e6 << "t 100" << false << "4: 204 77 252 2, 100000001, 100.00000100";
        QTest::newRow("PIC, the longest") << kPic << 4e6 << "t 12918.587911" << false << "4: 0 0 0 0, 12918587911, 12918.58791100 at 12918.58791100";
        QTest::newRow("PIC 1 ms, CALL taken off and added back") << kPic << 4e6 << "t 0.001" << true << "2: 74 2 1 1, 1001, 0.00100100";
        QTest::newRow("SX 1 ms") << kSx << 5e7 << "t 0.001" << false << "2: 175 49 1 1, 50002, 0.00100004";
        QTest::newRow("SX 1 ms, CALL") << kSx << 5e7 << "t 0.001" << true << "2: 173 49 1 1, 50000, 0.00100000";
        QTest::newRow("SX 5.26 ms") << kSx << 5e7 << "t 0.00526" << false << "3: 19 1 2 1, 263002, 0.00526004";
    }
    void calculations() {
        QFETCH(Chip, chip);
        QFETCH(double, clock);
        QFETCH(QString, request);
        QFETCH(bool, addCallReturn);
        CalcState state{.ChipType = chip};
        const double value = request.mid(2).toDouble();
        const calc::SearchCalculation run = request.startsWith(u't') ? calc::countersFromDelay(state, clock, value, addCallReturn)
                                            : calc::SearchCalculation{{}, calc::delayFromCounters(state, clock, {value, 1, 1, 1}, 1, addCallReturn)};
        const std::optional<double> clamped = run.outcome.clampedDelay;
        QTEST(shown(run.result) + (clamped ? u" at "_s + calc::formatDelay(*clamped) : QString()), "expected");
    }

    void searchRules() {
        for (const Chip chip : {kPic, kSx}) {
            // At 1172858 Hz and 2000107 Hz the clock times the shortest SX delay comes out just below 5
            // cycles, which a plain rounding down would turn into A = 0 (256 passes).
            for (const double clock : {1172858.0, 2000107.0, 3579545.0, 33e6, 5e7})
                for (const double delay : {0.0, -1.0, 1e-9, 1e-300}) QCOMPARE(searchedOneLoop(chip, clock, delay), oneLoop(clock, delay, 1, 1));
            // Every request up to the longest one-loop delay, in tenths of a cycle, gives the longest
            // delay that does not exceed it.
            const double perPass = chip == kPic ? 3 : 4;
            const double factor = (chip == kPic ? 4.0 : 1.0) / 4e6;
            for (double cycles = perPass + 1; cycles < 256 * perPass + 1; cycles += 0.1)
                QCOMPARE(searchedOneLoop(chip, 4e6, cycles * factor), oneLoop(4e6, cycles * factor, 1, std::floor((cycles - 1) / perPass + 1e-9)));
            // A routine's own delay gives back that routine, not the one a cycle shorter, whatever rounding the
            // clock brings in (1234593 Hz and 1432145 Hz make some requests divide out just below a whole cycle).
            for (const double clock : {4e6, 3579545.0, 2e7, 32768.0, 1234593.0, 1432145.0, 5e7, 7.5e7, 1e8})
                for (double a = 1; a <= 255; ++a) {
                    CalcState routine{.ChipType = chip};
                    calc::CalcTime(routine, clock, {a, 1, 1, 1});
                    QCOMPARE(searchedOneLoop(chip, clock, routine.TimeSingle), oneLoop(clock, routine.TimeSingle, 1, a));
                }
            // Two loops and more never end below the request.
            for (double delay = 0.0008; delay < 4000; delay *= 1.37) {
                const calc::SearchCalculation run = searchFor(chip, 4e6, delay);
                QVERIFY2(run.outcome.depth >= 2 && run.result.shown.seconds >= delay * (1 - 1e-12), qPrintable(QString::number(delay)));
                for (const double count : run.result.registerValues) QVERIFY(count >= 0 && count <= 255);
            }
        }
    }

    void readingNumbers() {
        // Blanks around, C notation and the locale's are read, grouping and words are not; beyond double is an overflow.
        // Text as long as "12.000..." goes past the quick path.
        const QList<std::pair<QString, QString>> rows = {
            {u"4000000"_s, u"4000000"_s}, {u"0.001"_s, u"0.001"_s}, {u"1e-3"_s, u"0.001"_s}, {u"-5"_s, u"-5"_s}, {u"+2.5"_s, u"2.5"_s},
            {u"  12 "_s, u"12"_s}, {u".5"_s, u"0.5"_s}, {u"12."_s + QString(64, u'0'), u"12"_s}, {u""_s, u"Type mismatch"_s},
            {u"   "_s, u"Type mismatch"_s}, {u"12x"_s, u"Type mismatch"_s}, {u"1,000,000"_s, u"Type mismatch"_s}, {u"1 2"_s, u"Type mismatch"_s},
            {u"inf"_s, u"Type mismatch"_s}, {u"nan"_s, u"Type mismatch"_s}, {u"1e400"_s, u"Overflow"_s}, {u"-1e400"_s, u"Overflow"_s}};
        for (const auto& [text, read] : rows) {
            double value = 0;
            const std::optional<calc::FaultKind> fault = faultOf([&, &text = text] { value = calc::parseNumber(text); });
            QCOMPARE(text + u" -> "_s + (fault ? calc::Fault(*fault).description() : calc::formatPlain(value)), text + u" -> "_s + read);
        }
    }

    void writingNumbers() {
        // The delay pattern "####0.00000000#", the whole pattern "###########0", and the shortest text that reads back.
        const QList<std::pair<double, QString>> rows = {
            {0.000766, u"0.00076600 0 0.000766"_s}, {0.000007822223, u"0.000007822 0 0.000007822223"_s},
            {344.6079643, u"344.60796430 345 344.6079643"_s}, {0.0, u"0.00000000 0 0"_s}, {0.0000000014, u"0.000000001 0 0.0000000014"_s},
            {-1e-12, u"0.00000000 0 -0.000000000001"_s}, {-0.5, u"-0.50000000 -1 -0.5"_s},
            {12918587911.0, u"12918587911.00000000 12918587911 12918587911"_s},
            {4.0 / 3579545 * 4, u"0.00000447 0 0.0000044698418374402335"_s}};
        for (const auto& [value, texts] : rows) {
            QCOMPARE(calc::formatDelay(value) + u' ' + calc::formatWhole(value) + u' ' + calc::formatPlain(value), texts);
            QCOMPARE(calc::parseNumber(calc::formatPlain(value)), value);
        }
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
        QCOMPARE(calc::Fault(calc::FaultKind::DivisionByZero).description(), u"Division by zero"_s);
    }
};

QTEST_APPLESS_MAIN(TestCalc)
#include "tst_calc.moc"
