// Copy, print and help; pop-up help; the logo's animation and the sounds of the commands.
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "support/WindowFixture.h"
#include "ui/FrmAbout.h"

namespace {

void prepare(WindowFixture& fixture) {
    fixture.setChip(true);
    fixture.box("TxtClock")->setText(QStringLiteral("4000000"));
    fixture.setCounters({QStringLiteral("100"), QStringLiteral("20"), QStringLiteral("5"), QStringLiteral("2")});
    fixture.clickTab(1);
    fixture.press("BtnCalcTime");
    fixture.desktop.clear();
}

// One tick of the animation timer, without waiting for it.
void tick(QTimer* timer) { QVERIFY(QMetaObject::invokeMethod(timer, "timeout")); }

}  // namespace

class TestFrmMainCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void copyPutsTheExactListing();
    void copyOfAnEmptyListing();
    void blankNameRefusesCopyAndPrint_data();
    void blankNameRefusesCopyAndPrint();
    void printCancelledSaysNothing();
    void printHandsOverTheExactListing();
    void printerComplaintIsReported();
    void helpOpensTheManual();
    void helpNamesAMissingManual();
    void popUps_data();
    void popUps();
    void popUpsReachTheAboutWindowBeforeItIsShown();
    void logoTurnsAndRests();
    void clearingAnimationStopsAtOnce();
    void soundsFollowTheSoundBox();
};

void TestFrmMainCommands::copyPutsTheExactListing() {
    WindowFixture fixture;
    prepare(fixture);
    QGuiApplication::clipboard()->setText(QStringLiteral("old"));
    fixture.press("BtnCopy");
    QCOMPARE(QGuiApplication::clipboard()->text(), fixture.listing());
    QVERIFY(QGuiApplication::clipboard()->text().contains(QStringLiteral("\r\n\t\tmovwf\tCntB\r\n")));
    QCOMPARE(fixture.desktop.soundNames(), QStringList{QStringLiteral("snapshot")});
    // A second copy cuts the first sound short and plays it again.
    fixture.press("BtnCopy");
    QCOMPARE(fixture.desktop.soundNames().size(), 2);
}

void TestFrmMainCommands::copyOfAnEmptyListing() {
    WindowFixture fixture;
    for (const char* name : {"TxtAName", "TxtBName", "TxtCName", "TxtDName"}) {
        fixture.box(name)->blockSignals(true);
        fixture.box(name)->setText(QStringLiteral("n"));
        fixture.box(name)->blockSignals(false);
    }
    QGuiApplication::clipboard()->setText(QStringLiteral("old"));
    fixture.press("BtnCopy");
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
}

void TestFrmMainCommands::blankNameRefusesCopyAndPrint_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("message");
    QTest::newRow("copy") << "BtnCopy" << "You must not have any blank counter names. Paste not done.";
    QTest::newRow("print") << "BtnPrint" << "You must not have any blank counter names. Print aborted.";
}

void TestFrmMainCommands::blankNameRefusesCopyAndPrint() {
    QFETCH(QString, button);
    QFETCH(QString, message);
    WindowFixture fixture;
    prepare(fixture);
    // Counter D is not used by two loops, and is tested all the same.
    fixture.box("TxtDName")->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("old"));
    fixture.press(qPrintable(button));
    QCOMPARE(fixture.desktop.messageTexts(), QStringList{message});
    QVERIFY(fixture.desktop.sounds.isEmpty());
    QCOMPARE(fixture.desktop.printDialogs, 0);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("old"));
}

void TestFrmMainCommands::printCancelledSaysNothing() {
    WindowFixture fixture;
    prepare(fixture);
    fixture.desktop.acceptPrintDialog = false;
    fixture.press("BtnPrint");
    QCOMPARE(fixture.desktop.printDialogs, 1);
    QVERIFY(fixture.desktop.messages.isEmpty());
    QCOMPARE(fixture.desktop.soundNames(), QStringList{QStringLiteral("pop")});
}

void TestFrmMainCommands::printHandsOverTheExactListing() {
    WindowFixture fixture;
    prepare(fixture);
    fixture.press("BtnPrint");
    QCOMPARE(fixture.desktop.printedListings, QStringList{fixture.listing()});
    QVERIFY(fixture.desktop.messages.isEmpty());
}

void TestFrmMainCommands::printerComplaintIsReported() {
    WindowFixture fixture;
    prepare(fixture);
    fixture.desktop.printerComplaint = QStringLiteral("The printer could not print the listing.");
    fixture.press("BtnPrint");
    QCOMPARE(fixture.desktop.messageTexts(),
             QStringList{QStringLiteral("Error : The printer could not print the listing.")});
    QCOMPARE(fixture.desktop.messages.first().icon, ui::MessageIcon::Exclamation);
}

void TestFrmMainCommands::helpOpensTheManual() {
    WindowFixture fixture;
    const QString manual = fixture.folder.filePath(QStringLiteral("kestrune_v2_2.pdf"));
    QFile file(manual);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    fixture.press("BtnHelp");
    QCOMPARE(fixture.desktop.shellTargets, QStringList{manual});
    QVERIFY(fixture.desktop.messages.isEmpty());
    QCOMPARE(fixture.desktop.soundNames().last(), QStringLiteral("pop"));
}

void TestFrmMainCommands::helpNamesAMissingManual() {
    WindowFixture fixture;
    fixture.desktop.clear();
    fixture.press("BtnHelp");
    QVERIFY(fixture.desktop.shellTargets.isEmpty());
    QCOMPARE(fixture.desktop.messages.size(), 1);
    QCOMPARE(fixture.desktop.messages.front().icon, ui::MessageIcon::Information);
    QCOMPARE(fixture.desktop.messages.front().text,
             QStringLiteral("Fileame ") + fixture.folder.filePath(QStringLiteral("kestrune_v2_2.pdf")) +
                 QStringLiteral(" not found."));
    QCOMPARE(fixture.desktop.soundNames(), QStringList{QStringLiteral("pop")});
}

void TestFrmMainCommands::popUps_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tip");
    const auto row = [](const char* name, const char* tip) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(tip);
    };
    row("BtnQuit", "Quit Kestrune.");
    row("BtnSave", "Save preferences.");
    row("BtnReset", "Restore preferences.");
    row("BtnHelp", "Open the Kestrune Manual.");
    row("BtnDefaults", "Restore default settings.");
    row("BtnPrint", "Print code listing.");
    row("BtnCopy", "Copy code listing to clipboard.");
    row("Picture1", "About Kestrune...");
    for (const char* name : {"BtnNudgeDnA", "BtnNudgeDnB", "BtnNudgeDnC", "BtnNudgeDnD"}) row(name, "Nudge value down.");
    for (const char* name : {"BtnNudgeUpA", "BtnNudgeUpB", "BtnNudgeUpC", "BtnNudgeUpD"}) row(name, "Nudge value up.");
    row("TxtAValue", "This is the value of the innermost or least significant counter.");
    row("TxtBValue", "This is the value of the 2'nd innermost or 2'nd least significant counter.");
    row("TxtCValue", "This is the value of the 2'nd outermost or 2'nd most significant counter.");
    row("TxtDValue", "This is the value of the outermost or most significant counter.");
    row("TxtAName", "This is the name of the innermost or least significant counter value.");
    row("TxtBName", "This is the name of the 2'nd least or 2'nd least significant counter value.");
    row("TxtCName", "This is the name of the 2'nd outermost or 2'nd most significant counter value.");
    row("TxtDName", "This is the name of the outermost or most significant counter value.");
    row("BtnCalcValues", "Calculate counter values from given delay time.");
    row("BtnCalcTime", "Calculate delay time from given counter values.");
    row("TxtMC", "This read only value is calculated from the delay duration value or the counter values whenever a calculation cycle occurs.");
    row("TxtTime", "Enter the desired total delay duration here before calculating counter values OR view the delay duration calculated from given counter values.");
    row("ChkAddCR", "A check here makes the calulations include effects caused by CALL and RET/LW instructions.");
    row("TxtClock", "Enter the microcontroller's clock speed here.");
    row("OptParallax", "Display code listing in Parallax format (now owned by Tech-Tools, hence nickname 'Ex-Lax').");
    row("OptMicroChip", "Display code listing in Microchip format.");
    row("TabCode", "Click tab for desired loop depth.");
    row("BtnChip", "Click to choose chip type. Remember to click 'Calc' again to rebuild the code listing !!");
    row("ChkSound", "");
    row("ChkAnimateLogo", "");
    row("TxtCodeList", "");
    row("Label5", "");
}

void TestFrmMainCommands::popUps() {
    QFETCH(QString, name);
    QFETCH(QString, tip);
    WindowFixture fixture;
    QWidget* control = fixture.control(qPrintable(name));
    auto* popups = fixture.control<QCheckBox>("ChkPopups");
    const QString selfExplanation = QStringLiteral("Switch balloon pop-up help on and off.");
    QCOMPARE(control->toolTip(), QString());
    QCOMPARE(popups->toolTip(), selfExplanation);
    WindowFixture::click(popups);
    QCOMPARE(control->toolTip(), tip);
    QCOMPARE(popups->toolTip(), selfExplanation);
    WindowFixture::click(popups);
    QCOMPARE(control->toolTip(), QString());
    QCOMPARE(popups->toolTip(), selfExplanation);
}

void TestFrmMainCommands::popUpsReachTheAboutWindowBeforeItIsShown() {
    for (const bool popups : {true, false}) {
        WindowFixture fixture;
        fixture.setTicked("ChkPopups", popups);
        QVERIFY(!fixture.window().findChild<ui::FrmAbout*>());  // built only when first shown
        QWidget* logo = fixture.control("Picture1");
        QTest::mouseClick(logo, Qt::LeftButton, {}, logo->rect().center());
        auto* about = fixture.window().findChild<ui::FrmAbout*>();
        QVERIFY(about && about->isVisible());
        QCOMPARE(about->doneButton()->toolTip(), popups ? QStringLiteral("Close About Window") : QString());
    }
}

void TestFrmMainCommands::logoTurnsAndRests() {
    WindowFixture fixture;
    auto* timer = fixture.window().findChild<QTimer*>(QStringLiteral("TimerAnimation"));
    auto* logo = fixture.control<QLabel>("Picture1");
    const auto frame = [](int number) { return QPixmap(QStringLiteral(":/pictures/%1").arg(number)).toImage(); };
    QCOMPARE(logo->pixmap().toImage(), frame(101));
    QCOMPARE(timer->interval(), 2000);
    // One full turn: frames 102 to 120 every 75 ms, then 101 for 800 ms.
    for (int number = 102; number <= 120; ++number) {
        tick(timer);
        QCOMPARE(logo->pixmap().toImage(), frame(number));
        QCOMPARE(timer->interval(), 75);
    }
    tick(timer);
    QCOMPARE(logo->pixmap().toImage(), frame(101));
    QCOMPARE(timer->interval(), 800);
    tick(timer);
    QCOMPARE(logo->pixmap().toImage(), frame(102));
    // The real timer drives the same turn.
    QTRY_COMPARE_WITH_TIMEOUT(timer->interval(), 800, 5000);
}

void TestFrmMainCommands::clearingAnimationStopsAtOnce() {
    WindowFixture fixture;
    auto* timer = fixture.window().findChild<QTimer*>(QStringLiteral("TimerAnimation"));
    auto* logo = fixture.control<QLabel>("Picture1");
    auto* animate = fixture.control<QCheckBox>("ChkAnimateLogo");
    for (int step = 0; step < 5; ++step) tick(timer);
    WindowFixture::click(animate);
    QVERIFY(!timer->isActive());
    QCOMPARE(logo->pixmap().toImage(), QPixmap(QStringLiteral(":/pictures/101")).toImage());
    WindowFixture::click(animate);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 800);
    tick(timer);
    QCOMPARE(logo->pixmap().toImage(), QPixmap(QStringLiteral(":/pictures/102")).toImage());
}

void TestFrmMainCommands::soundsFollowTheSoundBox() {
    WindowFixture fixture;
    prepare(fixture);
    fixture.press("BtnChip");
    fixture.press("BtnDefaults");
    fixture.press("BtnCopy");
    fixture.desktop.acceptPrintDialog = false;
    fixture.press("BtnPrint");
    fixture.press("BtnHelp");
    QCOMPARE(fixture.desktop.soundNames(),
             (QStringList{QStringLiteral("pop"), QStringLiteral("drip"), QStringLiteral("snapshot"),
                          QStringLiteral("pop"), QStringLiteral("pop")}));
    fixture.setTicked("ChkSound", false);
    fixture.desktop.clear();
    fixture.press("BtnChip");
    fixture.press("BtnCopy");
    fixture.press("BtnHelp");
    fixture.press("BtnQuit");
    QVERIFY(fixture.desktop.sounds.isEmpty());
    QVERIFY(fixture.desktop.waits.isEmpty());
}

QTEST_MAIN(TestFrmMainCommands)
#include "tst_frmmain_commands.moc"
