// The calculation cycle through the real window: delay from counters, counters from a delay,
// the chip toggle, the tab strip and the clock and delay boxes, with their re-entry rules and
// failure messages.
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "support/WindowFixture.h"

namespace {

const QString kBlankNames = QStringLiteral("You must not have any blank counter names.");

// A window with the given chip, clock and CALL flag, counters named, values set, on `tab`.
void prepare(WindowFixture& fixture, bool pic, const QString& clock, bool addCallReturn,
             const std::array<QString, 4>& values, int tab = 0) {
    fixture.setChip(pic);
    fixture.box("TxtClock")->setText(clock);
    fixture.setCounters(values);
    fixture.setTicked("ChkAddCR", addCallReturn);
    fixture.clickTab(tab);
    fixture.desktop.clear();
}

QStringList valueTexts(const WindowFixture& fixture) {
    return {fixture.box("TxtAValue")->text(), fixture.box("TxtBValue")->text(),
            fixture.box("TxtCValue")->text(), fixture.box("TxtDValue")->text()};
}

}  // namespace

class TestFrmMainCalc : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void delayFromCounters_data();
    void delayFromCounters();
    void countersFromDelay_data();
    void countersFromDelay();
    void searchAddsTheCallAndReturnBack();
    void searchMovingTheTabRecalculatesOnce();
    void searchOnTheShownTabRaisesNoClick();
    void tabClickRecalculates();
    void tabSetToTheShownTabRaisesNothing();
    void blankNameRefusesBothCalculations_data();
    void blankNameRefusesBothCalculations();
    void emptyValueBoxIsCalculatedAsOne();
    void clockBoxRefusesText_data();
    void clockBoxRefusesText();
    void clockOverflowIsReported();
    void zeroClockComputesNoNewDelay();
    void delayBoxRefusesText();
    void searchWithNonNumericDelayReloadsPreferences();
    void chipToggle();
    void callAndReturnTickRecalculates();
    void formatChoiceRebuildsTheListing();
    void startUp();
    void shutDown_data();
    void shutDown();
};

void TestFrmMainCalc::delayFromCounters_data() {
    QTest::addColumn<bool>("pic");
    QTest::addColumn<QString>("clock");
    QTest::addColumn<bool>("addCallReturn");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("cycles");
    const QStringList a255 = {QStringLiteral("255"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")};
    const QStringList zeros = {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")};
    QTest::newRow("PIC 4 MHz, A 255") << true << "4000000" << false << 0 << a255 << "0.00076600" << "766";
    QTest::newRow("PIC 4 MHz, A 255, CALL") << true << "4000000" << true << 0 << a255 << "0.00077000" << "770";
    QTest::newRow("PIC 3.579545 MHz, A 255") << true << "3579545" << false << 0 << a255 << "0.000855975" << "766";
    QTest::newRow("SX 50 MHz, A 255") << false << "50000000" << false << 0 << a255 << "0.00002042" << "1021";
    QTest::newRow("SX 50 MHz, A 255, CALL") << false << "50000000" << true << 0 << a255 << "0.00002054" << "1027";
    QTest::newRow("PIC 4 MHz, A 0 is 256 passes") << true << "4000000" << false << 0 << zeros << "0.00076900" << "769";
    QTest::newRow("PIC 4 MHz, A 0, CALL") << true << "4000000" << true << 0 << zeros << "0.00077300" << "773";
    QTest::newRow("PIC 4 MHz, two loops full") << true << "4000000" << false << 1 << zeros << "0.19712300" << "197123";
    QTest::newRow("SX 50 MHz, four loops full") << false << "50000000" << false << 3 << zeros << "344.60796430" << "17230398215";
    QTest::newRow("PIC 4 MHz, A 1") << true << "4000000" << false << 0 << QStringList{QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")} << "0.00000400" << "4";
    QTest::newRow("PIC 4 MHz, triple 86/138/3") << true << "4000000" << false << 2 << QStringList{QStringLiteral("86"), QStringLiteral("138"), QStringLiteral("3"), QStringLiteral("1")} << "0.50000100" << "500001";
    QTest::newRow("SX 33 MHz, ninth decimal") << false << "33000000" << false << 0 << QStringList{QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")} << "0.000000273" << "9";
}

void TestFrmMainCalc::delayFromCounters() {
    QFETCH(bool, pic);
    QFETCH(QString, clock);
    QFETCH(bool, addCallReturn);
    QFETCH(int, tab);
    QFETCH(QStringList, values);
    QFETCH(QString, time);
    QFETCH(QString, cycles);
    WindowFixture fixture;
    prepare(fixture, pic, clock, addCallReturn, {values[0], values[1], values[2], values[3]}, tab);
    fixture.press("BtnCalcTime");
    QCOMPARE(fixture.box("TxtTime")->text(), time);
    QCOMPARE(fixture.box("TxtMC")->text(), cycles);
    QCOMPARE(valueTexts(fixture), values);  // a 0 keeps showing 0
    QVERIFY(fixture.listing().startsWith((pic ? QStringLiteral(";PIC Time Delay = ") : QStringLiteral(";SX-Turbo Time Delay = ")) + time));
    QCOMPARE(fixture.state().DelayValue, fixture.box("TxtTime")->text().toDouble());
    QVERIFY(fixture.desktop.messages.isEmpty());
}

void TestFrmMainCalc::countersFromDelay_data() {
    QTest::addColumn<bool>("pic");
    QTest::addColumn<QString>("clock");
    QTest::addColumn<QString>("delay");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("cycles");
    const auto values = [](const char* a, const char* b, const char* c, const char* d) {
        return QStringList{QLatin1StringView(a), QLatin1StringView(b), QLatin1StringView(c), QLatin1StringView(d)};
    };
    QTest::newRow("PIC 1 ms") << true << "4000000" << "0.001" << 1 << values("75", "2", "1", "1") << "0.00100000" << "1000";
    QTest::newRow("PIC 0.5 us, below the shortest") << true << "4000000" << "0.0000005" << 0 << values("1", "1", "1", "1") << "0.00000400" << "4";
    QTest::newRow("PIC 0.5 s") << true << "4000000" << "0.5" << 2 << values("86", "138", "3", "1") << "0.50000100" << "500001";
    QTest::newRow("PIC 1 s") << true << "4000000" << "1" << 2 << values("174", "19", "6", "1") << "1.00000100" << "1000001";
    QTest::newRow("PIC 100 s") << true << "4000000" << "100" << 3 << values("204", "77", "252", "2") << "100.00000100" << "100000001";
    QTest::newRow("PIC 10^6 s, beyond the longest") << true << "4000000" << "1000000" << 3 << values("0", "0", "0", "0") << "12918.58791100" << "12918587911";
    QTest::newRow("SX 1 ms") << false << "50000000" << "0.001" << 1 << values("175", "49", "1", "1") << "0.00100004" << "50002";
    QTest::newRow("SX 5.26 ms") << false << "50000000" << "0.00526" << 2 << values("19", "1", "2", "1") << "0.00526004" << "263002";
    QTest::newRow("PIC 0.5 ms, one loop stays below") << true << "4000000" << "0.0005" << 0 << values("166", "1", "1", "1") << "0.00049900" << "499";
    QTest::newRow("PIC exactly the longest one loop") << true << "4000000" << "0.000769" << 1 << values("255", "1", "1", "1") << "0.00077000" << "770";
    QTest::newRow("PIC 0 s") << true << "4000000" << "0" << 0 << values("1", "1", "1", "1") << "0.00000400" << "4";
    QTest::newRow("PIC negative") << true << "4000000" << "-3" << 0 << values("1", "1", "1", "1") << "0.00000400" << "4";
    QTest::newRow("SX 1172858 Hz, 0 s is the shortest, not 256 passes") << false << "1172858" << "0" << 0 << values("1", "1", "1", "1") << "0.000004263" << "5";
}

void TestFrmMainCalc::countersFromDelay() {
    QFETCH(bool, pic);
    QFETCH(QString, clock);
    QFETCH(QString, delay);
    QFETCH(int, tab);
    QFETCH(QStringList, values);
    QFETCH(QString, time);
    QFETCH(QString, cycles);
    WindowFixture fixture;
    prepare(fixture, pic, clock, false, {QStringLiteral("9"), QStringLiteral("9"), QStringLiteral("9"), QStringLiteral("9")});
    fixture.box("TxtTime")->setText(delay);
    fixture.press("BtnCalcValues");
    QCOMPARE(fixture.tabs()->currentIndex(), tab);
    QCOMPARE(valueTexts(fixture), values);
    QCOMPARE(fixture.box("TxtMC")->text(), cycles);
    QCOMPARE(fixture.box("TxtTime")->text(), time);
    QCOMPARE(fixture.state().SuppressTabRecalc, qint16(0));
    for (const ui::CounterInput& counter : fixture.window().inputState().counter) QCOMPARE(counter.QuietValue, qint16(0));
    QVERIFY(fixture.desktop.messages.isEmpty());
}

void TestFrmMainCalc::searchAddsTheCallAndReturnBack() {
    WindowFixture fixture;
    prepare(fixture, true, QStringLiteral("4000000"), true, {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")});
    fixture.box("TxtTime")->setText(QStringLiteral("0.001"));
    fixture.press("BtnCalcValues");
    // 996 cycles are searched for; the routine found is shown with its CALL and return.
    QCOMPARE(fixture.tabs()->currentIndex(), 1);
    QCOMPARE(valueTexts(fixture), (QStringList{QStringLiteral("74"), QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("1")}));
    QCOMPARE(fixture.box("TxtMC")->text(), QStringLiteral("1001"));
    QCOMPARE(fixture.box("TxtTime")->text(), QStringLiteral("0.00100100"));
    QVERIFY(fixture.listing().endsWith(QStringLiteral("\r\n\t\tretlw\t0")));
}

void TestFrmMainCalc::searchMovingTheTabRecalculatesOnce() {
    WindowFixture fixture;
    prepare(fixture, true, QStringLiteral("4000000"), false, {QStringLiteral("255"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")});
    fixture.press("BtnCalcTime");
    QSignalSpy shownCycles(fixture.box("TxtMC"), &QLineEdit::textChanged);
    fixture.box("TxtTime")->setText(QStringLiteral("0.001"));
    fixture.press("BtnCalcValues");
    // A recalculating tab click would first have shown two loops with the old counters.
    QCOMPARE(shownCycles.count(), 1);
    QCOMPARE(fixture.box("TxtMC")->text(), QStringLiteral("1000"));
    QCOMPARE(fixture.state().SuppressTabRecalc, qint16(0));
    // The next tab click by the user recalculates again.
    fixture.clickTab(0);
    QCOMPARE(fixture.box("TxtMC")->text(), QStringLiteral("226"));
}

void TestFrmMainCalc::searchOnTheShownTabRaisesNoClick() {
    WindowFixture fixture;
    prepare(fixture, true, QStringLiteral("4000000"), false, {QStringLiteral("5"), QStringLiteral("5"), QStringLiteral("5"), QStringLiteral("5")}, 1);
    QSignalSpy tabClicks(fixture.tabs(), &QTabBar::currentChanged);
    fixture.box("TxtTime")->setText(QStringLiteral("0.001"));
    fixture.press("BtnCalcValues");
    QCOMPARE(tabClicks.count(), 0);
    QCOMPARE(fixture.state().SuppressTabRecalc, qint16(0));
    fixture.clickTab(2);
    QCOMPARE(fixture.box("TxtMC")->text(), QStringLiteral("1004"));  // 75, 2 and C = 1 in three loops
}

void TestFrmMainCalc::tabClickRecalculates() {
    WindowFixture fixture;
    prepare(fixture, true, QStringLiteral("4000000"), false, {QStringLiteral("100"), QStringLiteral("20"), QStringLiteral("5"), QStringLiteral("2")});
    fixture.press("BtnCalcTime");
    QCOMPARE(fixture.box("TxtMC")->text(), QStringLiteral("301"));
    fixture.clickTab(3);
    QCOMPARE(fixture.box("TxtMC")->text(), QStringLiteral("51266665"));
    QVERIFY(fixture.listing().endsWith(QStringLiteral("\t\tdecfsz\tCntD,1\r\n\t\tgoto\tloop")));
    // The tab click reads the clock afresh: the limits follow a new clock at once.
    fixture.box("TxtClock")->setText(QStringLiteral("8000000"));
    fixture.clickTab(0);
    QCOMPARE(fixture.box("TxtTime")->text(), QStringLiteral("0.00015050"));
}

void TestFrmMainCalc::tabSetToTheShownTabRaisesNothing() {
    WindowFixture fixture;
    prepare(fixture, true, QStringLiteral("4000000"), false, {QStringLiteral("100"), QStringLiteral("20"), QStringLiteral("5"), QStringLiteral("2")}, 2);
    QSignalSpy shownCycles(fixture.box("TxtMC"), &QLineEdit::textChanged);
    const QString listing = fixture.listing();
    fixture.clickTab(2);
    QCOMPARE(shownCycles.count(), 0);
    QCOMPARE(fixture.listing(), listing);
}

void TestFrmMainCalc::blankNameRefusesBothCalculations_data() {
    QTest::addColumn<QString>("button");
    QTest::newRow("delay from counters") << "BtnCalcTime";
    QTest::newRow("counters from delay") << "BtnCalcValues";
}

void TestFrmMainCalc::blankNameRefusesBothCalculations() {
    QFETCH(QString, button);
    WindowFixture fixture;
    prepare(fixture, true, QStringLiteral("4000000"), false, {QStringLiteral("100"), QStringLiteral("20"), QStringLiteral("5"), QStringLiteral("2")});
    fixture.press("BtnCalcTime");
    fixture.box("TxtTime")->setText(QStringLiteral("0.5"));
    fixture.box("TxtCName")->clear();
    fixture.desktop.clear();
    const QString listing = fixture.listing();
    const QString cycles = fixture.box("TxtMC")->text();
    fixture.press(qPrintable(button));
    QCOMPARE(fixture.desktop.messageTexts(), QStringList{kBlankNames});
    QCOMPARE(fixture.desktop.messages.front().icon, ui::MessageIcon::Exclamation);
    QCOMPARE(fixture.listing(), listing);
    QCOMPARE(fixture.box("TxtMC")->text(), cycles);
    QCOMPARE(fixture.box("TxtTime")->text(), QStringLiteral("0.5"));
    QCOMPARE(fixture.tabs()->currentIndex(), 0);
    QCOMPARE(fixture.box("TxtAValue")->text(), QStringLiteral("100"));
}

void TestFrmMainCalc::emptyValueBoxIsCalculatedAsOne() {
    WindowFixture fixture;
    prepare(fixture, true, QStringLiteral("4000000"), false, {QStringLiteral("100"), QStringLiteral("20"), QStringLiteral("5"), QStringLiteral("2")}, 1);
    QLineEdit* valueB = fixture.box("TxtBValue");
    valueB->blockSignals(true);  // as the box can be left between its own checks
    valueB->clear();
    valueB->blockSignals(false);
    fixture.press("BtnCalcTime");
    QCOMPARE(valueB->text(), QStringLiteral("1"));
    QCOMPARE(fixture.state().CountB, 1.0);
    QCOMPARE(fixture.box("TxtMC")->text(), QStringLiteral("305"));
}

void TestFrmMainCalc::clockBoxRefusesText_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("a letter") << "4000000x";
    QTest::newRow("deleted") << "";
    QTest::newRow("blank") << " ";
}

void TestFrmMainCalc::clockBoxRefusesText() {
    QFETCH(QString, typed);
    WindowFixture fixture;
    prepare(fixture, true, QStringLiteral("4000000.4"), false, {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")});
    fixture.box("TxtClock")->setText(typed);
    QCOMPARE(fixture.desktop.messageTexts(),
             QStringList{QStringLiteral("Do not use non-numeric characters within Oscillator Frequency value!")});
    QCOMPARE(fixture.box("TxtClock")->text(), QStringLiteral("4000000"));  // the whole number
    QCOMPARE(fixture.state().ClockValue, 4000000.0);
    QCOMPARE(fixture.state().ClockHz, 4000000.0f);
}

void TestFrmMainCalc::clockOverflowIsReported() {
    WindowFixture fixture;
    prepare(fixture, true, QStringLiteral("4000000"), false, {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")});
    fixture.box("TxtClock")->setText(QStringLiteral("1e999"));
    QCOMPARE(fixture.desktop.messageTexts(), QStringList{QStringLiteral("Error : Overflow")});
    QCOMPARE(fixture.box("TxtClock")->text(), QStringLiteral("1e999"));
    QCOMPARE(fixture.state().ClockValue, 4000000.0);
    // Beyond single precision: no message, and the clock is not taken.
    fixture.desktop.clear();
    fixture.box("TxtClock")->setText(QStringLiteral("1e39"));
    QVERIFY(fixture.desktop.messages.isEmpty());
    QCOMPARE(fixture.state().ClockHz, 4000000.0f);
}

void TestFrmMainCalc::zeroClockComputesNoNewDelay() {
    WindowFixture fixture;
    prepare(fixture, true, QStringLiteral("4000000"), false, {QStringLiteral("255"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")});
    fixture.press("BtnCalcTime");
    const double longest = fixture.state().MaxTimeQuad;
    fixture.box("TxtClock")->setText(QStringLiteral("0"));
    QVERIFY(fixture.desktop.messages.isEmpty());
    QCOMPARE(fixture.state().ClockHz, 0.0f);
    QCOMPARE(fixture.state().MaxTimeQuad, longest);
    fixture.box("TxtAValue")->setText(QStringLiteral("100"));
    fixture.press("BtnCalcTime");
    QCOMPARE(fixture.box("TxtTime")->text(), QStringLiteral("0.00076600"));
    QCOMPARE(fixture.state().TimeSingle, 0.000766);
    QVERIFY(fixture.desktop.messages.isEmpty());
    // The search stops too; the counters stand as they were and are shown again.
    fixture.press("BtnCalcValues");
    QVERIFY(fixture.desktop.messages.isEmpty());
    QVERIFY(std::isfinite(fixture.state().TargetTime));
}

void TestFrmMainCalc::delayBoxRefusesText() {
    WindowFixture fixture;
    prepare(fixture, true, QStringLiteral("4000000"), false, {QStringLiteral("255"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")});
    fixture.press("BtnCalcTime");
    fixture.box("TxtTime")->setText(QStringLiteral("0.0000078222"));
    fixture.desktop.clear();
    fixture.box("TxtTime")->setText(QStringLiteral("fast"));
    QCOMPARE(fixture.desktop.messageTexts(),
             QStringList{QStringLiteral("Do not use non-numeric characters within Delay Time value!")});
    QCOMPARE(fixture.box("TxtTime")->text(), QStringLiteral("0.000007822"));
    fixture.desktop.clear();
    fixture.box("TxtTime")->setText(QStringLiteral("2e400"));
    QCOMPARE(fixture.desktop.messageTexts(), QStringList{QStringLiteral("Error : Overflow")});
}

void TestFrmMainCalc::searchWithNonNumericDelayReloadsPreferences() {
    WindowFixture fixture;
    prepare(fixture, true, QStringLiteral("4000000"), false, {QStringLiteral("3"), QStringLiteral("3"), QStringLiteral("3"), QStringLiteral("3")});
    QLineEdit* delay = fixture.box("TxtTime");
    delay->blockSignals(true);  // the box's own check would have put the number back
    delay->setText(QStringLiteral("soon"));
    delay->blockSignals(false);
    fixture.press("BtnCalcValues");
    QCOMPARE(fixture.desktop.messageTexts(),
             QStringList{QStringLiteral("Do not use non-numeric characters in number fields!  "
                                        "Previously saved preferences will be loaded to fix.")});
    QCOMPARE(valueTexts(fixture), (QStringList{QStringLiteral("3"), QStringLiteral("3"), QStringLiteral("3"), QStringLiteral("3")}));
    QCOMPARE(fixture.tabs()->currentIndex(), 0);
}

void TestFrmMainCalc::chipToggle() {
    WindowFixture fixture;
    prepare(fixture, true, QStringLiteral("4000000"), false, {QStringLiteral("255"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")});
    fixture.press("BtnCalcTime");
    auto* cyclesLabel = fixture.control<QLabel>("Label5");
    auto* unitLabel = fixture.control<QLabel>("Label7");
    const QString listing = fixture.listing();
    fixture.press("BtnChip");
    QCOMPARE(fixture.state().ChipType, calc::Chip::SxTurbo);
    QCOMPARE(cyclesLabel->text(), QStringLiteral("Clock Cycles:"));
    QCOMPARE(unitLabel->text(), QStringLiteral("cc"));
    // Nothing is recalculated until the next calculation.
    QCOMPARE(fixture.box("TxtTime")->text(), QStringLiteral("0.00076600"));
    QCOMPARE(fixture.listing(), listing);
    fixture.press("BtnChip");
    QCOMPARE(cyclesLabel->text(), QStringLiteral("Machine Cycles:"));
    QCOMPARE(unitLabel->text(), QStringLiteral("mc"));
    QCOMPARE(fixture.desktop.soundNames(), (QStringList{QStringLiteral("pop"), QStringLiteral("pop")}));
    // The pictures differ by chip.
    auto* chip = fixture.control<QPushButton>("BtnChip");
    const QImage pic = chip->icon().pixmap(chip->iconSize()).toImage();
    fixture.press("BtnChip");
    QVERIFY(chip->icon().pixmap(chip->iconSize()).toImage() != pic);
    QVERIFY(!pic.isNull());
}

void TestFrmMainCalc::callAndReturnTickRecalculates() {
    WindowFixture fixture;
    prepare(fixture, false, QStringLiteral("50000000"), false, {QStringLiteral("255"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")});
    fixture.press("BtnCalcTime");
    fixture.press("ChkAddCR");
    QCOMPARE(fixture.box("TxtMC")->text(), QStringLiteral("1027"));
    QVERIFY(fixture.listing().endsWith(QStringLiteral("\r\n\t\tretlw\t0")));
    fixture.press("ChkAddCR");
    QCOMPARE(fixture.box("TxtMC")->text(), QStringLiteral("1021"));
    QVERIFY(fixture.listing().endsWith(QStringLiteral("\r\n\t\tgoto\tloop")));
}

void TestFrmMainCalc::formatChoiceRebuildsTheListing() {
    WindowFixture fixture;
    prepare(fixture, false, QStringLiteral("50000000"), false, {QStringLiteral("100"), QStringLiteral("20"), QStringLiteral("1"), QStringLiteral("1")}, 1);
    fixture.press("BtnCalcTime");
    const QString cycles = fixture.box("TxtMC")->text();
    fixture.press("OptParallax");
    QVERIFY(fixture.listing().endsWith(QStringLiteral("\r\n:loop\t\tdjnz\tCntA,$\r\n\t\tdjnz\tCntB,:loop")));
    QCOMPARE(fixture.box("TxtMC")->text(), cycles);
    fixture.press("OptMicroChip");
    QVERIFY(fixture.listing().endsWith(QStringLiteral("\t\tdecfsz\tCntB,1\r\n\t\tgoto\tloop")));
}

void TestFrmMainCalc::startUp() {
    WindowFixture fixture;
    QCOMPARE(fixture.desktop.soundNames(), QStringList{QStringLiteral("elvis")});
    QVERIFY(fixture.desktop.messages.isEmpty());
    QCOMPARE(valueTexts(fixture), (QStringList{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}));
    QCOMPARE(fixture.box("TxtTime")->text(), QStringLiteral("0"));
    // The quiet start-up writes leave no flag behind, and build no listing.
    for (const ui::CounterInput& counter : fixture.window().inputState().counter) QCOMPARE(counter.QuietValue, qint16(0));
    QVERIFY(fixture.listing().isEmpty());
    auto* timer = fixture.window().findChild<QTimer*>(QStringLiteral("TimerAnimation"));
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 2000);
}

void TestFrmMainCalc::shutDown_data() {
    QTest::addColumn<bool>("sound");
    QTest::newRow("with sound") << true;
    QTest::newRow("silent") << false;
}

void TestFrmMainCalc::shutDown() {
    QFETCH(bool, sound);
    WindowFixture fixture;
    fixture.setTicked("ChkSound", sound);
    fixture.desktop.clear();
    fixture.press("BtnQuit");
    QCOMPARE(fixture.desktop.soundNames(), sound ? QStringList{QStringLiteral("donuts")} : QStringList{});
    QCOMPARE(fixture.desktop.waits, sound ? QList<int>{2500} : QList<int>{});
    QCOMPARE(fixture.desktop.programEnds, 1);
    // The close box behaves the same, and the shut-down runs once.
    fixture.window().close();
    QCOMPARE(fixture.desktop.programEnds, 1);
}

QTEST_MAIN(TestFrmMainCalc)
#include "tst_frmmain_calc.moc"
