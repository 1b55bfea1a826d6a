// kestrune-cli run in-process: its output, in text and JSON, the notes after it, units,
// refused input, and the same answers the window gives, whose Microchip listings of a PIC
// gpsim runs.
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include "calc/Chip.h"
#include "calc/NumberText.h"
#include "cli/Cli.h"
#include "support/Judges.h"
#include "support/RowTable.h"
#include "support/Scenario.h"
#include "support/WindowFixture.h"

using namespace Qt::Literals::StringLiterals;

namespace {

struct Run {
    int status = -1;
    QString out, err;
};

// The words of a command line, '~' standing for a blank inside one.
Run run(const QString& command) {
    Run result;
    QStringList arguments = command.split(u' ', Qt::SkipEmptyParts);
    for (QString& argument : arguments) argument.replace(u'~', u' ');
    {  // the streams write everything out as they close
        QTextStream out(&result.out), err(&result.err);
        result.status = cli::runCli(arguments, out, err);
    }
    return result;
}

QJsonObject jsonOf(const QString& command) { return QJsonDocument::fromJson(run(command + u" --json"_s).out.toUtf8()).object(); }

}  // namespace

class TestCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wholeOutput_data() {
        // A command and its output, '|' ending each line and '→' for a tab.
        for (const char* column : {"command", "expected"}) QTest::addColumn<QString>(column);
        QTest::newRow("time, Parallax, SX, CR LF")
            << "time --chip sx --format parallax --crlf --clock 4MHz --counts 100,20,5 --names CntA,CntB,CntC --call-return"
            << "Loop depth: 3 (Triple)|Counter A: CntA = 100|Counter B: CntB = 20|Counter C: CntC = 5|Counter D: Delay4 = 1|"
               "Delay Time: 0.26789750 s|Clock Cycles: 1071590|Instructions: 13 (13 words)|Registers: CntA, CntB, CntC|Stack: 1 level||"
               ";SX-Turbo Time Delay = 0.26789750 s with Osc = 4000000 Hz|"
               "→→mov→CntC,#5|→→mov→CntB,#20|→→mov→CntA,#100|:loop→→djnz→CntA,$|→→djnz→CntB,:loop|→→djnz→CntC,:loop|→→ret|";
        // One name allows one counter: the 9 cycles between the CALL and the return take one loop and a jump, or four jumps
        // and a nop: as many instructions, and no register.
        QTest::newRow("exact routine, padded") << "values --clock 4MHz --delay 13us --exact --routine w13 --names n"
            << "Loop depth: 0 (no loop)|Counter A: n = 1|Counter B: Delay2 = 1|Counter C: Delay3 = 1|Counter D: Delay4 = 1|"
               "Padding: 4 x goto $+1, 1 x nop|Delay Time: 0.00001300 s|Machine Cycles: 13|Wanted cycles: 13|Achieved cycles: 13|"
               "Cycles left: 0|Time error: 0 s (0 ppm)|Instructions: 6 (6 words)|Registers: none|Stack: 1 level||"
               ";PIC Time Delay = 0.00001300 s with Osc = 4000000 Hz|;w13 takes 13 machine cycles, 0.00001300 s at 4000000 Hz, its CALL "
               "and return included; its counters in RAM it reaches without a bank change|w13→→goto→$+1|→→goto→$+1|→→goto→$+1|"
               "→→goto→$+1|→→nop|→→retlw→0|";
        // An AVR counter that is no register is defined for the routine, on a register no other counter names; the routine's
        // loop label is its own.
        QTest::newRow("AVR, declared routine") << "values --chip avr --clock 1MHz --cycles 800 --exact --names cnt,r16 --declare --routine wait"
            << "Loop depth: 2 (Double)|Counter A: cnt = 6|Counter B: r16 = 2|Counter C: r18 = 1|Counter D: r19 = 1|"
               "Padding: 1 x rjmp PC+1, 0 x nop|Delay Time: 0.00080000 s|Clock Cycles: 800|Wanted cycles: 800|Achieved cycles: 800|"
               "Cycles left: 0|Time error: 0 s (0 ppm)|Instructions: 8 (8 words)|Registers: cnt, r16|Stack: 2 bytes||"
               ";AVR Time Delay = 0.00080000 s with Osc = 1000000 Hz|;wait takes 800 clock cycles, 0.00080000 s at 1000000 Hz, its CALL and "
               "return included|→→.def→cnt = r17|wait:→→ldi→r16, 2|→→ldi→cnt, 6|wait_loop:→→dec→cnt|→→brne→wait_loop|→→dec→r16|"
               "→→brne→wait_loop|→→rjmp→PC+1|→→ret|";
    }
    void wholeOutput() {
        QFETCH(QString, command);
        QFETCH(QString, expected);
        const Run result = run(command);
        const QString end = command.contains(u"--crlf"_s) ? u"\r\n"_s : u"\n"_s;
        QCOMPARE(result.status, 0);
        QCOMPARE(result.err, QString());
        QCOMPARE(result.out, expected.replace(u'|', end).replace(u'→', u'\t'));
        // In JSON the listing ends with its last instruction, as in the window's code box.
        QVERIFY(result.out.endsWith(end + jsonOf(command)[u"listing"_s].toString() + end));
    }

    void statusAndMessages_data() {
        // A command line, its exit status, what the one line on standard error says, how the output starts and texts it holds;
        // V and T stand for a values and a time command with the clock (and the delay) given.
        table({"values --clock 4MHz --delay 1000000|0|Note: 1000000 s is at or above the longest delay; using 12918.58791100 s|Loop depth: 4",
               "values --clock 4MHz --delay 0.0000005 --call-return|0|"
               "Note: 0.0000005 s is below the shortest delay; using 0.00000400 s plus the CALL and return",
               "values --bogus -h|0||Usage: kestrune-cli values|--clock|--delay|--cycles|--counts|--chip|--call-return|--format|--names|"
               "--exact|--round|--max-depth|--routine|--declare|--crlf|--json|--help|--version|0 means 256 passes|0 meaning 256 passes|"
               "\"4mhz\" is 4 MHz|1 when the report cannot be written, 2 on bad input|PIC16F1xxx|AVR Dx|1T",
               "--version|0||kestrune-cli 2.2\n",
               // The search aims 6 cycles short of 1 ms, finds 49994 exactly, and the display adds them back.
               "values --clock 50MHz --chip sx --format parallax --call-return --delay 1ms --names a,b|0||Loop depth: 2 (Double)\n"
               "Counter A: a = 173\nCounter B: b = 49\nCounter C: Delay3 = 1\n|Wanted cycles: 50000\nAchieved cycles: 50000\nCycles left: 0\n",
               // The window's one loop stays below the request; more loops do not end below it. Without a CALL no stack is used.
               "values --clock 4MHz --delay 0.5ms|0|||Cycles left: 1\nTime error: -1e-06 s (-2000 ppm)\n|Registers: Delay1\n\n",
               "values --clock 4MHz --delay 1.2346ms|0|||Wanted cycles: 1235\nAchieved cycles: 1237\nCycles left: -2\n"
               "Time error: 2e-06 s (1619.43 ppm)\n",
               // A routine of exactly the wanted time is not below it, however its time rounds: the search and the cap take it.
               "values --clock 4MHz --delay 530.178ms|0|||Cycles left: 0\n", "values --clock 4MHz --cycles 769 --max-depth 1|0|||Cycles left: 0\n",
               "values --clock 3.4e38 --delay 1 --max-depth 1|2|(at most 769 machine cycles, 9.04705882352941e-36 s)",
               // The error is counted in whole cycles: a request met exactly has none, however it was written in decimals.
               "values --clock 20MHz --delay 20us|0|||Cycles left: 0\nTime error: 0 s (0 ppm)\n",
               "values --clock 4MHz --delay 1s --exact|0||Loop depth: 3 (Triple)|Padding: 1 x goto $+1, 0 x nop\n",
               "values --clock 4MHz --delay 24.1us --exact --round up|0|||Wanted cycles: 25\nAchieved cycles: 25\n",
               "values --clock 4MHz --delay 24.1us --exact --round down|0|||Wanted cycles: 24\nAchieved cycles: 24\n",
               // Far beyond the limits: clamped as the window does, the numbers in exponent form, nothing overflowing.
               "values --clock 4MHz --delay 1e308|0|Note: 1e+308 s is at or above the longest delay; using 12918.58791100 s||"
               "Wanted cycles: 1e+314\nAchieved cycles: 12918587911\nCycles left: 1e+314\nTime error: -1e+308 s (-1e+06 ppm)\n",
               "values --clock 3.4e38 --delay 1.7e308|0|Note: 1.7e+308 s is at or above the longest delay; using 0.00000000 s||Wanted cycles: 1.445e+346\n",
               "values --clock 3.4e38 --delay 1.7e308 --json|0|Note: 1.7e+308 s is at or above the longest delay; using 0.00000000 s||\"wanted_cycles\": null",
               "values --clock 4MHz --delay 1e308 --exact|2|--exact: 1e+308 s is beyond what four loops can make (at most 12918587913 "
               "machine cycles, 12918.587913 s)",
               "values --clock 4MHz --delay 0|0|Note: 0 s is below the shortest delay; using 0.00000400 s||Time error: 4e-06 s (no ppm)\n",
               // Units scale the exponent, so the numbers are exactly those the plain decimals give ('~' is a blank); scaling
               // 7000 us by multiplication or division would miss by one unit in the last place.
               "values --clock 4mhz --delay 1000µs --json|0|||\"clock_hz\": 4000000,|\"requested_delay_s\": 0.001,",
               "values --clock ~4~MHz --delay 1000~μs --json|0|||\"clock_hz\": 4000000,|\"requested_delay_s\": 0.001,",
               "values --clock 32.768e0kHz --delay 1e1ms --json|0|||\"clock_hz\": 32768,|\"requested_delay_s\": 0.01,",
               "values --clock 20MHz --delay 7000us --json|0|||\"clock_hz\": 20000000,|\"requested_delay_s\": 0.007,",
               "values --clock 4000000Hz --delay 0.5s --json|0|||\"clock_hz\": 4000000,|\"mode\": \"values\",|\"requested_delay_s\": 0.5,",
               "values --clock 0.004GHz --delay 5e5ns --json|0|||\"clock_hz\": 4000000,|\"requested_delay_s\": 5e-04,",
               "|2|missing command", "value --clock 4MHz --delay 1ms|2|unknown command 'value'", "V time|2|unexpected argument 'time'",
               "V -x|2|unknown option '-x'", "values --delay 1ms|2|missing --clock", "values --clock 4MHz|2|missing --delay",
               "T|2|missing --counts", "values --clock 0e2147483647kHz --delay 1ms|2|--clock must be above 0 Hz",
               "values --clock 4MB --delay 1ms|2|--clock '4MB' is not a frequency", "values --clock --delay 1ms|2|missing value for --clock",
               "values --clock 1e39 --delay 1ms|2|--clock '1e39' is out of range", "values --delay 1ms --clock|2|missing value for --clock",
               "V --clock 20MHz|2|--clock is given twice", "V --json --json|2|--json is given twice", "V --crlf=yes|2|--crlf takes no value",
               "values --clock 4MHz --delay -1ms|2|--delay must not be negative", "values --clock 4MHz --delay 1Hz|2|--delay '1Hz' is not a delay",
               "T --delay 1ms --counts 1|2|--delay belongs to the values command", "V --counts 1|2|--counts belongs to the time command",
               "T --counts 1 --exact|2|--exact belongs to the values command", "T --counts 256|2|--counts '256' is not a whole number from 0 to 255 (0 means 256 passes)",
               "T --counts 7,x|2|--counts 'x' is not a number", "T --counts 7,,8|2|--counts has an empty count",
               "T --counts 1,2,3,4,5|2|--counts has 5 counts; at most 4", "V --names a,,c|2|--names '' is an empty name",
               "V --names my~count|2|--names 'my count' holds a space", "V --names a,2b|2|--names '2b' starts with a digit",
               "V --names a\tb|2|--names 'a\\u0009b' holds U+0009", "V --names a;b|2|--names 'a;b' holds ';'",
               "V --names xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx|2|is longer than 50 characters",
               "V --routine 9lives|2|--routine '9lives' starts with a digit", "V --chip z80|2|--chip 'z80' is not pic, pic18, sx, avr or 8051",
               "V --format intel|2|--format 'intel' is not microchip, parallax, atmel, gnu or asm51",
               "V --chip avr --format microchip|2|--format 'microchip' does not fit --chip avr; use atmel or gnu",
               "values --chip avr --clock 1MHz --cycles 800 --exact --names cnt,r16|0|||;define cnt with .def NAME = r16..r31\n",
               // What the routine costs, as as31 assembles it: mov Rn,#data and djnz take two bytes, nop and ret one.
               "values --chip 8051 --clock 12MHz --cycles 1235 --exact --call-return|0|||Instructions: 6 (10 bytes)\nRegisters: R2, R3\nStack: 2 bytes\n",
               "V --chip avr --names r3|2|--names 'r3' is not one of r16-r31", "V --chip avr --format gnu --names r16,cnt|2|--names 'cnt' is not",
               "V --chip 8051 --names Delay1|2|--names 'Delay1' is not one of the registers R0-R7",
               "V --chip 8051 --routine r1|2|--routine 'r1' is a register name",
               "V --chip 8051 --routine a.b|2|--routine 'a.b' holds '.', which the asm51 format takes in no label",
               "V --chip avr --format gnu --routine a?b|2|holds '?'", "V --chip avr --format gnu --routine a.b|0||Loop depth: 2",
               // Only the counters the routine may use are kept apart from its name.
               "T --counts 5 --routine Delay2|0||Loop depth: 1", "V --names a,b --routine Delay3|0||Loop depth: 2",
               "V --routine delay2 --format parallax|2|--routine 'delay2' is also the name of counter B",
               // gpasm keeps labels among the counters' symbols; the Parallax label is local, avra's .def an alias.
               "V --names loop|2|--names 'loop' is the listing's loop label", "V --routine w --names a,w_loop|2|--names 'w_loop' is the",
               "V --names LOOP,b|0||Loop depth: 2", "V --names loop,b --format parallax|0||Loop depth: 2",
               "V --chip avr --names loop,r17|0||Loop depth: 2",
               // Two counters on one register, as each assembler compares names.
               "T --counts 10,2 --names a,a|2|--names: counters A and B are the same register 'a'",
               "T --counts 10,2,3 --names a,b|2|--names names 2 of the 3 counters",
               "T --counts 10,2 --names a,A --format parallax|2|counters A and B are the same register 'a' and 'A'",
               "T --counts 10,2 --names a,A|0||Loop depth: 2",
               "values --clock 4MHz --cycles 1000 --delay 1ms|2|--delay and --cycles both give the wanted length",
               "values --clock 4MHz --cycles 1.5|2|--cycles '1.5' is not a whole number from 1 to 12918587911",
               "values --clock 4MHz --cycles 12918587914 --exact|2|is not a whole number from 1 to 12918587913",
               "values --clock 4MHz --cycles 0 --exact --call-return --max-depth 1|2|is not a whole number from 1 to 775",
               "values --clock 4MHz --cycles 2|0|Note: 2 machine cycles is below the shortest delay; using 0.00000400 s|Loop depth: 1",
               "values --clock 4MHz --cycles 3 --exact --call-return|2|--exact: 3 machine cycles is shorter than the CALL and return alone",
               "values --clock 4MHz --delay 1s --max-depth 2|2|1 s is beyond what two loops can make (at most 197123 machine cycles, "
               "0.197123 s)",
               "values --clock 4MHz --delay 0.197123 --max-depth 2|0||Loop depth: 2 (Double)\nCounter A: Delay1 = 0\nCounter B: Delay2 = 0",
               "values --clock 4MHz --delay 1ms --exact --names a|2|--exact: 0.001 s is beyond what one loop can make (at most 771",
               "V --max-depth 5|2|--max-depth '5' is not 1, 2, 3 or 4", "V --round up|2|--round belongs to --exact",
               "V --exact --round sideways|2|--round 'sideways' is not nearest, up or down",
               "T --counts 1 --max-depth 1|2|--max-depth belongs to the values command",
               "values --clock 4MHz --delay 20000 --exact|2|--exact: 20000 s is beyond what four loops can make",
               "values --clock 4MHz --delay 0.5us --exact --call-return|2|--exact: 0.0000005 s is shorter than the CALL and return alone"});
    }
    void statusAndMessages() {
        const QStringList f = fields();
        QString command = f[0];
        if (command.startsWith(u'V')) command.replace(0, 1, u"values --clock 4MHz --delay 1ms"_s);
        if (command.startsWith(u'T')) command.replace(0, 1, u"time --clock 4MHz"_s);
        const Run result = run(command);
        QCOMPARE(result.status, f[1].toInt());
        if (result.status == 0) {
            QVERIFY2(result.out.startsWith(f.value(3)), qPrintable(result.out));
            for (const QString& text : f.mid(4)) QVERIFY2(result.out.contains(text), qPrintable(text));
            QCOMPARE(result.err, f[2].isEmpty() ? QString() : f[2] + u'\n');
        } else {  // nothing on standard output, and one line naming the program and the fault
            QCOMPARE(result.out, QString());
            QVERIFY2(result.err.startsWith(u"kestrune-cli: "_s) && result.err.contains(f[2]) && result.err.indexOf(u'\n') == result.err.size() - 1,
                     qPrintable(result.err));
        }
    }

    // --cycles N answers as --delay of N cycles' time does: one loop below the request, more loops above it, and an exact
    // routine rounded either way. Clocks whose cycle time has no exact binary form make the delay inexact.
    void cyclesAsDelay_data() {
        table({"--clock 3.579545MHz|701", "--clock 3.579545MHz|1000001", "--clock 32.768kHz --exact --round up|12345",
               "--clock 40MHz --chip pic18 --exact --round down --call-return|12346", "--clock 50MHz --chip sx --format parallax|263002",
               "--clock 7.3728MHz --chip avr --exact --format gnu|99999", "--clock 11.0592MHz --chip 8051 --exact|77"});
    }
    void cyclesAsDelay() {
        const QStringList f = fields();
        const QJsonObject byCycles = jsonOf(u"values %1 --cycles %2"_s.arg(f[0], f[1]));
        double perCycle = 0;
        for (const calc::Chip chip : calc::kAllChips)
            if (calc::chipModel(chip).commandLineName == byCycles[u"chip"_s].toString()) perCycle = calc::chipModel(chip).clocksPerCycle;
        const double clock = byCycles[u"clock_hz"_s].toDouble();
        const QJsonObject byDelay = jsonOf(u"values %1 --delay %2"_s.arg(f[0], calc::formatPlain(f[1].toDouble() * perCycle / clock)));
        for (const QString& key : {u"wanted_cycles"_s, u"achieved_cycles"_s, u"counters"_s, u"padding"_s, u"listing"_s})
            QCOMPARE(key + u' ' + QString::fromUtf8(QJsonDocument(QJsonObject{{key, byCycles[key]}}).toJson()),
                     key + u' ' + QString::fromUtf8(QJsonDocument(QJsonObject{{key, byDelay[key]}}).toJson()));
        QCOMPARE(byCycles[u"wanted_cycles"_s].toDouble(), f[1].toDouble());
    }

    // The window answers as kestrune-cli does, given the same inputs: the tab, the delay, the cycles and the listing. And gpsim
    // counts the cycles the window shows beside each Microchip listing of a PIC: counters typed at every depth, 0 standing for
    // 256 passes (but D at 0 in four loops, some 1.3e10 cycles), and searched ones, below the shortest delay too.
    void windowAnswersAsTheCli() {
        // A chip, format, clock, 1 to count the CALL and return, then the delay to search for, or the counters and the depth.
        QStringList requests = {u"pic parallax 32768 1 0.000001"_s, u"sx parallax 50000000 0 1000"_s, u"sx parallax 50000000 1 204,77,252,2 4"_s,
                                u"pic microchip 4000000 0 0,0,0,1 4"_s};
        for (const QString& call : {u"0"_s, u"1"_s}) {
            for (const QString& counts : {u"1,1,1,1"_s, u"100,20,5,2"_s, u"255,2,255,1"_s, u"0,1,1,1"_s, u"1,0,1,1"_s, u"1,1,0,1"_s})
                for (const char* depth : {"1", "2", "3", "4"}) requests << u"pic microchip 4000000 %1 %2 "_s.arg(call, counts) + QLatin1StringView(depth);
            for (const QString& delay : {u"4000000 0.0000005"_s, u"4000000 0.0005"_s, u"4000000 0.000769"_s, u"4000000 0.001"_s, u"4000000 0.5"_s,
                                         u"4000000 1"_s, u"4000000 0.530178"_s, u"4000000 100"_s, u"20000000 0.01"_s, u"20000000 0.2"_s, u"20000000 15"_s})
                requests << u"pic microchip %1 %2 %3"_s.arg(delay.section(u' ', 0, 0), call, delay.section(u' ', 1));
        }
        QList<JudgedPiece> shown;
        for (const QString& request : requests) {
            const QStringList w = request.split(u' ');
            const bool search = w.size() == 5, call = w[3] == u"1";
            const QString counters = search ? u"1 1 1 1"_s : QString(w[4]).replace(u',', u' ');
            const QString steps = search ? u"type TxtTime %1 | click BtnCalcValues"_s.arg(w[4]) : u"tab %1 | click BtnCalcTime"_s.arg(w[5].toInt() - 1);
            const QString arguments = search ? u"values --delay "_s + w[4] : u"time --counts "_s + w[4].section(u',', 0, w[5].toInt() - 1);
            const QJsonObject json = jsonOf(arguments + u" --chip %1 --format %2 --clock %3 --names CntA,CntB,CntC,CntD --crlf"_s.arg(w[0], w[1], w[2]) +
                                            (call ? u" --call-return"_s : QString()));
            WindowFixture fixture;
            QVERIFY_SCENARIO(fixture,
                             u"%1 | type TxtClock %2 | counters %3 | %4 ChkAddCR | click %5 | "_s.arg(
                                 w[0], w[2], counters, call ? u"tick"_s : u"untick"_s, w[1] == u"parallax" ? u"OptParallax"_s : u"OptMicroChip"_s) + steps,
                             u"tab = %1 | TxtTime = %2 | TxtMC = %3 | listing = %4"_s.arg(json[u"depth"_s].toInt() - 1)
                                 .arg(json[u"delay_text"_s].toString(), json[u"cycles_text"_s].toString(), json[u"listing"_s].toString()));
            if (w[0] == u"pic" && w[1] == u"microchip") shown << JudgedPiece{fixture.listing(), call, fixture.box("TxtMC")->text().toLongLong(), request};
        }
        if (!gpsimAvailable()) QSKIP("gpasm and gpsim (Debian packages gputils and gpsim) are needed to judge the listings");
        const QString differences = gpsimDifferences(u"p16f84"_s, shown);
        QVERIFY2(differences.isEmpty(), qPrintable(differences));
    }
};

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
