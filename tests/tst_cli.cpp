// kestrune-cli run in-process: its output, in text and JSON, the notes after it, units,
// refused input, a report that cannot be written, and the same answers the window gives.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QTextStream>

#include "calc/NumberText.h"
#include "cli/Cli.h"
#include "support/Scenario.h"
#include "support/WindowFixture.h"

using namespace Qt::Literals::StringLiterals;

namespace {

struct Run {
    int status = -1;
    QString out, err;
};

Run run(const QStringList& arguments) {
    Run result;
    {  // the streams write everything out as they close
        QTextStream out(&result.out), err(&result.err);
        result.status = cli::runCli(arguments, out, err);
    }
    return result;
}

QStringList words(const QString& command) { return command.split(u' ', Qt::SkipEmptyParts); }

QJsonObject jsonOf(const QString& command) { return QJsonDocument::fromJson(run(words(command + u" --json"_s)).out.toUtf8()).object(); }

// Lines written with → for a tab.
QStringList tabbed(std::initializer_list<const char*> texts) {
    QStringList lines;
    for (const char* text : texts) lines << QString::fromUtf8(text).replace(u"→"_s, u"\t"_s);
    return lines;
}

}  // namespace

class TestCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wholeOutput_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("values, Microchip, LF") << u"values --clock 4MHz --delay 1ms"_s << tabbed({
            "Loop depth: 2 (Double)", "Counter A: Delay1 = 75", "Counter B: Delay2 = 2", "Counter C: Delay3 = 1", "Counter D: Delay4 = 1",
            "Delay Time: 0.00100000 s", "Machine Cycles: 1000", "Wanted cycles: 1000", "Achieved cycles: 1000", "Cycles left: 0",
            "Time error: 0 s (0 ppm)", "", ";PIC Time Delay = 0.00100000 s with Osc = 4000000 Hz", "→→movlw→D'2'", "→→movwf→Delay2",
            "→→movlw→D'75'", "→→movwf→Delay1", "loop→→decfsz→Delay1,1", "→→goto→loop", "→→decfsz→Delay2,1", "→→goto→loop", ""});
        QTest::newRow("time, Parallax, SX, CR LF") << u"time --chip sx --format parallax --crlf --clock 4MHz --counts 100,20,5 --names CntA,CntB,CntC --call-return"_s << tabbed({
            "Loop depth: 3 (Triple)", "Counter A: CntA = 100", "Counter B: CntB = 20", "Counter C: CntC = 5", "Counter D: Delay4 = 1",
            "Delay Time: 0.26789750 s", "Clock Cycles: 1071590", "", ";SX-Turbo Time Delay = 0.26789750 s with Osc = 4000000 Hz",
            "→→mov→CntC,#5", "→→mov→CntB,#20", "→→mov→CntA,#100", ":loop→→djnz→CntA,$", "→→djnz→CntB,:loop", "→→djnz→CntC,:loop", "→→ret", ""});
        // The loops come closest to the 9 cycles between the CALL and the return: two loops of
        // one pass (8), then a nop.
        QTest::newRow("exact routine, padded") << u"values --clock 4MHz --delay 13us --exact --routine w13 --names n"_s << tabbed({
            "Loop depth: 2 (Double)", "Counter A: n = 1", "Counter B: Delay2 = 1", "Counter C: Delay3 = 1", "Counter D: Delay4 = 1",
            "Padding: 0 x goto $+1, 1 x nop", "Delay Time: 0.00001300 s", "Machine Cycles: 13", "Wanted cycles: 13", "Achieved cycles: 13",
            "Cycles left: 0", "Time error: 0 s (0 ppm)", "", ";PIC Time Delay = 0.00001300 s with Osc = 4000000 Hz",
            ";w13 takes 13 machine cycles, 0.00001300 s at 4000000 Hz, its CALL and return included", "w13→→movlw→D'1'", "→→movwf→Delay2",
            "→→movlw→D'1'", "→→movwf→n", "w13_loop→→decfsz→n,1", "→→goto→w13_loop", "→→decfsz→Delay2,1", "→→goto→w13_loop", "→→nop",
            "→→retlw→0", ""});
    }
    void wholeOutput() {
        QFETCH(QString, command);
        QFETCH(QStringList, expected);
        const Run result = run(words(command));
        QCOMPARE(result.status, 0);
        QCOMPARE(result.err, QString());
        const QString end = command.contains(u"--crlf"_s) ? u"\r\n"_s : u"\n"_s;
        QCOMPARE(result.out.count(u'\r'), end.size() == 2 ? result.out.count(u'\n') : 0);  // every line ends alike
        QCOMPARE(result.out.split(end), expected);
        // In JSON the listing ends with its last instruction, as in the window's code box.
        QVERIFY(result.out.endsWith(end + jsonOf(command)[u"listing"_s].toString() + end));
    }

    void reportsHowFarTheAnswerLies() {
        QJsonObject json = jsonOf(u"values --clock 50MHz --chip sx --format parallax --call-return --delay 1ms --names a,b"_s);
        QCOMPARE(json[u"names"_s].toArray(), (QJsonArray{u"a"_s, u"b"_s, u"Delay3"_s, u"Delay4"_s}));
        // The search aims 6 cycles short, finds 49994 exactly, and the display adds them back.
        QCOMPARE(json[u"counters"_s].toArray(), (QJsonArray{173, 49, 1, 1}));
        QCOMPARE(json[u"wanted_cycles"_s].toDouble(), 50000.0);
        QCOMPARE(json[u"cycles_left"_s].toDouble(), 0.0);
        QVERIFY(json[u"listing"_s].toString().startsWith(u";SX-Turbo Time Delay = 0.00100000 s with Osc = 50000000 Hz\n\t\tmov\tb,#"_s));
        // The window's one loop stays below the request; more loops do not end below it.
        json = jsonOf(u"values --clock 4MHz --delay 0.5ms"_s);
        QCOMPARE(json[u"cycles_left"_s].toDouble(), 1.0);
        QCOMPARE(json[u"time_error_ppm"_s].toDouble(), -2000.0);
        json = jsonOf(u"values --clock 4MHz --delay 1.2346ms"_s);
        QCOMPARE(json[u"wanted_cycles"_s].toDouble(), 1235.0);
        QCOMPARE(json[u"achieved_cycles"_s].toDouble() - 1235, -json[u"cycles_left"_s].toDouble());
        QVERIFY(json[u"time_error_s"_s].toDouble() > 0);
        QVERIFY(jsonOf(u"values --clock 4MHz --delay 0"_s)[u"time_error_ppm"_s].isNull());
    }

    void notesComeAfterTheReportOnStandardError() {
        const Run result = run(words(u"values --clock 4MHz --delay 1000000"_s));
        QCOMPARE(result.status, 0);
        QVERIFY(result.out.startsWith(u"Loop depth: 4 (Quad)\n"_s));
        QCOMPARE(result.err, u"Note: 1000000 s is at or above the longest delay; using 12918.58791100 s\n"_s);
        QCOMPARE(run(words(u"values --clock 4MHz --delay 0.0000005 --call-return"_s)).err,
                 u"Note: 0.0000005 s is below the shortest delay; using 0.00000400 s plus the CALL and return\n"_s);
    }

    void aReportThatCannotBeWritten() {
        QFile full(u"/dev/full"_s);
        if (!full.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) QSKIP("no /dev/full here");
        QString errors;
        QTextStream out(&full), err(&errors);
        QCOMPARE(cli::runCli(words(u"values --clock 4MHz --delay 1ms"_s), out, err), int(cli::ExitWriteFailed));
        err.flush();
        QCOMPARE(errors, u"kestrune-cli: cannot write the report: No space left on device\n"_s);
    }

    void units_data() {
        QTest::addColumn<QString>("clock");
        QTest::addColumn<QString>("delay");
        QTest::addColumn<QString>("clockHz");
        QTest::addColumn<QString>("seconds");
        QTest::newRow("lower case, micro sign") << u"4mhz"_s << u"1000\u00b5s"_s << u"4000000"_s << u"0.001"_s;
        QTest::newRow("blank before the unit, Greek mu") << u" 4 MHz"_s << u"1000 \u03bcs"_s << u"4000000"_s << u"0.001"_s;
        QTest::newRow("exponent and unit, fraction") << u"32.768e0kHz"_s << u"1e-1ms"_s << u"32768"_s << u"0.0001"_s;
        // Scaling by multiplication or division would miss these by one unit in the last place.
        QTest::newRow("7000 us") << u"20MHz"_s << u"7000us"_s << u"20000000"_s << u"0.007"_s;
    }
    void units() {
        QFETCH(QString, clock);
        QFETCH(QString, delay);
        QFETCH(QString, clockHz);
        QFETCH(QString, seconds);
        const auto search = [](const QString& c, const QString& d) {
            return QJsonDocument::fromJson(run({u"values"_s, u"--json"_s, u"--clock"_s, c, u"--delay"_s, d}).out.toUtf8()).object();
        };
        const QJsonObject json = search(clock, delay);
        // Exactly the numbers the plain decimals give, as if they had been typed.
        QCOMPARE(calc::formatPlain(json[u"clock_hz"_s].toDouble()), clockHz);
        QCOMPARE(calc::formatPlain(json[u"requested_delay_s"_s].toDouble()), seconds);
        QCOMPARE(json, search(clockHz, seconds));
    }

    void badInput_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("says");
        const auto values = [](const char* extra) { return words(u"values --clock 4MHz --delay 1ms "_s + QString::fromUtf8(extra)); };
        const auto time = [](const char* extra) { return words(u"time --clock 4MHz "_s + QString::fromUtf8(extra)); };
        QTest::newRow("nothing at all") << QStringList() << u"missing command"_s;
        QTest::newRow("unknown command") << words(u"value --clock 4MHz --delay 1ms"_s) << u"unknown command 'value'"_s;
        QTest::newRow("two commands") << values("time") << u"unexpected argument 'time'"_s;
        QTest::newRow("unknown option") << values("-x") << u"unknown option '-x'"_s;
        QTest::newRow("missing clock") << words(u"values --delay 1ms"_s) << u"missing --clock"_s;
        QTest::newRow("clock 0 with the largest exponent") << words(u"values --clock 0e2147483647kHz --delay 1ms"_s) << u"--clock must be above 0 Hz"_s;
        QTest::newRow("clock in an unknown unit") << words(u"values --clock 4MB --delay 1ms"_s) << u"--clock '4MB' is not a frequency"_s;
        QTest::newRow("clock beyond single precision") << words(u"values --clock 1e39 --delay 1ms"_s) << u"--clock '1e39' is out of range"_s;
        QTest::newRow("clock followed by an option") << words(u"values --clock --delay 1ms"_s) << u"missing value for --clock"_s;
        QTest::newRow("clock last") << words(u"values --delay 1ms --clock"_s) << u"missing value for --clock"_s;
        QTest::newRow("clock given twice") << values("--clock 20MHz") << u"--clock is given twice"_s;
        QTest::newRow("a flag given twice") << values("--json --json") << u"--json is given twice"_s;
        QTest::newRow("a flag with a value") << values("--crlf=yes") << u"--crlf takes no value"_s;
        QTest::newRow("negative delay") << words(u"values --clock 4MHz --delay -1ms"_s) << u"--delay must not be negative"_s;
        QTest::newRow("delay in hertz") << words(u"values --clock 4MHz --delay 1Hz"_s) << u"--delay '1Hz' is not a delay"_s;
        QTest::newRow("delay with the time command") << time("--delay 1ms --counts 1") << u"--delay belongs to the values command"_s;
        QTest::newRow("counts with the values command") << values("--counts 1") << u"--counts belongs to the time command"_s;
        QTest::newRow("exact with the time command") << time("--counts 1 --exact") << u"--exact belongs to the values command"_s;
        QTest::newRow("count 256") << time("--counts 256") << u"--counts '256' is not a whole number from 0 to 255"_s;
        QTest::newRow("count not a number") << time("--counts 7,x") << u"--counts 'x' is not a number"_s;
        QTest::newRow("empty count") << time("--counts 7,,8") << u"--counts has an empty count"_s;
        QTest::newRow("five counts") << time("--counts 1,2,3,4,5") << u"--counts has 5 counts; at most 4"_s;
        QTest::newRow("empty name") << values("--names a,,c") << u"--names '' is an empty name"_s;
        QTest::newRow("name with a space") << (values("--names") << u"my count"_s) << u"--names 'my count' holds a space"_s;
        QTest::newRow("name starting with a digit") << values("--names a,2b") << u"--names '2b' starts with a digit"_s;
        QTest::newRow("name with a tab") << (values("--names") << u"a\tb"_s) << u"--names 'a\\u0009b' holds U+0009"_s;
        QTest::newRow("name an assembler cuts at a comment") << values("--names a;b") << u"--names 'a;b' holds ';'"_s;
        QTest::newRow("name longer than the box takes") << (values("--names") << QString(51, u'x')) << u"is longer than 50 characters"_s;
        QTest::newRow("routine name") << values("--routine 9lives") << u"--routine '9lives' starts with a digit"_s;
        QTest::newRow("unknown chip") << values("--chip avr") << u"--chip 'avr' is not pic or sx"_s;
        QTest::newRow("exact, beyond four loops") << words(u"values --clock 4MHz --delay 20000 --exact"_s) << u"--exact: 20000 s is beyond what four loops can make"_s;
        QTest::newRow("exact, shorter than the call") << words(u"values --clock 4MHz --delay 0.5us --exact --call-return"_s)
                                                     << u"--exact: 0.0000005 s is shorter than the CALL and return alone"_s;
    }
    void badInput() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, says);
        const Run result = run(arguments);
        QCOMPARE(result.status, 2);
        QCOMPARE(result.out, QString());
        // One line, naming the program and the fault.
        QVERIFY2(result.err.startsWith(u"kestrune-cli: "_s) && result.err.contains(says) && result.err.indexOf(u'\n') == result.err.size() - 1,
                 qPrintable(result.err));
    }

    void helpWinsOverBadInput() {
        const Run help = run(words(u"values --bogus -h"_s));
        QCOMPARE(help.status, 0);
        QVERIFY(help.out.startsWith(u"Usage: kestrune-cli values"_s));
        for (const QString& option : words(u"--clock --delay --counts --chip --call-return --format --names --exact --routine --crlf --json --help --version"_s))
            QVERIFY2(help.out.contains(option), qPrintable(option));
        QCOMPARE(run({u"--version"_s}).out, u"kestrune-cli 2.2\n"_s);
    }

    // The CLI and the window, given the same inputs, show the same tab, boxes and listing.
    void sameAsTheWindow_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("steps");
        QTest::newRow("PIC 32768 Hz, 1 us, CALL, Parallax") << u"values --delay 0.000001 --clock 32768 --call-return --format parallax"_s
                                                            << u"pic | type TxtClock 32768 | counters 1 1 1 1 | tick ChkAddCR | click OptParallax | type TxtTime 0.000001 | click BtnCalcValues"_s;
        QTest::newRow("SX 3579545 Hz, 0.000151 s") << u"values --delay 0.000151 --clock 3579545 --chip sx"_s
                                                   << u"sx | type TxtClock 3579545 | counters 1 1 1 1 | type TxtTime 0.000151 | click BtnCalcValues"_s;
        QTest::newRow("SX 50 MHz, 1000 s, Parallax") << u"values --delay 1000 --clock 50000000 --chip sx --format parallax"_s
                                                     << u"sx | type TxtClock 50000000 | counters 1 1 1 1 | click OptParallax | type TxtTime 1000 | click BtnCalcValues"_s;
        QTest::newRow("PIC 4 MHz, counts 1,0,255") << u"time --counts 1,0,255 --clock 4000000"_s
                                                   << u"pic | type TxtClock 4000000 | counters 1 0 255 1 | tab 2 | click BtnCalcTime"_s;
        QTest::newRow("SX 50 MHz, four counts, CALL, Parallax") << u"time --counts 204,77,252,2 --clock 50000000 --chip sx --call-return --format parallax"_s
                                                                << u"sx | type TxtClock 50000000 | counters 204 77 252 2 | tick ChkAddCR | click OptParallax | tab 3"_s;
    }
    void sameAsTheWindow() {
        QFETCH(QString, command);
        QFETCH(QString, steps);
        const QJsonObject json = jsonOf(command + u" --names CntA,CntB,CntC,CntD --crlf"_s);
        QStringList counters;
        for (const QJsonValue value : json[u"counters"_s].toArray()) counters << calc::formatPlain(value.toDouble());
        WindowFixture fixture;
        QVERIFY_SCENARIO(fixture, steps,
                         u"tab = %1 | values = %2 | TxtTime = %3 | TxtMC = %4 | listing = %5"_s.arg(json[u"depth"_s].toInt() - 1)
                             .arg(counters.join(u' '), json[u"delay_text"_s].toString(), json[u"cycles_text"_s].toString(), json[u"listing"_s].toString()));
    }
};

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
