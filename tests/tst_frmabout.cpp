// The About window: its texts, the two links' colours under the pointer and their clicks,
// where it appears, and its life from creation to the close box.
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include "support/Scenario.h"
#include "support/WindowFixture.h"
#include "ui/FrmAbout.h"
#include "ui/Maker.h"
#include "ui/Twips.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QColor kBlack(0, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

// The About window, opened with a click on the logo.
ui::FrmAbout* aboutOf(WindowFixture& fixture) {
    if (!fixture.window().findChild<ui::FrmAbout*>()) fixture.press("Picture1");
    return fixture.window().findChild<ui::FrmAbout*>();
}

void send(QWidget* widget, QEvent::Type type, Qt::MouseButton button = Qt::NoButton) {
    const QPointF inside(2, 2);
    QMouseEvent event(type, inside, widget->mapToGlobal(inside), button, type == QEvent::MouseButtonPress ? button : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

QColor colourOf(const QLabel* label) { return label->palette().color(QPalette::WindowText); }

}  // namespace

class TestFrmAbout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textsAndPlaces() {
        WindowFixture fixture;
        ui::FrmAbout* about = aboutOf(fixture);
        QCOMPARE(about->windowTitle(), u"About Kestrune V2.2"_s);
        QCOMPARE(about->size(), QSize(446, 281));
        QCOMPARE(about->minimumSize(), about->maximumSize());
        QVERIFY(!about->windowIcon().isNull());
        // Its labels share their names with labels of the main window.
        const auto textOf = [&](const char* name) { return about->findChild<QLabel*>(QLatin1StringView(name))->text(); };
        QCOMPARE(textOf("Label3"), u"Author: "_s + ui::kMakerAuthor);
        QCOMPARE(textOf("Label1"), u"Created: Dec.5, 1998"_s);
        QCOMPARE(textOf("Label2"), u"Last revised: Jan. 8, 2008"_s);
        QCOMPARE(textOf("Label8") + textOf("Label9"), u"Email:Website:"_s);
        QCOMPARE(textOf("Label_Email") + u' ' + textOf("Label_Website"), ui::kMakerEmail + u' ' + ui::kMakerWebsite);
        QVERIFY(textOf("Label4").startsWith(u"Kestrune will allow you to very easily calculate"_s));
        QVERIFY(textOf("Label5").endsWith(u"and the routine is coded exactly as shown."_s));
        QCOMPARE(textOf("Label6"), u"Recommend Kestrune to your friends.  Feel free to email me your comments."_s);
        QCOMPARE(about->doneButton()->geometry(), ui::twipsRect(5820, 3420, 735, 675));
        QCOMPARE(about->doneButton()->iconSize(), QSize(32, 32));
        QCOMPARE(about->findChild<QLabel*>(u"Picture3"_s)->pixmap().size(), QSize(32, 32));
        for (const QLabel* label : about->findChildren<QLabel*>())
            QVERIFY2(QRect(QPoint(), about->size()).contains(QRect(label->mapTo(about, QPoint()), label->size())), qPrintable(label->objectName()));
        // Each link sits at the corner of a box of its own size, black, with the hand pointer.
        for (const char* name : {"Label_Email", "Label_Website"}) {
            auto* link = about->findChild<QLabel*>(QLatin1StringView(name));
            QCOMPARE(link->pos(), QPoint(0, 0));
            QCOMPARE(link->parentWidget()->size(), link->size());
            QCOMPARE(link->parentWidget()->x(), ui::twipsToPixels(4380));
            QCOMPARE(colourOf(link), kBlack);
            QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        }
    }

    void linkColoursFollowThePointer_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("timer");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("web address") << u"Label_Website"_s << u"Timer1"_s << Qt::LeftButton;
        QTest::newRow("e-mail address, right button") << u"Label_Email"_s << u"Timer2"_s << Qt::RightButton;
        QTest::newRow("web address, middle button") << u"Label_Website"_s << u"Timer1"_s << Qt::MiddleButton;
    }
    void linkColoursFollowThePointer() {
        QFETCH(QString, label);
        QFETCH(QString, timer);
        QFETCH(Qt::MouseButton, button);
        WindowFixture fixture;
        ui::FrmAbout* about = aboutOf(fixture);
        auto* link = about->findChild<QLabel*>(label);
        auto* watch = about->findChild<QTimer*>(timer);
        QVERIFY(!watch->isActive());
        fixture.desktop.pointer = link->mapToGlobal(QPoint(2, 2));
        send(link, QEvent::MouseMove);
        QCOMPARE(colourOf(link), kBlue);
        QVERIFY(link->font().underline());
        QVERIFY(watch->isActive());
        QCOMPARE(watch->interval(), 100);
        // Any button held down turns it red; moving and the watch change nothing meanwhile.
        send(link, QEvent::MouseButtonPress, button);
        send(link, QEvent::MouseMove);
        QVERIFY(QMetaObject::invokeMethod(watch, "timeout"));
        QCOMPARE(colourOf(link), kRed);
        QVERIFY(link->font().underline());
        send(link, QEvent::MouseButtonRelease, button);
        QCOMPARE(colourOf(link), kBlue);
        // Only the left button opens the address.
        QCOMPARE(fixture.desktop.shellTargets.size(), button == Qt::LeftButton ? 1 : 0);
        // The pointer on the right or bottom edge is still inside; beyond it the link rests
        // again within one tick of the real timer.
        fixture.desktop.pointer = link->mapToGlobal(QPoint(link->width(), link->height()));
        QVERIFY(QMetaObject::invokeMethod(watch, "timeout"));
        QCOMPARE(colourOf(link), kBlue);
        fixture.desktop.pointer = link->mapToGlobal(QPoint(-1, 2));
        QTRY_COMPARE_WITH_TIMEOUT(colourOf(link), kBlack, 1000);
        QVERIFY(!link->font().underline());
        QVERIFY(!watch->isActive());
    }

    void clicksOpenTheAddresses() {
        WindowFixture fixture;
        ui::FrmAbout* about = aboutOf(fixture);
        for (const char* name : {"Label_Website", "Label_Email"}) {
            auto* link = about->findChild<QLabel*>(QLatin1StringView(name));
            send(link, QEvent::MouseMove);
            send(link, QEvent::MouseButtonPress, Qt::LeftButton);
            send(link, QEvent::MouseButtonRelease, Qt::LeftButton);
        }
        QCOMPARE(fixture.desktop.shellTargets, (QStringList{ui::kMakerWebsite, u"mailto:"_s + ui::kMakerEmail}));
    }

    void sharesTheMainWindowsCorner() {
        WindowFixture fixture;
        fixture.window().move(120, 80);
        ui::FrmAbout* about = aboutOf(fixture);
        QVERIFY(about->isVisible());
        QEvent activate(QEvent::WindowActivate);
        // Dragged elsewhere, it comes back when it is activated again.
        for (const QPoint dragged : {about->pos(), QPoint(300, 300)}) {
            about->move(dragged);
            QApplication::sendEvent(about, &activate);
            QCOMPARE(about->pos(), fixture.window().pos());
        }
    }

    void doneHidesTheCloseBoxDestroys() {
        WindowFixture fixture;
        ui::FrmAbout* about = aboutOf(fixture);
        QVERIFY_SCENARIO(fixture, u"click BtnDone"_s, u"hidden FrmAbout | played drip"_s);
        fixture.press("Picture1");
        QCOMPARE(aboutOf(fixture), about);  // the same window, shown again
        QVERIFY(about->isVisible());
        // Pop-ups off, the Done tip is empty; a fresh window carries its own until they are next brought up to date.
        runSteps(fixture, u"tick ChkPopups | untick ChkPopups"_s);
        QCOMPARE(about->doneButton()->toolTip(), QString());
        QPointer<ui::FrmAbout> first = about;
        about->close();
        QTRY_VERIFY(first.isNull());
        ui::FrmAbout* second = aboutOf(fixture);
        QVERIFY(second && second->isVisible());
        QCOMPARE(second->doneButton()->toolTip(), u"Close About Window"_s);
    }
};

QTEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"
