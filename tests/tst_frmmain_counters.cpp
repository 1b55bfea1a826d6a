// The counter boxes through the real window: names and values checked as they change, the
// blank-name check on leaving a name box, the quiet writes of the counter search, and the
// nudge buttons with their tab guard. One routine serves all four counters.
#include <QApplication>
#include <QColor>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

#include "support/WindowFixture.h"

namespace {

const QString kSpaces = QStringLiteral("Do not use spaces within counter names!");
const QString kDigitFirst = QStringLiteral("Do not use a number as the first character of a counter name!");
const QString kNonNumeric = QStringLiteral("Do not use non-numeric characters within counter values!");
const QString kBlankNames = QStringLiteral("You must not have any blank counter names.");
const QString kForbidden = QStringLiteral("Do not use the character %1 within counter names!");

const std::array<const char*, 4> kNameBoxes = {"TxtAName", "TxtBName", "TxtCName", "TxtDName"};
const std::array<const char*, 4> kValueBoxes = {"TxtAValue", "TxtBValue", "TxtCValue", "TxtDValue"};
// Value texts that tell the counters apart in the listing.
const std::array<QString, 4> kValues = {QStringLiteral("100"), QStringLiteral("20"), QStringLiteral("5"), QStringLiteral("2")};
const std::array<QString, 4> kOnes = {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")};

// PIC at 4 MHz, counters CntA to CntD with the given values, calculated on `tab`; no messages.
void prepare(WindowFixture& fixture, int tab = 3, const std::array<QString, 4>& values = kValues) {
    fixture.setChip(true);
    fixture.box("TxtClock")->setText(QStringLiteral("4000000"));
    fixture.setCounters(values);
    fixture.clickTab(tab);
    fixture.press("BtnCalcTime");
    fixture.desktop.clear();
}

// A box's text set past its own handling.
void setQuietly(QLineEdit* box, const QString& text) {
    box->blockSignals(true);
    box->setText(text);
    box->blockSignals(false);
}

// A mark in the delay box that only a listing rebuild (its header quotes the box) or a fresh
// read of the box into DelayValue can carry any further.
const QString kMark = QStringLiteral("0.125");
bool rebuiltSinceMark(const WindowFixture& fixture) {
    return fixture.listing().startsWith(QStringLiteral(";PIC Time Delay = ") + kMark + QStringLiteral(" s"));
}

// The register the Microchip listing loads with the given value text.
QString loadedName(const QString& listing, const QString& value) {
    const QString load = QStringLiteral("\t\tmovlw\tD'") + value + QStringLiteral("'\r\n\t\tmovwf\t");
    const qsizetype at = listing.indexOf(load);
    if (at < 0) return QStringLiteral("(no load of %1)").arg(value);
    const qsizetype from = at + load.size();
    return listing.mid(from, listing.indexOf(QStringLiteral("\r\n"), from) - from);
}

const ui::CounterInput& remembered(WindowFixture& fixture, int counter) {
    return fixture.window().inputState().counter[counter];
}

QColor background(const QLineEdit* box) { return box->palette().color(QPalette::Base); }

[[nodiscard]] bool showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

}  // namespace

class TestFrmMainCounters : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void nameEdits_data() {
        QTest::addColumn<int>("counter");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("shown");
        QTest::newRow("accepted") << 0 << "Count1" << QStringList() << "Count1";
        QTest::newRow("digit first refused") << 3 << "1dly" << QStringList{kDigitFirst} << "loop";
        QTest::newRow("inner space refused") << 1 << "d ly" << QStringList{kSpaces} << "loop";
        QTest::newRow("trailing space dropped") << 2 << "count " << QStringList() << "count";
        QTest::newRow("only spaces refused") << 2 << "   " << QStringList{kSpaces} << "loop";
        // The trimmed text is checked in a nested run; the outer run must not report it again.
        QTest::newRow("inner and trailing space, one message") << 1 << "d ly " << QStringList{kSpaces} << "loop";
        QTest::newRow("what an assembler reads as one register") << 3 << "_d.x?1" << QStringList() << "_d.x?1";
        QTest::newRow("a comment sign refused") << 0 << "a;b" << QStringList{kForbidden.arg(QStringLiteral("';'"))} << "loop";
        QTest::newRow("a tab refused") << 2 << "a\tb" << QStringList{kForbidden.arg(QStringLiteral("U+0009"))} << "loop";
        QTest::newRow("a letter beyond ASCII refused") << 1 << "Z\u00e4hler" << QStringList{kForbidden.arg(QStringLiteral("'\u00e4'"))} << "loop";
        QTest::newRow("digit first wins over a bad character") << 1 << "1;" << QStringList{kDigitFirst} << "loop";
    }
    void nameEdits() {
        QFETCH(int, counter);
        QFETCH(QString, typed);
        QFETCH(QStringList, messages);
        QFETCH(QString, shown);
        WindowFixture fixture;
        prepare(fixture);
        QLineEdit* box = fixture.box(kNameBoxes[counter]);
        box->setText(QStringLiteral("loop"));
        setQuietly(fixture.box("TxtTime"), kMark);
        box->setText(typed);
        QCOMPARE(fixture.desktop.messageTexts(), messages);
        QCOMPARE(box->text(), shown);
        QCOMPARE(remembered(fixture, counter).LastName, shown);
        // Accepted or put back, the listing is rebuilt at once with the name the box shows.
        QVERIFY2(rebuiltSinceMark(fixture), qPrintable(fixture.listing()));
        QCOMPARE(loadedName(fixture.listing(), kValues[counter]), shown);
    }

    void blankNameOnLeavingTheBox_data() {
        QTest::addColumn<int>("counter");
        QTest::addColumn<bool>("darkTheme");
        QTest::newRow("counter A") << 0 << false;
        QTest::newRow("counter D, dark theme") << 3 << true;
    }
    void blankNameOnLeavingTheBox() {
        QFETCH(int, counter);
        QFETCH(bool, darkTheme);
        const QPalette lightPalette = QApplication::palette();
        QPalette dark = lightPalette;
        dark.setColor(QPalette::Base, QColor(35, 38, 41));
        dark.setColor(QPalette::Text, QColor(239, 240, 241));
        if (darkTheme) QApplication::setPalette(dark);
        const auto restore = qScopeGuard([&] { QApplication::setPalette(lightPalette); });
        WindowFixture fixture;
        prepare(fixture);
        QVERIFY(showActive(fixture.window()));
        QLineEdit* box = fixture.box(kNameBoxes[counter]);
        QLineEdit* clock = fixture.box("TxtClock");
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QVERIFY(fixture.desktop.messages.isEmpty());  // not while typing
        QColor colourWhileShown;
        fixture.desktop.whileMessageShown = [&](const QString&) { colourWhileShown = background(box); };
        clock->setFocus();
        QCOMPARE(fixture.desktop.messageTexts(), QStringList{kBlankNames + QStringLiteral("\r\nPlease enter a name for counter ") +
                                                            QLatin1Char(static_cast<char>('A' + counter))});
        QCOMPARE(colourWhileShown, QColor(255, 0, 0));
        QCOMPARE(box->palette().color(QPalette::Text), QColor(Qt::black));
        QCOMPARE(QApplication::focusWidget(), box);
        fixture.desktop.clear();
        fixture.desktop.whileMessageShown = nullptr;
        QTest::keyClicks(box, QStringLiteral("n"));
        // Named again, the box takes the theme's own colours.
        QCOMPARE(background(box), QApplication::palette().color(QPalette::Base));
        QCOMPARE(box->palette().color(QPalette::Text), QApplication::palette().color(QPalette::Text));
        // Leaving a named box is quiet.
        clock->setFocus();
        QCOMPARE(QApplication::focusWidget(), clock);
        QVERIFY(fixture.desktop.messages.isEmpty());
    }

    void leavingForAnotherProgramSaysNothing() {
        WindowFixture fixture;
        prepare(fixture);
        QVERIFY(showActive(fixture.window()));
        QLineEdit* box = fixture.box("TxtBName");
        box->setFocus();
        box->clear();
        QWidget other;
        QVERIFY(showActive(other));
        QVERIFY(fixture.desktop.messages.isEmpty());
        QVERIFY(background(box) != QColor(255, 0, 0));
        // Back in the window, leaving the box for one of its own controls is reported.
        QVERIFY(showActive(fixture.window()));
        fixture.box("TxtClock")->setFocus();
        QCOMPARE(fixture.desktop.messageTexts(), QStringList{kBlankNames + QStringLiteral("\r\nPlease enter a name for counter B")});
    }

    void valueEdits_data() {
        QTest::addColumn<int>("counter");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("lastValue");
        QTest::addColumn<bool>("rebuilt");
        QTest::newRow("letter refused, number put back") << 0 << "x2" << kNonNumeric << "12" << 12 << true;
        QTest::newRow("emptied, number put back") << 1 << "" << kNonNumeric << "12" << 12 << true;
        QTest::newRow("negative accepted") << 2 << "-5" << QString() << "-5" << -5 << true;
        QTest::newRow("2.5 ties to even 2") << 3 << "2.5" << QString() << "2.5" << 2 << true;
        QTest::newRow("3.5 ties to even 4") << 0 << "3.5" << QString() << "3.5" << 4 << true;
        QTest::newRow("40000 overflows") << 1 << "40000" << "Error : Overflow" << "40000" << 12 << false;
    }
    void valueEdits() {
        QFETCH(int, counter);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QFETCH(int, lastValue);
        QFETCH(bool, rebuilt);
        WindowFixture fixture;
        prepare(fixture);
        QLineEdit* box = fixture.box(kValueBoxes[counter]);
        box->setText(QStringLiteral("12"));
        const double delay = fixture.state().DelayValue;
        setQuietly(fixture.box("TxtTime"), kMark);
        box->setText(typed);
        QCOMPARE(fixture.desktop.messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(box->text(), shown);
        QCOMPARE(remembered(fixture, counter).LastValue, qint16(lastValue));
        QCOMPARE(remembered(fixture, counter).QuietValue, qint16(0));
        // An accepted edit, putting the number back included, rebuilds the listing and reads the delay.
        QCOMPARE(rebuiltSinceMark(fixture), rebuilt);
        QCOMPARE(fixture.state().DelayValue, rebuilt ? kMark.toDouble() : delay);
        if (rebuilt) QCOMPARE(loadedName(fixture.listing(), shown), QStringLiteral("Cnt") + QLatin1Char(static_cast<char>('A' + counter)));
    }

    void searchWritesValuesQuietly() {
        WindowFixture fixture;
        prepare(fixture, 0, {QStringLiteral("9"), QStringLiteral("9"), QStringLiteral("9"), QStringLiteral("9")});
        fixture.box("TxtTime")->setText(QStringLiteral("0.001"));
        const QString before = fixture.listing();
        // Connected after the window's own handling, so each entry shows what that handling left.
        QStringList listings;
        for (int counter = 0; counter < 4; ++counter) {
            QObject::connect(fixture.box(kValueBoxes[counter]), &QLineEdit::textChanged, &fixture.window(), [&, counter] {
                listings << fixture.listing();
                QCOMPARE(remembered(fixture, counter).QuietValue, qint16(0));
            });
        }
        fixture.press("BtnCalcValues");
        QCOMPARE(listings, QStringList(4, before));  // 75, 2, 1, 1 replace every 9, without a rebuild
        QVERIFY(fixture.desktop.messages.isEmpty());
        // The press that ends the search builds the listing once, with the new values.
        QCOMPARE(loadedName(fixture.listing(), QStringLiteral("75")), QStringLiteral("CntA"));
    }

    void searchLeavingBoxUnchangedLeavesNoFlag() {
        WindowFixture fixture;
        prepare(fixture, 0, {QStringLiteral("9"), QStringLiteral("9"), QStringLiteral("1"), QStringLiteral("1")});
        fixture.box("TxtTime")->setText(QStringLiteral("0.001"));
        fixture.press("BtnCalcValues");
        QCOMPARE(fixture.box("TxtCValue")->text(), QStringLiteral("1"));  // written, but unchanged
        // A flag left set would swallow the rebuild of this edit.
        setQuietly(fixture.box("TxtTime"), kMark);
        fixture.box("TxtCValue")->setText(QStringLiteral("3"));
        QVERIFY(rebuiltSinceMark(fixture));
        QCOMPARE(fixture.state().DelayValue, kMark.toDouble());
    }

    void nudge_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("counter");
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("tabBefore");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("tabAfter");
        QTest::addColumn<QString>("cycles");
        // The other counters hold 1. PIC cycles: one loop 3A + 1, two 770B + 3A - 765,
        // three 197122C + 770B + 3A - 197883.
        QTest::newRow("A up wraps 255 to 0") << "BtnNudgeUpA" << 0 << "255" << 0 << "0" << 0 << "769";
        QTest::newRow("A down wraps 0 to 255") << "BtnNudgeDnA" << 0 << "0" << 0 << "255" << 0 << "766";
        QTest::newRow("A down on Triple keeps the tab") << "BtnNudgeDnA" << 0 << "1" << 2 << "0" << 2 << "777";
        QTest::newRow("B up 300 to 301") << "BtnNudgeUpB" << 1 << "300" << 1 << "301" << 1 << "231008";
        QTest::newRow("C down 2.5 to 1.5") << "BtnNudgeDnC" << 2 << "2.5" << 2 << "1.5" << 2 << "98573";
        QTest::newRow("C up from Single moves to Triple") << "BtnNudgeUpC" << 2 << "5" << 0 << "6" << 2 << "985622";
    }
    void nudge() {
        QFETCH(QString, button);
        QFETCH(int, counter);
        QFETCH(QString, start);
        QFETCH(int, tabBefore);
        QFETCH(QString, shown);
        QFETCH(int, tabAfter);
        QFETCH(QString, cycles);
        std::array<QString, 4> values = kOnes;
        values[counter] = start;
        WindowFixture fixture;
        prepare(fixture, tabBefore, values);
        QSignalSpy shownCycles(fixture.box("TxtMC"), &QLineEdit::textChanged);
        fixture.press(qPrintable(button));
        QCOMPARE(fixture.box(kValueBoxes[counter])->text(), shown);
        QCOMPARE(fixture.tabs()->currentIndex(), tabAfter);
        // One recalculation, by the press that ends the nudge; a tab move adds none.
        QCOMPARE(shownCycles.count(), 1);
        QCOMPARE(fixture.box("TxtMC")->text(), cycles);
        QCOMPARE(fixture.state().SuppressTabRecalc, qint16(0));
        QCOMPARE(loadedName(fixture.listing(), shown), QStringLiteral("Cnt") + QLatin1Char(static_cast<char>('A' + counter)));
        QVERIFY(fixture.desktop.messages.isEmpty());
    }

    void nudgeWithBlankName() {
        WindowFixture fixture;
        prepare(fixture, 0, kOnes);
        fixture.box("TxtBName")->clear();
        QSignalSpy shownCycles(fixture.box("TxtMC"), &QLineEdit::textChanged);
        fixture.press("BtnNudgeUpD");
        // The value still steps and the tab still moves; the calculation refuses.
        QCOMPARE(fixture.box("TxtDValue")->text(), QStringLiteral("2"));
        QCOMPARE(fixture.tabs()->currentIndex(), 3);
        QCOMPARE(fixture.desktop.messageTexts(), QStringList{kBlankNames});
        QCOMPARE(shownCycles.count(), 0);
        QCOMPARE(fixture.state().SuppressTabRecalc, qint16(0));
    }

    void nudgeOnNonNumericBox() {
        WindowFixture fixture;
        prepare(fixture, 0, kOnes);
        setQuietly(fixture.box("TxtDValue"), QStringLiteral("abc"));
        QSignalSpy shownCycles(fixture.box("TxtMC"), &QLineEdit::textChanged);
        const QString listing = fixture.listing();
        fixture.press("BtnNudgeDnD");
        QCOMPARE(fixture.desktop.messageTexts(), QStringList{kNonNumeric});
        QCOMPARE(fixture.box("TxtDValue")->text(), QStringLiteral("abc"));
        QCOMPARE(fixture.tabs()->currentIndex(), 0);
        QCOMPARE(fixture.state().SuppressTabRecalc, qint16(0));
        QCOMPARE(shownCycles.count(), 0);
        QCOMPARE(fixture.listing(), listing);
    }
};

QTEST_MAIN(TestFrmMainCounters)
#include "tst_frmmain_counters.moc"
