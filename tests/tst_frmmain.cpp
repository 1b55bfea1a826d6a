// The main window's behaviour, one row of steps and expectations per case: the window as it
// starts, the logo, the calculation cycle, the counter search, the tab strip, the clock and
// delay boxes, the counter boxes and nudges, the listing writers and the copy, print and help
// commands, and the keys. And the preferences through the window: saved at close and loaded at
// the next start, the load that stops at its first bad item, the defaults command, failed and
// refused saves, files that are not plain files, and the window's place on the screen.
#include <QDateTime>
#include <QTest>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>

#include "support/Scenario.h"
#include "support/WindowFixture.h"
#include "ui/ScreenFit.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kPic = u"pic | type TxtClock 4000000 | counters "_s;
const QString kBlankNames = u"You must not have any blank counter names."_s;

// A preferences file in which every setting differs from the state start-up prepares, and
// the settings as the window then shows them.
const QString kSample = u"4000000/Outer/Middle/Inner/Fast/2/5/20/100/1/Parallax/ 2 / 1500 / 1500 / 1 / 1 / 0 / 0 "_s;
const QString kSampleShown = u"4000000/Outer/Middle/Inner/Fast/2/5/20/100/1/Parallax/2/1500/1500/1/1/0/0"_s;
// The settings as start-up leaves them when no file sets them.
const QString kStartUp = u"/////0/0/0/0/0/Microchip/0/0/0/0/0/1/1"_s;

// The sample with some of its lines replaced: "12=two" puts "two" on line 12; "-n" keeps n lines.
QString sample(std::initializer_list<const char*> changes, const QString& of = kSample) {
    QStringList lines = of.split(u'/');
    for (const char* change : changes) {
        const QString text = QString::fromUtf8(change);
        if (text.startsWith(u'-')) lines = lines.mid(0, text.mid(1).toInt());
        else lines[text.section(u'=', 0, 0).toInt() - 1] = text.section(u'=', 1);
    }
    return lines.join(u'/');
}

void row(const char* name, const QString& steps, const QString& then) { QTest::newRow(name) << steps << then; }
// Rows on a PIC at 4 MHz, the counters named CntA to CntD: the steps begin with their values.
void pic(const char* name, QStringView steps, QStringView then) { row(name, kPic + steps.toString(), then.toString()); }

}  // namespace

class TestFrmMain : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void behaviour_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("then");
        // Picture buttons show their picture at its own size, and no caption.
        QString pictures;
        for (const QString& name : u"Quit Help Copy Print Defaults Save Reset CalcTime CalcValues"_s.split(u' '))
            pictures += u" | Btn%1 = | picture of Btn%1 = %2"_s.arg(name, name.toLower());
        row("the window as it starts", u"show"_s,
            u"window.windowTitle = Kestrune : Delay Loop Calculator V2.2 | window.size = 640x432 | window.minimumSize = 640x432 | "
            "window.maximumSize = 640x432 | focus = TxtClock | BtnSave.visible = false | BtnReset.visible = false | TxtMC.readOnly = true | "
            "TxtCodeList.readOnly = true | picture of Picture1 = 101 | TimerAnimation.interval = 2000 | TimerAnimation.active = true | "
            "BtnNudgeUpC.accessibleName = Counter C up | BtnNudgeUpC.accessibleDescription = Nudge value up."_s + pictures);
        // The logo turns: frames 102 to 120 every 75 ms, then 101 for 800 ms, and again.
        const int turn[][3] = {{1, 102, 75}, {2, 103, 75}, {19, 120, 75}, {20, 101, 800}, {21, 102, 75}};
        for (const auto& [ticks, frame, interval] : turn)
            QTest::addRow("logo after %d ticks", ticks) << u"timeout TimerAnimation %1"_s.arg(ticks)
                                                        << u"picture of Picture1 = %1 | TimerAnimation.interval = %2"_s.arg(frame).arg(interval);
        // Clearing the box mid-turn rests the logo at once; ticking it starts the next turn 800 ms on.
        row("logo, cleared mid-turn", u"timeout TimerAnimation 5 | click ChkAnimateLogo"_s,
            u"picture of Picture1 = 101 | TimerAnimation.active = false"_s);
        row("logo, ticked again", u"timeout TimerAnimation 5 | click ChkAnimateLogo | click ChkAnimateLogo"_s,
            u"picture of Picture1 = 101 | TimerAnimation.active = true | TimerAnimation.interval = 800"_s);
        row("logo, ticked again, then turning", u"timeout TimerAnimation 5 | click ChkAnimateLogo | click ChkAnimateLogo | timeout TimerAnimation"_s,
            u"picture of Picture1 = 102"_s);
        // Typing stops at a box's limit; a longer text set from code is never cut, and typing cannot make it longer still.
        row("typed, a value box takes 4", u"type TxtBValue 0 | keys TxtBValue 00000"_s, u"TxtBValue = 0000"_s);
        row("typed, a name box takes 50", u"type TxtCName x | keys TxtCName "_s + QString(52, u'x'), u"TxtCName = "_s + QString(50, u'x'));
        row("typed, a longer value", u"type TxtBValue 0000000007 | keys TxtBValue 1 | key TxtBValue Backspace"_s, u"TxtBValue = 000000000"_s);
        // The About window's Done button follows pop-up help too, though that window is only built when shown.
        row("pop-ups off before the About window exists", u"tick ChkPopups | untick ChkPopups | click Picture1"_s, u"BtnDone.toolTip = "_s);
        // Start-up's quiet writes leave no flag behind and build no listing. Quitting saves, with a farewell that the program
        // waits for, and the shut-down runs once, whatever closes the window.
        row("quit", u"click BtnQuit | show | close window"_s, u"values = 0 0 0 0 | TxtTime = 0 | quiet = 0 0 0 0 | listing = | said "_s + kBlankNames +
            u" Preference saving aborted. | played donuts | waits = 2500 | program ends = 1"_s);
        row("quit without sounds", u"untick ChkSound | click BtnQuit"_s,
            u"said "_s + kBlankNames + u" Preference saving aborted. | played  | waits =  | program ends = 1"_s);
        // The calculation cycle: all four depths from the boxes, the selected one shown.
        pic("delay, an empty value box is 1", u"100 20 5 2 | tab 1 | quietly TxtBValue | click BtnCalcTime",
            u"TxtBValue = 1 | CountB = 1 | TxtMC = 305");
        pic("delay, the CALL box recalculates at once", u"255 1 1 1 | click BtnCalcTime | tick ChkAddCR | untick ChkAddCR",
            u"TxtMC = 766 | listing $= \t\tgoto\tloop");
        // The counter search.
        pic("search, PIC 1 ms, by Return in the delay box", u"9 9 9 9 | type TxtTime 0.001 | key TxtTime Return",
            u"tab = 1 | values = 75 2 1 1 | TxtMC = 1000 | TxtTime = 0.00100000 | SuppressTabRecalc = 0 | quiet = 0 0 0 0");
        // A tab the search moves does not recalculate; the press that ends it does, once.
        pic("search, moving the tab recalculates once", u"255 1 1 1 | click BtnCalcTime | watch TxtMC | type TxtTime 0.001 | click BtnCalcValues",
            u"changes of TxtMC = 1 | TxtMC = 1000 | SuppressTabRecalc = 0");
        pic("search, on the shown tab no click is raised", u"5 5 5 5 | tab 1 | type TxtTime 0.001 | click BtnCalcValues | tab 2",
            u"TxtMC = 1004 | SuppressTabRecalc = 0");
        pic("search, a clock that is no number reloads the preferences",
            u"3 3 3 3 | write kestrune.cfg 4000000/d/c/b/a/1/1/9/8/0/Microchip/ 1  | quietly TxtClock soon | tick ChkAddCR | click BtnCalcValues",
            u"said Do not use non-numeric characters in number fields!  Previously saved preferences will be loaded to fix. | values = 8 9 1 1 | "
            "tab = 1 | unticked ChkAddCR");
        pic("search, a clock of 0 stops it where it stands", u"255 1 1 1 | click BtnCalcTime | type TxtClock 0 | type TxtAValue 100 | "
            "click BtnCalcTime | click BtnCalcValues", u"ClockHz = 0 | TxtTime = 0.00076600");
        pic("search, a clock of 0 cannot count the CALL", u"255 1 1 1 | click BtnCalcTime | type TxtClock 0 | tick ChkAddCR | type TxtTime 0.001 | "
            "click BtnCalcValues", u"values = 255 1 1 1 | tab = 0 | SuppressTabRecalc = 0");
        // The tab strip.
        pic("tab, a click recalculates", u"100 20 5 2 | click BtnCalcTime | tab 3",
            u"TxtMC = 51266665 | listing $= \t\tdecfsz\tCntD,1\r\n\t\tgoto\tloop");
        // The clock and delay boxes put back their last number.
        pic("clock, a letter", u"1 1 1 1 | type TxtClock 4000000.4 | type TxtClock 4000000x",
            u"said Do not use non-numeric characters within Oscillator Frequency value! | TxtClock = 4000000 | ClockValue = 4000000 | "
            "ClockHz = 4000000");
        pic("clock, beyond double", u"1 1 1 1 | type TxtClock 1e999", u"said Error : Overflow | TxtClock = 1e999 | ClockValue = 4000000");
        pic("delay box, a word", u"1 1 1 1 | type TxtTime 0.0000078222 | type TxtTime fast",
            u"said Do not use non-numeric characters within Delay Time value! | TxtTime = 0.000007822");
        // The chip toggle recalculates nothing.
        pic("chip, toggled", u"255 1 1 1 | click BtnCalcTime | forget | click BtnChip",
            u"Label5 = Clock Cycles: | Label7 = cc | TxtTime = 0.00076600 | listing ^= ;PIC Time | played pop | chip picture = Sxturbo | "
            "BtnChip.accessibleName = Chip type: SX-Turbo | TxtMC.accessibleName = Clock Cycles");
        pic("chip, toggled twice", u"255 1 1 1 | forget | click BtnChip | click BtnChip",
            u"Label5 = Machine Cycles: | Label7 = mc | played pop pop | chip picture = Mchip | BtnChip.accessibleName = Chip type: PIC | "
            "TxtMC.accessibleName = Machine Cycles");
        // The listing writers.
        pic("listing, the format alone rebuilds", u"100 20 1 1 | tab 1 | click OptParallax | click OptMicroChip",
            u"listing $= \t\tdecfsz\tCntB,1\r\n\t\tgoto\tloop | TxtMC = 14935");
        pic("listing, the header follows the chip, not the format", u"100 20 5 2 | tab 1 | click BtnChip | click OptParallax",
            u"listing ^= ;SX-Turbo Time Delay = 0.01493500 s with Osc = 4000000 Hz\r\n\t\tmov\tCntB,#20");
        pic("listing, an empty value box of the depth keeps the old one", u"100 20 5 2 | tab 1 | quietly TxtBValue | click OptParallax",
            u"listing $= \t\tgoto\tloop");
        pic("listing, an empty value box beyond the depth does not", u"100 20 5 2 | tab 2 | quietly TxtDValue | click OptParallax",
            u"listing $= \t\tdjnz\tCntC,:loop");
        pic("listing, texts quoted as they stand", u"100 20 5 2 | type TxtTime  1E-3 | type TxtClock 4e6 | click OptParallax",
            u"listing ^= ;PIC Time Delay =  1E-3 s with Osc = 4e6 Hz\r\n");
        // A clock text of 32760 characters fits in the header, but the insertion point of the first piece no longer fits in
        // 16 bits: the header alone stays.
        const QString nines(32760, u'9');
        pic("listing, a header too long for the pieces", u"100 20 5 2 | quietly TxtClock "_s + nines + u" | click OptParallax"_s,
            u"listing = ;PIC Time Delay = 0 s with Osc = "_s + nines + u" Hz"_s);
        // Counter names are checked as they change; an accepted one rebuilds the listing.
        pic("name, accepted", u"100 20 5 2 | type TxtAName Count1", u"listing $= Count1,1\r\n\t\tgoto\tloop");
        pic("name, a digit first", u"100 20 5 2 | type TxtDName 1dly",
            u"said Do not use a number as the first character of a counter name! | TxtDName = CntD");
        pic("name, a space inside", u"100 20 5 2 | type TxtBName d ly", u"said Do not use spaces within counter names! | TxtBName = CntB");
        pic("name, a trailing space dropped", u"100 20 5 2 | type TxtCName count ", u"TxtCName = count");
        pic("name, inner and trailing space, one message", u"100 20 5 2 | type TxtBName d ly ",
            u"said Do not use spaces within counter names! | TxtBName = CntB");
        pic("name, a comment sign", u"100 20 5 2 | type TxtAName a;b",
            u"said Do not use the character ';' within counter names! | TxtAName = CntA | listing $= CntA,1\r\n\t\tgoto\tloop");
        pic("name, a digit first wins over a bad character", u"100 20 5 2 | type TxtAName 1;",
            u"said Do not use a number as the first character of a counter name! | TxtAName = CntA");
        // The counters a calculation uses must have names the chosen format's assembler tells apart, or the listing would
        // count one register down twice: gpasm minds capitals, the Parallax assembler does not. Refused, nothing is calculated
        // and there is no listing; counters the depth does not use may share a name. The search goes by the depth it finds.
        for (const QString& clash : {u"0 A B"_s, u"1 A B refused"_s, u"2 A C refused"_s, u"2 C D"_s, u"3 B D refused"_s}) {
            const QStringList f = clash.split(u' ');
            QTest::addRow("names, %s and %s alike on tab %s", qPrintable(f[1]), qPrintable(f[2]), qPrintable(f[0]))
                << kPic + u"100 20 5 2 | tab %1 | type Txt%2Name a | type Txt%3Name a | type TxtAValue 99 | watch TxtMC | "
                          "click BtnCalcTime"_s.arg(f[0], f[1], f[2])
                << (f.size() > 3 ? u"said Counters %1 and %2 have the same name (a)! | changes of TxtMC = 0 | listing = "_s.arg(f[1], f[2])
                                 : u"changes of TxtMC = 1 | listing ^= ;PIC"_s);
        }
        pic("names, capitals differ to gpasm", u"100 20 5 2 | tab 1 | type TxtBName cnta | click BtnCalcTime",
            u"TxtMC = 14935 | listing $= \tcnta,1\r\n\t\tgoto\tloop");
        pic("names, capitals alike to the Parallax assembler", u"100 20 5 2 | tab 1 | type TxtBName cnta | click OptParallax | click BtnCalcTime",
            u"said Counters A and B have the same name (CntA, cnta)! | listing = ");
        pic("names, alike in the depth the search finds", u"100 20 5 2 | type TxtBName CntA | type TxtTime 0.001 | click BtnCalcValues",
            u"said Counters A and B have the same name (CntA)! | tab = 0 | values = 100 20 5 2 | TxtTime = 0.001");
        pic("names, alike beyond the depth the search finds", u"100 20 5 2 | type TxtDName CntC | type TxtTime 0.001 | click BtnCalcValues",
            u"values = 75 2 1 1");
        pic("names, alike at a tab click: the delay, no listing", u"100 20 5 2 | type TxtBName CntA | tab 1", u"TxtMC = 14935 | listing = ");
        // A counter value goes into the listing as it stands, so it is decimal digits alone for 0 to 255, however it comes.
        // Another number is refused and the box gets its last value back, a nudge steps nothing, and a preferences file
        // stops loading there, silently; blanks around a line of the file are no part of its item.
        const QString range = u"said Counter values are whole numbers from 0 to 255 (0 means 256 passes)! | "_s;
        const char* values[][3] = {{"0", "1", "0"}, {"007", "8", "007"}, {"255", "0", "255"}, {"256"}, {"300"}, {"-1"}, {"2.5"}, {"1e2"},
                                   {"+7"}, {" 7 ", nullptr, "7"}};
        for (const auto& [value, nudged, loaded] : values) {
            const QString text = QString::fromLatin1(value), kept = nudged ? text : u"100"_s;
            const QString typed = (nudged ? QString() : range) +
                                  u"TxtAValue = %1 | listing ^= ;PIC Time Delay = 0 s with Osc = 4000000 Hz\r\n\t\tmovlw\tD'%1'"_s.arg(kept);
            QTest::addRow("value %s, typed", value) << kPic + u"100 20 5 2 | type TxtAValue "_s + text << typed;
            QTest::addRow("value %s, nudged", value) << kPic + u"100 20 5 2 | quietly TxtAValue %1 | click BtnNudgeUpA"_s.arg(text)
                                                     << (nudged ? u"TxtAValue = "_s + QLatin1StringView(nudged) : range + u"TxtAValue = "_s + text);
            QTest::addRow("value %s, loaded", value)
                << u"write kestrune.cfg 4000000/d/c/b/a/1/1/1/%1/0/Microchip/ 1 / 0 / 0 / 0 / 1 / 1 / 1  | start"_s.arg(text)
                << (loaded ? u"values = %1 1 1 1 | tab = 1"_s.arg(QLatin1StringView(loaded)) : u"values = 0 1 1 1 | tab = 0"_s);
        }
        pic("value, a letter", u"100 20 5 2 | type TxtAValue 12 | quietly TxtTime 0.125 | type TxtAValue x2",
            u"said Do not use non-numeric characters within counter values! | TxtAValue = 12 | DelayValue = 0.125 | "
            "listing ^= ;PIC Time Delay = 0.125 s");
        pic("value, a search leaves no quiet flag behind", u"9 9 1 1 | type TxtTime 0.001 | click BtnCalcValues | quietly TxtTime 0.125 | "
            "type TxtCValue 3", u"listing ^= ;PIC Time Delay = 0.125 s | DelayValue = 0.125 | quiet = 0 0 0 0");
        // The nudge buttons step by one, wrap between 255 and 0 and show a depth that uses the counter.
        pic("nudge, A down wraps 0 to 255", u"0 1 1 1 | click BtnNudgeDnA", u"TxtAValue = 255 | TxtMC = 766");
        pic("nudge, A down keeps Triple", u"1 1 1 1 | tab 2 | click BtnNudgeDnA", u"TxtAValue = 0 | tab = 2 | TxtMC = 777");
        pic("nudge, C up moves Single to Triple once", u"1 1 5 1 | watch TxtMC | click BtnNudgeUpC",
            u"TxtCValue = 6 | tab = 2 | TxtMC = 985622 | changes of TxtMC = 1 | SuppressTabRecalc = 0 | listing ^= ;PIC Time Delay = 0.98562200 s");
        pic("nudge, a blank name", u"1 1 1 1 | type TxtBName | watch TxtMC | click BtnNudgeUpD",
            u"said "_s + kBlankNames + u" | TxtDValue = 2 | tab = 3 | changes of TxtMC = 0 | SuppressTabRecalc = 0"_s);
        pic("nudge, a box that holds no number", u"1 1 1 1 | quietly TxtDValue abc | click BtnNudgeDnD",
            u"said Do not use non-numeric characters within counter values! | TxtDValue = abc | tab = 0");
        // Copy, print and help, refused with a blank name even for a counter the depth does not use.
        pic("copy", u"100 20 5 2 | tab 1 | clipboard old | forget | click BtnCopy | click BtnCopy",
            u"clipboard ^= ;PIC Time Delay = 0.01493500 s with Osc = 4000000 Hz\r\n\t\tmovlw\tD'20'\r\n\t\tmovwf\tCntB\r\n | "
            "played snapshot snapshot");
        row("copy, an empty listing", u"quietly TxtAName a | quietly TxtBName b | quietly TxtCName c | quietly TxtDName d | clipboard old | "
            "click BtnCopy"_s, u"clipboard = "_s);
        pic("copy, a blank name", u"100 20 5 2 | type TxtDName | clipboard old | forget | click BtnCopy",
            u"said You must not have any blank counter names. Paste not done. | clipboard = old | played ");
        pic("print", u"100 20 5 2 | tab 1 | forget | click BtnPrint", u"printed ^= ;PIC Time Delay = 0.01493500 s | played pop");
        pic("print, cancelled", u"100 20 5 2 | cancel | forget | click BtnPrint", u"print dialogs = 1 | printed = | played pop");
        pic("print, the printer complains", u"100 20 5 2 | complain Out of paper. | click BtnPrint", u"said Error : Out of paper.");
        pic("print, a blank name", u"100 20 5 2 | type TxtAName | forget | click BtnPrint",
            u"said You must not have any blank counter names. Print aborted. | print dialogs = 0 | played ");
        row("help", u"manual | click BtnHelp"_s, u"shell $= /kestrune_v2_2.pdf | played pop"_s);
        // Keys: Return in a value box works out the delay and in the delay box finds the counters, neither with a blank name;
        // F1 opens the manual from either window, Escape and Return close the About window.
        pic("key, Return in a value box works out the delay", u"100 20 5 2 | tab 1 | type TxtAValue 99 | key TxtAValue Return",
            u"TxtTime = 0.01493200 | TxtMC = 14932");
        pic("key, Return with a blank name", u"100 20 5 2 | type TxtTime 0.001 | type TxtCName | key TxtTime Return | key TxtBValue Return",
            u"said "_s + kBlankNames + u" | said "_s + kBlankNames + u" | values = 100 20 5 2 | TxtTime = 0.001 | tab = 0"_s);
        row("key, F1 from the About window", u"manual | click Picture1 | key BtnDone F1"_s, u"shell $= /kestrune_v2_2.pdf"_s);
        row("key, Enter on the logo opens the About window", u"key Picture1 Enter"_s, u"FrmAbout.visible = true"_s);
        row("key, Escape closes the About window", u"click Picture1 | forget | key BtnDone Escape"_s, u"FrmAbout.visible = false | played drip"_s);
        row("key, Return closes the About window", u"click Picture1 | forget | key BtnDone Return"_s, u"FrmAbout.visible = false | played drip"_s);
        pic("sounds follow the sound box", u"1 1 1 1 | untick ChkSound | forget | click BtnChip | click BtnCopy | manual | click BtnHelp | "
            "click BtnDefaults", u"played ");
        // The logo shows the same About window again, its Done tip brought up to date; its close box destroys it, and a
        // fresh one carries its own tip until pop-ups are next brought up to date.
        row("about, shown again", u"click Picture1 | click BtnDone | tick ChkPopups | click Picture1"_s,
            u"FrmAbout.visible = true | BtnDone.toolTip = Close About Window"_s);
        row("about, closed and shown afresh", u"click Picture1 | close FrmAbout | click Picture1"_s,
            u"FrmAbout.visible = true | BtnDone.toolTip = Close About Window"_s);
        // What the window holds is saved at close and back at the next start, calculated.
        row("saved at close, PIC, Microchip, one loop",
            u"pic | type TxtClock 4000000 | counters 75 2 3 4 | click OptMicroChip | tab 0 | untick ChkPopups | untick ChkSound | untick ChkAnimateLogo | forget | restart"_s,
            u"settings = 4000000/CntD/CntC/CntB/CntA/4/3/2/75/0/Microchip/0/0/0/0/1/0/0 | chip picture = Mchip | TxtMC = 226 | played "
            "| file kestrune.cfg = 4000000/CntD/CntC/CntB/CntA/4/3/2/75/0/Microchip/ 0 / 0 / 0 / 0 / 1 / 0 / 0 /"_s);
        row("saved at close, SX, Parallax, four loops, names as they may be",
            u"sx | type TxtClock 50000000 | counters 1 1 0 0 | type TxtDName outer.d | type TxtCName _c? | type TxtAName zaehler | tick ChkAddCR "
            "| click OptParallax | tab 3 | tick ChkPopups | forget | restart"_s,
            u"settings = 50000000/outer.d/_c?/CntB/zaehler/0/0/1/1/1/Parallax/3/0/0/1/0/1/1 | chip picture = Sxturbo | TxtMC = 17230135316 | played donuts elvis "
            "| listing ^= ;SX-Turbo Time Delay = 344.60270632 s with Osc = 50000000 Hz\r\n\t\tmov\touter.d,#0"_s);
        // A load stops at its first bad item and keeps what it applied; only a load read to its
        // end shows the chip and calculates.
        row("no file", u"start"_s, u"settings = "_s + kStartUp + u" | chip picture = Sxturbo | Label5 = Machine Cycles: | TxtMC = | listing = "_s);
        row("ends after line 17", u"write kestrune.cfg "_s + sample({"-17"}) + u" | start"_s,
            u"settings = 4000000/Outer/Middle/Inner/Fast/2/5/20/100/1/Parallax/2/1500/1500/1/1/0/1 | chip picture = Sxturbo | Label5 = Machine Cycles:"_s);
        row("the sample", u"write kestrune.cfg "_s + kSample + u" | start"_s,
            u"settings = "_s + kSampleShown + u" | chip picture = Mchip | Label7 = mc | window.pos = 100,100"_s);
        // A saved position that would leave part of the window off the screen (800 x 600 on the
        // offscreen platform) comes back the least distance, however far off it lies.
        row("a position off the screen", u"write kestrune.cfg "_s + sample({"13=-1500 ", "14= 3e38 "}) + u" | start"_s,
            u"window.pos = 160,0"_s);
        row("a chip of 7 read to the end is a PIC", u"write kestrune.cfg "_s + sample({"16= 7 ", "10=0"}) + u" | start | restart"_s,
            u"chip picture = Mchip | settings = "_s + sample({"10=0"}, kSampleShown));
        // A name refused while loading shows its message and the load goes on; at start-up no
        // name was accepted yet, so the box stays empty and the calculation finds a blank.
        row("a name that starts with a digit, at start-up", u"write kestrune.cfg "_s + sample({"5=1st", "10=0"}) + u" | start"_s,
            u"said Do not use a number as the first character of a counter name! | said You must not have any blank counter names. "
            "| settings = "_s + sample({"5=", "10=0"}, kSampleShown));
        // A blank name at shut-down refuses the save; the earlier file stays, and the program ends.
        row("a blank name at shut-down", u"write kestrune.cfg "_s + kSample + u" | start | type TxtCName | tab 3 | forget | click BtnQuit"_s,
            u"said You must not have any blank counter names. Preference saving aborted. | file kestrune.cfg = "_s + kSample + u'/');
        // The defaults command: a change of tab does not recalculate, the command does, once.
        row("defaults: PIC, the same tab, pop-ups 0 ticks",
            u"sx | type TxtClock 8000000 | counters 9 9 9 9 | tab 1 | write Kestrune.def "_s + sample({"15=0", "11=Microchip", "10=0"}) + u" | watch TxtMC | click BtnDefaults"_s,
            u"played drip | changes of TxtMC = 1 | SuppressTabRecalc = 0 | chip picture = Mchip | settings = "_s +
                sample({"15=1", "11=Microchip", "10=0"}, kSampleShown) + u" | file kestrune.cfg = missing"_s);
        row("defaults: SX, tab 2 to 0, False unticks",
            u"pic | counters 9 9 9 9 | tab 2 | tick ChkPopups | write Kestrune.def "_s + sample({"12= 0 ", "15=False", "16=0", "10=0"}) + u" | watch TxtMC | click BtnDefaults | tab 1"_s,
            u"changes of TxtMC = 2 | tab = 1 | chip picture = Sxturbo | Label5 = Clock Cycles: | unticked ChkPopups"_s);
        row("defaults: 7 and 1.5 are no tab, false ticks",
            u"pic | counters 9 9 9 9 | tab 2 | write Kestrune.def "_s + sample({"12=1.5", "10=0"}) + u" | click BtnDefaults | write Kestrune.def "_s +
                sample({"12= 7 ", "15=false", "10=0"}) + u" | untick ChkPopups | click BtnDefaults"_s,
            u"tab = 2 | ticked ChkPopups | SuppressTabRecalc = 0"_s);
    }
    void behaviour() {
        QFETCH(QString, steps);
        QFETCH(QString, then);
        WindowFixture fixture;
        QVERIFY_SCENARIO(fixture, steps, then);
    }

    void missingManualIsNamed() {
        WindowFixture fixture;
        const QString manual = fixture.folder.filePath(u"kestrune_v2_2.pdf"_s);
        QVERIFY_SCENARIO(fixture, u"click BtnHelp"_s, u"said Fileame "_s + manual + u" not found. | shell = | played pop"_s);
        QCOMPARE(fixture.desktop.messages.front().icon, ui::MessageIcon::Information);
    }

    void fullDiskKeepsWhatWasThere() {
        WindowFixture fixture;
        runSteps(fixture, u"write kestrune.cfg "_s + kSample + u" | start"_s);
        // A file size limit holds for root too: writing past 16 bytes fails as on a full disk.
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit unlimited = limit;
        const auto ignoredSignal = std::signal(SIGXFSZ, SIG_IGN);
        limit.rlim_cur = 16;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
        runSteps(fixture, u"type TxtAValue 99 | click BtnQuit"_s);
        setrlimit(RLIMIT_FSIZE, &unlimited);
        std::signal(SIGXFSZ, ignoredSignal);
        // The message names the file and why; the file is whole, and no scratch file is left.
        QVERIFY_HOLDS(fixture, u"said Error : %1 could not be written: File too large | file kestrune.cfg = %2/"_s
                                   .arg(fixture.folder.filePath(u"kestrune.cfg"_s), kSample));
        QCOMPARE(QDir(fixture.folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList(u"kestrune.cfg"_s));
    }

    void notPlainFilesHoldNothingUp() {
        // Read as a missing file: the start-up state, or the settings as they stand.
        for (const QString& pipe : {u"kestrune.cfg"_s, u"Kestrune.def"_s}) {
            WindowFixture window;
            QCOMPARE(::mkfifo(QFile::encodeName(window.folder.filePath(pipe)).constData(), 0600), 0);
            QVERIFY_SCENARIO(window, u"start | click BtnDefaults"_s, u"settings ^= /////0/0/0/0/0/Microchip"_s);
        }
        // A temporary file an interrupted save left is gone after the next start.
        WindowFixture fixture;
        runSteps(fixture, u"write kestrune.cfg "_s + kSample + u" | write kestrune.cfg.x7Kq2Z 4000000/Ou"_s);
        QFile leftover(fixture.folder.filePath(u"kestrune.cfg.x7Kq2Z"_s));
        QVERIFY(leftover.open(QIODevice::Append) && leftover.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
        leftover.close();
        fixture.restart(false);
        QVERIFY(!leftover.exists());
        QVERIFY_HOLDS(fixture, u"settings = "_s + kSampleShown);
    }

    void fitOnScreen_data() {
        // A 640 x 432 window, and the 1280 x 1024 screen of a saved position that left only a
        // 147 x 91 corner of it in view.
        QTest::addColumn<QPoint>("saved");
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<QPoint>("placed");
        const QRect screen(0, 0, 1280, 1024);
        const QRect right(1280, 0, 1920, 1080);
        QTest::newRow("fits, kept") << QPoint(640, 592) << QList<QRect>{screen} << QPoint(640, 592);
        QTest::newRow("mostly off the lower right") << QPoint(1133, 933) << QList<QRect>{screen} << QPoint(640, 592);
        QTest::newRow("off the left and the top") << QPoint(-300, -20) << QList<QRect>{screen} << QPoint(0, 0);
        QTest::newRow("on no screen, onto the primary one") << QPoint(5000, 40) << QList<QRect>{screen, right} << QPoint(640, 40);
        QTest::newRow("mostly on the second screen") << QPoint(1000, 700) << QList<QRect>{screen, right} << QPoint(1280, 648);
        QTest::newRow("one pixel on the second screen") << QPoint(3199, 1079) << QList<QRect>{screen, right} << QPoint(2560, 648);
        QTest::newRow("larger than its screen") << QPoint(20, 20) << QList<QRect>{QRect(0, 0, 600, 400)} << QPoint(0, 0);
    }
    void fitOnScreen() {
        QFETCH(QPoint, saved);
        QFETCH(QList<QRect>, screens);
        QFETCH(QPoint, placed);
        QCOMPARE(ui::fitOnScreen(QRect(saved, QSize(640, 432)), screens, screens.front()), placed);
    }
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
