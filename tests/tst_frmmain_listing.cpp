// The listing in the window: which writer runs, its guard on empty value boxes, and what a
// writer that fails part-way leaves behind.
#include <QTest>

#include "support/WindowFixture.h"

namespace {

void clearQuietly(QLineEdit* box) {
    // Leaves the box empty as its own checks never would, to reach the writers' guard.
    box->blockSignals(true);
    box->clear();
    box->blockSignals(false);
}

}  // namespace

class TestFrmMainListing : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void writerFollowsFormatAndTab_data();
    void writerFollowsFormatAndTab();
    void emptyValueBoxGuard_data();
    void emptyValueBoxGuard();
    void headerFollowsTheChip();
    void neitherFormatSelectedWritesNothing();
    void oversizedListingStopsPartWay();
    void timeAndClockTextsAreQuotedAsShown();

private:
    std::unique_ptr<WindowFixture> fixture;
};

void TestFrmMainListing::init() {
    fixture = std::make_unique<WindowFixture>();
    fixture->setChip(true);
    fixture->box("TxtClock")->setText(QStringLiteral("4000000"));
    fixture->setCounters({QStringLiteral("100"), QStringLiteral("20"), QStringLiteral("5"), QStringLiteral("2")});
}

void TestFrmMainListing::cleanup() { fixture.reset(); }

void TestFrmMainListing::writerFollowsFormatAndTab_data() {
    QTest::addColumn<bool>("parallax");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("ending");
    QTest::newRow("Microchip Single") << false << 0 << "loop\t\tdecfsz\tCntA,1\r\n\t\tgoto\tloop";
    QTest::newRow("Microchip Quad") << false << 3 << "\t\tdecfsz\tCntD,1\r\n\t\tgoto\tloop";
    QTest::newRow("Parallax Single") << true << 0 << "\r\n\t\tmov\tCntA,#100\r\n\t\tdjnz\tCntA,$";
    QTest::newRow("Parallax Triple") << true << 2 << "\r\n\t\tdjnz\tCntC,:loop";
}

void TestFrmMainListing::writerFollowsFormatAndTab() {
    QFETCH(bool, parallax);
    QFETCH(int, tab);
    QFETCH(QString, ending);
    fixture->press(parallax ? "OptParallax" : "OptMicroChip");
    fixture->clickTab(tab);
    QVERIFY2(fixture->listing().endsWith(ending), qPrintable(fixture->listing()));
    fixture->press("ChkAddCR");
    QVERIFY(fixture->listing().endsWith(parallax ? QStringLiteral("\r\n\t\tret") : QStringLiteral("\r\n\t\tretlw\t0")));
}

void TestFrmMainListing::emptyValueBoxGuard_data() {
    QTest::addColumn<QString>("emptied");
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("written");
    QTest::newRow("B empty, two loops") << "TxtBValue" << 1 << false;
    QTest::newRow("B empty, one loop") << "TxtBValue" << 0 << true;
    QTest::newRow("D empty, three loops") << "TxtDValue" << 2 << true;
    QTest::newRow("A empty, four loops") << "TxtAValue" << 3 << false;
}

void TestFrmMainListing::emptyValueBoxGuard() {
    QFETCH(QString, emptied);
    QFETCH(int, tab);
    QFETCH(bool, written);
    fixture->clickTab(tab);
    fixture->setTicked("ChkAddCR", true);
    fixture->press("OptParallax");
    clearQuietly(fixture->box(qPrintable(emptied)));
    const QString before = fixture->listing();
    fixture->press("OptMicroChip");
    if (written)
        QVERIFY(fixture->listing().contains(QStringLiteral("movlw")));
    else
        QCOMPARE(fixture->listing(), before);
}

void TestFrmMainListing::headerFollowsTheChip() {
    fixture->clickTab(1);
    fixture->press("BtnCalcTime");
    QVERIFY(fixture->listing().startsWith(QStringLiteral(";PIC Time Delay = 0.01493500 s with Osc = 4000000 Hz\r\n")));
    fixture->press("BtnChip");  // the chip alone rebuilds nothing
    QVERIFY(fixture->listing().startsWith(QStringLiteral(";PIC Time Delay = ")));
    fixture->press("OptParallax");
    QVERIFY(fixture->listing().startsWith(QStringLiteral(";SX-Turbo Time Delay = 0.01493500 s with Osc = 4000000 Hz\r\n\t\tmov\tCntB,#20")));
}

void TestFrmMainListing::neitherFormatSelectedWritesNothing() {
    auto* microchip = fixture->control<QRadioButton>("OptMicroChip");
    microchip->setAutoExclusive(false);
    microchip->setChecked(false);
    const QString before = fixture->listing();
    fixture->press("BtnCalcTime");
    fixture->clickTab(2);
    QCOMPARE(fixture->listing(), before);
}

void TestFrmMainListing::oversizedListingStopsPartWay() {
    // A clock text of 32760 characters passes in the header, but the insertion point of the
    // first piece no longer fits in 16 bits: the header alone stays.
    QLineEdit* clock = fixture->box("TxtClock");
    clock->blockSignals(true);
    clock->setText(QString(32760, QLatin1Char('9')));
    clock->blockSignals(false);
    fixture->press("OptParallax");
    QVERIFY(fixture->listing().startsWith(QStringLiteral(";PIC Time Delay = ")));
    QVERIFY(fixture->listing().endsWith(QStringLiteral(" Hz")));
    QVERIFY(!fixture->listing().contains(QStringLiteral("\r\n")));
    // The next rebuild starts afresh.
    clock->setText(QStringLiteral("4000000"));
    fixture->press("OptMicroChip");
    QVERIFY(fixture->listing().endsWith(QStringLiteral("goto\tloop")));
}

void TestFrmMainListing::timeAndClockTextsAreQuotedAsShown() {
    fixture->box("TxtTime")->setText(QStringLiteral(" 1E-3"));
    fixture->box("TxtClock")->setText(QStringLiteral("4e6"));
    fixture->press("OptParallax");
    QVERIFY(fixture->listing().startsWith(QStringLiteral(";PIC Time Delay =  1E-3 s with Osc = 4e6 Hz\r\n")));
}

QTEST_MAIN(TestFrmMainListing)
#include "tst_frmmain_listing.moc"
