// Routines from kestrune-cli run as printed: every kind of listing of every chip on every part it covers, and a thousand
// seeded requests, in gpsim, simavr and s51 (the SX, which no Debian simulator knows, in a small interpreter of the
// listing text); the exact search against every routine of up to 3000 cycles; declarations that assemble alone.
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTest>
#include <QTemporaryDir>
#include <QTextStream>

#include <map>
#include <set>

#include "calc/ExactDelay.h"
#include "calc/NumberText.h"
#include "cli/Cli.h"
#include "listing/Listing.h"
#include "support/Judges.h"
#include "support/RowTable.h"

using namespace Qt::StringLiterals;
using calc::Chip;

namespace {

// Runs a listing from its first instruction to its end or its return and counts the cycles, the return and
// a CALL into a routine included, past the counters' declarations. A decrement that reaches zero skips or falls
// through at the cost of a jump (PIC decfsz 2, SX djnz 3); the Parallax mov of a literal is two instructions. Empty
// for anything else.
std::optional<qint64> interpretedCycles(const QString& listing, Chip chip) {
    enum Code { Movlw, Movwf, Mov, Decfsz, Djnz, Goto, Jmp, Nop, Retlw, Ret };
    static const QStringList kCodes = {u"movlw"_s, u"movwf"_s, u"mov"_s, u"decfsz"_s, u"djnz"_s, u"goto"_s, u"jmp"_s, u"nop"_s, u"retlw"_s, u"ret"_s};
    QStringList labels;
    QList<QStringList> lines;  // "", mnemonic, operands split at commas
    for (const QString& text : listing.split(u"\r\n"_s))
        if (!text.startsWith(u';') && text.section(u'\t', 2, 2) != u"ds"_s)
            labels << text.section(u'\t', 0, 0), lines << text.section(u'\t', 1, 2).split(u'\t') + text.section(u'\t', 3).split(u',');
    struct Op { qsizetype code, next; int* file; int literal; };
    std::map<QString, int> files;
    QList<Op> ops;
    for (qsizetype at = 0; at < lines.size(); ++at) {
        const QStringList& line = lines[at];
        const QString to = line.value(line[1] == u"djnz"_s ? 3 : 2);
        const QString literal = line.value(line[1] == u"mov"_s ? 3 : 2);
        ops << Op{kCodes.indexOf(line[1]), to == u"$"_s ? at : to == u"$+1"_s ? at + 1 : labels.indexOf(to), &files[line[2]],
                  QString(literal).remove(u"D'"_s).remove(u'\'').remove(u'#').toInt()};
        if (!line[0].isEmpty() || ops.back().code < 0) return std::nullopt;
    }
    const qint64 jump = chip == Chip::Pic ? 2 : 3;  // a PIC's goto, call and return; an SX's jumps in turbo mode
    int w = 0;
    qint64 cycles = 0;
    for (qsizetype at = 0; at < ops.size();) {
        const Op& op = ops[at];
        switch (op.code) {
            case Movlw: w = op.literal, cycles += 1, ++at; break;
            case Movwf: *op.file = w, cycles += 1, ++at; break;
            case Mov: *op.file = op.literal, cycles += 2, ++at; break;
            case Goto:
            case Jmp: cycles += jump, at = op.next; break;
            case Nop: cycles += 1, ++at; break;
            case Retlw:
            case Ret: return cycles + 2 * jump;
            default:
                if ((*op.file = (*op.file + 255) % 256) == 0) cycles += jump, at += op.code == Djnz ? 1 : 2;
                else if (op.code == Djnz) cycles += 1 + jump, at = op.next;
                else cycles += 1, ++at;
        }
        if (at < 0) return std::nullopt;
    }
    return cycles;
}

QJsonObject runJson(const QStringList& arguments) {
    QString output, errors;
    {
        QTextStream out(&output), err(&errors);
        if (cli::runCli(arguments + QStringList{u"--json"_s, u"--crlf"_s}, out, err) != cli::ExitOk) qFatal("%s", qPrintable(errors));
    }
    return QJsonDocument::fromJson(output.toUtf8()).object();
}

Chip chipOf(const QString& name) {
    for (const Chip chip : calc::kAllChips)
        if (name.startsWith(calc::chipModel(chip).commandLineName.toString() + u' ')) return chip;
    return Chip::Pic;
}

// A request to kestrune-cli as a piece to judge: its listing, whether it is called, and the cycles it reports. The lines
// end in CR LF and the columns are tabs: a blank stands only in a comment, after a comma or around a definition's '='.
// Without declarations the instructions it reports are its lines but the comments; a Parallax mov or djnz is two.
JudgedPiece pieceOf(const QString& arguments) {
    const QJsonObject json = runJson(arguments.split(u' '));
    const QString listing = json[u"listing"_s].toString();
    int instructions = 0;
    for (const QString& line : listing.split(u"\r\n"_s)) {
        if (line.contains(u'\r') || line.contains(u'\n') || (!line.startsWith(u';') && QString(line).remove(u", "_s).remove(u" = "_s).contains(u' ')))
            qFatal("%s: a line of other blanks or line ends: %s", qPrintable(arguments), qPrintable(line));
        instructions += line.startsWith(u';') ? 0 : 1;
    }
    if (!arguments.contains(u"parallax"_s) && !arguments.contains(u"--declare"_s) && json[u"instructions"_s].toInt() != instructions)
        qFatal("%s: %d instructions reported, %d in the listing", qPrintable(arguments), json[u"instructions"_s].toInt(), instructions);
    return {listing, json[u"call_return"_s].toBool(), qint64(json[u"cycles"_s].toDouble()), arguments};
}

// The judge of the n-th listing of a chip and format: a simulator on one of the chip's parts in turn, or, for the SX and
// the Parallax format, which no Debian simulator runs, the interpreter.
QString judgeOf(Chip chip, listing::ListingFormat format, int n) {
    static const std::map<Chip, QStringList> kParts = {
        {Chip::Pic, {u"gpsim p16f628a"_s, u"gpsim p16f1823"_s, u"gpsim p12f508"_s, u"gpsim p16f84"_s}},
        {Chip::Pic18, {u"gpsim p18f452"_s, u"gpsim p18f26k22"_s}},
        {Chip::Avr, {u"simavr atmega328p"_s, u"simavr attiny85"_s}}, {Chip::I8051, {u"s51"_s}}};
    if (chip == Chip::SxTurbo || format == listing::ListingFormat::Parallax) return u"interpreter "_s + calc::chipModel(chip).commandLineName.toString();
    const QStringList& parts = kParts.at(chip);
    return parts[n % parts.size()] + (chip == Chip::Avr ? u' ' + listing::formatName(format) : QString());
}

// The pieces that the judge counts otherwise than they claim; a p12f508's CALL reaches a dozen routines at a time.
QString judged(const QString& judge, const QList<JudgedPiece>& pieces) {
    const QStringList words = judge.split(u' ');
    if (!gpsimAvailable() || !simavrAvailable(AvrSyntax::Atmel) || !simavrAvailable(AvrSyntax::Gnu) || !ucsimAvailable())
        return u"a simulator is missing: scripts/setup-debian.sh test installs them"_s;
    QString differences;
    for (qsizetype from = 0; from < pieces.size(); from += words.value(1) == u"p12f508"_s ? 12 : 50) {
        const QList<JudgedPiece> batch = pieces.mid(from, 50);
        if (words[0] == u"gpsim"_s) differences += gpsimDifferences(words[1], pieces.mid(from, words[1] == u"p12f508"_s ? 12 : 50));
        else if (words[0] == u"simavr"_s) differences += simavrDifferences(words[1], words[2] == u"gnu"_s ? AvrSyntax::Gnu : AvrSyntax::Atmel, batch);
        else if (words[0] == u"s51"_s) differences += ucsimDifferences(batch);
        else
            for (const JudgedPiece& piece : batch)
                if (interpretedCycles(piece.listing, chipOf(words[1] + u' ')) != piece.cycles)
                    differences += piece.origin + u'\n';
    }
    return differences;
}

}  // namespace

class TestExact : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fewestInstructionsThenCounters() {
        // Against every routine of up to 3000 cycles, any cap on the counters (any counter but A and B above 1 makes more):
        // none has fewer instructions, nor as many and fewer counters. Its padding is then the fewest for its rest.
        constexpr int kLongest = 3000;
        for (const Chip chip : calc::kAllChips) {
            const calc::ChipModel& model = calc::chipModel(chip);
            const int jump = int(model.jumpCycles), perCounter = model.loadInstructions + model.loopInstructions;
            std::vector<int> padding(kLongest + 1);
            for (int rest = 0; rest <= kLongest; ++rest) {
                padding[std::size_t(rest)] = rest;
                for (int jumps = 1; jump > 0 && jumps * jump <= rest; ++jumps)
                    padding[std::size_t(rest)] = std::min(padding[std::size_t(rest)], jumps + rest - jumps * jump);
            }
            std::array<std::set<int>, calc::MaxDepth + 1> loops;  // the cycles each depth's loops make
            for (int depth = 1; depth <= calc::MaxDepth; ++depth)
                for (double a = 1; a <= 256; ++a)
                    for (double b = 1; b <= (depth > 1 ? 256 : 1); ++b)
                        if (const double cycles = calc::loopCycles(chip, depth, {a, b, 1, 1}); cycles <= kLongest) loops[std::size_t(depth)].insert(int(cycles));
            for (int cap = 1; cap <= calc::MaxDepth; ++cap)
                for (int wanted = 0; wanted <= kLongest; ++wanted) {
                    std::pair<int, int> fewest = {padding[std::size_t(wanted)], 0};  // instructions, counters
                    for (int depth = 1; depth <= cap; ++depth)
                        for (auto cycles = loops[std::size_t(depth)].begin(); cycles != loops[std::size_t(depth)].end() && *cycles <= wanted; ++cycles)
                            fewest = std::min(fewest, {depth * perCounter + padding[std::size_t(wanted - *cycles)], depth});
                    const std::optional<calc::ExactDelay> delay = calc::exactDelay(chip, wanted, cap);
                    const QString form = u"%1 cap %2, %3 cycles: %4 in %5 instructions, %6 counters"_s.arg(model.commandLineName).arg(cap).arg(wanted);
                    if (wanted > calc::longestExact(chip, cap)) {
                        QVERIFY2(!delay, qPrintable(form));
                        continue;
                    }
                    QVERIFY2(delay, qPrintable(form));
                    calc::Counts counts{};
                    for (int counter = 0; counter < calc::MaxDepth; ++counter) counts[counter] = calc::passesOf(delay->registerValues[counter]);
                    const double made = (delay->depth > 0 ? calc::loopCycles(chip, delay->depth, counts) : 0) + double(delay->jumps) * jump + double(delay->nops);
                    QCOMPARE(form.arg(made).arg(delay->depth * perCounter + delay->jumps + delay->nops).arg(delay->depth),
                             form.arg(wanted).arg(fewest.first).arg(fewest.second));
                }
        }
        // Beyond four loops of 256 passes and less than an inner pass more, or below nothing, there is no such routine.
        QCOMPARE(calc::longestExact(Chip::Pic, 4), 12918587913.0);
        QVERIFY(calc::exactDelay(Chip::Pic, 12918587913));
        QVERIFY(!calc::exactDelay(Chip::Pic, 12918587914));
        QVERIFY(!calc::exactDelay(Chip::Pic, -1));
    }

    void wantedCyclesRound() {
        // Halves go away from zero, within a millionth of a cycle: a delay typed in decimals is rarely exact in binary.
        for (const auto& [cycles, whole] : {std::pair{2.5, 3.0}, {2.4999999, 3.0}, {2.4999, 2.0}, {-2.5, -3.0}, {-2.4999999, -3.0}, {-2.6, -3.0}})
            QCOMPARE(double(calc::wholeCycles(cycles)), whole);
        // Up and down, within a millionth of a cycle of a whole number, take that number.
        for (const auto& [cycles, up, down] : {std::tuple{24.1, 25.0, 24.0}, {24.0000001, 24.0, 24.0}, {23.9999999, 24.0, 24.0}, {23.5, 24.0, 23.0}})
            QCOMPARE((QList<double>{double(calc::wholeCycles(cycles, calc::Rounding::Up)), double(calc::wholeCycles(cycles, calc::Rounding::Down))}),
                     (QList<double>{up, down}));
    }

    void everyKindOnEveryPart_data() {
        // A chip and format, the parts that judge it, and requests of its own: the worked examples and its counter names.
        table({"pic microchip|gpsim p12f508,gpsim p16f628a,gpsim p16f1823|values --clock 4MHz --delay 100ms;values --clock 4MHz --delay 1ms "
               "--exact --call-return --routine x --names a,b",
               "pic18 microchip|gpsim p18f452,gpsim p18f26k22|values --clock 40MHz --delay 100ms --call-return;values --clock 40MHz "
               "--cycles 12346 --exact",
               "avr atmel|simavr atmega328p atmel,simavr attiny85 atmel|values --clock 16MHz --delay 1ms --call-return;values --clock "
               "16MHz --cycles 16000 --exact --routine wait1ms;values --clock 1MHz --cycles 800 --exact --names cnt,r16 --declare",
               "avr gnu|simavr atmega328p gnu,simavr attiny85 gnu|values --clock 16MHz --delay 1ms --call-return --names r20,R31",
               "8051 asm51|s51|values --clock 11.0592MHz --delay 50ms --call-return;values --clock 12MHz --cycles 1235 --exact --names R0,R7",
               "sx microchip|interpreter sx|", "sx parallax|interpreter sx|",
               "pic parallax|interpreter pic|values --clock 4MHz --cycles 5000 --exact --routine alone --declare --names a,b"});
    }
    void everyKindOnEveryPart() {
        // One to four loops, with and without the CALL and return, searched, exact (four loops the shortest that need
        // them) and as routines; every part the chip covers runs all of them.
        const QStringList f = fields();
        const QString chip = u" --chip "_s + f[0].section(u' ', 0, 0) + u" --format "_s + f[0].section(u' ', 1);
        QStringList requests = f[2].split(u';', Qt::SkipEmptyParts);
        for (const QString& calls : {QString(), u" --call-return"_s})
            for (const QString& kind : {u"time --counts 7"_s, u"time --counts 0,3"_s, u"time --counts 7,3,2"_s, u"time --counts 7,3,2,1"_s,
                                        u"values --delay 300us"_s, u"values --delay 30ms"_s, u"values --cycles 9 --exact"_s,
                                        u"values --cycles 1233 --exact --routine w1"_s})
                requests << kind + u" --clock 4MHz"_s + calls;
        requests << u"values --clock 4MHz --exact --cycles %1"_s.arg(calc::formatPlain(calc::longestExact(chipOf(f[0]), 3) + 5));
        QList<JudgedPiece> pieces;
        for (const QString& request : requests) pieces << pieceOf(request + chip);
        for (const QString& judge : f[1].split(u','))
            QVERIFY2(judged(judge, pieces).isEmpty(), qPrintable(judged(judge, pieces)));
    }

    void declaredRoutinesAssembleAlone() {
        // With its declarations a routine needs nothing around it but the assembler's first and last lines.
        for (const auto& [arguments, tool, first, last] : {std::tuple{u"--names x1,x2"_s, u"gpasm"_s, u"\tlist\tp=16f628a"_s, u"\tend"_s},
                                                            {u"--chip avr --names cnt,n2"_s, u"avra"_s, u"\t.device\tATmega328P"_s, u""_s}}) {
            QTemporaryDir folder;
            const QString listing = pieceOf(u"values --clock 4MHz --cycles 5000 --exact --routine alone --declare "_s + arguments).listing;
            QVERIFY(judge::writeFile(folder.filePath(u"alone.asm"_s), first + u'\n' + QString(listing).remove(u'\r') + u'\n' + last + u'\n'));
            const judge::ToolRun run = judge::runTool(folder.path(), tool, {u"alone.asm"_s});
            QVERIFY2(run.succeeded, qPrintable(run.output + listing));
        }
    }

    void randomRequestsTakeTheirCycles() {
        // 1000 requests, seeded, 200 a chip: searched, exact and from counters, log-spread over clocks of 32.768 kHz to
        // 64 MHz and over lengths up to 10^7 cycles (2 * 10^6 on the slower 8051 simulator), every format, with and without
        // the CALL and return, some as routines, judged on the chip's parts in turn.
        QRandomGenerator random(20261207);
        const auto logSpread = [&](double from, double to) { return from * std::pow(to / from, random.generateDouble()); };
        std::map<QString, QList<JudgedPiece>> pieces;
        for (int request = 0; request < 1000; ++request) {
            const Chip chip = calc::kAllChips[std::size_t(request % 5)];
            const QList<listing::ListingFormat> formats = listing::formatsFor(chip);
            const listing::ListingFormat format = formats[request / 5 % formats.size()];
            const double clock = std::round(logSpread(32768, 64e6)), perCycle = calc::chipModel(chip).clocksPerCycle;
            const double cycles = std::round(logSpread(4, chip == Chip::I8051 ? 2e6 : 1e7));
            QString arguments = u"--clock %1 --chip %2 --format %3"_s.arg(calc::formatPlain(clock), calc::chipModel(chip).commandLineName,
                                                                         listing::formatName(format));
            switch (request / 15 % 3) {
                case 0: arguments += u" values --delay %1"_s.arg(calc::formatPlain(cycles * perCycle / clock)); break;
                case 1: arguments += u" values --exact --cycles %1"_s.arg(cycles + 7); break;
                default: arguments += u" time --counts %1,%2,%3"_s.arg(random.bounded(256)).arg(random.bounded(256)).arg(1 + random.bounded(3));
            }
            if (request % 4 == 1) arguments += request % 3 ? u" --routine wait%1"_s.arg(request) : u" --call-return"_s;
            pieces[judgeOf(chip, format, request / 5)] << pieceOf(arguments);
        }
        for (const auto& [judge, judgedPieces] : pieces) QVERIFY2(judged(judge, judgedPieces).isEmpty(), qPrintable(judged(judge, judgedPieces)));
    }
};

QTEST_APPLESS_MAIN(TestExact)
#include "tst_exact.moc"
