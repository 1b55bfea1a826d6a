// The listing text of both assembler formats, character for character.
#include <QTest>

#include <tuple>

#include "listing/Listing.h"

using namespace Qt::StringLiterals;
using listing::ListingFormat;

Q_DECLARE_METATYPE(listing::ListingFormat)
Q_DECLARE_METATYPE(listing::ListingInput)

namespace {

// Counters CntA to CntD at 100, 20, 5 and 2 for the given chip; a routine "wait" pads with a jump and two
// nops and returns.
listing::ListingInput example(calc::Chip chip, bool routine, const listing::Counter& a = {u"CntA"_s, u"100"_s}) {
    const std::array<listing::Counter, calc::MaxDepth> counters = {{a, {u"CntB"_s, u"20"_s}, {u"CntC"_s, u"5"_s}, {u"CntD"_s, u"2"_s}}};
    const QString name = routine ? u"wait"_s : QString();
    return {chip, u"0.00100000"_s, u"4000000"_s, counters, routine, routine ? 1 : 0, routine ? 2 : 0, name, routine ? u"c"_s : QString()};
}

}  // namespace

class TestListing : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void workedExamples_data() {
        QTest::addColumn<ListingFormat>("format");
        QTest::addColumn<int>("depth");
        QTest::addColumn<listing::ListingInput>("input");
        QTest::addColumn<QString>("expected");  // → for a tab, | for CR LF
        // The texts are copied as typed, even one that looks like a field of the templates.
        listing::ListingInput odd = example(calc::Chip::SxTurbo, true, {u"{value}"_s, u"{name}"_s});
        odd.timeText = u"1E-05 s "_s;
        QTest::newRow("Microchip, one loop") << ListingFormat::Microchip << 1 << example(calc::Chip::Pic, true, {u""_s, u" 0"_s})
            << ";PIC Time Delay = 0.00100000 s with Osc = 4000000 Hz|;c|wait→→movlw→D' 0'|→→movwf→|wait_loop→→decfsz→,1|→→goto→wait_loop|"
               "→→goto→$+1|→→nop|→→nop|→→retlw→0";
        // The header names the chip, whatever the format.
        QTest::newRow("Microchip, three loops") << ListingFormat::Microchip << 3 << example(calc::Chip::SxTurbo, false)
            << ";SX-Turbo Time Delay = 0.00100000 s with Osc = 4000000 Hz|→→movlw→D'5'|→→movwf→CntC|→→movlw→D'20'|→→movwf→CntB|"
               "→→movlw→D'100'|→→movwf→CntA|loop→→decfsz→CntA,1|→→goto→loop|→→decfsz→CntB,1|→→goto→loop|→→decfsz→CntC,1|→→goto→loop";
        QTest::newRow("Parallax, one loop") << ListingFormat::Parallax << 1 << odd
            << ";SX-Turbo Time Delay = 1E-05 s  s with Osc = 4000000 Hz|;c|wait→→mov→{value},#{name}|→→djnz→{value},$|→→jmp→$+1|→→nop|"
               "→→nop|→→ret";
        QTest::newRow("Parallax, three loops") << ListingFormat::Parallax << 3 << example(calc::Chip::Pic, false)
            << ";PIC Time Delay = 0.00100000 s with Osc = 4000000 Hz|→→mov→CntC,#5|→→mov→CntB,#20|→→mov→CntA,#100|:loop→→djnz→CntA,$|"
               "→→djnz→CntB,:loop|→→djnz→CntC,:loop";
    }
    void workedExamples() {
        QFETCH(ListingFormat, format);
        QFETCH(int, depth);
        QFETCH(listing::ListingInput, input);
        QFETCH(QString, expected);
        QCOMPARE(listing::fullListing(format, depth, input), expected.replace(u'|', u"\r\n"_s).replace(u"→"_s, u"\t"_s));
    }

    void linesAndPieces() {
        // Lines per counter: a load (one or two instructions) and a decrement with its branch (one or two).
        for (const auto& [chip, format, linesPerCounter] :
             {std::tuple{calc::Chip::Pic, ListingFormat::Microchip, 4}, {calc::Chip::Pic, ListingFormat::Parallax, 2},
              {calc::Chip::Pic18, ListingFormat::Microchip, 4}, {calc::Chip::Avr, ListingFormat::Atmel, 3},
              {calc::Chip::Avr, ListingFormat::Gnu, 3}, {calc::Chip::I8051, ListingFormat::Asm51, 2}})
            for (int depth = 0; depth <= calc::MaxDepth; ++depth)
                for (const bool withReturn : {false, true}) {
                    listing::ListingInput input = example(chip, false);
                    for (int counter = 0; counter < calc::MaxDepth; ++counter) input.counters[counter].name = listing::defaultNames(format)[counter];
                    input.withReturn = withReturn;
                    input.jumps = format == ListingFormat::Asm51 ? 0 : depth % 2;  // an 8051 pads with nops alone
                    input.nops = depth / 2;
                    const int padding = input.jumps + input.nops + (withReturn ? 1 : 0);
                    const QString text = listing::fullListing(format, depth, input);
                    QCOMPARE(text.count(u"\r\n"_s), linesPerCounter * depth + padding);
                    QCOMPARE(text.count(u'\n'), text.count(u'\r'));
                    // Only the header's own words are separated by spaces, and the operands of the Atmel and GNU syntax.
                    QCOMPARE(text.section(u"\r\n"_s, 1).count(u' '), chip == calc::Chip::Avr ? depth : 0);
                    // A load per counter, the loop block, the padding and the return, each starting a line.
                    const QStringList pieces = listing::pieces(format, depth, input);
                    QCOMPARE(pieces.size(), depth + (depth > 0 ? 1 : 0) + padding);
                    for (const QString& piece : pieces) QVERIFY(piece.startsWith(u"\r\n"_s) && !piece.endsWith(u'\n'));
                    QCOMPARE(listing::headerLine(input) + pieces.join(QString()), text);
                }
    }
};

QTEST_APPLESS_MAIN(TestListing)
#include "tst_listing.moc"
