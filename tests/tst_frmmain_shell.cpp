// The main window as a shell around the calculation: its controls and their looks, the focus
// order and typed limits, the code box, pop-up help, the logo, and the checks that run as the
// focus leaves a name box or a search writes the value boxes.
#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "support/Scenario.h"
#include "support/WindowFixture.h"
#include "ui/CodeListBox.h"
#include "ui/FrmAbout.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// The controls as the layout places them: named children of the window and of its frames.
QList<QWidget*> placedControls(QWidget* window) {
    QList<QWidget*> controls;
    for (QWidget* widget : window->findChildren<QWidget*>())
        if (!widget->objectName().isEmpty() && (widget->parentWidget() == window || qobject_cast<QGroupBox*>(widget->parentWidget())))
            controls << widget;
    return controls;
}

bool showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

QImage frame(int number) { return QPixmap(u":/pictures/%1"_s.arg(number)).toImage(); }

}  // namespace

class TestFrmMainShell : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowAndControls() {
        WindowFixture fixture;
        ui::FrmMain& window = fixture.window();
        QCOMPARE(window.windowTitle(), u"Kestrune : Delay Loop Calculator V2.2"_s);
        QCOMPARE(window.size(), QSize(640, 432));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QCOMPARE(window.pos(), QPoint(0, 0));
        QVERIFY(!window.windowIcon().isNull());
        QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
        // Every control lies inside its container, and none covers another beyond a pixel of
        // rounding, but for the tab strip's row, which the code panel's top row reaches into.
        const QList<QWidget*> controls = placedControls(&window);
        for (QWidget* control : controls) {
            QVERIFY2(control->parentWidget()->rect().contains(control->geometry()), qPrintable(control->objectName()));
            for (QWidget* other : controls) {
                const QRect shared = control->geometry().intersected(other->geometry());
                const bool strip = control->objectName() == u"TabCode"_s || other->objectName() == u"TabCode"_s;
                if (control != other && other->parentWidget() == control->parentWidget() && !strip)
                    QVERIFY2(shared.width() <= 1 || shared.height() <= 1, qPrintable(control->objectName() + u" covers "_s + other->objectName()));
            }
            // Courier New (or its metric twin) at 8.25 points, but where the layout says otherwise;
            // the hand pointer on whatever is clicked.
            const QMap<QString, qreal> ownSizes = {{u"Label2"_s, 9}, {u"OptParallax"_s, 9}, {u"TabCode"_s, 9.75}};
            const bool frame = qobject_cast<QGroupBox*>(control);
            QCOMPARE(control->font().family(), u"Courier New"_s);
            QCOMPARE(control->font().pointSizeF(), frame ? 9.75 : ownSizes.value(control->objectName(), 8.25));
            QCOMPARE(control->font().bold(), frame);
            const bool clicked = qobject_cast<QAbstractButton*>(control) || qobject_cast<QTabBar*>(control) || control->objectName() == u"Picture1"_s;
            QVERIFY2((control->cursor().shape() == Qt::PointingHandCursor) == clicked, qPrintable(control->objectName()));
        }
        QVERIFY(QStringList({u"Courier New"_s, u"Liberation Mono"_s}).contains(QFontInfo(fixture.control("TxtClock")->font()).family()));
        // Picture buttons show a picture of their designed size and no caption.
        const QMap<QString, QSize> pictures = {{u"BtnQuit"_s, {32, 32}}, {u"BtnHelp"_s, {32, 32}}, {u"BtnCopy"_s, {32, 32}},
                                               {u"BtnPrint"_s, {32, 32}}, {u"BtnDefaults"_s, {51, 32}}, {u"BtnSave"_s, {51, 32}},
                                               {u"BtnReset"_s, {51, 32}}, {u"BtnCalcTime"_s, {17, 17}}, {u"BtnCalcValues"_s, {17, 17}}};
        for (auto picture = pictures.cbegin(); picture != pictures.cend(); ++picture) {
            auto* button = fixture.control<QPushButton>(qPrintable(picture.key()));
            QVERIFY(button->text().isEmpty());
            QCOMPARE(button->icon().availableSizes().value(0), picture.value());
        }
    }

    void startingState() {
        WindowFixture fixture;
        QVERIFY_SCENARIO(fixture, QString(), u"ticked ChkAnimateLogo | unticked ChkPopups | ticked ChkSound | unticked ChkAddCR | ticked OptMicroChip"_s);
        QVERIFY(fixture.box("TxtMC")->isReadOnly() && !fixture.box("TxtClock")->isReadOnly());
        QCOMPARE((QStringList{fixture.tabs()->tabText(0), fixture.tabs()->tabText(1), fixture.tabs()->tabText(2), fixture.tabs()->tabText(3)}),
                 (QStringList{u"Single"_s, u"Double"_s, u"Triple"_s, u"Quad"_s}));
        QVERIFY(showActive(fixture.window()));
        QVERIFY(!fixture.control("BtnSave")->isVisible() && !fixture.control("BtnReset")->isVisible());
        QCOMPARE(QApplication::focusWidget(), fixture.control("TxtClock"));
        // The focus moves through the window in this order.
        const QStringList order = u"TxtClock ChkAddCR TxtTime TxtMC BtnCalcTime BtnCalcValues BtnChip TxtDName TxtCName TxtBName "
                                  "TxtAName TxtDValue BtnNudgeUpD BtnNudgeDnD TxtCValue BtnNudgeUpC BtnNudgeDnC TxtBValue BtnNudgeUpB "
                                  "BtnNudgeDnB TxtAValue BtnNudgeUpA BtnNudgeDnA OptMicroChip OptParallax TabCode BtnCopy BtnPrint "
                                  "ChkAnimateLogo ChkPopups ChkSound BtnDefaults BtnHelp BtnReset BtnSave BtnQuit Picture1 TxtCodeList"_s.split(u' ');
        QStringList actual;
        for (QWidget* widget = fixture.control("TxtClock"); actual.size() < order.size(); widget = widget->nextInFocusChain())
            if (!widget->objectName().isEmpty() && widget->focusPolicy() != Qt::NoFocus) actual << widget->objectName();
        QCOMPARE(actual, order);
    }

    void typedLengthLimits() {
        WindowFixture fixture;
        for (const auto& [name, limit, typed] : {std::tuple{"TxtBValue", 4, u'1'}, std::tuple{"TxtCName", 50, u'x'}}) {
            QLineEdit* box = fixture.box(name);
            box->setText(QString(typed));
            box->end(false);
            QTest::keyClicks(box, QString(limit + 3, typed));
            QCOMPARE(box->text(), QString(limit, typed));
            // Text set from code is never cut, and typing cannot make it longer still.
            const QString longer(limit + 6, typed);
            box->setText(longer);
            QTest::keyClicks(box, QString(typed));
            QCOMPARE(box->text(), longer);
            QTest::keyClick(box, Qt::Key_Backspace);
            QCOMPARE(box->text().size(), limit + 5);
        }
    }

    void codeBoxKeepsTheExactText() {
        WindowFixture fixture;
        auto* code = fixture.control<ui::CodeListBox>("TxtCodeList");
        code->setListing(u";head\r\n\t\tmovlw\tD'1'\r\nloop\t\tgoto\tloop"_s);
        code->insertAt(5, u"X"_s);
        code->insertAt(code->listing().size(), u"\r\n\t\tretlw\t0"_s);
        QCOMPARE(code->listing(), u";headX\r\n\t\tmovlw\tD'1'\r\nloop\t\tgoto\tloop\r\n\t\tretlw\t0"_s);
        // Shown one line per line, with tab stops every eight characters.
        QCOMPARE(code->toPlainText(), u";headX\n\t\tmovlw\tD'1'\nloop\t\tgoto\tloop\n\t\tretlw\t0"_s);
        QCOMPARE(code->tabStopDistance(), 8 * QFontMetricsF(code->font()).horizontalAdvance(u' '));
        QVERIFY(code->isReadOnly());
    }

    void popUpHelp() {
        WindowFixture fixture;
        const QString selfExplanation = u"Switch balloon pop-up help on and off."_s;
        const QList<QWidget*> controls = placedControls(&fixture.window());
        for (const bool on : {true, false, true}) {
            fixture.setTicked("ChkPopups", on);
            QCOMPARE(fixture.control("ChkPopups")->toolTip(), selfExplanation);
            QStringList tips;
            for (QWidget* control : controls) {
                const QString name = control->objectName();
                const QString tip = control->toolTip();
                if (name == u"ChkPopups"_s) continue;
                // Labels, frames, the code box and two of the check boxes never explain themselves.
                const bool explained = (qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control) ||
                                        qobject_cast<QTabBar*>(control) || name == u"Picture1"_s) &&
                                       name != u"ChkSound"_s && name != u"ChkAnimateLogo"_s;
                QVERIFY2(tip.isEmpty() == !(on && explained), qPrintable(name));
                if (tip.isEmpty()) continue;
                // The tip fits the control: a name box speaks of a name, a nudge of its direction.
                if (name.endsWith(u"Name"_s)) QVERIFY2(tip.contains(u"name of"_s), qPrintable(name));
                if (name.endsWith(u"Value"_s)) QVERIFY2(tip.contains(u"value of"_s), qPrintable(name));
                if (name.startsWith(u"BtnNudge"_s)) QCOMPARE(tip, name.contains(u"Up"_s) ? u"Nudge value up."_s : u"Nudge value down."_s);
                else QVERIFY2(!tips.contains(tip), qPrintable(tip));
                tips << tip;
            }
            if (on) QCOMPARE(tips.size(), 34);
        }
        // The About window's Done button follows too, though that window is only built when shown.
        fixture.setTicked("ChkPopups", false);
        fixture.press("Picture1");
        QCOMPARE(fixture.window().findChild<ui::FrmAbout*>()->doneButton()->toolTip(), QString());
    }

    void logoTurnsAndRests() {
        WindowFixture fixture;
        auto* timer = fixture.window().findChild<QTimer*>(u"TimerAnimation"_s);
        auto* logo = fixture.control<QLabel>("Picture1");
        const auto tick = [&] { QVERIFY(QMetaObject::invokeMethod(timer, "timeout")); };
        QCOMPARE(logo->pixmap().toImage(), frame(101));
        QCOMPARE(timer->interval(), 2000);
        // One turn: frames 102 to 120 every 75 ms, then 101 for 800 ms.
        for (int number = 102; number <= 121; ++number) {
            tick();
            QCOMPARE(logo->pixmap().toImage(), frame(number == 121 ? 101 : number));
            QCOMPARE(timer->interval(), number == 121 ? 800 : 75);
        }
        // Clearing the box mid-turn rests the logo at once; ticking it starts the next turn 800 ms on.
        for (int step = 0; step < 5; ++step) tick();
        fixture.press("ChkAnimateLogo");
        QVERIFY(!timer->isActive());
        QCOMPARE(logo->pixmap().toImage(), frame(101));
        fixture.press("ChkAnimateLogo");
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 800);
        tick();
        QCOMPARE(logo->pixmap().toImage(), frame(102));
        // The real timer drives the same turn.
        QTRY_COMPARE_WITH_TIMEOUT(timer->interval(), 800, 5000);
    }

    void blankNameOnLeavingTheBox() {
        for (const bool dark : {false, true}) {
            const QPalette light = QApplication::palette();
            QPalette theme = light;
            theme.setColor(QPalette::Base, QColor(35, 38, 41));
            theme.setColor(QPalette::Text, QColor(239, 240, 241));
            if (dark) QApplication::setPalette(theme);
            WindowFixture fixture;
            QLineEdit* box = fixture.box("TxtDName");
            QColor whileShown;
            fixture.desktop.whileMessageShown = [&](const QString&) { whileShown = box->palette().color(QPalette::Base); };
            // Not while typing: only when the box is left, which then keeps the focus.
            QVERIFY_SCENARIO(fixture, u"counters 1 1 1 1 | type TxtDName | leave TxtDName"_s,
                             u"said You must not have any blank counter names.\r\nPlease enter a name for counter D"_s);
            QCOMPARE(whileShown, QColor(255, 0, 0));
            QCOMPARE(box->palette().color(QPalette::Text), QColor(Qt::black));
            QCOMPARE(QApplication::focusWidget(), box);
            // Named again, the box takes the theme's colours, and leaving it is quiet.
            fixture.desktop.whileMessageShown = nullptr;
            QTest::keyClicks(box, u"n"_s);
            QCOMPARE(box->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));
            QCOMPARE(box->palette().color(QPalette::Text), QApplication::palette().color(QPalette::Text));
            QVERIFY_SCENARIO(fixture, u"leave TxtDName"_s, QString());
            QApplication::setPalette(light);
        }
    }

    void leavingForAnotherProgramSaysNothing() {
        WindowFixture fixture;
        QVERIFY(showActive(fixture.window()));
        QLineEdit* box = fixture.box("TxtBName");
        box->setFocus();
        QWidget other;
        QVERIFY(showActive(other));
        QVERIFY(fixture.desktop.messages.isEmpty());
        // Back in the window, leaving the box for one of its own controls is reported.
        QVERIFY(showActive(fixture.window()));
        fixture.box("TxtClock")->setFocus();
        QCOMPARE(fixture.desktop.messageTexts(), QStringList{u"You must not have any blank counter names.\r\nPlease enter a name for counter B"_s});
    }

    void searchWritesTheValuesQuietly() {
        WindowFixture fixture;
        runSteps(fixture, u"pic | type TxtClock 4000000 | counters 9 9 9 9 | type TxtTime 0.001"_s);
        const QString before = fixture.listing();
        // Connected after the window's own handling, so each entry shows what that handling left.
        QStringList listings;
        for (const char* name : {"TxtAValue", "TxtBValue", "TxtCValue", "TxtDValue"})
            QObject::connect(fixture.box(name), &QLineEdit::textChanged, &fixture.window(), [&] { listings << fixture.listing(); });
        QVERIFY_SCENARIO(fixture, u"click BtnCalcValues"_s, u"values = 75 2 1 1 | quiet = 0 0 0 0 | listing $= \t\tdecfsz\tCntB,1\r\n\t\tgoto\tloop"_s);
        QCOMPARE(listings, QStringList(4, before));  // no value written by the search rebuilt it
    }
};

QTEST_MAIN(TestFrmMainShell)
#include "tst_frmmain_shell.moc"
