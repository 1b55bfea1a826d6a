// The main window's behaviour, one row of steps and expectations per case: the calculation
// cycle, the counter search, the tab strip, the clock and delay boxes, the counter boxes and
// nudges, the listing writers and the copy, print and help commands.
#include <QTest>
#include <QTimer>

#include "support/Scenario.h"
#include "support/WindowFixture.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kPic = u"pic | type TxtClock 4000000 | counters "_s;
const QString kSx = u"sx | type TxtClock 50000000 | counters "_s;
const QString kBlankNames = u"You must not have any blank counter names."_s;

void row(const char* name, const QString& steps, const QString& then) { QTest::newRow(name) << steps << then; }

}  // namespace

class TestFrmMain : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void behaviour_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("then");
        // The calculation cycle: all four depths from the boxes, the selected one shown.
        row("delay, PIC", kPic + u"255 1 1 1 | click BtnCalcTime"_s,
            u"TxtTime = 0.00076600 | TxtMC = 766 | DelayValue = 0.000766 | listing = ;PIC Time Delay = 0.00076600 s with Osc = 4000000 Hz\r\n"
            "\t\tmovlw\tD'255'\r\n\t\tmovwf\tCntA\r\nloop\t\tdecfsz\tCntA,1\r\n\t\tgoto\tloop"_s);
        row("delay, SX with the CALL and return", kSx + u"255 1 1 1 | tick ChkAddCR"_s,
            u"TxtTime = 0.00002054 | TxtMC = 1027 | listing ^= ;SX-Turbo Time Delay = 0.00002054 s | listing $= \r\n\t\tretlw\t0"_s);
        row("delay, a 0 is 256 passes and stays 0", kPic + u"0 0 0 0 | tab 1 | click BtnCalcTime"_s,
            u"TxtMC = 197123 | TxtTime = 0.19712300 | values = 0 0 0 0 | listing $= \t\tdecfsz\tCntB,1\r\n\t\tgoto\tloop"_s);
        row("delay, four loops full", kSx + u"0 0 0 0 | tab 3"_s, u"TxtTime = 344.60796430 | TxtMC = 17230398215"_s);
        row("delay, an empty value box is 1", kPic + u"100 20 5 2 | tab 1 | quietly TxtBValue | click BtnCalcTime"_s,
            u"TxtBValue = 1 | CountB = 1 | TxtMC = 305"_s);
        row("delay, a blank name refuses", kPic + u"100 20 5 2 | click BtnCalcTime | type TxtTime 0.5 | type TxtCName | forget | click BtnCalcTime"_s,
            u"said "_s + kBlankNames + u" | TxtTime = 0.5 | TxtMC = 301"_s);
        row("delay, the CALL box recalculates at once", kSx + u"255 1 1 1 | click BtnCalcTime | tick ChkAddCR | untick ChkAddCR"_s,
            u"TxtMC = 1021 | listing $= \t\tgoto\tloop"_s);
        // The counter search.
        row("search, PIC 1 ms", kPic + u"9 9 9 9 | type TxtTime 0.001 | click BtnCalcValues"_s,
            u"tab = 1 | values = 75 2 1 1 | TxtMC = 1000 | TxtTime = 0.00100000 | SuppressTabRecalc = 0 | quiet = 0 0 0 0"_s);
        row("search, below the shortest", kPic + u"9 9 9 9 | type TxtTime 0.0000005 | click BtnCalcValues"_s,
            u"tab = 0 | values = 1 1 1 1 | TxtMC = 4 | TxtTime = 0.00000400"_s);
        row("search, beyond the longest", kPic + u"9 9 9 9 | type TxtTime 1000000 | click BtnCalcValues"_s,
            u"tab = 3 | values = 0 0 0 0 | TxtMC = 12918587911 | TxtTime = 12918.58791100"_s);
        row("search, SX 1 ms", kSx + u"9 9 9 9 | type TxtTime 0.001 | click BtnCalcValues"_s,
            u"tab = 1 | values = 175 49 1 1 | TxtMC = 50002 | TxtTime = 0.00100004"_s);
        row("search, the CALL taken off and added back", kPic + u"1 1 1 1 | tick ChkAddCR | type TxtTime 0.001 | click BtnCalcValues"_s,
            u"tab = 1 | values = 74 2 1 1 | TxtMC = 1001 | TxtTime = 0.00100100 | listing $= \r\n\t\tretlw\t0"_s);
        // A tab the search moves does not recalculate; the press that ends it does, once.
        row("search, moving the tab recalculates once", kPic + u"255 1 1 1 | click BtnCalcTime | watch TxtMC | type TxtTime 0.001 | click BtnCalcValues"_s,
            u"changes of TxtMC = 1 | TxtMC = 1000 | SuppressTabRecalc = 0"_s);
        row("search, the next tab click recalculates", kPic + u"255 1 1 1 | type TxtTime 0.001 | click BtnCalcValues | tab 0"_s, u"TxtMC = 226"_s);
        row("search, on the shown tab no click is raised", kPic + u"5 5 5 5 | tab 1 | type TxtTime 0.001 | click BtnCalcValues | tab 2"_s,
            u"TxtMC = 1004 | SuppressTabRecalc = 0"_s);
        row("search, a blank name refuses", kPic + u"100 20 5 2 | type TxtTime 0.5 | type TxtDName | click BtnCalcValues"_s,
            u"said "_s + kBlankNames + u" | TxtTime = 0.5 | tab = 0 | values = 100 20 5 2"_s);
        row("search, a delay that is no number reloads the preferences", kPic + u"3 3 3 3 | quietly TxtTime soon | click BtnCalcValues"_s,
            u"said Do not use non-numeric characters in number fields!  Previously saved preferences will be loaded to fix. | values = 3 3 3 3 | tab = 0"_s);
        row("search, a clock of 0 stops it where it stands", kPic + u"255 1 1 1 | click BtnCalcTime | type TxtClock 0 | type TxtAValue 100 | click BtnCalcTime | click BtnCalcValues"_s,
            u"ClockHz = 0 | TxtTime = 0.00076600"_s);
        // The tab strip.
        row("tab, a click recalculates", kPic + u"100 20 5 2 | click BtnCalcTime | tab 3"_s,
            u"TxtMC = 51266665 | listing $= \t\tdecfsz\tCntD,1\r\n\t\tgoto\tloop"_s);
        row("tab, a click reads the clock afresh", kPic + u"100 20 5 2 | click BtnCalcTime | tab 3 | type TxtClock 8000000 | tab 0"_s, u"TxtTime = 0.00015050"_s);
        row("tab, the shown tab raises nothing", kPic + u"100 20 5 2 | tab 2 | watch TxtMC | tab 2"_s, u"changes of TxtMC = 0"_s);
        // The clock and delay boxes put back their last number.
        row("clock, a letter", kPic + u"1 1 1 1 | type TxtClock 4000000.4 | type TxtClock 4000000x"_s,
            u"said Do not use non-numeric characters within Oscillator Frequency value! | TxtClock = 4000000 | ClockValue = 4000000 | ClockHz = 4000000"_s);
        row("clock, deleted", kPic + u"1 1 1 1 | type TxtClock"_s,
            u"said Do not use non-numeric characters within Oscillator Frequency value! | TxtClock = 4000000"_s);
        row("clock, beyond double", kPic + u"1 1 1 1 | type TxtClock 1e999"_s, u"said Error : Overflow | TxtClock = 1e999 | ClockValue = 4000000"_s);
        row("clock, beyond single precision", kPic + u"1 1 1 1 | type TxtClock 1e39"_s, u"ClockHz = 4000000"_s);
        row("delay box, a word", kPic + u"1 1 1 1 | type TxtTime 0.0000078222 | type TxtTime fast"_s,
            u"said Do not use non-numeric characters within Delay Time value! | TxtTime = 0.000007822"_s);
        row("delay box, beyond double", kPic + u"1 1 1 1 | type TxtTime 2e400"_s, u"said Error : Overflow | TxtTime = 2e400"_s);
        // The chip toggle recalculates nothing.
        row("chip, toggled", kPic + u"255 1 1 1 | click BtnCalcTime | forget | click BtnChip"_s,
            u"Label5 = Clock Cycles: | Label7 = cc | TxtTime = 0.00076600 | listing ^= ;PIC Time | played pop"_s);
        row("chip, toggled twice", kPic + u"255 1 1 1 | forget | click BtnChip | click BtnChip"_s, u"Label5 = Machine Cycles: | Label7 = mc | played pop pop"_s);
        // The listing writers.
        row("listing, Parallax three loops", kPic + u"100 20 5 2 | click OptParallax | tab 2"_s,
            u"listing $= \r\n\t\tmov\tCntA,#100\r\n:loop\t\tdjnz\tCntA,$\r\n\t\tdjnz\tCntB,:loop\r\n\t\tdjnz\tCntC,:loop"_s);
        row("listing, Parallax one loop with a return", kPic + u"100 20 5 2 | click OptParallax | tick ChkAddCR"_s,
            u"listing $= \r\n\t\tmov\tCntA,#100\r\n\t\tdjnz\tCntA,$\r\n\t\tret"_s);
        row("listing, the format alone rebuilds", kSx + u"100 20 1 1 | tab 1 | click OptParallax | click OptMicroChip"_s,
            u"listing $= \t\tdecfsz\tCntB,1\r\n\t\tgoto\tloop | TxtMC = 19919"_s);
        row("listing, the header follows the chip, not the format", kPic + u"100 20 5 2 | tab 1 | click BtnChip | click OptParallax"_s,
            u"listing ^= ;SX-Turbo Time Delay = 0.01493500 s with Osc = 4000000 Hz\r\n\t\tmov\tCntB,#20"_s);
        row("listing, an empty value box of the depth keeps the old one", kPic + u"100 20 5 2 | tab 1 | quietly TxtBValue | click OptParallax"_s,
            u"listing $= \t\tgoto\tloop"_s);
        row("listing, an empty value box beyond the depth does not", kPic + u"100 20 5 2 | tab 2 | quietly TxtDValue | click OptParallax"_s,
            u"listing $= \t\tdjnz\tCntC,:loop"_s);
        row("listing, texts quoted as they stand", kPic + u"100 20 5 2 | type TxtTime  1E-3 | type TxtClock 4e6 | click OptParallax"_s,
            u"listing ^= ;PIC Time Delay =  1E-3 s with Osc = 4e6 Hz\r\n"_s);
        // Counter names are checked as they change; an accepted one rebuilds the listing.
        row("name, accepted", kPic + u"100 20 5 2 | type TxtAName Count1"_s, u"last names = Count1 CntB CntC CntD | listing $= Count1,1\r\n\t\tgoto\tloop"_s);
        row("name, a digit first", kPic + u"100 20 5 2 | type TxtDName 1dly"_s,
            u"said Do not use a number as the first character of a counter name! | TxtDName = CntD | last names = CntA CntB CntC CntD"_s);
        row("name, a space inside", kPic + u"100 20 5 2 | type TxtBName d ly"_s, u"said Do not use spaces within counter names! | TxtBName = CntB"_s);
        row("name, a trailing space dropped", kPic + u"100 20 5 2 | type TxtCName count "_s, u"TxtCName = count | last names = CntA CntB count CntD"_s);
        row("name, only spaces", kPic + u"100 20 5 2 | type TxtCName    "_s, u"said Do not use spaces within counter names! | TxtCName = CntC"_s);
        row("name, inner and trailing space, one message", kPic + u"100 20 5 2 | type TxtBName d ly "_s, u"said Do not use spaces within counter names! | TxtBName = CntB"_s);
        row("name, a comment sign", kPic + u"100 20 5 2 | type TxtAName a;b"_s,
            u"said Do not use the character ';' within counter names! | TxtAName = CntA | listing $= CntA,1\r\n\t\tgoto\tloop"_s);
        row("name, a letter beyond ASCII", kPic + u"100 20 5 2 | type TxtAName Z\u00e4hler"_s,
            u"said Do not use the character '\u00e4' within counter names! | TxtAName = CntA"_s);
        row("name, a digit first wins over a bad character", kPic + u"100 20 5 2 | type TxtAName 1;"_s,
            u"said Do not use a number as the first character of a counter name! | TxtAName = CntA"_s);
        // Counter values must be whole numbers; the box keeps the text as typed.
        row("value, a letter", kPic + u"100 20 5 2 | type TxtAValue 12 | quietly TxtTime 0.125 | type TxtAValue x2"_s,
            u"said Do not use non-numeric characters within counter values! | TxtAValue = 12 | DelayValue = 0.125 | listing ^= ;PIC Time Delay = 0.125 s"_s);
        row("value, emptied", kPic + u"100 20 5 2 | type TxtBValue"_s, u"said Do not use non-numeric characters within counter values! | TxtBValue = 20"_s);
        row("value, negative and half to even", kPic + u"100 20 5 2 | type TxtCValue -5 | type TxtDValue 2.5 | type TxtAValue 3.5"_s,
            u"last values = 4 20 -5 2 | values = 3.5 20 -5 2.5 | quiet = 0 0 0 0"_s);
        row("value, beyond 16 bits", kPic + u"100 20 5 2 | type TxtBValue 12 | quietly TxtTime 0.125 | type TxtBValue 40000"_s,
            u"said Error : Overflow | TxtBValue = 40000 | last values = 100 12 5 2 | listing ^= ;PIC Time Delay = 0 s"_s);
        row("value, a search leaves no quiet flag behind", kPic + u"9 9 1 1 | type TxtTime 0.001 | click BtnCalcValues | quietly TxtTime 0.125 | type TxtCValue 3"_s,
            u"listing ^= ;PIC Time Delay = 0.125 s | DelayValue = 0.125 | quiet = 0 0 0 0"_s);
        // The nudge buttons step by one, wrap between 255 and 0 and show a depth that uses the counter.
        row("nudge, A up wraps 255 to 0", kPic + u"255 1 1 1 | watch TxtMC | click BtnNudgeUpA"_s, u"TxtAValue = 0 | tab = 0 | TxtMC = 769 | changes of TxtMC = 1"_s);
        row("nudge, A down wraps 0 to 255", kPic + u"0 1 1 1 | click BtnNudgeDnA"_s, u"TxtAValue = 255 | TxtMC = 766"_s);
        row("nudge, A down keeps Triple", kPic + u"1 1 1 1 | tab 2 | click BtnNudgeDnA"_s, u"TxtAValue = 0 | tab = 2 | TxtMC = 777"_s);
        row("nudge, B up past 255", kPic + u"1 300 1 1 | tab 1 | click BtnNudgeUpB"_s, u"TxtBValue = 301 | TxtMC = 231008"_s);
        row("nudge, C down from 2.5", kPic + u"1 1 2.5 1 | tab 2 | click BtnNudgeDnC"_s, u"TxtCValue = 1.5 | TxtMC = 98573"_s);
        row("nudge, C up moves Single to Triple once", kPic + u"1 1 5 1 | watch TxtMC | click BtnNudgeUpC"_s,
            u"TxtCValue = 6 | tab = 2 | TxtMC = 985622 | changes of TxtMC = 1 | SuppressTabRecalc = 0 | listing ^= ;PIC Time Delay = 0.98562200 s"_s);
        row("nudge, a blank name", kPic + u"1 1 1 1 | type TxtBName | watch TxtMC | click BtnNudgeUpD"_s,
            u"said "_s + kBlankNames + u" | TxtDValue = 2 | tab = 3 | changes of TxtMC = 0 | SuppressTabRecalc = 0"_s);
        row("nudge, a box that holds no number", kPic + u"1 1 1 1 | quietly TxtDValue abc | click BtnNudgeDnD"_s,
            u"said Do not use non-numeric characters within counter values! | TxtDValue = abc | tab = 0"_s);
        // Copy, print and help, refused with a blank name even for a counter the depth does not use.
        row("copy", kPic + u"100 20 5 2 | tab 1 | clipboard old | forget | click BtnCopy | click BtnCopy"_s,
            u"clipboard ^= ;PIC Time Delay = 0.01493500 s with Osc = 4000000 Hz\r\n\t\tmovlw\tD'20'\r\n\t\tmovwf\tCntB\r\n | played snapshot snapshot"_s);
        row("copy, an empty listing", u"quietly TxtAName a | quietly TxtBName b | quietly TxtCName c | quietly TxtDName d | clipboard old | click BtnCopy"_s, u"clipboard = "_s);
        row("copy, a blank name", kPic + u"100 20 5 2 | type TxtDName | clipboard old | forget | click BtnCopy"_s,
            u"said You must not have any blank counter names. Paste not done. | clipboard = old | played "_s);
        row("print", kPic + u"100 20 5 2 | tab 1 | forget | click BtnPrint"_s, u"printed ^= ;PIC Time Delay = 0.01493500 s | played pop"_s);
        row("print, cancelled", kPic + u"100 20 5 2 | cancel | forget | click BtnPrint"_s, u"print dialogs = 1 | printed = | played pop"_s);
        row("print, the printer complains", kPic + u"100 20 5 2 | complain Out of paper. | click BtnPrint"_s, u"said Error : Out of paper."_s);
        row("print, a blank name", kPic + u"100 20 5 2 | type TxtAName | forget | click BtnPrint"_s,
            u"said You must not have any blank counter names. Print aborted. | print dialogs = 0 | played "_s);
        row("help", u"manual | click BtnHelp"_s, u"shell $= /kestrune_v2_2.pdf | played pop"_s);
        // Keys: Return or Enter presses the focused button; in the delay and value boxes it calculates.
        row("key, Return and Enter on a button", kPic + u"1 1 1 1 | forget | key BtnChip Return | key BtnChip Enter"_s, u"played pop pop | Label5 = Machine Cycles:"_s);
        row("key, Return in the delay box searches", kPic + u"100 20 5 2 | tab 1 | click BtnCalcTime | type TxtTime 0.001 | key TxtTime Return"_s,
            u"values = 75 2 1 1 | TxtTime = 0.00100000 | tab = 1"_s);
        row("key, Return in a value box works out the delay", kPic + u"100 20 5 2 | tab 1 | type TxtAValue 99 | key TxtAValue Return"_s,
            u"TxtTime = 0.01493200 | TxtMC = 14932"_s);
        row("key, Return with a blank name", kPic + u"100 20 5 2 | type TxtTime 0.001 | type TxtCName | key TxtTime Return | key TxtBValue Return"_s,
            u"said "_s + kBlankNames + u" | said "_s + kBlankNames + u" | values = 100 20 5 2 | TxtTime = 0.001"_s);
        row("key, F1 opens the manual", u"manual | key TxtClock F1"_s, u"shell $= /kestrune_v2_2.pdf | played pop"_s);
        row("key, F1 from the About window", u"manual | click Picture1 | key BtnDone F1"_s, u"shell $= /kestrune_v2_2.pdf"_s);
        row("key, Escape closes the About window", u"click Picture1 | forget | key BtnDone Escape"_s, u"hidden FrmAbout | played drip"_s);
        row("key, Return closes the About window", u"click Picture1 | forget | key BtnDone Return"_s, u"hidden FrmAbout | played drip"_s);
        row("sounds follow the sound box", kPic + u"1 1 1 1 | untick ChkSound | forget | click BtnChip | click BtnCopy | manual | click BtnHelp | click BtnDefaults"_s,
            u"played "_s);
    }
    void behaviour() {
        QFETCH(QString, steps);
        QFETCH(QString, then);
        WindowFixture fixture;
        QVERIFY_SCENARIO(fixture, steps, then);
    }

    void missingManualIsNamed() {
        WindowFixture fixture;
        runSteps(fixture, u"click BtnHelp"_s);
        QCOMPARE(fixture.desktop.messages.size(), 1);
        QCOMPARE(fixture.desktop.messages.front().icon, ui::MessageIcon::Information);
        QCOMPARE(fixture.desktop.messages.front().text, u"Fileame "_s + fixture.folder.filePath(u"kestrune_v2_2.pdf"_s) + u" not found."_s);
        QCOMPARE(fixture.desktop.shellTargets, QStringList());
    }

    void neitherFormatSelectedWritesNothing() {
        WindowFixture fixture;
        runSteps(fixture, kPic + u"100 20 5 2"_s);
        auto* microchip = fixture.control<QRadioButton>("OptMicroChip");
        microchip->setAutoExclusive(false);
        microchip->setChecked(false);
        const QString before = fixture.listing();
        runSteps(fixture, u"click BtnCalcTime | tab 2"_s);
        QCOMPARE(fixture.listing(), before);
    }

    void oversizedListingStopsPartWay() {
        // A clock text of 32760 characters fits in the header, but the insertion point of the
        // first piece no longer fits in 16 bits: the header alone stays, until the next rebuild.
        WindowFixture fixture;
        QVERIFY_SCENARIO(fixture, kPic + u"100 20 5 2 | quietly TxtClock "_s + QString(32760, u'9') + u" | click OptParallax"_s,
                         u"listing ^= ;PIC Time Delay = | listing $= 99 Hz"_s);
        QVERIFY(!fixture.listing().contains(u"\r\n"_s));
        QVERIFY_SCENARIO(fixture, u"type TxtClock 4000000 | click OptMicroChip"_s, u"listing $= goto\tloop"_s);
    }

    void startUpAndShutDown() {
        for (const bool sound : {true, false}) {
            WindowFixture fixture;
            QCOMPARE(fixture.desktop.soundNames(), QStringList{u"elvis"_s});
            QCOMPARE(fixture.window().findChild<QTimer*>(u"TimerAnimation"_s)->interval(), 2000);
            // The quiet start-up writes leave no flag behind and build no listing.
            QVERIFY_SCENARIO(fixture, sound ? u"click BtnQuit"_s : u"untick ChkSound | click BtnQuit"_s,
                             u"values = 0 0 0 0 | TxtTime = 0 | quiet = 0 0 0 0 | listing = | said You must not have any blank counter names. Preference saving aborted. | played "_s + (sound ? u"donuts"_s : QString()));
            QCOMPARE(fixture.desktop.waits, sound ? QList<int>{2500} : QList<int>{});
            QCOMPARE(fixture.desktop.programEnds, 1);
            // The close box does the same, and the shut-down runs once.
            fixture.window().close();
            QCOMPARE(fixture.desktop.programEnds, 1);
        }
    }
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
