// What a user reaches without reading the code: every control takes the clicks on its own
// rectangle, the keys a desktop program answers work, and a screen reader can name each
// control and tell what it does.
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include "support/WindowFixture.h"
#include "ui/FrmAbout.h"

namespace {

// What a user can click or type into: buttons, boxes, the tab strip, and the pictures and
// links that show the hand pointer.
bool isInteractive(const QWidget* widget) {
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QTabBar*>(widget) || qobject_cast<const QPlainTextEdit*>(widget) ||
           widget->cursor().shape() == Qt::PointingHandCursor;
}

QList<QWidget*> interactiveControls(const QWidget* window) {
    QList<QWidget*> controls;
    for (QWidget* widget : window->findChildren<QWidget*>())
        if (widget->window() == window && isInteractive(widget)) controls << widget;
    return controls;
}

// The places a click on the control may land: its centre and its corners, 2 pixels in; for
// the tab strip those of each tab.
QList<QPoint> clickPoints(const QWidget* control) {
    QList<QRect> areas = {control->rect()};
    if (const auto* tabs = qobject_cast<const QTabBar*>(control)) {
        areas.clear();
        for (int tab = 0; tab < tabs->count(); ++tab) areas << tabs->tabRect(tab);
    }
    QList<QPoint> points;
    for (const QRect& area : areas) {
        const QRect inset = area.adjusted(2, 2, -2, -2);
        points << area.center() << inset.topLeft() << inset.topRight() << inset.bottomLeft() << inset.bottomRight();
    }
    return points;
}

// Names each visible control that another widget covers at one of its click points.
QStringList coveredControls(const QWidget* window) {
    QStringList covered;
    for (const QWidget* control : interactiveControls(window)) {
        if (!control->isVisible()) continue;
        for (const QPoint& point : clickPoints(control)) {
            const QWidget* hit = window->childAt(control->mapTo(window, point));
            if (hit != control && !control->isAncestorOf(hit))
                covered << QStringLiteral("%1 at (%2,%3) is under %4")
                               .arg(control->objectName()).arg(point.x()).arg(point.y())
                               .arg(hit ? hit->objectName() + QLatin1Char(' ') + QLatin1StringView(hit->metaObject()->className())
                                        : QStringLiteral("nothing"));
        }
    }
    return covered;
}

QString accessibleText(QWidget* widget, QAccessible::Text text) {
    return QAccessible::queryAccessibleInterface(widget)->text(text);
}

ui::FrmAbout* openAbout(WindowFixture& fixture) {
    fixture.press("Picture1");
    return fixture.window().findChild<ui::FrmAbout*>();
}

[[nodiscard]] bool activate(QWidget* window) {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

}  // namespace

class TestAccess : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyControlTakesItsOwnClicks() {
        WindowFixture fixture;
        for (int tab = 0; tab < 4; ++tab) {
            fixture.clickTab(tab);
            QCOMPARE(fixture.tabs()->currentIndex(), tab);
            const QStringList covered = coveredControls(&fixture.window());
            QVERIFY2(covered.isEmpty(), qPrintable(covered.join(QStringLiteral("; "))));
        }
        const QStringList covered = coveredControls(openAbout(fixture));
        QVERIFY2(covered.isEmpty(), qPrintable(covered.join(QStringLiteral("; "))));
    }

    void everyControlHasANameAndItsTipAsDescription() {
        WindowFixture fixture;
        fixture.setTicked("ChkPopups", true);
        for (QWidget* window : {static_cast<QWidget*>(&fixture.window()), static_cast<QWidget*>(openAbout(fixture))}) {
            QStringList names;
            for (QWidget* control : interactiveControls(window)) {
                const QString name = accessibleText(control, QAccessible::Name);
                QVERIFY2(!name.isEmpty(), qPrintable(control->objectName() + QStringLiteral(" has no accessible name")));
                QVERIFY2(!names.contains(name), qPrintable(name + QStringLiteral(" names two controls")));
                names << name;
                if (!control->toolTip().isEmpty() && !qobject_cast<QTabBar*>(control))
                    QCOMPARE(accessibleText(control, QAccessible::Description), control->toolTip());
            }
        }
        // The tabs are named by their captions, and the descriptions stay with pop-ups off.
        QAccessibleInterface* strip = QAccessible::queryAccessibleInterface(fixture.tabs());
        QCOMPARE(strip->child(3)->text(QAccessible::Name), QStringLiteral("Quad"));
        QCOMPARE(strip->child(3)->text(QAccessible::Description), fixture.tabs()->toolTip());
        fixture.setTicked("ChkPopups", false);
        QCOMPARE(accessibleText(fixture.control("BtnNudgeUpC"), QAccessible::Description), QStringLiteral("Nudge value up."));
        QCOMPARE(accessibleText(fixture.control("BtnNudgeUpC"), QAccessible::Name), QStringLiteral("Counter C up"));
        // The chip button and the cycle box say which chip is chosen.
        fixture.setChip(true);
        QCOMPARE(accessibleText(fixture.control("BtnChip"), QAccessible::Name), QStringLiteral("Chip type: PIC"));
        QCOMPARE(accessibleText(fixture.control("TxtMC"), QAccessible::Name), QStringLiteral("Machine Cycles"));
        fixture.setChip(false);
        QCOMPARE(accessibleText(fixture.control("BtnChip"), QAccessible::Name), QStringLiteral("Chip type: SX-Turbo"));
        QCOMPARE(accessibleText(fixture.control("TxtMC"), QAccessible::Name), QStringLiteral("Clock Cycles"));
    }

    void returnAndEnterPressEveryFocusedButton() {
        WindowFixture fixture;
        QVERIFY(activate(&fixture.window()));
        for (QPushButton* button : fixture.window().findChildren<QPushButton*>()) {
            if (!button->isVisible() || button->objectName() == QLatin1StringView("BtnQuit")) continue;
            QSignalSpy pressed(button, &QPushButton::clicked);
            for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
                button->setFocus();
                QTest::keyClick(button, key);
            }
            QVERIFY2(pressed.count() == 3, qPrintable(button->objectName()));
        }
    }
};

QTEST_MAIN(TestAccess)
#include "tst_access.moc"
