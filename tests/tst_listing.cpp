// The listing text of both assembler formats, character for character.
#include <QTest>

#include "listing/Listing.h"

Q_DECLARE_METATYPE(listing::ListingFormat)

namespace {

// Lines written with → for a tab, joined with CR LF and no line end after the last.
QString lines(std::initializer_list<const char*> texts) {
    QStringList out;
    for (const char* text : texts) out << QString::fromUtf8(text).replace(QStringLiteral("→"), QStringLiteral("\t"));
    return out.join(QStringLiteral("\r\n"));
}

listing::ListingInput example(bool pic, bool withReturn) {
    listing::ListingInput input;
    input.chip = pic ? calc::Chip::Pic : calc::Chip::SxTurbo;
    input.timeText = QStringLiteral("0.00100000");
    input.clockText = QStringLiteral("4000000");
    input.counters = {{{QStringLiteral("CntA"), QStringLiteral("100")},
                       {QStringLiteral("CntB"), QStringLiteral("20")},
                       {QStringLiteral("CntC"), QStringLiteral("5")},
                       {QStringLiteral("CntD"), QStringLiteral("2")}}};
    input.withReturn = withReturn;
    return input;
}

}  // namespace

class TestListing : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void workedExamples_data();
    void workedExamples();
    void lineCounts_data();
    void lineCounts();
    void headerFollowsTheChipNotTheFormat();
    void textsAreCopiedUnchanged_data();
    void textsAreCopiedUnchanged();
};

void TestListing::workedExamples_data() {
    QTest::addColumn<listing::ListingFormat>("format");
    QTest::addColumn<int>("depth");
    QTest::addColumn<bool>("pic");
    QTest::addColumn<bool>("withReturn");
    QTest::addColumn<QString>("expected");
    const auto microchip = listing::ListingFormat::Microchip;
    const auto parallax = listing::ListingFormat::Parallax;
    QTest::newRow("Microchip, one loop, return") << microchip << 1 << true << true << lines({
        ";PIC Time Delay = 0.00100000 s with Osc = 4000000 Hz",
        "→→movlw→D'100'", "→→movwf→CntA", "loop→→decfsz→CntA,1", "→→goto→loop", "→→retlw→0"});
    QTest::newRow("Microchip, two loops") << microchip << 2 << true << false << lines({
        ";PIC Time Delay = 0.00100000 s with Osc = 4000000 Hz",
        "→→movlw→D'20'", "→→movwf→CntB", "→→movlw→D'100'", "→→movwf→CntA",
        "loop→→decfsz→CntA,1", "→→goto→loop", "→→decfsz→CntB,1", "→→goto→loop"});
    QTest::newRow("Microchip, three loops, return") << microchip << 3 << true << true << lines({
        ";PIC Time Delay = 0.00100000 s with Osc = 4000000 Hz",
        "→→movlw→D'5'", "→→movwf→CntC", "→→movlw→D'20'", "→→movwf→CntB", "→→movlw→D'100'",
        "→→movwf→CntA", "loop→→decfsz→CntA,1", "→→goto→loop", "→→decfsz→CntB,1", "→→goto→loop",
        "→→decfsz→CntC,1", "→→goto→loop", "→→retlw→0"});
    QTest::newRow("Microchip, four loops") << microchip << 4 << true << false << lines({
        ";PIC Time Delay = 0.00100000 s with Osc = 4000000 Hz",
        "→→movlw→D'2'", "→→movwf→CntD", "→→movlw→D'5'", "→→movwf→CntC", "→→movlw→D'20'",
        "→→movwf→CntB", "→→movlw→D'100'", "→→movwf→CntA", "loop→→decfsz→CntA,1", "→→goto→loop",
        "→→decfsz→CntB,1", "→→goto→loop", "→→decfsz→CntC,1", "→→goto→loop", "→→decfsz→CntD,1",
        "→→goto→loop"});
    QTest::newRow("Parallax, one loop, return") << parallax << 1 << false << true << lines({
        ";SX-Turbo Time Delay = 0.00100000 s with Osc = 4000000 Hz",
        "→→mov→CntA,#100", "→→djnz→CntA,$", "→→ret"});
    QTest::newRow("Parallax, two loops") << parallax << 2 << false << false << lines({
        ";SX-Turbo Time Delay = 0.00100000 s with Osc = 4000000 Hz",
        "→→mov→CntB,#20", "→→mov→CntA,#100", ":loop→→djnz→CntA,$", "→→djnz→CntB,:loop"});
    QTest::newRow("Parallax, three loops, return") << parallax << 3 << false << true << lines({
        ";SX-Turbo Time Delay = 0.00100000 s with Osc = 4000000 Hz",
        "→→mov→CntC,#5", "→→mov→CntB,#20", "→→mov→CntA,#100", ":loop→→djnz→CntA,$",
        "→→djnz→CntB,:loop", "→→djnz→CntC,:loop", "→→ret"});
    QTest::newRow("Parallax, four loops") << parallax << 4 << false << false << lines({
        ";SX-Turbo Time Delay = 0.00100000 s with Osc = 4000000 Hz",
        "→→mov→CntD,#2", "→→mov→CntC,#5", "→→mov→CntB,#20", "→→mov→CntA,#100",
        ":loop→→djnz→CntA,$", "→→djnz→CntB,:loop", "→→djnz→CntC,:loop", "→→djnz→CntD,:loop"});
}

void TestListing::workedExamples() {
    QFETCH(listing::ListingFormat, format);
    QFETCH(int, depth);
    QFETCH(bool, pic);
    QFETCH(bool, withReturn);
    QFETCH(QString, expected);
    QCOMPARE(listing::fullListing(format, depth, example(pic, withReturn)), expected);
}

void TestListing::lineCounts_data() {
    QTest::addColumn<listing::ListingFormat>("format");
    QTest::addColumn<int>("linesPerCounter");
    QTest::newRow("Microchip") << listing::ListingFormat::Microchip << 4;
    QTest::newRow("Parallax") << listing::ListingFormat::Parallax << 2;
}

void TestListing::lineCounts() {
    QFETCH(listing::ListingFormat, format);
    QFETCH(int, linesPerCounter);
    for (int depth = 1; depth <= calc::MaxDepth; ++depth) {
        for (const bool withReturn : {false, true}) {
            const listing::ListingInput input = example(true, withReturn);
            const QString text = listing::fullListing(format, depth, input);
            QCOMPARE(text.count(QStringLiteral("\r\n")) + 1, linesPerCounter * depth + 1 + (withReturn ? 1 : 0));
            QCOMPARE(text.count(QLatin1Char('\n')), text.count(QLatin1Char('\r')));
            // Only the header's own words are separated by spaces.
            QCOMPARE(text.section(QStringLiteral("\r\n"), 1).count(QLatin1Char(' ')), 0);
            // The pieces are appended one by one: a load per counter, the loop block, the return.
            const QStringList pieces = listing::pieces(format, depth, input);
            QCOMPARE(pieces.size(), depth + 1 + (withReturn ? 1 : 0));
            for (const QString& piece : pieces) QVERIFY(piece.startsWith(QStringLiteral("\r\n")) && !piece.endsWith(QLatin1Char('\n')));
            QCOMPARE(listing::headerLine(input) + pieces.join(QString()), text);
        }
    }
}

void TestListing::headerFollowsTheChipNotTheFormat() {
    QVERIFY(listing::fullListing(listing::ListingFormat::Parallax, 2, example(true, false))
                .startsWith(QStringLiteral(";PIC Time Delay = 0.00100000 s with Osc = 4000000 Hz\r\n")));
    QVERIFY(listing::fullListing(listing::ListingFormat::Microchip, 2, example(false, false))
                .startsWith(QStringLiteral(";SX-Turbo Time Delay = 0.00100000 s with Osc = 4000000 Hz\r\n")));
}

void TestListing::textsAreCopiedUnchanged_data() {
    QTest::addColumn<listing::ListingFormat>("format");
    QTest::addColumn<QString>("nameA");
    QTest::addColumn<QString>("valueA");
    QTest::addColumn<QString>("timeText");
    QTest::addColumn<QString>("expectedLines");
    QTest::newRow("empty name, Microchip") << listing::ListingFormat::Microchip << "" << "100" << "1"
        << lines({";PIC Time Delay = 1 s with Osc = 4000000 Hz", "→→movlw→D'100'", "→→movwf→", "loop→→decfsz→,1", "→→goto→loop"});
    QTest::newRow("empty name, Parallax") << listing::ListingFormat::Parallax << "" << "100" << "1"
        << lines({";PIC Time Delay = 1 s with Osc = 4000000 Hz", "→→mov→,#100", "→→djnz→,$"});
    QTest::newRow("value 0 and a leading blank") << listing::ListingFormat::Microchip << "n" << " 0" << "1"
        << lines({";PIC Time Delay = 1 s with Osc = 4000000 Hz", "→→movlw→D' 0'", "→→movwf→n", "loop→→decfsz→n,1", "→→goto→loop"});
    QTest::newRow("exponent and blanks in the time") << listing::ListingFormat::Parallax << "n" << "7" << "1E-05 s "
        << lines({";PIC Time Delay = 1E-05 s  s with Osc = 4000000 Hz", "→→mov→n,#7", "→→djnz→n,$"});
    QTest::newRow("placeholder-like name") << listing::ListingFormat::Parallax << "{value}" << "{name}" << "1"
        << lines({";PIC Time Delay = 1 s with Osc = 4000000 Hz", "→→mov→{value},#{name}", "→→djnz→{value},$"});
}

void TestListing::textsAreCopiedUnchanged() {
    QFETCH(listing::ListingFormat, format);
    QFETCH(QString, nameA);
    QFETCH(QString, valueA);
    QFETCH(QString, timeText);
    QFETCH(QString, expectedLines);
    listing::ListingInput input = example(true, false);
    input.counters[0] = {nameA, valueA};
    input.timeText = timeText;
    QCOMPARE(listing::fullListing(format, 1, input), expectedLines);
}

QTEST_APPLESS_MAIN(TestListing)
#include "tst_listing.moc"
