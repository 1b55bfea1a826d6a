// The counter boxes through the real window: names and values checked as they change, the
// blank-name check on leaving a name box, the quiet writes of the counter search, and the
// nudge buttons with their tab guard.
#include <QApplication>
#include <QColor>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>

#include "support/WindowFixture.h"

namespace {

const QString kSpaces = QStringLiteral("Do not use spaces within counter names!");
const QString kDigitFirst =
    QStringLiteral("Do not use a number as the first character of a counter name!");
const QString kNonNumeric =
    QStringLiteral("Do not use non-numeric characters within counter values!");
const QString kBlankNames = QStringLiteral("You must not have any blank counter names.");
const QString kOverflow = QStringLiteral("Error : Overflow");

const std::array<const char*, 4> kNameBoxes = {"TxtAName", "TxtBName", "TxtCName", "TxtDName"};
const std::array<const char*, 4> kValueBoxes = {"TxtAValue", "TxtBValue", "TxtCValue", "TxtDValue"};

// Value texts that tell the counters apart in the listing.
const std::array<QString, 4> kValues = {QStringLiteral("100"), QStringLiteral("20"),
                                        QStringLiteral("5"), QStringLiteral("2")};

// PIC at 4 MHz, counters CntA to CntD with the given values, calculated on `tab`; no messages.
void prepare(WindowFixture& fixture, int tab = 3, const std::array<QString, 4>& values = kValues) {
    fixture.setChip(true);
    fixture.box("TxtClock")->setText(QStringLiteral("4000000"));
    fixture.setCounters(values);
    fixture.tabs()->setCurrentIndex(tab);
    fixture.press("BtnCalcTime");
    fixture.desktop.clear();
}

// Writes a mark into the delay box past its own handling. Only a listing rebuild (its header
// quotes the box) or a fresh read of the box into DelayValue can carry the mark any further.
const QString kMark = QStringLiteral("0.125");
void markDelayBox(WindowFixture& fixture) {
    QLineEdit* delay = fixture.box("TxtTime");
    delay->blockSignals(true);
    delay->setText(kMark);
    delay->blockSignals(false);
}
bool rebuiltSinceMark(const WindowFixture& fixture) {
    return fixture.listing().startsWith(QStringLiteral(";PIC Time Delay = ") + kMark +
                                        QStringLiteral(" s"));
}

// The name the fixture gives a counter.
QString setUpName(int counter) {
    return QStringLiteral("Cnt") + QLatin1Char(static_cast<char>('A' + counter));
}

// The register the Microchip listing loads with the given value text.
QString loadedName(const QString& listing, const QString& value) {
    const QString load =
        QStringLiteral("\t\tmovlw\tD'") + value + QStringLiteral("'\r\n\t\tmovwf\t");
    const qsizetype at = listing.indexOf(load);
    if (at < 0) return QStringLiteral("(no load of %1)").arg(value);
    const qsizetype from = at + load.size();
    return listing.mid(from, listing.indexOf(QStringLiteral("\r\n"), from) - from);
}

bool allExclamations(const RecordingDesktop& desktop) {
    return std::all_of(desktop.messages.cbegin(), desktop.messages.cend(), [](const auto& message) {
        return message.icon == ui::MessageIcon::Exclamation;
    });
}

const ui::CounterInput& remembered(WindowFixture& fixture, int counter) {
    return fixture.window().inputState().counter[counter];
}

QColor background(const QLineEdit* box) {
    return box->palette().color(QPalette::Base);
}

[[nodiscard]] bool showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

}  // namespace

class TestFrmMainCounters : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void nameEdits_data();
    void nameEdits();
    void spaceTypedInsideName();
    void nameTypedWithTrailingSpace();
    void refusedFirstNameLeavesBoxEmpty_data();
    void refusedFirstNameLeavesBoxEmpty();
    void blankNameOnLeavingTheBox_data();
    void blankNameOnLeavingTheBox();
    void leavingForAnotherProgramSaysNothing();
    void valueRefused_data();
    void valueRefused();
    void valueTypedOverWithLetter();
    void valueAccepted_data();
    void valueAccepted();
    void valueAcceptedWhileDelayBoxIsNotANumber();
    void valueOutOfRange_data();
    void valueOutOfRange();
    void searchWritesValuesQuietly();
    void searchLeavingBoxUnchangedLeavesNoFlag_data();
    void searchLeavingBoxUnchangedLeavesNoFlag();
    void nudge_data();
    void nudge();
    void nudgeWithBlankName_data();
    void nudgeWithBlankName();
    void nudgeOnNonNumericBox_data();
    void nudgeOnNonNumericBox();
};

void TestFrmMainCounters::nameEdits_data() {
    QTest::addColumn<int>("counter");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("shown");
    const QStringList none;
    QTest::newRow("Count1 accepted") << 0 << "Count1" << none << "Count1";
    QTest::newRow("_1 accepted") << 1 << "_1" << none << "_1";
    QTest::newRow("dly accepted") << 2 << "dly" << none << "dly";
    QTest::newRow("digit inside accepted") << 3 << "Cnt7" << none << "Cnt7";
    QTest::newRow("tab inside accepted") << 0 << "d\tly" << none << "d\tly";
    QTest::newRow("non-breaking space inside accepted")
        << 1 << QStringLiteral("d\u00A0ly") << none << QStringLiteral("d\u00A0ly");
    QTest::newRow("Arabic-Indic digit first accepted")
        << 2 << QStringLiteral("\u0663up") << none << QStringLiteral("\u0663up");
    QTest::newRow("1dly refused") << 3 << "1dly" << QStringList{kDigitFirst} << "loop";
    QTest::newRow("7up refused") << 0 << "7up" << QStringList{kDigitFirst} << "loop";
    QTest::newRow("d ly refused") << 1 << "d ly" << QStringList{kSpaces} << "loop";
    QTest::newRow("only spaces refused") << 2 << "   " << QStringList{kSpaces} << "loop";
    QTest::newRow("trailing space dropped") << 3 << "count " << none << "count";
    QTest::newRow("leading space dropped") << 0 << "  count" << none << "count";
    // The trimmed text is checked in a nested run; the outer run must not report it again.
    QTest::newRow("inner and trailing space, one message")
        << 1 << "d ly " << QStringList{kSpaces} << "loop";
    QTest::newRow("digit first and trailing space, one message")
        << 2 << "7up " << QStringList{kDigitFirst} << "loop";
    QTest::newRow("leading space before a digit")
        << 3 << " 7up" << QStringList{kDigitFirst} << "loop";
}

void TestFrmMainCounters::nameEdits() {
    QFETCH(int, counter);
    QFETCH(QString, typed);
    QFETCH(QStringList, messages);
    QFETCH(QString, shown);
    WindowFixture fixture;
    prepare(fixture);
    QLineEdit* box = fixture.box(kNameBoxes[counter]);
    box->setText(QStringLiteral("loop"));
    markDelayBox(fixture);
    box->setText(typed);
    QCOMPARE(fixture.desktop.messageTexts(), messages);
    QVERIFY(allExclamations(fixture.desktop));
    QCOMPARE(box->text(), shown);
    QCOMPARE(remembered(fixture, counter).LastName, shown);
    // Accepted or put back, the listing is rebuilt at once with the name the box shows.
    QVERIFY2(rebuiltSinceMark(fixture), qPrintable(fixture.listing()));
    QCOMPARE(loadedName(fixture.listing(), kValues[counter]), shown);
}

void TestFrmMainCounters::spaceTypedInsideName() {
    WindowFixture fixture;
    prepare(fixture);
    QLineEdit* box = fixture.box("TxtAName");
    box->setText(QStringLiteral("loop"));
    markDelayBox(fixture);
    QString textWhileShown;
    fixture.desktop.whileMessageShown = [&](const QString&) { textWhileShown = box->text(); };
    box->setCursorPosition(2);
    QTest::keyClick(box, Qt::Key_Space);
    QCOMPARE(fixture.desktop.messageTexts(), QStringList{kSpaces});
    QCOMPARE(textWhileShown, QStringLiteral("lo op"));  // put back only once the user answered
    QCOMPARE(fixture.desktop.messages.front().icon, ui::MessageIcon::Exclamation);
    QCOMPARE(box->text(), QStringLiteral("loop"));
    QVERIFY(rebuiltSinceMark(fixture));
    QCOMPARE(loadedName(fixture.listing(), kValues[0]), QStringLiteral("loop"));
}

void TestFrmMainCounters::nameTypedWithTrailingSpace() {
    WindowFixture fixture;
    prepare(fixture);
    QLineEdit* box = fixture.box("TxtCName");
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("count "));
    QVERIFY(fixture.desktop.messages.isEmpty());
    QCOMPARE(box->text(), QStringLiteral("count"));
    QCOMPARE(remembered(fixture, 2).LastName, QStringLiteral("count"));
    QCOMPARE(loadedName(fixture.listing(), kValues[2]), QStringLiteral("count"));
}

void TestFrmMainCounters::refusedFirstNameLeavesBoxEmpty_data() {
    QTest::addColumn<int>("counter");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("digit first, A") << 0 << "7up" << kDigitFirst;
    QTest::newRow("space inside, D") << 3 << "d ly" << kSpaces;
    QTest::newRow("only spaces, B") << 1 << "  " << kSpaces;
}

void TestFrmMainCounters::refusedFirstNameLeavesBoxEmpty() {
    QFETCH(int, counter);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    WindowFixture fixture;
    QLineEdit* box = fixture.box(kNameBoxes[counter]);
    box->setText(typed);
    QCOMPARE(fixture.desktop.messageTexts(), QStringList{message});
    QCOMPARE(box->text(), QString());
    QCOMPARE(remembered(fixture, counter).LastName, QString());
}

void TestFrmMainCounters::blankNameOnLeavingTheBox_data() {
    QTest::addColumn<int>("counter");
    QTest::addColumn<QString>("letter");
    QTest::newRow("counter A") << 0 << "A";
    QTest::newRow("counter B") << 1 << "B";
    QTest::newRow("counter C") << 2 << "C";
    QTest::newRow("counter D") << 3 << "D";
}

void TestFrmMainCounters::blankNameOnLeavingTheBox() {
    QFETCH(int, counter);
    QFETCH(QString, letter);
    WindowFixture fixture;
    prepare(fixture);
    QVERIFY(showActive(fixture.window()));
    QLineEdit* box = fixture.box(kNameBoxes[counter]);
    QLineEdit* clock = fixture.box("TxtClock");
    box->setFocus();
    QCOMPARE(QApplication::focusWidget(), box);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QString());
    QVERIFY(fixture.desktop.messages.isEmpty());  // not while typing

    QColor colourWhileShown;
    fixture.desktop.whileMessageShown = [&](const QString&) { colourWhileShown = background(box); };
    clock->setFocus();
    QCOMPARE(
        fixture.desktop.messageTexts(),
        QStringList{kBlankNames + QStringLiteral("\r\nPlease enter a name for counter ") + letter});
    QVERIFY(allExclamations(fixture.desktop));
    QCOMPARE(colourWhileShown, QColor(255, 0, 0));
    QCOMPARE(background(box), QColor(255, 0, 0));
    QCOMPARE(QApplication::focusWidget(), box);

    fixture.desktop.clear();
    fixture.desktop.whileMessageShown = nullptr;
    QTest::keyClicks(box, QStringLiteral("n"));
    QCOMPARE(background(box), QColor(255, 255, 255));
    QCOMPARE(loadedName(fixture.listing(), kValues[counter]), QStringLiteral("n"));
    // Leaving a named box is quiet.
    clock->setFocus();
    QCOMPARE(QApplication::focusWidget(), clock);
    QVERIFY(fixture.desktop.messages.isEmpty());
}

void TestFrmMainCounters::leavingForAnotherProgramSaysNothing() {
    WindowFixture fixture;
    prepare(fixture);
    QVERIFY(showActive(fixture.window()));
    QLineEdit* box = fixture.box("TxtBName");
    box->setFocus();
    box->clear();
    QWidget other;
    QVERIFY(showActive(other));
    QVERIFY(!box->hasFocus());
    QVERIFY(fixture.desktop.messages.isEmpty());
    QVERIFY(background(box) != QColor(255, 0, 0));
    // Back in the window, leaving the box for one of its own controls is reported.
    QVERIFY(showActive(fixture.window()));
    QCOMPARE(QApplication::focusWidget(), box);
    fixture.box("TxtClock")->setFocus();
    QCOMPARE(fixture.desktop.messageTexts(),
             QStringList{kBlankNames + QStringLiteral("\r\nPlease enter a name for counter B")});
}

void TestFrmMainCounters::valueRefused_data() {
    QTest::addColumn<int>("counter");
    QTest::addColumn<QString>("typed");
    QTest::newRow("letter in front, A") << 0 << "x2";
    QTest::newRow("emptied, B") << 1 << "";
    QTest::newRow("blank, C") << 2 << " ";
    QTest::newRow("infinity spelled out, D") << 3 << "inf";
    QTest::newRow("two points, A") << 0 << "1.2.3";
}

void TestFrmMainCounters::valueRefused() {
    QFETCH(int, counter);
    QFETCH(QString, typed);
    WindowFixture fixture;
    prepare(fixture);
    QLineEdit* box = fixture.box(kValueBoxes[counter]);
    box->setText(QStringLiteral("12"));
    markDelayBox(fixture);
    box->setText(typed);
    QCOMPARE(fixture.desktop.messageTexts(), QStringList{kNonNumeric});
    QVERIFY(allExclamations(fixture.desktop));
    QCOMPARE(box->text(), QStringLiteral("12"));
    QCOMPARE(remembered(fixture, counter).LastValue, qint16(12));
    QCOMPARE(remembered(fixture, counter).QuietValue, qint16(0));
    // Putting the number back is an accepted edit in its own right.
    QVERIFY(rebuiltSinceMark(fixture));
    QCOMPARE(fixture.state().DelayValue, kMark.toDouble());
    QCOMPARE(loadedName(fixture.listing(), QStringLiteral("12")), setUpName(counter));
}

void TestFrmMainCounters::valueTypedOverWithLetter() {
    WindowFixture fixture;
    prepare(fixture);
    QLineEdit* box = fixture.box("TxtBValue");
    box->setText(QStringLiteral("12"));
    QString textWhileShown;
    fixture.desktop.whileMessageShown = [&](const QString&) { textWhileShown = box->text(); };
    box->setSelection(0, 1);
    QTest::keyClick(box, Qt::Key_X);
    QCOMPARE(fixture.desktop.messageTexts(), QStringList{kNonNumeric});
    QCOMPARE(textWhileShown, QStringLiteral("x2"));
    QCOMPARE(box->text(), QStringLiteral("12"));
}

void TestFrmMainCounters::valueAccepted_data() {
    QTest::addColumn<int>("counter");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("lastValue");
    QTest::newRow("negative") << 0 << "-5" << -5;
    QTest::newRow("tie 2.5 to even 2") << 1 << "2.5" << 2;
    QTest::newRow("tie 3.5 to even 4") << 2 << "3.5" << 4;
    QTest::newRow("tie -2.5 to even -2") << 3 << "-2.5" << -2;
    QTest::newRow("above the tie") << 0 << "2.51" << 3;
    QTest::newRow("zero") << 1 << "0" << 0;
    QTest::newRow("exponent") << 2 << "1e2" << 100;
    QTest::newRow("largest") << 3 << "32767" << 32767;
    QTest::newRow("largest after rounding") << 0 << "32767.4" << 32767;
    QTest::newRow("smallest") << 1 << "-32768" << -32768;
}

void TestFrmMainCounters::valueAccepted() {
    QFETCH(int, counter);
    QFETCH(QString, typed);
    QFETCH(int, lastValue);
    WindowFixture fixture;
    prepare(fixture);
    QLineEdit* box = fixture.box(kValueBoxes[counter]);
    markDelayBox(fixture);
    box->setText(typed);
    QVERIFY(fixture.desktop.messages.isEmpty());
    QCOMPARE(box->text(), typed);  // the box keeps the text as typed
    QCOMPARE(remembered(fixture, counter).LastValue, qint16(lastValue));
    QCOMPARE(remembered(fixture, counter).QuietValue, qint16(0));
    QVERIFY(rebuiltSinceMark(fixture));
    QCOMPARE(fixture.state().DelayValue, kMark.toDouble());
    QCOMPARE(loadedName(fixture.listing(), typed), setUpName(counter));
}

void TestFrmMainCounters::valueAcceptedWhileDelayBoxIsNotANumber() {
    WindowFixture fixture;
    prepare(fixture);
    const double delay = fixture.state().DelayValue;
    QLineEdit* time = fixture.box("TxtTime");
    time->blockSignals(true);  // the delay box's own check would have put a number back
    time->setText(QStringLiteral("soon"));
    time->blockSignals(false);
    QLineEdit* box = fixture.box("TxtCValue");
    box->setText(QStringLiteral("7"));
    QCOMPARE(fixture.desktop.messageTexts(), QStringList{kNonNumeric});
    QCOMPARE(box->text(), QStringLiteral("7"));
    QCOMPARE(remembered(fixture, 2).LastValue, qint16(7));
    QCOMPARE(fixture.state().DelayValue, delay);
    // The listing is rebuilt before the delay box is read.
    QVERIFY(fixture.listing().startsWith(QStringLiteral(";PIC Time Delay = soon s")));
    QCOMPARE(loadedName(fixture.listing(), QStringLiteral("7")), QStringLiteral("CntC"));
}

void TestFrmMainCounters::valueOutOfRange_data() {
    QTest::addColumn<int>("counter");
    QTest::addColumn<QString>("typed");
    QTest::newRow("40000") << 0 << "40000";
    QTest::newRow("one above the largest") << 1 << "32768";
    QTest::newRow("one below the smallest") << 2 << "-32769";
    QTest::newRow("rounds past the largest") << 3 << "32767.5";
    QTest::newRow("beyond any number") << 0 << "1e400";
}

void TestFrmMainCounters::valueOutOfRange() {
    QFETCH(int, counter);
    QFETCH(QString, typed);
    WindowFixture fixture;
    prepare(fixture);
    QLineEdit* box = fixture.box(kValueBoxes[counter]);
    box->setText(QStringLiteral("12"));
    const double delay = fixture.state().DelayValue;
    const QString listing = fixture.listing();
    markDelayBox(fixture);
    box->setText(typed);
    QCOMPARE(fixture.desktop.messageTexts(), QStringList{kOverflow});
    QVERIFY(allExclamations(fixture.desktop));
    QCOMPARE(box->text(), typed);
    QCOMPARE(remembered(fixture, counter).LastValue, qint16(12));
    QCOMPARE(fixture.listing(), listing);
    QCOMPARE(fixture.state().DelayValue, delay);
}

void TestFrmMainCounters::searchWritesValuesQuietly() {
    WindowFixture fixture;
    prepare(fixture, 0,
            {QStringLiteral("9"), QStringLiteral("9"), QStringLiteral("9"), QStringLiteral("9")});
    fixture.box("TxtTime")->setText(QStringLiteral("0.001"));
    const QString before = fixture.listing();
    // Connected after the window's own handling, so each entry shows what that handling left.
    struct Seen {
        QString listing;
        qint16 quiet;
    };
    QList<Seen> seen;
    for (int counter = 0; counter < 4; ++counter) {
        QObject::connect(
            fixture.box(kValueBoxes[counter]), &QLineEdit::textChanged, &fixture.window(),
            [&fixture, &seen, counter] {
                seen.append({fixture.listing(), remembered(fixture, counter).QuietValue});
            });
    }
    fixture.press("BtnCalcValues");
    QCOMPARE(seen.size(), 4);  // 75, 2, 1, 1 replace every 9
    for (const Seen& entry : seen) {
        QCOMPARE(entry.listing, before);
        QCOMPARE(entry.quiet, qint16(0));
    }
    QVERIFY(fixture.desktop.messages.isEmpty());
    // The press that ends the search builds the listing once, with the new values.
    QCOMPARE(loadedName(fixture.listing(), QStringLiteral("75")), QStringLiteral("CntA"));
}

void TestFrmMainCounters::searchLeavingBoxUnchangedLeavesNoFlag_data() {
    QTest::addColumn<int>("counter");
    QTest::newRow("C stays 1") << 2;
    QTest::newRow("D stays 1") << 3;
}

void TestFrmMainCounters::searchLeavingBoxUnchangedLeavesNoFlag() {
    QFETCH(int, counter);
    WindowFixture fixture;
    prepare(fixture, 0,
            {QStringLiteral("9"), QStringLiteral("9"), QStringLiteral("1"), QStringLiteral("1")});
    fixture.box("TxtTime")->setText(QStringLiteral("0.001"));
    fixture.press("BtnCalcValues");
    QCOMPARE(fixture.box(kValueBoxes[counter])->text(),
             QStringLiteral("1"));  // written, but unchanged
    for (int other = 0; other < 4; ++other)
        QCOMPARE(remembered(fixture, other).QuietValue, qint16(0));
    // A flag left set would swallow the rebuild of this edit.
    markDelayBox(fixture);
    fixture.box(kValueBoxes[counter])->setText(QStringLiteral("3"));
    QVERIFY(rebuiltSinceMark(fixture));
    QCOMPARE(fixture.state().DelayValue, kMark.toDouble());
}

void TestFrmMainCounters::nudge_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("counter");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("tabBefore");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("tabAfter");
    QTest::addColumn<QString>("cycles");
    // The other counters hold 1. PIC cycles: one loop 3A + 1, two 770B + 3A - 765,
    // three 197122C + 770B + 3A - 197883, four 50463234D + 197122C + 770B + 3A - 50661113.
    QTest::newRow("A up wraps 255 to 0") << "BtnNudgeUpA" << 0 << "255" << 0 << "0" << 0 << "769";
    QTest::newRow("A down wraps 0 to 255") << "BtnNudgeDnA" << 0 << "0" << 0 << "255" << 0 << "766";
    QTest::newRow("A up 255.5 does not wrap")
        << "BtnNudgeUpA" << 0 << "255.5" << 0 << "256.5" << 0 << "770.5";
    QTest::newRow("A down on Triple keeps the tab")
        << "BtnNudgeDnA" << 0 << "1" << 2 << "0" << 2 << "777";
    QTest::newRow("A up on Quad keeps the tab")
        << "BtnNudgeUpA" << 0 << "1" << 3 << "2" << 3 << "19";
    QTest::newRow("B up 300 to 301") << "BtnNudgeUpB" << 1 << "300" << 1 << "301" << 1 << "231008";
    QTest::newRow("B up wraps 255 to 0")
        << "BtnNudgeUpB" << 1 << "255" << 1 << "0" << 1 << "196358";
    QTest::newRow("B down -5 to -6") << "BtnNudgeDnB" << 1 << "-5" << 1 << "-6" << 1 << "-5382";
    QTest::newRow("B down on Quad keeps the tab")
        << "BtnNudgeDnB" << 1 << "20" << 3 << "19" << 3 << "13876";
    QTest::newRow("C down 2.5 to 1.5") << "BtnNudgeDnC" << 2 << "2.5" << 2 << "1.5" << 2 << "98573";
    QTest::newRow("C up from Single moves to Triple")
        << "BtnNudgeUpC" << 2 << "5" << 0 << "6" << 2 << "985622";
    QTest::newRow("D up from Triple moves to Quad")
        << "BtnNudgeUpD" << 3 << "1" << 2 << "2" << 3 << "50463250";
    QTest::newRow("D down wraps 0 to 255, Single to Quad")
        << "BtnNudgeDnD" << 3 << "0" << 0 << "255" << 3 << "12817661452";
}

void TestFrmMainCounters::nudge() {
    QFETCH(QString, button);
    QFETCH(int, counter);
    QFETCH(QString, start);
    QFETCH(int, tabBefore);
    QFETCH(QString, shown);
    QFETCH(int, tabAfter);
    QFETCH(QString, cycles);
    std::array<QString, 4> values = {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"),
                                     QStringLiteral("1")};
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
    QCOMPARE(remembered(fixture, counter).QuietValue, qint16(0));
    QCOMPARE(fixture.state().DelayValue, fixture.box("TxtTime")->text().toDouble());
    QCOMPARE(loadedName(fixture.listing(), shown), setUpName(counter));
    QVERIFY(fixture.desktop.messages.isEmpty());
}

void TestFrmMainCounters::nudgeWithBlankName_data() {
    QTest::addColumn<int>("blank");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("counter");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("tabAfter");
    QTest::newRow("B blank, D up") << 1 << "BtnNudgeUpD" << 3 << "2" << 3;
    QTest::newRow("A blank, A down") << 0 << "BtnNudgeDnA" << 0 << "0" << 0;
}

void TestFrmMainCounters::nudgeWithBlankName() {
    QFETCH(int, blank);
    QFETCH(QString, button);
    QFETCH(int, counter);
    QFETCH(QString, shown);
    QFETCH(int, tabAfter);
    WindowFixture fixture;
    prepare(fixture, 0,
            {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")});
    fixture.box(kNameBoxes[blank])->clear();
    QVERIFY(fixture.desktop.messages.isEmpty());
    QSignalSpy shownCycles(fixture.box("TxtMC"), &QLineEdit::textChanged);
    fixture.press(qPrintable(button));
    QCOMPARE(fixture.box(kValueBoxes[counter])->text(), shown);
    QCOMPARE(remembered(fixture, counter).LastValue, qint16(shown.toInt()));
    QCOMPARE(fixture.desktop.messageTexts(), QStringList{kBlankNames});
    QVERIFY(allExclamations(fixture.desktop));
    QCOMPARE(shownCycles.count(), 0);
    QCOMPARE(fixture.tabs()->currentIndex(), tabAfter);
    QCOMPARE(fixture.state().SuppressTabRecalc, qint16(0));
}

void TestFrmMainCounters::nudgeOnNonNumericBox_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("counter");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("letters, A up") << "BtnNudgeUpA" << 0 << "abc" << kNonNumeric;
    QTest::newRow("empty, D down") << "BtnNudgeDnD" << 3 << "" << kNonNumeric;
    QTest::newRow("beyond any number, C up") << "BtnNudgeUpC" << 2 << "1e400" << kOverflow;
}

void TestFrmMainCounters::nudgeOnNonNumericBox() {
    QFETCH(QString, button);
    QFETCH(int, counter);
    QFETCH(QString, text);
    QFETCH(QString, message);
    WindowFixture fixture;
    prepare(fixture, 0,
            {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")});
    QLineEdit* box = fixture.box(kValueBoxes[counter]);
    box->blockSignals(true);  // the box's own check would have put the number back
    box->setText(text);
    box->blockSignals(false);
    QSignalSpy shownCycles(fixture.box("TxtMC"), &QLineEdit::textChanged);
    const QString listing = fixture.listing();
    fixture.press(qPrintable(button));
    QCOMPARE(fixture.desktop.messageTexts(), QStringList{message});
    QVERIFY(allExclamations(fixture.desktop));
    QCOMPARE(box->text(), text);
    QCOMPARE(fixture.tabs()->currentIndex(), 0);
    QCOMPARE(fixture.state().SuppressTabRecalc, qint16(0));
    QCOMPARE(shownCycles.count(), 0);
    QCOMPARE(fixture.listing(), listing);
    QCOMPARE(fixture.desktop.programEnds, 0);
}

QTEST_MAIN(TestFrmMainCounters)
#include "tst_frmmain_counters.moc"
