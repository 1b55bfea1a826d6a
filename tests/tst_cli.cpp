// kestrune-cli run in-process: its output, in text and JSON, the notes after it, units,
// refused input, a report that cannot be written, and the same answers the window gives.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include "calc/NumberText.h"
#include "cli/Cli.h"
#include "support/RowTable.h"
#include "support/Scenario.h"
#include "support/WindowFixture.h"

using namespace Qt::Literals::StringLiterals;

namespace {

struct Run {
    int status = -1;
    QString out, err;
};

// The words of a command line, '~' standing for a blank inside one; ">/dev/full" sends the report there.
Run run(const QString& command) {
    Run result;
    QStringList arguments = command.split(u' ', Qt::SkipEmptyParts);
    for (QString& argument : arguments) argument.replace(u'~', u' ');
    QFile full(u"/dev/full"_s);
    {  // the streams write everything out as they close
        QTextStream out(&result.out), err(&result.err);
        if (arguments.removeAll(u">/dev/full"_s) && full.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) out.setDevice(&full);
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
               "Delay Time: 0.26789750 s|Clock Cycles: 1071590||;SX-Turbo Time Delay = 0.26789750 s with Osc = 4000000 Hz|"
               "→→mov→CntC,#5|→→mov→CntB,#20|→→mov→CntA,#100|:loop→→djnz→CntA,$|→→djnz→CntB,:loop|→→djnz→CntC,:loop|→→ret|";
        // The loops come closest to the 9 cycles between the CALL and the return: two loops of one pass (8), then a nop.
        QTest::newRow("exact routine, padded") << "values --clock 4MHz --delay 13us --exact --routine w13 --names n"
            << "Loop depth: 2 (Double)|Counter A: n = 1|Counter B: Delay2 = 1|Counter C: Delay3 = 1|Counter D: Delay4 = 1|"
               "Padding: 0 x goto $+1, 1 x nop|Delay Time: 0.00001300 s|Machine Cycles: 13|Wanted cycles: 13|Achieved cycles: 13|"
               "Cycles left: 0|Time error: 0 s (0 ppm)||;PIC Time Delay = 0.00001300 s with Osc = 4000000 Hz|"
               ";w13 takes 13 machine cycles, 0.00001300 s at 4000000 Hz, its CALL and return included|w13→→movlw→D'1'|→→movwf→Delay2|"
               "→→movlw→D'1'|→→movwf→n|w13_loop→→decfsz→n,1|→→goto→w13_loop|→→decfsz→Delay2,1|→→goto→w13_loop|→→nop|→→retlw→0|";
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
               "values --bogus -h|0||Usage: kestrune-cli values|--clock|--delay|--counts|--chip|--call-return|--format|--names|--exact|"
               "--routine|--crlf|--json|--help|--version|0 means 256 passes|0 meaning 256 passes|up to 50 of|\"4mhz\" is 4 MHz|"
               "1 when the report cannot be written, 2 on bad input|goto $+1 or jmp $+1: 2",
               "--version|0||kestrune-cli 2.2\n", "V >/dev/full|1|cannot write the report: No space left on device",
               // The search aims 6 cycles short of 1 ms, finds 49994 exactly, and the display adds them back.
               "values --clock 50MHz --chip sx --format parallax --call-return --delay 1ms --names a,b|0||Loop depth: 2 (Double)\n"
               "Counter A: a = 173\nCounter B: b = 49\nCounter C: Delay3 = 1\n|Wanted cycles: 50000\nAchieved cycles: 50000\nCycles left: 0\n",
               // The window's one loop stays below the request; more loops do not end below it.
               "values --clock 4MHz --delay 0.5ms|0|||Cycles left: 1\nTime error: -1e-06 s (-2000 ppm)\n",
               "values --clock 4MHz --delay 1.2346ms|0|||Wanted cycles: 1235\nAchieved cycles: 1237\nCycles left: -2\n"
               "Time error: 2.4e-06 s (1943.95 ppm)\n",
               "values --clock 4MHz --delay 0|0|Note: 0 s is below the shortest delay; using 0.00000400 s||Time error: 4e-06 s (no ppm)\n",
               // Units scale the exponent, so the numbers are exactly those the plain decimals give ('~' is a blank); scaling
               // 7000 us by multiplication or division would miss by one unit in the last place.
               "values --clock 4mhz --delay 1000µs --json|0|||\"clock_hz\": 4000000,|\"requested_delay_s\": 0.001,",
               "values --clock ~4~MHz --delay 1000~μs --json|0|||\"clock_hz\": 4000000,|\"requested_delay_s\": 0.001,",
               "values --clock 32.768e0kHz --delay 1e1ms --json|0|||\"clock_hz\": 32768,|\"requested_delay_s\": 0.01,",
               "values --clock 20MHz --delay 7000us --json|0|||\"clock_hz\": 20000000,|\"requested_delay_s\": 0.007,",
               "values --clock 4000000Hz --delay 0.5s --json|0|||\"clock_hz\": 4000000,|\"mode\": \"values\",|\"requested_delay_s\": 0.5,",
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
               "V --routine 9lives|2|--routine '9lives' starts with a digit", "V --chip avr|2|--chip 'avr' is not pic or sx",
               "V --format intel|2|--format 'intel' is not microchip or parallax",
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

    // The CLI and the window, given the same inputs, show the same tab, boxes and listing.
    void sameAsTheWindow_data() {
        table({"values --delay 0.000001 --clock 32768 --call-return --format parallax|pic | type TxtClock 32768 | counters 1 1 1 1 "
               "| tick ChkAddCR | click OptParallax | type TxtTime 0.000001 | click BtnCalcValues",
               "values --delay 1000 --clock 50000000 --chip sx --format parallax|sx | type TxtClock 50000000 | counters 1 1 1 1 "
               "| click OptParallax | type TxtTime 1000 | click BtnCalcValues",
               "time --counts 1,0,255 --clock 4000000|pic | type TxtClock 4000000 | counters 1 0 255 1 | tab 2 | click BtnCalcTime",
               "time --counts 204,77,252,2 --clock 50000000 --chip sx --call-return --format parallax|sx | type TxtClock 50000000 "
               "| counters 204 77 252 2 | tick ChkAddCR | click OptParallax | tab 3"});
    }
    void sameAsTheWindow() {
        const QStringList f = fields();
        const QJsonObject json = jsonOf(f[0] + u" --names CntA,CntB,CntC,CntD --crlf"_s);
        QStringList counters;
        for (const QJsonValue value : json[u"counters"_s].toArray()) counters << calc::formatPlain(value.toDouble());
        WindowFixture fixture;
        QVERIFY_SCENARIO(fixture, f.mid(1).join(u'|'),
                         u"tab = %1 | values = %2 | TxtTime = %3 | TxtMC = %4 | listing = %5"_s.arg(json[u"depth"_s].toInt() - 1)
                             .arg(counters.join(u' '), json[u"delay_text"_s].toString(), json[u"cycles_text"_s].toString(),
                                  json[u"listing"_s].toString()));
    }
};

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
