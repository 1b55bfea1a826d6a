// The About window: its texts and layout, the two link labels' colours and clicks, where it
// appears, and its life from creation to the close box.
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include "support/WindowFixture.h"
#include "ui/FrmAbout.h"
#include "ui/Maker.h"
#include "ui/Twips.h"

namespace {

const QColor kBlack(0, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

void clickLogo(WindowFixture& fixture) { fixture.press("Picture1"); }

// The About window, opened with a click on the logo when it does not exist yet.
ui::FrmAbout* aboutOf(WindowFixture& fixture) {
    if (!fixture.window().findChild<ui::FrmAbout*>()) clickLogo(fixture);
    return fixture.window().findChild<ui::FrmAbout*>();
}

void send(QWidget* widget, QEvent::Type type, Qt::MouseButton button = Qt::NoButton) {
    const QPointF inside(2, 2);
    QMouseEvent event(type, inside, widget->mapToGlobal(inside), button,
                      type == QEvent::MouseButtonPress ? button : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

QColor colourOf(const QLabel* label) { return label->palette().color(QPalette::WindowText); }

}  // namespace

class TestFrmAbout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layoutAndTexts();
    void linksSitInBoxesOfTheirOwnSize();
    void linkColoursFollowThePointer_data();
    void linkColoursFollowThePointer();
    void pointerOnTheEdgeIsStillInside();
    void clicksOpenTheAddresses_data();
    void clicksOpenTheAddresses();
    void sharesTheMainWindowsCorner();
    void doneHidesAndKeepsTheWindow();
    void closeBoxDestroysIt();
};

void TestFrmAbout::layoutAndTexts() {
    WindowFixture fixture;
    ui::FrmAbout* about = aboutOf(fixture);
    QCOMPARE(about->windowTitle(), QStringLiteral("About Kestrune V2.2"));
    QCOMPARE(about->size(), QSize(446, 281));
    QCOMPARE(about->minimumSize(), about->maximumSize());
    QVERIFY(!about->windowIcon().isNull());
    const auto textOf = [&](const char* name) { return about->findChild<QLabel*>(QLatin1StringView(name))->text(); };
    QCOMPARE(textOf("Label3"), QStringLiteral("Author: ") + ui::kMakerAuthor);
    QCOMPARE(textOf("Label1"), QStringLiteral("Created: Dec.5, 1998"));
    QCOMPARE(textOf("Label2"), QStringLiteral("Last revised: Jan. 8, 2008"));
    QCOMPARE(textOf("Label8"), QStringLiteral("Email:"));
    QCOMPARE(textOf("Label9"), QStringLiteral("Website:"));
    QCOMPARE(textOf("Label_Email"), ui::kMakerEmail);
    QCOMPARE(textOf("Label_Website"), ui::kMakerWebsite);
    QVERIFY(textOf("Label4").startsWith(QStringLiteral("Kestrune will allow you to very easily calculate")));
    QVERIFY(textOf("Label5").endsWith(QStringLiteral("and the routine is coded exactly as shown.")));
    QCOMPARE(textOf("Label6"), QStringLiteral("Recommend Kestrune to your friends.  Feel free to email me your comments."));
    QCOMPARE(about->findChild<QWidget*>(QStringLiteral("BtnDone"))->geometry(), ui::twipsRect(5820, 3420, 735, 675));
    QCOMPARE(about->doneButton()->iconSize(), QSize(32, 32));
    QCOMPARE(about->findChild<QLabel*>(QStringLiteral("Picture3"))->pixmap().size(), QSize(32, 32));
    for (const char* timer : {"Timer1", "Timer2"}) QVERIFY(!about->findChild<QTimer*>(QLatin1StringView(timer))->isActive());
    // Every text fits inside the window.
    for (const QLabel* label : about->findChildren<QLabel*>())
        QVERIFY2(QRect(QPoint(), about->size()).contains(QRect(label->mapTo(about, QPoint()), label->size())),
                 qPrintable(label->objectName()));
}

void TestFrmAbout::linksSitInBoxesOfTheirOwnSize() {
    WindowFixture fixture;
    ui::FrmAbout* about = aboutOf(fixture);
    for (const auto& [box, label] : {std::pair{"Picture_Email", "Label_Email"}, std::pair{"Picture_Website", "Label_Website"}}) {
        auto* linkLabel = about->findChild<QLabel*>(QLatin1StringView(label));
        QCOMPARE(linkLabel->parentWidget()->objectName(), QLatin1StringView(box));
        QCOMPARE(linkLabel->pos(), QPoint(0, 0));
        QCOMPARE(linkLabel->parentWidget()->size(), linkLabel->size());
        QCOMPARE(linkLabel->parentWidget()->x(), ui::twipsToPixels(4380));
        QCOMPARE(colourOf(linkLabel), kBlack);
        QCOMPARE(linkLabel->cursor().shape(), Qt::PointingHandCursor);
    }
}

void TestFrmAbout::linkColoursFollowThePointer_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("timer");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("web address") << "Label_Website" << "Timer1" << Qt::LeftButton;
    QTest::newRow("e-mail address, right button") << "Label_Email" << "Timer2" << Qt::RightButton;
    QTest::newRow("web address, middle button") << "Label_Website" << "Timer1" << Qt::MiddleButton;
}

void TestFrmAbout::linkColoursFollowThePointer() {
    QFETCH(QString, label);
    QFETCH(QString, timer);
    QFETCH(Qt::MouseButton, button);
    WindowFixture fixture;
    ui::FrmAbout* about = aboutOf(fixture);
    auto* link = about->findChild<QLabel*>(label);
    auto* watch = about->findChild<QTimer*>(timer);
    fixture.desktop.pointer = link->mapToGlobal(QPoint(2, 2));
    send(link, QEvent::MouseMove);
    QCOMPARE(colourOf(link), kBlue);
    QVERIFY(link->font().underline());
    QVERIFY(watch->isActive());
    QCOMPARE(watch->interval(), 100);
    send(link, QEvent::MouseButtonPress, button);
    QCOMPARE(colourOf(link), kRed);
    // Moving while pressed changes nothing; the watch keeps the pointer in view.
    send(link, QEvent::MouseMove);
    QCOMPARE(colourOf(link), kRed);
    QVERIFY(QMetaObject::invokeMethod(watch, "timeout"));
    QCOMPARE(colourOf(link), kRed);
    send(link, QEvent::MouseButtonRelease, button);
    QCOMPARE(colourOf(link), kBlue);
    // The pointer leaves: at rest again within one tick of the real timer.
    fixture.desktop.pointer = link->mapToGlobal(QPoint(-1, 2));
    QTRY_COMPARE_WITH_TIMEOUT(colourOf(link), kBlack, 1000);
    QVERIFY(!link->font().underline());
    QVERIFY(!watch->isActive());
}

void TestFrmAbout::pointerOnTheEdgeIsStillInside() {
    WindowFixture fixture;
    ui::FrmAbout* about = aboutOf(fixture);
    auto* link = about->findChild<QLabel*>(QStringLiteral("Label_Website"));
    auto* watch = about->findChild<QTimer*>(QStringLiteral("Timer1"));
    send(link, QEvent::MouseMove);
    for (const QPoint& edge : {QPoint(link->width(), link->height()), QPoint(0, 0)}) {
        fixture.desktop.pointer = link->mapToGlobal(edge);
        QVERIFY(QMetaObject::invokeMethod(watch, "timeout"));
        QCOMPARE(colourOf(link), kBlue);
    }
    fixture.desktop.pointer = link->mapToGlobal(QPoint(link->width() + 1, 0));
    QVERIFY(QMetaObject::invokeMethod(watch, "timeout"));
    QCOMPARE(colourOf(link), kBlack);
}

void TestFrmAbout::clicksOpenTheAddresses_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("target");
    QTest::newRow("web address") << "Label_Website" << ui::kMakerWebsite;
    QTest::newRow("e-mail address") << "Label_Email" << QStringLiteral("mailto:") + ui::kMakerEmail;
}

void TestFrmAbout::clicksOpenTheAddresses() {
    QFETCH(QString, label);
    QFETCH(QString, target);
    WindowFixture fixture;
    auto* link = aboutOf(fixture)->findChild<QLabel*>(label);
    send(link, QEvent::MouseMove);
    send(link, QEvent::MouseButtonPress, Qt::LeftButton);
    send(link, QEvent::MouseButtonRelease, Qt::LeftButton);
    QCOMPARE(fixture.desktop.shellTargets, QStringList{target});
}

void TestFrmAbout::sharesTheMainWindowsCorner() {
    WindowFixture fixture;
    fixture.window().move(120, 80);
    clickLogo(fixture);
    ui::FrmAbout* about = aboutOf(fixture);
    QVERIFY(about->isVisible());
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(about, &activate);
    QCOMPARE(about->pos(), fixture.window().pos());
    // Dragged elsewhere, it comes back when it is activated again.
    about->move(300, 300);
    QApplication::sendEvent(about, &activate);
    QCOMPARE(about->pos(), fixture.window().pos());
}

void TestFrmAbout::doneHidesAndKeepsTheWindow() {
    WindowFixture fixture;
    clickLogo(fixture);
    ui::FrmAbout* about = aboutOf(fixture);
    fixture.desktop.clear();
    WindowFixture::click(about->doneButton());
    QVERIFY(!about->isVisible());
    QCOMPARE(fixture.desktop.soundNames(), QStringList{QStringLiteral("drip")});
    fixture.window().move(40, 30);
    clickLogo(fixture);
    QCOMPARE(aboutOf(fixture), about);
    QVERIFY(about->isVisible());
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(about, &activate);
    QCOMPARE(about->pos(), QPoint(40, 30));
}

void TestFrmAbout::closeBoxDestroysIt() {
    WindowFixture fixture;
    fixture.press("ChkPopups");
    fixture.press("ChkPopups");  // pop-ups off: the Done tip is empty
    clickLogo(fixture);
    QPointer<ui::FrmAbout> first = aboutOf(fixture);
    QCOMPARE(first->doneButton()->toolTip(), QString());
    first->close();
    QTRY_VERIFY(first.isNull());
    clickLogo(fixture);
    ui::FrmAbout* second = aboutOf(fixture);
    QVERIFY(second);
    QVERIFY(second->isVisible());
    // A fresh window carries its own tip until pop-up help is next brought up to date.
    QCOMPARE(second->doneButton()->toolTip(), QStringLiteral("Close About Window"));
}

QTEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"
