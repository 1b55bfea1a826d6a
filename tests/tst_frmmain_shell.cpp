// The main window as a shell around the calculation: its controls, their looks, focus order and
// pop-up help, the logo's timer, the code box, and the checks that run as the focus leaves a
// name box or a search writes the value boxes. What a user reaches without reading the code:
// every control takes the clicks on its own rectangle, every button the keys, and a screen
// reader can name each control and tell what it does. And the About window: its texts, the two
// links' colours under the pointer and their clicks, and where it appears.
#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include "support/Scenario.h"
#include "support/WindowFixture.h"
#include "ui/CodeListBox.h"
#include "ui/Maker.h"

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

// What a user can click or type into: buttons, boxes, the tab strip, and the pictures and
// links that show the hand pointer.
QList<QWidget*> interactiveControls(const QWidget* window) {
    QList<QWidget*> controls;
    for (QWidget* widget : window->findChildren<QWidget*>())
        if (widget->window() == window && (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget) ||
                                           qobject_cast<QTabBar*>(widget) || qobject_cast<QPlainTextEdit*>(widget) ||
                                           widget->cursor().shape() == Qt::PointingHandCursor))
            controls << widget;
    return controls;
}

QString accessible(QWidget* widget, QAccessible::Text text) { return QAccessible::queryAccessibleInterface(widget)->text(text); }

// What keeps a user from each control: another widget over a place a click may land (its centre and its corners, 2 pixels
// in; for the tab strip those of each tab), or, for a screen reader, no name of its own or a description other than its tip.
QStringList unreachable(const QWidget* window) {
    QStringList found, names;
    for (QWidget* control : interactiveControls(window)) {
        const QString name = accessible(control, QAccessible::Name), tip = control->toolTip();
        if (name.isEmpty() || names.contains(name)) found << control->objectName() + u" is named \""_s + name + u'"';
        names << name;
        if (!tip.isEmpty() && !qobject_cast<QTabBar*>(control) && accessible(control, QAccessible::Description) != tip)
            found << control->objectName() + u" is described otherwise than by its tip"_s;
        const auto* tabs = qobject_cast<const QTabBar*>(control);
        for (int area = 0; control->isVisible() && area < (tabs ? tabs->count() : 1); ++area) {
            const QRect outer = tabs ? tabs->tabRect(area) : control->rect(), inset = outer.adjusted(2, 2, -2, -2);
            for (const QPoint point : {outer.center(), inset.topLeft(), inset.topRight(), inset.bottomLeft(), inset.bottomRight()}) {
                const QWidget* hit = window->childAt(control->mapTo(window, point));
                if (hit != control && !control->isAncestorOf(hit))
                    found << u"%1 at (%2,%3) is under %4"_s.arg(control->objectName()).arg(point.x()).arg(point.y())
                                 .arg(hit ? hit->objectName() + u' ' + QLatin1StringView(hit->metaObject()->className()) : u"nothing"_s);
            }
        }
    }
    return found;
}

void send(QWidget* widget, QEvent::Type type, Qt::MouseButton button = Qt::NoButton) {
    const QPointF inside(2, 2);
    QMouseEvent event(type, inside, widget->mapToGlobal(inside), button, type == QEvent::MouseButtonPress ? button : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// The background and text colours of a box.
QString coloursOf(const QWidget* box) { return box->palette().color(QPalette::Base).name() + u' ' + box->palette().color(QPalette::Text).name(); }

}  // namespace

class TestFrmMainShell : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyControl() {
        WindowFixture fixture;
        QVERIFY(!fixture.window().windowIcon().isNull() && !(fixture.window().windowFlags() & Qt::WindowMaximizeButtonHint));
        const QStringList order = u"TxtClock ChkAddCR TxtTime TxtMC BtnCalcTime BtnCalcValues BtnChip TxtDName TxtCName TxtBName "
                                  "TxtAName TxtDValue BtnNudgeUpD BtnNudgeDnD TxtCValue BtnNudgeUpC BtnNudgeDnC TxtBValue BtnNudgeUpB "
                                  "BtnNudgeDnB TxtAValue BtnNudgeUpA BtnNudgeDnA OptMicroChip OptParallax TabCode BtnCopy BtnPrint ChkAnimateLogo "
                                  "ChkPopups ChkSound BtnDefaults BtnHelp BtnReset BtnSave BtnQuit Picture1 TxtCodeList"_s.split(u' ');
        QStringList focusOrder;
        for (QWidget* widget = fixture.control("TxtClock"); focusOrder.size() < order.size(); widget = widget->nextInFocusChain())
            if (!widget->objectName().isEmpty() && widget->focusPolicy() != Qt::NoFocus) focusOrder << widget->objectName();
        QCOMPARE(focusOrder, order);
        // Courier New, or its metric twin, is what the boxes show.
        QVERIFY(QStringList({u"Courier New"_s, u"Liberation Mono"_s}).contains(QFontInfo(fixture.control("TxtClock")->font()).family()));
        const QMap<QString, qreal> ownSizes = {{u"Label2"_s, 9}, {u"OptParallax"_s, 9}, {u"TabCode"_s, 9.75}};
        const QList<QWidget*> controls = placedControls(&fixture.window());
        for (const bool popUps : {true, false, true}) {
            fixture.setTicked("ChkPopups", popUps);
            QCOMPARE(fixture.control("ChkPopups")->toolTip(), u"Switch balloon pop-up help on and off."_s);
            QStringList tips;
            for (QWidget* control : controls) {
                const QString name = control->objectName(), tip = control->toolTip();
                // Inside its container, and covering no other beyond a pixel of rounding, but for the tab strip's row, which the
                // code panel's top row reaches into.
                QVERIFY2(control->parentWidget()->rect().contains(control->geometry()), qPrintable(name));
                for (QWidget* other : controls) {
                    const QRect shared = control->geometry().intersected(other->geometry());
                    QVERIFY2(control == other || other->parentWidget() != control->parentWidget() || name == u"TabCode" ||
                                 other->objectName() == u"TabCode" || shared.width() <= 1 || shared.height() <= 1,
                             qPrintable(name + u" covers "_s + other->objectName()));
                }
                // Courier New at 8.25 points but where the layout says otherwise, frames bold; the hand pointer on what is clicked.
                const bool frame = qobject_cast<QGroupBox*>(control);
                const bool clicked = qobject_cast<QAbstractButton*>(control) || qobject_cast<QTabBar*>(control) || name == u"Picture1";
                QCOMPARE(control->font().family(), u"Courier New"_s);
                QCOMPARE(control->font().pointSizeF(), frame ? 9.75 : ownSizes.value(name, 8.25));
                QCOMPARE(control->font().bold(), frame);
                QVERIFY2((control->cursor().shape() == Qt::PointingHandCursor) == clicked, qPrintable(name));
                // A pop-up tip on what is clicked or typed into but two of the check boxes, fitting the control: a name box
                // speaks of a name, a value box of a value, a nudge of its direction.
                const bool explained = (clicked || qobject_cast<QLineEdit*>(control)) && name != u"ChkSound" && name != u"ChkAnimateLogo";
                if (name == u"ChkPopups") continue;
                QVERIFY2(tip.isEmpty() == !(popUps && explained), qPrintable(name));
                if (tip.isEmpty()) continue;
                if (name.endsWith(u"Name")) QVERIFY2(tip.contains(u"name of"), qPrintable(name));
                if (name.endsWith(u"Value")) QVERIFY2(tip.contains(u"value of"), qPrintable(name));
                if (name.startsWith(u"BtnNudge")) QCOMPARE(tip, name.contains(u"Up") ? u"Nudge value up."_s : u"Nudge value down."_s);
                else QVERIFY2(!tips.contains(tip), qPrintable(tip));
                tips << tip;
            }
            if (popUps) QCOMPARE(tips.size(), 34);
        }
        // The listing's tab stops every eight characters; the logo's own timer turns it.
        auto* code = fixture.control<ui::CodeListBox>("TxtCodeList");
        QCOMPARE(code->tabStopDistance(), 8 * QFontMetricsF(code->font()).horizontalAdvance(u' '));
        QTRY_COMPARE_WITH_TIMEOUT(fixture.control<QTimer>("TimerAnimation")->interval(), 75, 5000);
    }

    void blankNameOnLeavingTheBox() {
        // A dark theme, whose colours a box named again takes back.
        const QPalette light = QApplication::palette();
        QPalette theme = light;
        theme.setColor(QPalette::Base, QColor(35, 38, 41));
        theme.setColor(QPalette::Text, QColor(239, 240, 241));
        QApplication::setPalette(theme);
        WindowFixture fixture;
        QLineEdit* box = fixture.box("TxtDName");
        QString whileShown;
        fixture.desktop.whileMessageShown = [&](const QString&) { whileShown = coloursOf(box); };
        // Not while typing, nor when another program takes the focus: only when the box is left for a control of the
        // window, which then keeps the focus, red with black text whatever the theme.
        runSteps(fixture, u"counters 1 1 1 1 | type TxtDName"_s);
        QWidget otherProgram;
        QVERIFY(WindowFixture::activate(&fixture.window()));
        box->setFocus();
        QVERIFY(WindowFixture::activate(&otherProgram));
        QVERIFY(fixture.desktop.messages.isEmpty());
        QVERIFY_SCENARIO(fixture, u"leave TxtDName"_s,
                         u"said You must not have any blank counter names.\r\nPlease enter a name for counter D | focus = TxtDName"_s);
        QCOMPARE(whileShown, u"#ff0000 #000000"_s);
        // Named again, the box takes the theme's colours, and leaving it is quiet.
        QTest::keyClicks(box, u"n"_s);
        QCOMPARE(coloursOf(box), u"#232629 #eff0f1"_s);
        QVERIFY_SCENARIO(fixture, u"leave TxtDName"_s, QString());
        QApplication::setPalette(light);
    }

    void searchWritesTheValuesQuietly() {
        WindowFixture fixture;
        runSteps(fixture, u"pic | type TxtClock 4000000 | counters 9 9 9 9 | type TxtTime 0.001"_s);
        const QString before = fixture.listing();
        // Connected after the window's own handling, so each entry shows what that handling left.
        QStringList listings;
        for (const char* name : {"TxtAValue", "TxtBValue", "TxtCValue", "TxtDValue"})
            QObject::connect(fixture.box(name), &QLineEdit::textChanged, &fixture.window(), [&] { listings << fixture.listing(); });
        QVERIFY_SCENARIO(fixture, u"click BtnCalcValues"_s,
                         u"values = 75 2 1 1 | quiet = 0 0 0 0 | listing $= \t\tdecfsz\tCntB,1\r\n\t\tgoto\tloop"_s);
        QCOMPARE(listings, QStringList(4, before));  // no value written by the search rebuilt it
    }

    void everyControlTakesItsOwnClicksKeysAndName() {
        WindowFixture fixture;
        QVERIFY(WindowFixture::activate(&fixture.window()));
        // Return, Enter and Space press the focused button.
        for (QPushButton* button : fixture.window().findChildren<QPushButton*>()) {
            if (!button->isVisible() || button->objectName() == u"BtnQuit") continue;
            QSignalSpy pressed(button, &QPushButton::clicked);
            for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
                button->setFocus();
                QTest::keyClick(button, key);
            }
            QVERIFY2(pressed.count() == 3, qPrintable(button->objectName()));
        }
        runSteps(fixture, u"tick ChkPopups"_s);
        for (int tab = 0; tab < 4; ++tab) {
            fixture.clickTab(tab);
            QCOMPARE(fixture.tabs()->currentIndex(), tab);
            QCOMPARE(unreachable(&fixture.window()), QStringList());
        }
        fixture.press("Picture1");
        QCOMPARE(unreachable(fixture.control("FrmAbout")), QStringList());
        // The tabs are named by their captions.
        QAccessibleInterface* strip = QAccessible::queryAccessibleInterface(fixture.tabs());
        QCOMPARE(strip->child(3)->text(QAccessible::Name), u"Quad"_s);
        QCOMPARE(strip->child(3)->text(QAccessible::Description), fixture.tabs()->toolTip());
    }

    void aboutTextsAndPlaces() {
        WindowFixture fixture;
        fixture.window().move(120, 80);
        // Its labels share their names with labels of the main window.
        QVERIFY_SCENARIO(fixture, u"click Picture1"_s,
                         u"FrmAbout.windowTitle = About Kestrune V2.2 | FrmAbout.size = 446x281 | FrmAbout.minimumSize = 446x281 | "
                         "FrmAbout.maximumSize = 446x281 | FrmAbout.visible = true | FrmAbout/Label3 = Author: "_s + ui::kMakerAuthor +
                             u" | FrmAbout/Label1 = Created: Dec.5, 1998 | FrmAbout/Label2 = Last revised: Jan. 8, 2008 | FrmAbout/Label8 = Email: | "
                             "FrmAbout/Label9 = Website: | Label_Email = "_s + ui::kMakerEmail + u" | Label_Website = "_s + ui::kMakerWebsite +
                             u" | FrmAbout/Label4 ^= Kestrune will allow you to very easily calculate | "
                             "FrmAbout/Label5 $= and the routine is coded exactly as shown. | "
                             "FrmAbout/Label6 = Recommend Kestrune to your friends.  Feel free to email me your comments. | "
                             "BtnDone = | BtnDone.iconSize = 32x32 | picture of BtnDone = done | picture of FrmAbout/Picture3 = emblem"_s);
        auto* about = fixture.control("FrmAbout");
        QVERIFY(!about->windowIcon().isNull());
        // It opens at the main window's corner, and comes back there when it is activated after a drag.
        QCOMPARE(about->pos(), fixture.window().pos());
        about->move(300, 300);
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(about, &activate);
        QCOMPARE(about->pos(), fixture.window().pos());
        for (const QLabel* label : about->findChildren<QLabel*>())
            QVERIFY2(about->rect().contains(QRect(label->mapTo(about, QPoint()), label->size())), qPrintable(label->objectName()));
    }

    void aboutLinksFollowThePointer_data() {
        QTest::addColumn<QString>("link");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QString>("opens");
        QTest::newRow("web address") << u"Label_Website"_s << Qt::LeftButton << ui::kMakerWebsite;
        QTest::newRow("e-mail address") << u"Label_Email"_s << Qt::LeftButton << u"mailto:"_s + ui::kMakerEmail;
        QTest::newRow("e-mail address, right button") << u"Label_Email"_s << Qt::RightButton << QString();
    }
    void aboutLinksFollowThePointer() {
        QFETCH(QString, link);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QString, opens);
        WindowFixture fixture;
        runSteps(fixture, u"click Picture1"_s);
        auto* label = fixture.control<QLabel>(qPrintable(link));
        auto* watch = fixture.control<QTimer>(link == u"Label_Email"_s ? "Timer2" : "Timer1");
        QStringList seen;  // the link's colour, whether it is underlined, and whether the timer watches the pointer
        const auto look = [&] {
            seen << label->palette().color(QPalette::WindowText).name() + (label->font().underline() ? u" underlined"_s : QString()) +
                        (watch->isActive() ? u" watched every %1 ms"_s.arg(watch->interval()) : QString());
        };
        look();
        fixture.desktop.pointer = label->mapToGlobal(QPoint(2, 2));
        send(label, QEvent::MouseMove);
        look();
        // Any button held down turns it red; moving and the watch change nothing meanwhile. Only the left button opens the address.
        send(label, QEvent::MouseButtonPress, button);
        send(label, QEvent::MouseMove);
        QVERIFY(QMetaObject::invokeMethod(watch, "timeout"));
        look();
        send(label, QEvent::MouseButtonRelease, button);
        look();
        // The pointer on an edge is still inside; beyond it the link rests again within one tick of the real timer.
        for (const QPoint edge : {QPoint(label->width(), label->height()), QPoint(0, 0)}) {
            fixture.desktop.pointer = label->mapToGlobal(edge);
            QVERIFY(QMetaObject::invokeMethod(watch, "timeout"));
            look();
        }
        fixture.desktop.pointer = label->mapToGlobal(QPoint(-1, 2));
        QTRY_VERIFY_WITH_TIMEOUT(!watch->isActive(), 1000);
        look();
        const QString hovered = u"#0000ff underlined watched every 100 ms"_s;
        QCOMPARE(seen, (QStringList{u"#000000"_s, hovered, u"#ff0000 underlined watched every 100 ms"_s, hovered, hovered, hovered, u"#000000"_s}));
        QCOMPARE(fixture.desktop.shellTargets.join(u' '), opens);
    }
};

QTEST_MAIN(TestFrmMainShell)
#include "tst_frmmain_shell.moc"
