// kestrune-cli run in-process: the worked examples of both calculations, the listings, the
// text and JSON output, units, refused input, and the same answers as the window gives.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QTextStream>

#include "calc/NumberText.h"
#include "cli/Cli.h"
#include "support/WindowFixture.h"

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

QStringList words(const QString& command) { return command.split(QLatin1Char(' '), Qt::SkipEmptyParts); }

QJsonObject jsonOf(const Run& result) { return QJsonDocument::fromJson(result.out.toUtf8()).object(); }

QString str(const QJsonObject& json, const char* key) { return json[QLatin1StringView(key)].toString(); }

QStringList countersOf(const QJsonObject& json) {
    QStringList texts;
    for (const QJsonValue value : json[QStringLiteral("counters")].toArray()) texts << calc::formatPlain(value.toDouble());
    return texts;
}

// Lines written with → for a tab.
QStringList tabbed(std::initializer_list<const char*> texts) {
    QStringList lines;
    for (const char* text : texts) lines << QString::fromUtf8(text).replace(QStringLiteral("→"), QStringLiteral("\t"));
    return lines;
}

}  // namespace

class TestCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void countersFromDelay_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QString>("counters");
        QTest::addColumn<QString>("cycles");
        QTest::addColumn<QString>("note");  // for a delay out of reach
        const QString none;
        QTest::newRow("PIC 4 MHz, 1 ms") << "--clock 4000000 --delay 0.001" << "Double" << "75 2 1 1" << "1000" << none;
        QTest::newRow("PIC 4 MHz, 0.5 us") << "--clock 4000000 --delay 0.0000005" << "Single" << "1 1 1 1" << "4"
            << "Note: 0.0000005 s is below the shortest delay; using 0.000004 s";
        QTest::newRow("PIC 4 MHz, 0.5 ms stays below") << "--clock 4000000 --delay 0.0005" << "Single" << "166 1 1 1" << "499" << none;
        QTest::newRow("PIC 4 MHz, 100 s") << "--clock 4000000 --delay 100" << "Quad" << "204 77 252 2" << "100000001" << none;
        QTest::newRow("PIC 4 MHz, 10^6 s") << "--clock 4000000 --delay 1000000" << "Quad" << "0 0 0 0" << "12918587911"
            << "Note: 1000000 s is at or above the longest delay; using 12918.587910999999 s";
        QTest::newRow("SX 50 MHz, 5.26 ms") << "--chip sx --clock 50000000 --delay 0.00526" << "Triple" << "19 1 2 1" << "263002" << none;
        QTest::newRow("PIC 4 MHz, 1 ms, CALL counted") << "--clock 4000000 --delay 0.001 --call-return" << "Double" << "74 2 1 1" << "1001" << none;
    }
    void countersFromDelay() {
        QFETCH(QString, command);
        QFETCH(QString, tab);
        QFETCH(QString, counters);
        QFETCH(QString, cycles);
        QFETCH(QString, note);
        const Run result = run(words(QStringLiteral("values --json ") + command));
        QCOMPARE(result.status, 0);
        QCOMPARE(result.err, QString());
        const QJsonObject json = jsonOf(result);
        QCOMPARE(str(json, "note"), note);
        const Run text = run(words(QStringLiteral("values ") + command));
        QCOMPARE(text.out.count(QStringLiteral("Note:")), note.isEmpty() ? 0 : 1);
        if (!note.isEmpty()) QVERIFY(text.out.startsWith(note + QLatin1Char('\n')));
        QCOMPARE(str(json, "tab"), tab);
        QCOMPARE(countersOf(json), words(counters));
        QCOMPARE(str(json, "cycles_text"), cycles);
        QCOMPARE(json[QStringLiteral("cycles")].toDouble(), cycles.toDouble());
    }

    void delayFromCounters_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("delay");
        QTest::addColumn<QString>("cycles");  // as the text output shows them
        QTest::newRow("PIC 4 MHz, A 255") << "--clock 4000000 --counts 255" << "0.00076600" << "Machine Cycles: 766";
        QTest::newRow("PIC 3579545 Hz, A 255") << "--clock 3579545 --counts 255" << "0.000855975" << "Machine Cycles: 766";
        QTest::newRow("PIC 4 MHz, A 0 is 256 passes") << "--clock 4000000 --counts 0" << "0.00076900" << "Machine Cycles: 769";
        QTest::newRow("SX 50 MHz, A 255, CALL") << "--chip sx --clock 50000000 --counts 255 --call-return" << "0.00002054" << "Clock Cycles: 1027";
        QTest::newRow("SX 50 MHz, four loops full") << "--chip sx --clock 50000000 --counts 0,0,0,0" << "344.60796430" << "Clock Cycles: 17230398215";
    }
    void delayFromCounters() {
        QFETCH(QString, command);
        QFETCH(QString, delay);
        QFETCH(QString, cycles);
        const Run result = run(words(QStringLiteral("time ") + command));
        QCOMPARE(result.status, 0);
        const QStringList lines = result.out.split(QLatin1Char('\n'));
        QVERIFY(lines.contains(QStringLiteral("Delay Time: ") + delay + QStringLiteral(" s")));
        QVERIFY(lines.contains(cycles));
        const QJsonObject json = jsonOf(run(words(QStringLiteral("time --json ") + command)));
        QCOMPARE(str(json, "delay_text"), delay);
        QCOMPARE(str(json, "cycles_text"), cycles.section(QLatin1Char(' '), -1));
        // The unrounded delay rounds to the shown text.
        QCOMPARE(calc::formatDelay(json[QStringLiteral("delay_s")].toDouble()), delay);
    }

    void wholeOutput_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("Microchip, LF") << "values --clock 4MHz --delay 1ms" << tabbed({
            "Loop depth: 2 (Double)", "Counter A: Delay1 = 75", "Counter B: Delay2 = 2", "Counter C: Delay3 = 1",
            "Counter D: Delay4 = 1", "Delay Time: 0.00100000 s", "Machine Cycles: 1000", "",
            ";PIC Time Delay = 0.00100000 s with Osc = 4000000 Hz", "→→movlw→D'2'", "→→movwf→Delay2", "→→movlw→D'75'",
            "→→movwf→Delay1", "loop→→decfsz→Delay1,1", "→→goto→loop", "→→decfsz→Delay2,1", "→→goto→loop", ""});
        QTest::newRow("Parallax, SX, CR LF") << "time --chip sx --format parallax --crlf --clock 4MHz --counts 100,20,5 --names CntA,CntB,CntC --call-return" << tabbed({
            "Loop depth: 3 (Triple)", "Counter A: CntA = 100", "Counter B: CntB = 20", "Counter C: CntC = 5",
            "Counter D: Delay4 = 1", "Delay Time: 0.26789750 s", "Clock Cycles: 1071590", "", ";SX-Turbo Time Delay = 0.26789750 s with Osc = 4000000 Hz",
            "→→mov→CntC,#5", "→→mov→CntB,#20", "→→mov→CntA,#100",
            ":loop→→djnz→CntA,$", "→→djnz→CntB,:loop", "→→djnz→CntC,:loop", "→→ret", ""});
    }
    void wholeOutput() {
        QFETCH(QString, command);
        QFETCH(QStringList, expected);
        const Run result = run(words(command));
        QCOMPARE(result.status, 0);
        QCOMPARE(result.err, QString());
        // Every line ends alike, the last one too.
        const QString end = command.contains(QStringLiteral("--crlf")) ? QStringLiteral("\r\n") : QStringLiteral("\n");
        QCOMPARE(result.out.count(QLatin1Char('\r')), end.size() == 2 ? result.out.count(QLatin1Char('\n')) : 0);
        QCOMPARE(result.out.split(end), expected);
        // In JSON the listing ends with its last instruction, as in the window's code box.
        const QString listing = str(jsonOf(run(words(command + QStringLiteral(" --json")))), "listing");
        QVERIFY(result.out.endsWith(end + listing + end));
    }

    void jsonReadsBack() {
        const Run result = run(words(QStringLiteral("values --json --clock 50MHz --chip sx --format parallax --call-return --delay 1ms --names a,b")));
        QCOMPARE(result.status, 0);
        QJsonParseError error;
        const QJsonObject json = QJsonDocument::fromJson(result.out.toUtf8(), &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(str(json, "chip"), QStringLiteral("sx"));
        QCOMPARE(str(json, "format"), QStringLiteral("parallax"));
        QCOMPARE(json[QStringLiteral("call_return")].toBool(), true);
        QCOMPARE(json[QStringLiteral("names")].toArray(),
                 (QJsonArray{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("Delay3"), QStringLiteral("Delay4")}));
        // The search aims 6 cycles short, finds 49994 exactly, and the display adds them back.
        QCOMPARE(countersOf(json), words(QStringLiteral("173 49 1 1")));
        QVERIFY(json[QStringLiteral("cycles")].toDouble() == 50000);
        QVERIFY(str(json, "listing").startsWith(QStringLiteral(";SX-Turbo Time Delay = 0.00100000 s with Osc = 50000000 Hz\n\t\tmov\tb,#")));
    }

    void units_data() {
        QTest::addColumn<QString>("clock");
        QTest::addColumn<QString>("delay");
        QTest::addColumn<QString>("clockHz");
        QTest::addColumn<QString>("seconds");
        QTest::newRow("lower case, micro sign") << "4mhz" << "1000\u00b5s" << "4000000" << "0.001";
        QTest::newRow("blank before the unit, Greek mu") << " 4 MHz" << "1000 \u03bcs" << "4000000" << "0.001";
        QTest::newRow("exponent and unit, fraction") << "32.768e0kHz" << "1e-1ms" << "32768" << "0.0001";
        // Scaling by multiplication or division would miss these by one unit in the last place.
        QTest::newRow("7000 us") << "20MHz" << "7000us" << "20000000" << "0.007";
    }
    void units() {
        QFETCH(QString, clock);
        QFETCH(QString, delay);
        QFETCH(QString, clockHz);
        QFETCH(QString, seconds);
        const auto search = [](const QString& c, const QString& d) {
            return jsonOf(run({QStringLiteral("values"), QStringLiteral("--json"), QStringLiteral("--clock"), c, QStringLiteral("--delay"), d}));
        };
        const QJsonObject json = search(clock, delay);
        // Exactly the numbers the plain decimals give, as if they had been typed.
        QCOMPARE(calc::formatPlain(json[QStringLiteral("clock_hz")].toDouble()), clockHz);
        QCOMPARE(calc::formatPlain(json[QStringLiteral("requested_delay_s")].toDouble()), seconds);
        QCOMPARE(json, search(clockHz, seconds));
    }

    void badInput_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("says");
        const auto values = [](const char* extra) { return words(QStringLiteral("values --clock 4MHz --delay 1ms ") + QString::fromUtf8(extra)); };
        const auto time = [](const char* extra) { return words(QStringLiteral("time --clock 4MHz ") + QString::fromUtf8(extra)); };
        QTest::newRow("nothing at all") << QStringList() << "missing command";
        QTest::newRow("unknown command") << words(QStringLiteral("value --clock 4MHz --delay 1ms")) << "unknown command 'value'";
        QTest::newRow("unknown option") << values("-x") << "unknown option '-x'";
        QTest::newRow("missing clock") << words(QStringLiteral("values --delay 1ms")) << "missing --clock";
        QTest::newRow("clock 0 with the largest exponent") << words(QStringLiteral("values --clock 0e2147483647kHz --delay 1ms")) << "--clock must be above 0 Hz";
        QTest::newRow("clock in an unknown unit") << words(QStringLiteral("values --clock 4MB --delay 1ms")) << "--clock '4MB' is not a frequency";
        QTest::newRow("clock beyond single precision") << words(QStringLiteral("values --clock 1e39 --delay 1ms")) << "--clock '1e39' is out of range";
        QTest::newRow("clock followed by an option") << words(QStringLiteral("values --clock --delay 1ms")) << "missing value for --clock";
        QTest::newRow("clock given twice") << values("--clock 20MHz") << "--clock is given twice";
        QTest::newRow("negative delay") << words(QStringLiteral("values --clock 4MHz --delay -1ms")) << "--delay must not be negative";
        QTest::newRow("delay in hertz") << words(QStringLiteral("values --clock 4MHz --delay 1Hz")) << "--delay '1Hz' is not a delay";
        QTest::newRow("delay with the time command") << time("--delay 1ms --counts 1") << "--delay belongs to the values command";
        QTest::newRow("count 256") << time("--counts 256") << "--counts '256' is not a whole number from 0 to 255";
        QTest::newRow("count not a number") << time("--counts 7,x") << "--counts 'x' is not a number";
        QTest::newRow("empty count") << time("--counts 7,,8") << "--counts has an empty count";
        QTest::newRow("five counts") << time("--counts 1,2,3,4,5") << "--counts has 5 counts; at most 4";
        QTest::newRow("empty name") << values("--names a,,c") << "--names '' is an empty name";
        QTest::newRow("name with a space") << (values("--names") << QStringLiteral("my count")) << "--names 'my count' holds a space";
        QTest::newRow("name starting with a digit") << values("--names a,2b") << "--names '2b' starts with a digit";
        QTest::newRow("name with a tab") << (values("--names") << QStringLiteral("a\tb")) << "--names 'a\\u0009b' holds U+0009";
        QTest::newRow("name an assembler cuts at a comment") << values("--names a;b") << "--names 'a;b' holds ';'";
        QTest::newRow("unknown chip") << values("--chip avr") << "--chip 'avr' is not pic or sx";
    }
    void badInput() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, says);
        const Run result = run(arguments);
        QCOMPARE(result.status, 2);
        QCOMPARE(result.out, QString());
        // One line, naming the program and the fault.
        QVERIFY2(result.err.startsWith(QStringLiteral("kestrune-cli: ")) && result.err.contains(says) &&
                     result.err.indexOf(QLatin1Char('\n')) == result.err.size() - 1,
                 qPrintable(result.err));
    }

    void helpWinsOverBadInput() {
        // Help wins over anything else on the line, bad input included.
        const Run help = run(words(QStringLiteral("values --bogus -h")));
        QCOMPARE(help.status, 0);
        QVERIFY(help.out.startsWith(QStringLiteral("Usage: kestrune-cli values")));
        for (const QString& option : words(QStringLiteral("--clock --delay --counts --chip --call-return --format --names --crlf --json --help --version")))
            QVERIFY2(help.out.contains(option), qPrintable(option));
    }

    // The CLI and the window, given the same inputs, show the same tab, boxes and listing.
    void sameAsTheWindow_data() {
        QTest::addColumn<bool>("pic");
        QTest::addColumn<QString>("clock");
        QTest::addColumn<bool>("addCallReturn");
        QTest::addColumn<bool>("parallax");
        QTest::addColumn<QString>("delay");   // a search when set
        QTest::addColumn<QString>("counts");  // else the delay of these counters
        QTest::newRow("PIC 32768 Hz, 1 us, CALL, Parallax") << true << "32768" << true << true << "0.000001" << QString();
        QTest::newRow("SX 3579545 Hz, 0.000151 s") << false << "3579545" << false << false << "0.000151" << QString();
        QTest::newRow("SX 50 MHz, 1000 s, Parallax") << false << "50000000" << false << true << "1000" << QString();
        QTest::newRow("PIC 4 MHz, counts 1,0,255") << true << "4000000" << false << false << QString() << "1,0,255";
        QTest::newRow("SX 50 MHz, counts 204,77,252,2, CALL, Parallax") << false << "50000000" << true << true << QString() << "204,77,252,2";
    }
    void sameAsTheWindow() {
        QFETCH(bool, pic);
        QFETCH(QString, clock);
        QFETCH(bool, addCallReturn);
        QFETCH(bool, parallax);
        QFETCH(QString, delay);
        QFETCH(QString, counts);
        const bool search = !delay.isNull();
        const Run result = run(words(
            QStringLiteral("%1 --clock %2 --chip %3 --format %4 %5 --names CntA,CntB,CntC,CntD --crlf --json")
                .arg(search ? QStringLiteral("values --delay ") + delay : QStringLiteral("time --counts ") + counts, clock,
                     pic ? QStringLiteral("pic") : QStringLiteral("sx"),
                     parallax ? QStringLiteral("parallax") : QStringLiteral("microchip"),
                     addCallReturn ? QStringLiteral("--call-return") : QString())));
        QCOMPARE(result.status, 0);
        const QJsonObject json = jsonOf(result);
        WindowFixture fixture;
        fixture.setChip(pic);
        fixture.box("TxtClock")->setText(clock);
        QStringList values = search ? QStringList() : counts.split(QLatin1Char(','));
        const auto depth = static_cast<int>(values.size());
        while (values.size() < 4) values << QStringLiteral("1");
        fixture.setCounters({values[0], values[1], values[2], values[3]});
        fixture.setTicked("ChkAddCR", addCallReturn);
        fixture.press(parallax ? "OptParallax" : "OptMicroChip");
        if (search) {
            fixture.box("TxtTime")->setText(delay);
            fixture.press("BtnCalcValues");
        } else {
            fixture.clickTab(depth - 1);
            fixture.press("BtnCalcTime");
        }
        QVERIFY(fixture.desktop.messages.isEmpty());
        QCOMPARE(str(json, "tab"), fixture.tabs()->tabText(fixture.tabs()->currentIndex()));
        QCOMPARE(countersOf(json), (QStringList{fixture.box("TxtAValue")->text(), fixture.box("TxtBValue")->text(),
                                                fixture.box("TxtCValue")->text(), fixture.box("TxtDValue")->text()}));
        QCOMPARE(str(json, "delay_text"), fixture.box("TxtTime")->text());
        QCOMPARE(str(json, "cycles_text"), fixture.box("TxtMC")->text());
        QCOMPARE(str(json, "listing"), fixture.listing());
    }
};

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
