// The main window as designed: every control with its name, kind, caption, place, font and
// starting state; the focus order; the typed length limits; the exact listing text.
#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include "support/WindowFixture.h"
#include "ui/CodeListBox.h"
#include "ui/Twips.h"

class TestFrmMainLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void window();
    void controls_data();
    void controls();
    void fontsAndPointers();
    void pictureButtons_data();
    void pictureButtons();
    void startingState();
    void focusOrder();
    void typedLengthLimits_data();
    void typedLengthLimits();
    void codeBoxKeepsExactText();
};

void TestFrmMainLayout::window() {
    WindowFixture fixture;
    ui::FrmMain& frm = fixture.window();
    QCOMPARE(frm.windowTitle(), QStringLiteral("Kestrune : Delay Loop Calculator V2.2"));
    QCOMPARE(frm.size(), QSize(640, 432));
    QCOMPARE(frm.minimumSize(), frm.maximumSize());
    QCOMPARE(frm.pos(), QPoint(0, 0));
    QVERIFY(!frm.windowIcon().isNull());
    QVERIFY(!(frm.windowFlags() & Qt::WindowMaximizeButtonHint));
}

void TestFrmMainLayout::controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    const auto row = [](const char* name, const char* kind, const char* parent, const char* caption,
                        QRect twips) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(kind)
                            << QString::fromLatin1(parent) << QString::fromUtf8(caption) << twips;
    };
    row("Frame1", "QGroupBox", "", "Data:", {60, 60, 9495, 2115});
    row("PnlCode", "QGroupBox", "", "Code Listing:", {60, 2220, 7035, 4215});
    row("Picture1", "QLabel", "", "", {7260, 2340, 2220, 855});
    row("ChkAnimateLogo", "QCheckBox", "", "Animate Logo", {7440, 3240, 2055, 255});
    row("ChkPopups", "QCheckBox", "", "Enable Pop-ups", {7440, 3480, 2055, 255});
    row("ChkSound", "QCheckBox", "", "Enable Sound", {7440, 3720, 2055, 255});
    row("BtnDefaults", "QPushButton", "", "", {8520, 4320, 915, 615});
    row("BtnReset", "QPushButton", "", "", {7380, 5040, 915, 615});
    row("BtnHelp", "QPushButton", "", "", {8520, 5040, 915, 615});
    row("BtnSave", "QPushButton", "", "", {7380, 5760, 915, 615});
    row("BtnQuit", "QPushButton", "", "", {8520, 5760, 915, 615});
    row("Label1", "QLabel", "Frame1", "Oscillator Frequency:", {300, 300, 1455, 555});
    row("TxtClock", "QLineEdit", "Frame1", "", {1800, 420, 1935, 315});
    row("Label2", "QLabel", "Frame1", "Hz", {3780, 480, 435, 255});
    row("ChkAddCR", "QCheckBox", "Frame1", "Include Call + Return:", {960, 960, 2775, 255});
    row("Label4", "QLabel", "Frame1", "Delay Time:", {360, 1320, 1395, 255});
    row("TxtTime", "QLineEdit", "Frame1", "0", {1800, 1260, 1935, 315});
    row("Label6", "QLabel", "Frame1", "s", {3780, 1320, 195, 255});
    row("Label5", "QLabel", "Frame1", "Machine Cycles:", {60, 1740, 1695, 255});
    row("TxtMC", "QLineEdit", "Frame1", "", {1800, 1680, 1935, 315});
    row("Label7", "QLabel", "Frame1", "mc", {3780, 1740, 315, 255});
    row("Frame2", "QGroupBox", "Frame1", "Calc:", {4200, 480, 1155, 1395});
    row("Label8", "QLabel", "Frame1", "Counter Name:", {6240, 180, 1515, 255});
    row("Label9", "QLabel", "Frame1", "Value:", {8460, 180, 675, 195});
    row("TxtDName", "QLineEdit", "Frame1", "", {5700, 420, 2655, 315});
    row("Label10", "QLabel", "Frame1", "=", {8340, 480, 255, 255});
    row("TxtDValue", "QLineEdit", "Frame1", "0", {8580, 420, 555, 315});
    row("BtnNudgeUpD", "QPushButton", "Frame1", "", {9180, 420, 195, 120});
    row("BtnNudgeDnD", "QPushButton", "Frame1", "", {9180, 600, 195, 120});
    row("TxtCName", "QLineEdit", "Frame1", "", {5700, 840, 2655, 315});
    row("Label11", "QLabel", "Frame1", "=", {8340, 900, 255, 255});
    row("TxtCValue", "QLineEdit", "Frame1", "0", {8580, 840, 555, 315});
    row("BtnNudgeUpC", "QPushButton", "Frame1", "", {9180, 840, 195, 120});
    row("BtnNudgeDnC", "QPushButton", "Frame1", "", {9180, 1020, 195, 120});
    row("TxtBName", "QLineEdit", "Frame1", "", {5700, 1260, 2655, 315});
    row("Label12", "QLabel", "Frame1", "=", {8340, 1320, 255, 255});
    row("TxtBValue", "QLineEdit", "Frame1", "0", {8580, 1260, 555, 315});
    row("BtnNudgeUpB", "QPushButton", "Frame1", "", {9180, 1260, 195, 120});
    row("BtnNudgeDnB", "QPushButton", "Frame1", "", {9180, 1440, 195, 120});
    row("TxtAName", "QLineEdit", "Frame1", "", {5700, 1680, 2655, 315});
    row("Label13", "QLabel", "Frame1", "=", {8340, 1740, 255, 255});
    row("TxtAValue", "QLineEdit", "Frame1", "0", {8580, 1680, 555, 315});
    row("BtnNudgeUpA", "QPushButton", "Frame1", "", {9180, 1680, 195, 120});
    row("BtnNudgeDnA", "QPushButton", "Frame1", "", {9180, 1860, 195, 120});
    row("BtnCalcTime", "QPushButton", "Frame2", "", {120, 240, 435, 375});
    row("BtnCalcValues", "QPushButton", "Frame2", "", {600, 240, 435, 375});
    row("BtnChip", "QPushButton", "Frame2", "", {120, 660, 915, 615});
    row("Label17", "QLabel", "PnlCode", "Code Type:", {2580, 240, 1515, 255});
    row("OptMicroChip", "QRadioButton", "PnlCode", "MicroChip", {4200, 240, 1335, 255});
    row("OptParallax", "QRadioButton", "PnlCode", "Ex-Lax", {4200, 540, 1155, 255});
    row("BtnCopy", "QPushButton", "PnlCode", "", {5520, 240, 615, 615});
    row("BtnPrint", "QPushButton", "PnlCode", "", {6240, 240, 615, 615});
    row("TabCode", "QTabBar", "PnlCode", "", {120, 600, 6795, 435});
    row("TxtCodeList", "ui::CodeListBox", "PnlCode", "", {120, 1020, 6795, 3075});
}

void TestFrmMainLayout::controls() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, parentName);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    WindowFixture fixture;
    QWidget* widget = fixture.control(qPrintable(name));
    QVERIFY2(widget->inherits(qPrintable(kind)), widget->metaObject()->className());
    QWidget* parent = widget->parentWidget();
    QCOMPARE(parent == &fixture.window() ? QString() : parent->objectName(), parentName);
    QCOMPARE(widget->geometry(),
             ui::twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    QString shown;
    if (auto* label = qobject_cast<QLabel*>(widget)) shown = label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) shown = button->text();
    if (auto* group = qobject_cast<QGroupBox*>(widget)) shown = group->title();
    if (auto* line = qobject_cast<QLineEdit*>(widget)) shown = line->text();
    QCOMPARE(shown, caption);
}

void TestFrmMainLayout::fontsAndPointers() {
    WindowFixture fixture;
    const auto family = [&](const char* name) { return QFontInfo(fixture.control(name)->font()).family(); };
    const auto points = [&](const char* name) { return fixture.control(name)->font().pointSizeF(); };
    // Courier New is matched by its metric twin where it is not installed.
    QVERIFY2(family("TxtClock") == QStringLiteral("Courier New") ||
                 family("TxtClock") == QStringLiteral("Liberation Mono"),
             qPrintable(family("TxtClock")));
    QCOMPARE(fixture.control("TxtClock")->font().family(), QStringLiteral("Courier New"));
    for (const char* name : {"TxtClock", "Label1", "TxtAName", "BtnNudgeUpA", "ChkAddCR", "TxtCodeList", "OptMicroChip"})
        QCOMPARE(points(name), 8.25);
    for (const char* name : {"Label2", "OptParallax"}) QCOMPARE(points(name), 9.0);
    QCOMPARE(points("TabCode"), 9.75);
    for (const char* name : {"Frame1", "Frame2", "PnlCode"}) {
        QCOMPARE(points(name), 9.75);
        QVERIFY(fixture.control(name)->font().bold());
    }
    for (const char* name : {"BtnQuit", "BtnNudgeDnC", "ChkSound", "OptParallax", "TabCode", "Picture1", "BtnChip"})
        QCOMPARE(fixture.control(name)->cursor().shape(), Qt::PointingHandCursor);
    for (const char* name : {"TxtClock", "Label5", "TxtCodeList", "Frame1"})
        QVERIFY(fixture.control(name)->cursor().shape() != Qt::PointingHandCursor);
}

void TestFrmMainLayout::pictureButtons_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("picture");
    for (const char* name : {"BtnQuit", "BtnHelp", "BtnCopy", "BtnPrint"}) QTest::newRow(name) << QString::fromLatin1(name) << QSize(32, 32);
    for (const char* name : {"BtnDefaults", "BtnSave", "BtnReset"}) QTest::newRow(name) << QString::fromLatin1(name) << QSize(51, 32);
    for (const char* name : {"BtnCalcTime", "BtnCalcValues"}) QTest::newRow(name) << QString::fromLatin1(name) << QSize(17, 17);
}

void TestFrmMainLayout::pictureButtons() {
    QFETCH(QString, name);
    QFETCH(QSize, picture);
    WindowFixture fixture;
    auto* button = fixture.control<QPushButton>(qPrintable(name));
    QVERIFY(button->text().isEmpty());
    QCOMPARE(button->iconSize(), picture);
    QCOMPARE(button->icon().availableSizes().value(0), picture);
}

void TestFrmMainLayout::startingState() {
    WindowFixture fixture;
    QVERIFY(fixture.control<QCheckBox>("ChkAnimateLogo")->isChecked());
    QVERIFY(!fixture.control<QCheckBox>("ChkPopups")->isChecked());
    QVERIFY(fixture.control<QCheckBox>("ChkSound")->isChecked());
    QVERIFY(!fixture.control<QCheckBox>("ChkAddCR")->isChecked());
    QVERIFY(fixture.control<QRadioButton>("OptMicroChip")->isChecked());
    QVERIFY(!fixture.control<QRadioButton>("OptParallax")->isChecked());
    QVERIFY(fixture.box("TxtMC")->isReadOnly());
    QVERIFY(fixture.control<ui::CodeListBox>("TxtCodeList")->isReadOnly());
    QVERIFY(!fixture.box("TxtClock")->isReadOnly());
    QCOMPARE(fixture.tabs()->count(), 4);
    const QStringList tabs = {fixture.tabs()->tabText(0), fixture.tabs()->tabText(1),
                              fixture.tabs()->tabText(2), fixture.tabs()->tabText(3)};
    QCOMPARE(tabs, (QStringList{QStringLiteral("Single"), QStringLiteral("Double"),
                                QStringLiteral("Triple"), QStringLiteral("Quad")}));
    fixture.window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&fixture.window()));
    QVERIFY(!fixture.control("BtnSave")->isVisible());
    QVERIFY(!fixture.control("BtnReset")->isVisible());
    QVERIFY(fixture.control("BtnDefaults")->isVisible());
    QCOMPARE(QApplication::focusWidget(), fixture.control("TxtClock"));
}

void TestFrmMainLayout::focusOrder() {
    WindowFixture fixture;
    const QStringList expected = {
        QStringLiteral("TxtClock"), QStringLiteral("ChkAddCR"), QStringLiteral("TxtTime"), QStringLiteral("TxtMC"),
        QStringLiteral("BtnCalcTime"), QStringLiteral("BtnCalcValues"), QStringLiteral("BtnChip"),
        QStringLiteral("TxtDName"), QStringLiteral("TxtCName"), QStringLiteral("TxtBName"), QStringLiteral("TxtAName"),
        QStringLiteral("TxtDValue"), QStringLiteral("BtnNudgeUpD"), QStringLiteral("BtnNudgeDnD"),
        QStringLiteral("TxtCValue"), QStringLiteral("BtnNudgeUpC"), QStringLiteral("BtnNudgeDnC"),
        QStringLiteral("TxtBValue"), QStringLiteral("BtnNudgeUpB"), QStringLiteral("BtnNudgeDnB"),
        QStringLiteral("TxtAValue"), QStringLiteral("BtnNudgeUpA"), QStringLiteral("BtnNudgeDnA"),
        QStringLiteral("OptMicroChip"), QStringLiteral("OptParallax"), QStringLiteral("TabCode"),
        QStringLiteral("BtnCopy"), QStringLiteral("BtnPrint"), QStringLiteral("ChkAnimateLogo"),
        QStringLiteral("ChkPopups"), QStringLiteral("ChkSound"), QStringLiteral("BtnDefaults"),
        QStringLiteral("BtnHelp"), QStringLiteral("BtnReset"), QStringLiteral("BtnSave"),
        QStringLiteral("BtnQuit"), QStringLiteral("Picture1"), QStringLiteral("TxtCodeList")};
    QStringList actual;
    QWidget* widget = fixture.control("TxtClock");
    for (int step = 0; step < expected.size(); ++step) {
        actual << widget->objectName();
        widget = widget->nextInFocusChain();
        while (widget->objectName().isEmpty() || widget->focusPolicy() == Qt::NoFocus)
            widget = widget->nextInFocusChain();
    }
    QCOMPARE(actual, expected);
}

void TestFrmMainLayout::typedLengthLimits_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QChar>("typed");
    QTest::newRow("counter value") << "TxtBValue" << 4 << QChar(u'1');
    QTest::newRow("counter name") << "TxtCName" << 50 << QChar(u'x');
}

void TestFrmMainLayout::typedLengthLimits() {
    QFETCH(QString, name);
    QFETCH(int, limit);
    QFETCH(QChar, typed);
    WindowFixture fixture;
    QLineEdit* box = fixture.box(qPrintable(name));
    box->setText(QString(typed));
    box->end(false);
    QTest::keyClicks(box, QString(limit + 3, typed));
    QCOMPARE(box->text(), QString(limit, typed));
    // Text set from code is never cut, and typing cannot make it longer still.
    const QString longer(limit + 6, typed);
    box->setText(longer);
    QCOMPARE(box->text(), longer);
    box->end(false);
    QTest::keyClicks(box, QString(typed));
    QCOMPARE(box->text(), longer);
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text().size(), limit + 5);
}

void TestFrmMainLayout::codeBoxKeepsExactText() {
    WindowFixture fixture;
    auto* code = fixture.control<ui::CodeListBox>("TxtCodeList");
    const QString text = QStringLiteral(";head\r\n\t\tmovlw\tD'1'\r\nloop\t\tgoto\tloop");
    code->setListing(text);
    QCOMPARE(code->listing(), text);
    QCOMPARE(code->toPlainText(), QStringLiteral(";head\n\t\tmovlw\tD'1'\nloop\t\tgoto\tloop"));
    QCOMPARE(code->tabStopDistance(),
             8 * QFontMetricsF(code->font()).horizontalAdvance(QLatin1Char(' ')));
    code->insertAt(5, QStringLiteral("X"));
    QVERIFY(code->listing().startsWith(QStringLiteral(";headX\r\n")));
    // Appending shows the same text as showing the whole listing afresh.
    code->insertAt(code->listing().size(), QStringLiteral("\r\n\t\tretlw\t0"));
    QCOMPARE(code->toPlainText(), QStringLiteral(";headX\n\t\tmovlw\tD'1'\nloop\t\tgoto\tloop\n\t\tretlw\t0"));
}

QTEST_MAIN(TestFrmMainLayout)
#include "tst_frmmain_layout.moc"
