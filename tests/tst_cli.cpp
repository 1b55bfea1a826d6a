// kestrune-cli run in-process: the worked examples of both calculations, the listings, the
// text and JSON output, units, refused input, and the same answers as the window gives.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QTextStream>

#include <cmath>

#include "calc/NumberText.h"
#include "cli/Cli.h"
#include "support/WindowFixture.h"

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run run(const QStringList& arguments) {
    Run result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    result.status = cli::runCli(arguments, out, err);
    out.flush();
    err.flush();
    return result;
}

QStringList words(const char* command) {
    return QString::fromUtf8(command).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QJsonObject jsonOf(const Run& result) {
    return QJsonDocument::fromJson(result.out.toUtf8()).object();
}

QStringList countersOf(const QJsonObject& json) {
    QStringList texts;
    for (const QJsonValue value : json[QStringLiteral("counters")].toArray())
        texts << calc::formatPlain(value.toDouble());
    return texts;
}

// Lines written with → for a tab.
QStringList tabbed(std::initializer_list<const char*> texts) {
    QStringList lines;
    for (const char* text : texts)
        lines << QString::fromUtf8(text).replace(QStringLiteral("→"), QStringLiteral("\t"));
    return lines;
}

const QStringList kOptions = {QStringLiteral("--clock"), QStringLiteral("--delay"),
                                   QStringLiteral("--counts"), QStringLiteral("--chip"),
                                   QStringLiteral("--call-return"), QStringLiteral("--format"),
                                   QStringLiteral("--names"), QStringLiteral("--crlf"),
                                   QStringLiteral("--json"), QStringLiteral("--help"),
                                   QStringLiteral("--version")};

}  // namespace

class TestCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void countersFromDelay_data();
    void countersFromDelay();
    void delayFromCounters_data();
    void delayFromCounters();
    void countsSetTheDepth_data();
    void countsSetTheDepth();
    void textOutput();
    void listings_data();
    void listings();
    void lineEnds_data();
    void lineEnds();
    void jsonReadsBack();
    void units_data();
    void units();
    void clampNotes_data();
    void clampNotes();
    void names_data();
    void names();
    void badInput_data();
    void badInput();
    void helpAndVersion();
    void sameAsTheWindow_data();
    void sameAsTheWindow();
};

void TestCli::countersFromDelay_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("depth");
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QStringList>("counters");
    QTest::addColumn<QString>("cycles");
    const auto counters = [](const char* list) { return QString::fromLatin1(list).split(QLatin1Char(' ')); };
    QTest::newRow("PIC 4 MHz, 1 ms") << "--clock 4000000 --delay 0.001" << 2 << "Double" << counters("75 2 1 1") << "1000";
    QTest::newRow("PIC 4 MHz, 0.5 us") << "--clock 4000000 --delay 0.0000005" << 1 << "Single" << counters("1 1 1 1") << "4";
    QTest::newRow("PIC 4 MHz, 0.5 s") << "--clock 4000000 --delay 0.5" << 3 << "Triple" << counters("86 138 3 1") << "500001";
    QTest::newRow("PIC 4 MHz, 1 s") << "--clock 4000000 --delay 1" << 3 << "Triple" << counters("174 19 6 1") << "1000001";
    QTest::newRow("PIC 4 MHz, 100 s") << "--clock 4000000 --delay 100" << 4 << "Quad" << counters("204 77 252 2") << "100000001";
    QTest::newRow("PIC 4 MHz, 10^6 s") << "--clock 4000000 --delay 1000000" << 4 << "Quad" << counters("0 0 0 0") << "12918587911";
    QTest::newRow("SX 50 MHz, 1 ms") << "--chip sx --clock 50000000 --delay 0.001" << 2 << "Double" << counters("175 49 1 1") << "50002";
    QTest::newRow("SX 50 MHz, 5.26 ms") << "--chip sx --clock 50000000 --delay 0.00526" << 3 << "Triple" << counters("19 1 2 1") << "263002";
    QTest::newRow("PIC 4 MHz, 0.5 ms stays below") << "--clock 4000000 --delay 0.0005" << 1 << "Single" << counters("166 1 1 1") << "499";
    QTest::newRow("PIC 4 MHz, 1 ms, CALL counted") << "--clock 4000000 --delay 0.001 --call-return" << 2 << "Double" << counters("74 2 1 1") << "1001";
}

void TestCli::countersFromDelay() {
    QFETCH(QString, command);
    QFETCH(int, depth);
    QFETCH(QString, tab);
    QFETCH(QStringList, counters);
    QFETCH(QString, cycles);
    const Run result = run(QStringList{QStringLiteral("values"), QStringLiteral("--json")} + words(qPrintable(command)));
    QCOMPARE(result.status, 0);
    QCOMPARE(result.err, QString());
    const QJsonObject json = jsonOf(result);
    QCOMPARE(json[QStringLiteral("mode")].toString(), QStringLiteral("values"));
    QCOMPARE(json[QStringLiteral("depth")].toInt(), depth);
    QCOMPARE(json[QStringLiteral("tab")].toString(), tab);
    QCOMPARE(countersOf(json), counters);
    QCOMPARE(json[QStringLiteral("cycles_text")].toString(), cycles);
    QCOMPARE(json[QStringLiteral("cycles")].toDouble(), cycles.toDouble());
}

void TestCli::delayFromCounters_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("delay");
    QTest::addColumn<QString>("cycles");
    QTest::addColumn<QString>("cyclesLabel");
    QTest::newRow("PIC 4 MHz, A 255") << "--clock 4000000 --counts 255" << "0.00076600" << "766" << "Machine Cycles";
    QTest::newRow("PIC 4 MHz, A 255, CALL") << "--clock 4000000 --counts 255 --call-return" << "0.00077000" << "770" << "Machine Cycles";
    QTest::newRow("PIC 3579545 Hz, A 255") << "--clock 3579545 --counts 255" << "0.000855975" << "766" << "Machine Cycles";
    QTest::newRow("SX 50 MHz, A 255") << "--chip sx --clock 50000000 --counts 255" << "0.00002042" << "1021" << "Clock Cycles";
    QTest::newRow("SX 50 MHz, A 255, CALL") << "--chip sx --clock 50000000 --counts 255 --call-return" << "0.00002054" << "1027" << "Clock Cycles";
    QTest::newRow("PIC 4 MHz, A 0 is 256 passes") << "--clock 4000000 --counts 0" << "0.00076900" << "769" << "Machine Cycles";
    QTest::newRow("SX 50 MHz, four loops full") << "--chip sx --clock 50000000 --counts 0,0,0,0" << "344.60796430" << "17230398215" << "Clock Cycles";
    QTest::newRow("PIC 4 MHz, 75 and 2") << "--clock 4000000 --counts 75,2" << "0.00100000" << "1000" << "Machine Cycles";
}

void TestCli::delayFromCounters() {
    QFETCH(QString, command);
    QFETCH(QString, delay);
    QFETCH(QString, cycles);
    QFETCH(QString, cyclesLabel);
    const Run result = run(QStringList{QStringLiteral("time")} + words(qPrintable(command)));
    QCOMPARE(result.status, 0);
    const QStringList lines = result.out.split(QLatin1Char('\n'));
    QVERIFY(lines.contains(QStringLiteral("Delay Time: ") + delay + QStringLiteral(" s")));
    QVERIFY(lines.contains(cyclesLabel + QStringLiteral(": ") + cycles));
    const QJsonObject json = jsonOf(run(QStringList{QStringLiteral("time"), QStringLiteral("--json")} + words(qPrintable(command))));
    QCOMPARE(json[QStringLiteral("delay_text")].toString(), delay);
    QCOMPARE(json[QStringLiteral("cycles_text")].toString(), cycles);
    // The unrounded delay rounds to the shown text.
    QCOMPARE(calc::formatDelay(json[QStringLiteral("delay_s")].toDouble()), delay);
}

void TestCli::countsSetTheDepth_data() {
    QTest::addColumn<QString>("counts");
    QTest::addColumn<int>("depth");
    QTest::addColumn<QStringList>("counters");
    QTest::newRow("one") << "7" << 1 << QStringList{QStringLiteral("7"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")};
    QTest::newRow("two") << "7,8" << 2 << QStringList{QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("1"), QStringLiteral("1")};
    QTest::newRow("three") << "7,8,0" << 3 << QStringList{QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("0"), QStringLiteral("1")};
    QTest::newRow("four") << "7,8,0,9" << 4 << QStringList{QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("0"), QStringLiteral("9")};
    QTest::newRow("written as decimals") << "7.0, 08" << 2 << QStringList{QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("1"), QStringLiteral("1")};
}

void TestCli::countsSetTheDepth() {
    QFETCH(QString, counts);
    QFETCH(int, depth);
    QFETCH(QStringList, counters);
    const Run result = run({QStringLiteral("time"), QStringLiteral("--clock"), QStringLiteral("4MHz"),
                            QStringLiteral("--counts"), counts, QStringLiteral("--json")});
    QCOMPARE(result.status, 0);
    const QJsonObject json = jsonOf(result);
    QCOMPARE(json[QStringLiteral("depth")].toInt(), depth);
    QCOMPARE(countersOf(json), counters);
    // The listing loads exactly the counters of its depth, outermost first.
    const QString listing = json[QStringLiteral("listing")].toString();
    QCOMPARE(listing.count(QStringLiteral("movlw")), depth);
    QVERIFY(listing.contains(QStringLiteral("movlw\tD'") + counters[depth - 1] + QStringLiteral("'\n\t\tmovwf\tDelay") + QString::number(depth)));
}

void TestCli::textOutput() {
    const Run result = run(words("values --clock 4MHz --delay 1ms"));
    QCOMPARE(result.status, 0);
    QCOMPARE(result.err, QString());
    QCOMPARE(result.out.split(QLatin1Char('\n')), tabbed({
        "Loop depth: 2 (Double)",
        "Counter A: Delay1 = 75",
        "Counter B: Delay2 = 2",
        "Counter C: Delay3 = 1",
        "Counter D: Delay4 = 1",
        "Delay Time: 0.00100000 s",
        "Machine Cycles: 1000",
        "",
        ";PIC Time Delay = 0.00100000 s with Osc = 4000000 Hz",
        "→→movlw→D'2'", "→→movwf→Delay2", "→→movlw→D'75'", "→→movwf→Delay1",
        "loop→→decfsz→Delay1,1", "→→goto→loop", "→→decfsz→Delay2,1", "→→goto→loop",
        ""}));
}

void TestCli::listings_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("Microchip, one loop, return") << "time --clock 4MHz --counts 100 --names CntA --call-return" << tabbed({
        ";PIC Time Delay = 0.00030500 s with Osc = 4000000 Hz",
        "→→movlw→D'100'", "→→movwf→CntA", "loop→→decfsz→CntA,1", "→→goto→loop", "→→retlw→0"});
    QTest::newRow("Microchip, four loops") << "time --clock 4MHz --counts 100,20,5,2 --names CntA,CntB,CntC,CntD" << tabbed({
        ";PIC Time Delay = 51.26666500 s with Osc = 4000000 Hz",
        "→→movlw→D'2'", "→→movwf→CntD", "→→movlw→D'5'", "→→movwf→CntC",
        "→→movlw→D'20'", "→→movwf→CntB", "→→movlw→D'100'", "→→movwf→CntA",
        "loop→→decfsz→CntA,1", "→→goto→loop", "→→decfsz→CntB,1", "→→goto→loop",
        "→→decfsz→CntC,1", "→→goto→loop", "→→decfsz→CntD,1", "→→goto→loop"});
    QTest::newRow("Parallax, SX, one loop, return") << "time --chip sx --format parallax --clock 4MHz --counts 100 --names CntA --call-return" << tabbed({
        ";SX-Turbo Time Delay = 0.00010175 s with Osc = 4000000 Hz",
        "→→mov→CntA,#100", "→→djnz→CntA,$", "→→ret"});
    QTest::newRow("Parallax, SX, three loops, return") << "time --chip sx --format parallax --clock 4MHz --counts 100,20,5 --names CntA,CntB,CntC --call-return" << tabbed({
        ";SX-Turbo Time Delay = 0.26789750 s with Osc = 4000000 Hz",
        "→→mov→CntC,#5", "→→mov→CntB,#20", "→→mov→CntA,#100",
        ":loop→→djnz→CntA,$", "→→djnz→CntB,:loop", "→→djnz→CntC,:loop", "→→ret"});
    QTest::newRow("Parallax on a PIC keeps the PIC header") << "time --format parallax --clock 4MHz --counts 100,20 --names CntA,CntB" << tabbed({
        ";PIC Time Delay = 0.01493500 s with Osc = 4000000 Hz",
        "→→mov→CntB,#20", "→→mov→CntA,#100", ":loop→→djnz→CntA,$", "→→djnz→CntB,:loop"});
}

void TestCli::listings() {
    QFETCH(QString, command);
    QFETCH(QStringList, expected);
    const Run result = run(words(qPrintable(command)));
    QCOMPARE(result.status, 0);
    const QStringList lines = result.out.split(QLatin1Char('\n'));
    const qsizetype blank = lines.indexOf(QString());
    QVERIFY(blank > 0);
    // After the blank line: the listing, then the final line end.
    QCOMPARE(lines.mid(blank + 1), expected + QStringList{QString()});
}

void TestCli::lineEnds_data() {
    QTest::addColumn<bool>("crlf");
    QTest::addColumn<QString>("format");
    for (const char* format : {"microchip", "parallax"}) {
        QTest::addRow("LF, %s", format) << false << format;
        QTest::addRow("CR LF, %s", format) << true << format;
    }
}

void TestCli::lineEnds() {
    QFETCH(bool, crlf);
    QFETCH(QString, format);
    QStringList arguments = words("values --clock 4MHz --delay 100 --call-return --format") << format;
    if (crlf) arguments << QStringLiteral("--crlf");
    const QString end = crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");

    const Run text = run(arguments);
    QCOMPARE(text.status, 0);
    // Every line ends alike, the last one too, and no line is left empty but the separator.
    QVERIFY(text.out.endsWith(end));
    QCOMPARE(text.out.count(QLatin1Char('\r')), crlf ? text.out.count(QLatin1Char('\n')) : 0);
    QCOMPARE(text.out.count(end + end), 1);
    const qsizetype listingStart = text.out.indexOf(end + end) + 2 * end.size();
    const QString listingText = text.out.mid(listingStart);
    QVERIFY(listingText.startsWith(QStringLiteral(";PIC Time Delay = ")));

    const QJsonObject json = jsonOf(run(arguments << QStringLiteral("--json")));
    const QString listing = json[QStringLiteral("listing")].toString();
    // In JSON the listing ends with its last instruction, as in the window's code box.
    QCOMPARE(listing + end, listingText);
    QVERIFY(!listing.endsWith(QLatin1Char('\n')));
    QCOMPARE(listing.count(QLatin1Char('\r')), crlf ? listing.count(QLatin1Char('\n')) : 0);
}

void TestCli::jsonReadsBack() {
    const Run result = run(words("values --json --clock 50MHz --chip sx --format parallax --call-return --delay 1ms --names a,b"));
    QCOMPARE(result.status, 0);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(result.out.toUtf8(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QVERIFY(document.isObject());
    const QJsonObject json = document.object();
    QCOMPARE(json[QStringLiteral("mode")].toString(), QStringLiteral("values"));
    QCOMPARE(json[QStringLiteral("chip")].toString(), QStringLiteral("sx"));
    QCOMPARE(json[QStringLiteral("format")].toString(), QStringLiteral("parallax"));
    QVERIFY(json[QStringLiteral("clock_hz")].toDouble() == 50e6);
    QCOMPARE(json[QStringLiteral("call_return")].toBool(), true);
    QVERIFY(json[QStringLiteral("requested_delay_s")].toDouble() == 0.001);
    QCOMPARE(json[QStringLiteral("depth")].toInt(), 2);
    QCOMPARE(json[QStringLiteral("tab")].toString(), QStringLiteral("Double"));
    QCOMPARE(json[QStringLiteral("names")].toArray(),
             (QJsonArray{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("Delay3"), QStringLiteral("Delay4")}));
    for (const QJsonValue counter : json[QStringLiteral("counters")].toArray()) QVERIFY(counter.isDouble());
    // The search aims 6 cycles short, finds 49994 exactly, and the display adds them back.
    QCOMPARE(countersOf(json), (QStringList{QStringLiteral("173"), QStringLiteral("49"), QStringLiteral("1"), QStringLiteral("1")}));
    QCOMPARE(json[QStringLiteral("cycles_text")].toString(), QStringLiteral("50000"));
    QVERIFY(json[QStringLiteral("cycles")].toDouble() == 50000);
    QCOMPARE(json[QStringLiteral("delay_text")].toString(), QStringLiteral("0.00100000"));
    QVERIFY(std::abs(json[QStringLiteral("delay_s")].toDouble() - 0.001) < 1e-15);
    QCOMPARE(json[QStringLiteral("note")].toString(), QString());
    QVERIFY(json[QStringLiteral("listing")].toString().startsWith(QStringLiteral(";SX-Turbo Time Delay = 0.00100000 s with Osc = 50000000 Hz\n\t\tmov\tb,#")));
    QVERIFY(json[QStringLiteral("listing")].toString().endsWith(QStringLiteral("\n\t\tret")));
}

void TestCli::units_data() {
    QTest::addColumn<QString>("clock");
    QTest::addColumn<QString>("delay");
    QTest::addColumn<QString>("clockHz");
    QTest::addColumn<QString>("seconds");
    QTest::newRow("4MHz, 1ms") << "4MHz" << "1ms" << "4000000" << "0.001";
    QTest::newRow("4000kHz, 1000us") << "4000kHz" << "1000us" << "4000000" << "0.001";
    QTest::newRow("4e6, 1e-3") << "4e6" << "1e-3" << "4000000" << "0.001";
    QTest::newRow("4000000Hz, 0.001s") << "4000000Hz" << "0.001s" << "4000000" << "0.001";
    QTest::newRow("0.004GHz, 1000000ns") << "0.004GHz" << "1000000ns" << "4000000" << "0.001";
    QTest::newRow("lower case, micro sign") << "4mhz" << "1000\u00b5s" << "4000000" << "0.001";
    QTest::newRow("upper case, Greek mu") << "4MHZ" << "1000\u03bcs" << "4000000" << "0.001";
    QTest::newRow("blank before the unit") << " 4 MHz" << "1 MS" << "4000000" << "0.001";
    QTest::newRow("exponent and unit") << "4e3kHz" << "1e3us" << "4000000" << "0.001";
    QTest::newRow("fractions") << "32.768kHz" << "0.1ms" << "32768" << "0.0001";
    QTest::newRow("3.579545 MHz, 0.3 ms") << "3.579545MHz" << "0.3ms" << "3579545" << "0.0003";
    // Scaling by multiplication or division would miss these by one unit in the last place.
    QTest::newRow("7000 us") << "20MHz" << "7000us" << "20000000" << "0.007";
    QTest::newRow("0.9 ms") << "20MHz" << "0.9ms" << "20000000" << "0.0009";
    QTest::newRow("0.1 us") << "20MHz" << "0.1us" << "20000000" << "0.0000001";
}

void TestCli::units() {
    QFETCH(QString, clock);
    QFETCH(QString, delay);
    QFETCH(QString, clockHz);
    QFETCH(QString, seconds);
    const QJsonObject json = jsonOf(run({QStringLiteral("values"), QStringLiteral("--json"), QStringLiteral("--clock"),
                                         clock, QStringLiteral("--delay"), delay}));
    // Exactly the numbers the plain decimals give, as if they had been typed.
    QCOMPARE(calc::formatPlain(json[QStringLiteral("clock_hz")].toDouble()), clockHz);
    QCOMPARE(calc::formatPlain(json[QStringLiteral("requested_delay_s")].toDouble()), seconds);
    const QJsonObject plain = jsonOf(run({QStringLiteral("values"), QStringLiteral("--json"), QStringLiteral("--clock"),
                                          clockHz, QStringLiteral("--delay"), seconds}));
    QCOMPARE(json, plain);
}

void TestCli::clampNotes_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("note");
    QTest::newRow("below the shortest") << "--clock 4MHz --delay 0.5us" << "Note: 0.0000005 s is below the shortest delay; using 0.000004 s";
    QTest::newRow("zero") << "--clock 4MHz --delay 0" << "Note: 0 s is below the shortest delay; using 0.000004 s";
    QTest::newRow("CALL and return leave too little") << "--clock 4MHz --delay 6us --call-return" << "Note: 0.000006 s is below the shortest delay; using 0.000004 s plus the CALL and return";
    QTest::newRow("beyond the longest") << "--clock 4MHz --delay 1000000" << "Note: 1000000 s is at or above the longest delay; using 12918.587910999999 s";
    QTest::newRow("just inside") << "--clock 4MHz --delay 4us" << "";
    QTest::newRow("within range") << "--clock 4MHz --delay 1ms" << "";
}

void TestCli::clampNotes() {
    QFETCH(QString, command);
    QFETCH(QString, note);
    const Run text = run(QStringList{QStringLiteral("values")} + words(qPrintable(command)));
    QCOMPARE(text.status, 0);
    const QString firstLine = text.out.section(QLatin1Char('\n'), 0, 0);
    QCOMPARE(firstLine, note.isEmpty() ? firstLine : note);
    QCOMPARE(text.out.count(QStringLiteral("Note:")), note.isEmpty() ? 0 : 1);
    const QJsonObject json = jsonOf(run(QStringList{QStringLiteral("values"), QStringLiteral("--json")} + words(qPrintable(command))));
    QCOMPARE(json[QStringLiteral("note")].toString(), note);
}

void TestCli::names_data() {
    QTest::addColumn<QString>("names");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("default") << QString() << QStringList{QStringLiteral("Delay1"), QStringLiteral("Delay2"), QStringLiteral("Delay3"), QStringLiteral("Delay4")};
    QTest::newRow("two of four") << "inner,outer" << QStringList{QStringLiteral("inner"), QStringLiteral("outer"), QStringLiteral("Delay3"), QStringLiteral("Delay4")};
    QTest::newRow("spaces around are trimmed") << " d1 , d2,d3,d4 " << QStringList{QStringLiteral("d1"), QStringLiteral("d2"), QStringLiteral("d3"), QStringLiteral("d4")};
    QTest::newRow("digits after the first") << "c1_x,_2" << QStringList{QStringLiteral("c1_x"), QStringLiteral("_2"), QStringLiteral("Delay3"), QStringLiteral("Delay4")};
}

void TestCli::names() {
    QFETCH(QString, names);
    QFETCH(QStringList, expected);
    QStringList arguments = words("time --json --clock 4MHz --counts 1,2,3,4");
    if (!names.isNull()) arguments << QStringLiteral("--names") << names;
    const Run result = run(arguments);
    QCOMPARE(result.status, 0);
    const QJsonObject json = jsonOf(result);
    QStringList shown;
    for (const QJsonValue name : json[QStringLiteral("names")].toArray()) shown << name.toString();
    QCOMPARE(shown, expected);
    const QString listing = json[QStringLiteral("listing")].toString();
    for (const QString& name : expected) QVERIFY(listing.contains(QStringLiteral("\tmovwf\t") + name + QLatin1Char('\n')));
}

void TestCli::badInput_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("says");
    const auto values = [](std::initializer_list<const char*> extra) {
        QStringList arguments = words("values --clock 4MHz --delay 1ms");
        for (const char* argument : extra) arguments << QString::fromUtf8(argument);
        return arguments;
    };
    const auto time = [](std::initializer_list<const char*> extra) {
        QStringList arguments = words("time --clock 4MHz");
        for (const char* argument : extra) arguments << QString::fromUtf8(argument);
        return arguments;
    };
    QTest::newRow("nothing at all") << QStringList() << "missing command";
    QTest::newRow("unknown command") << words("value --clock 4MHz --delay 1ms") << "unknown command 'value'";
    QTest::newRow("two commands") << values({"time"}) << "unexpected argument 'time'";
    QTest::newRow("unknown option") << values({"--fast"}) << "unknown option '--fast'";
    QTest::newRow("unknown short option") << values({"-x"}) << "unknown option '-x'";
    QTest::newRow("missing clock") << words("values --delay 1ms") << "missing --clock";
    QTest::newRow("clock 0") << words("values --clock 0 --delay 1ms") << "--clock must be above 0 Hz";
    QTest::newRow("clock 0 MHz") << words("values --clock 0MHz --delay 1ms") << "--clock must be above 0 Hz";
    QTest::newRow("clock 0 with the largest exponent") << words("values --clock 0e2147483647kHz --delay 1ms") << "--clock must be above 0 Hz";
    QTest::newRow("negative clock") << words("values --clock -4MHz --delay 1ms") << "--clock must be above 0 Hz";
    QTest::newRow("clock not a number") << words("values --clock fast --delay 1ms") << "--clock 'fast' is not a frequency";
    QTest::newRow("clock in an unknown unit") << words("values --clock 4MB --delay 1ms") << "--clock '4MB' is not a frequency";
    QTest::newRow("clock unit alone") << words("values --clock MHz --delay 1ms") << "--clock 'MHz' is not a frequency";
    QTest::newRow("clock beyond single precision") << words("values --clock 1e39 --delay 1ms") << "--clock '1e39' is out of range";
    QTest::newRow("clock below single precision") << words("values --clock 1e-50 --delay 1ms") << "--clock '1e-50' is out of range";
    QTest::newRow("clock beyond any number") << words("values --clock 1e400 --delay 1ms") << "--clock '1e400' is out of range";
    QTest::newRow("clock without value") << words("values --delay 1ms --clock") << "missing value for --clock";
    QTest::newRow("clock followed by an option") << words("values --clock --delay 1ms") << "missing value for --clock";
    QTest::newRow("clock with an empty value") << words("values --clock= --delay 1ms") << "missing value for --clock";
    QTest::newRow("clock given twice") << values({"--clock", "20MHz"}) << "--clock is given twice";
    QTest::newRow("missing delay") << words("values --clock 4MHz") << "missing --delay";
    QTest::newRow("negative delay") << words("values --clock 4MHz --delay -1ms") << "--delay must not be negative";
    QTest::newRow("delay not a number") << words("values --clock 4MHz --delay soon") << "--delay 'soon' is not a delay";
    QTest::newRow("delay in hertz") << words("values --clock 4MHz --delay 1Hz") << "--delay '1Hz' is not a delay";
    QTest::newRow("delay infinite") << words("values --clock 4MHz --delay inf") << "--delay 'inf' is not a delay";
    QTest::newRow("delay with the time command") << time({"--delay", "1ms", "--counts", "1"}) << "--delay belongs to the values command";
    QTest::newRow("missing counts") << time({}) << "missing --counts";
    QTest::newRow("count 256") << time({"--counts", "256"}) << "--counts '256' is not a whole number from 0 to 255";
    QTest::newRow("count -1") << time({"--counts", "5,-1"}) << "--counts '-1' is not a whole number from 0 to 255";
    QTest::newRow("count not whole") << time({"--counts", "1.5"}) << "--counts '1.5' is not a whole number from 0 to 255";
    QTest::newRow("count not a number") << time({"--counts", "7,x"}) << "--counts 'x' is not a number";
    QTest::newRow("empty count") << time({"--counts", "7,,8"}) << "--counts has an empty count";
    QTest::newRow("five counts") << time({"--counts", "1,2,3,4,5"}) << "--counts has 5 counts; at most 4";
    QTest::newRow("counts with the values command") << values({"--counts", "1"}) << "--counts belongs to the time command";
    QTest::newRow("five names") << values({"--names", "a,b,c,d,e"}) << "--names has 5 names; at most 4";
    QTest::newRow("empty name") << values({"--names", "a,,c"}) << "--names '' is an empty name";
    QTest::newRow("blank name") << values({"--names", "a,  "}) << "--names '  ' is an empty name";
    QTest::newRow("name with a space") << values({"--names", "my count"}) << "--names 'my count' holds a space";
    QTest::newRow("name starting with a digit") << values({"--names", "a,2b"}) << "--names '2b' starts with a digit";
    QTest::newRow("name with a tab") << values({"--names", "a\tb"}) << "holds a control character";
    QTest::newRow("name with a line end") << values({"--names", "a\nb"}) << "holds a control character";
    QTest::newRow("unknown chip") << values({"--chip", "avr"}) << "--chip 'avr' is not pic or sx";
    QTest::newRow("unknown format") << values({"--format", "gnu"}) << "--format 'gnu' is not microchip or parallax";
    QTest::newRow("flag with a value") << values({"--json=yes"}) << "--json takes no value";
}

void TestCli::badInput() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, says);
    const Run result = run(arguments);
    QCOMPARE(result.status, 2);
    QCOMPARE(result.out, QString());
    QVERIFY2(result.err.startsWith(QStringLiteral("kestrune-cli: ")), qPrintable(result.err));
    QVERIFY2(result.err.contains(says), qPrintable(result.err));
    QCOMPARE(result.err.count(QLatin1Char('\n')), 1);
    QVERIFY(result.err.endsWith(QLatin1Char('\n')));
}

void TestCli::helpAndVersion() {
    for (const char* help : {"--help", "-h"}) {
        // Help wins over anything else on the line, bad input included.
        const Run result = run({QStringLiteral("values"), QStringLiteral("--bogus"), QString::fromLatin1(help)});
        QCOMPARE(result.status, 0);
        QCOMPARE(result.err, QString());
        QVERIFY(result.out.startsWith(QStringLiteral("Usage: kestrune-cli values")));
        for (const QString& option : kOptions) QVERIFY2(result.out.contains(option), qPrintable(option));
    }
    const Run version = run({QStringLiteral("--version")});
    QCOMPARE(version.status, 0);
    QCOMPARE(version.out, QStringLiteral("kestrune-cli 2.2\n"));
    QCOMPARE(version.err, QString());
}

// The CLI and the window, given the same inputs, show the same tab, boxes and listing.
void TestCli::sameAsTheWindow_data() {
    QTest::addColumn<bool>("pic");
    QTest::addColumn<QString>("clock");
    QTest::addColumn<bool>("addCallReturn");
    QTest::addColumn<bool>("parallax");
    QTest::addColumn<QString>("delay");   // a search when set
    QTest::addColumn<QString>("counts");  // else the delay of these counters
    int row = 0;
    for (const char* clock : {"32768", "3579545", "20000000", "50000000"}) {
        for (const bool pic : {true, false}) {
            // Log-spaced from 1 us to 1000 s, and the exact limits at 4 MHz.
            for (const char* delay : {"0.000001", "0.0000123", "0.000769", "0.000151", "0.0186", "0.229", "2.81", "34.6", "1000"}) {
                const bool addCallReturn = row % 3 == 0;
                const bool parallax = row % 2 == 0;
                QTest::addRow("%s %s Hz, %s s%s%s", pic ? "PIC" : "SX", clock, delay, addCallReturn ? ", CALL" : "", parallax ? ", Parallax" : "")
                    << pic << clock << addCallReturn << parallax << delay << QString();
                ++row;
            }
        }
    }
    for (const char* counts : {"255", "0", "75,2", "1,0,255", "204,77,252,2", "0,0,0,0"}) {
        QTest::addRow("PIC 4 MHz, counts %s", counts) << true << "4000000" << false << false << QString() << counts;
        QTest::addRow("SX 50 MHz, counts %s, CALL, Parallax", counts) << false << "50000000" << true << true << QString() << counts;
    }
}

void TestCli::sameAsTheWindow() {
    QFETCH(bool, pic);
    QFETCH(QString, clock);
    QFETCH(bool, addCallReturn);
    QFETCH(bool, parallax);
    QFETCH(QString, delay);
    QFETCH(QString, counts);
    const bool search = !delay.isNull();

    QStringList arguments = {search ? QStringLiteral("values") : QStringLiteral("time"), QStringLiteral("--clock"), clock,
                             QStringLiteral("--names"), QStringLiteral("CntA,CntB,CntC,CntD"), QStringLiteral("--crlf"),
                             QStringLiteral("--json"), QStringLiteral("--chip"), pic ? QStringLiteral("pic") : QStringLiteral("sx"),
                             QStringLiteral("--format"), parallax ? QStringLiteral("parallax") : QStringLiteral("microchip")};
    arguments << (search ? QStringLiteral("--delay") : QStringLiteral("--counts")) << (search ? delay : counts);
    if (addCallReturn) arguments << QStringLiteral("--call-return");
    const Run result = run(arguments);
    QCOMPARE(result.status, 0);
    const QJsonObject json = jsonOf(result);

    WindowFixture fixture;
    fixture.setChip(pic);
    fixture.box("TxtClock")->setText(clock);
    QStringList values = search ? QStringList() : counts.split(QLatin1Char(','));
    const auto depth = static_cast<int>(values.size());
    while (values.size() < 4) values << QStringLiteral("1");
    fixture.setCounters({values[0], values[1], values[2], values[3]});
    fixture.control<QCheckBox>("ChkAddCR")->setChecked(addCallReturn);
    fixture.control<QRadioButton>(parallax ? "OptParallax" : "OptMicroChip")->click();
    if (search) {
        fixture.box("TxtTime")->setText(delay);
        fixture.press("BtnCalcValues");
    } else {
        fixture.tabs()->setCurrentIndex(depth - 1);
        fixture.press("BtnCalcTime");
    }
    QVERIFY(fixture.desktop.messages.isEmpty());

    QCOMPARE(json[QStringLiteral("depth")].toInt(), fixture.tabs()->currentIndex() + 1);
    QCOMPARE(json[QStringLiteral("tab")].toString(), fixture.tabs()->tabText(fixture.tabs()->currentIndex()));
    QCOMPARE(countersOf(json), (QStringList{fixture.box("TxtAValue")->text(), fixture.box("TxtBValue")->text(),
                                            fixture.box("TxtCValue")->text(), fixture.box("TxtDValue")->text()}));
    QCOMPARE(json[QStringLiteral("delay_text")].toString(), fixture.box("TxtTime")->text());
    QCOMPARE(json[QStringLiteral("cycles_text")].toString(), fixture.box("TxtMC")->text());
    QCOMPARE(json[QStringLiteral("listing")].toString(), fixture.listing());
}

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
