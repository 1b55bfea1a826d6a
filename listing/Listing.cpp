#include "listing/Listing.h"

#include <QRegularExpression>

namespace listing {

namespace {

constexpr unsigned fits(calc::Chip chip) { return 1U << static_cast<unsigned>(chip); }

enum class Declaration { Block, Reserve, Define, None };

// One listing format for the chips it fits. Piece templates: {name} and {value} stand for the
// counter's box texts, {label} for the loop label. Columns are made of tabs alone: label, two
// tabs, mnemonic, tab, operand.
struct FormatRow {
    ListingFormat format;
    QStringView name;
    unsigned chips;
    QStringView load;
    QStringView loopSingle;  // the whole loop block of a one-loop routine
    QStringView loopInner;   // counter A, carrying the routine's one label
    QStringView loopOuter;   // each further counter, branching back to that label
    QStringView jump;        // a jump to the next instruction; empty where there is none
    QStringView nop;
    QStringView returnLine;
    QStringView labelEnd;  // after a label: ":" where the assembler wants one
    Declaration declaration;
    CounterNames counterNames;
    Qt::CaseSensitivity nameCase;
    std::array<QStringView, calc::MaxDepth> defaultNames;
    QStringView counterNote;  // where the counters must lie, for a routine's comment
    QStringView labelMarks;   // what a label may hold besides letters, digits and '_'
};

constexpr std::array<QStringView, calc::MaxDepth> kDelayNames = {u"Delay1", u"Delay2", u"Delay3", u"Delay4"};
constexpr QStringView kBankNote = u"its counters in RAM it reaches without a bank change";

// In order of preference: the first row that fits a chip gives its default format.
// - Microchip (gpasm compares names with case): a PIC18's goto takes two words, so its loops
//   branch with bra, and its $ counts bytes, so the jump to the next instruction is $+2.
// - Parallax: counter A jumps to itself ($); a one-loop routine needs no label at all. The
//   label is local to the routine's own, so it never needs renaming.
// - Atmel (avra) and GNU as for an AVR: ldi reaches r16-r31 only. GNU's numeric local labels
//   never clash, however many routines a file includes.
// - ASM51 (as31 and the usual 8051 assemblers): every branch goes to a label, since as31
//   writes the location counter * where the others write $.
constexpr std::array<FormatRow, 6> kRows = {{
    {ListingFormat::Microchip, u"microchip", fits(calc::Chip::Pic) | fits(calc::Chip::SxTurbo),
     u"\r\n\t\tmovlw\tD'{value}'\r\n\t\tmovwf\t{name}", u"\r\n{label}\t\tdecfsz\t{name},1\r\n\t\tgoto\t{label}",
     u"\r\n{label}\t\tdecfsz\t{name},1\r\n\t\tgoto\t{label}", u"\r\n\t\tdecfsz\t{name},1\r\n\t\tgoto\t{label}",
     u"\r\n\t\tgoto\t$+1", u"\r\n\t\tnop", u"\r\n\t\tretlw\t0", u"", Declaration::Block, CounterNames::AnyName,
     Qt::CaseSensitive, kDelayNames, kBankNote, u".?"},
    {ListingFormat::Microchip, u"microchip", fits(calc::Chip::Pic18),
     u"\r\n\t\tmovlw\tD'{value}'\r\n\t\tmovwf\t{name}", u"\r\n{label}\t\tdecfsz\t{name},1\r\n\t\tbra\t{label}",
     u"\r\n{label}\t\tdecfsz\t{name},1\r\n\t\tbra\t{label}", u"\r\n\t\tdecfsz\t{name},1\r\n\t\tbra\t{label}",
     u"\r\n\t\tbra\t$+2", u"\r\n\t\tnop", u"\r\n\t\tretlw\t0", u"", Declaration::Block, CounterNames::AnyName,
     Qt::CaseSensitive, kDelayNames, u"its counters in the access bank", u".?"},
    {ListingFormat::Parallax, u"parallax", fits(calc::Chip::Pic) | fits(calc::Chip::SxTurbo),
     u"\r\n\t\tmov\t{name},#{value}", u"\r\n\t\tdjnz\t{name},$", u"\r\n:loop\t\tdjnz\t{name},$", u"\r\n\t\tdjnz\t{name},:loop",
     u"\r\n\t\tjmp\t$+1", u"\r\n\t\tnop", u"\r\n\t\tret", u"", Declaration::Reserve, CounterNames::AnyName,
     Qt::CaseInsensitive, kDelayNames, kBankNote, u".?"},
    {ListingFormat::Atmel, u"atmel", fits(calc::Chip::Avr),
     u"\r\n\t\tldi\t{name}, {value}", u"\r\n{label}:\t\tdec\t{name}\r\n\t\tbrne\t{label}",
     u"\r\n{label}:\t\tdec\t{name}\r\n\t\tbrne\t{label}", u"\r\n\t\tdec\t{name}\r\n\t\tbrne\t{label}",
     u"\r\n\t\trjmp\tPC+1", u"\r\n\t\tnop", u"\r\n\t\tret", u":", Declaration::Define, CounterNames::HighOrDefined,
     Qt::CaseInsensitive, {u"r16", u"r17", u"r18", u"r19"}, u"", u""},
    {ListingFormat::Gnu, u"gnu", fits(calc::Chip::Avr),
     u"\r\n\t\tldi\t{name}, {value}", u"\r\n1:\t\tdec\t{name}\r\n\t\tbrne\t1b", u"\r\n1:\t\tdec\t{name}\r\n\t\tbrne\t1b",
     u"\r\n\t\tdec\t{name}\r\n\t\tbrne\t1b", u"\r\n\t\trjmp\t.+0", u"\r\n\t\tnop", u"\r\n\t\tret", u":", Declaration::None,
     CounterNames::HighRegister, Qt::CaseInsensitive, {u"r16", u"r17", u"r18", u"r19"}, u"", u"."},
    {ListingFormat::Asm51, u"asm51", fits(calc::Chip::I8051),
     u"\r\n\t\tmov\t{name},#{value}", u"\r\n{label}:\t\tdjnz\t{name},{label}", u"\r\n{label}:\t\tdjnz\t{name},{label}",
     u"\r\n\t\tdjnz\t{name},{label}", u"", u"\r\n\t\tnop", u"\r\n\t\tret", u":", Declaration::None,
     CounterNames::BankRegister, Qt::CaseInsensitive, {u"R2", u"R3", u"R4", u"R5"}, u"", u""},
}};

const FormatRow& rowOf(ListingFormat format, calc::Chip chip) {
    for (const FormatRow& row : kRows)
        if (row.format == format && (row.chips & fits(chip))) return row;
    // A format the chip does not fit still writes in its own words.
    for (const FormatRow& row : kRows)
        if (row.format == format) return row;
    return kRows.front();
}

const FormatRow& rowOf(ListingFormat format) { return rowOf(format, calc::Chip::Pic); }

// The register number of an AVR's rN (r0-r31) or an 8051's Rn (R0-R7), if the name is one.
std::optional<int> registerNumber(CounterNames names, const QString& name) {
    static const QRegularExpression avr(QStringLiteral("^[rR]([0-9]|[12][0-9]|3[01])$"));
    static const QRegularExpression bank(QStringLiteral("^[rR]([0-7])$"));
    if (names == CounterNames::AnyName) return std::nullopt;
    const QRegularExpressionMatch match = (names == CounterNames::BankRegister ? bank : avr).match(name);
    if (!match.hasMatch()) return std::nullopt;
    return match.captured(1).toInt();
}

constexpr int kLowestImmediateRegister = 16;

// One pass over the template, so a name that happens to contain "{value}" stays as typed.
QString expand(QStringView piece, const Counter& counter, const QString& label) {
    static constexpr std::array<QStringView, 3> kFields = {u"{name}", u"{value}", u"{label}"};
    const std::array<const QString*, 3> texts = {&counter.name, &counter.value, &label};
    QString out;
    out.reserve(piece.size() + counter.name.size() + counter.value.size() + 2 * label.size());
    qsizetype at = 0;
    while (at < piece.size()) {
        const qsizetype field = piece.indexOf(u'{', at);
        out += piece.mid(at, (field < 0 ? piece.size() : field) - at);
        if (field < 0) break;
        const QStringView rest = piece.mid(field);
        at = field + 1;
        QString text = QStringLiteral("{");
        for (std::size_t which = 0; which < kFields.size(); ++which) {
            if (!rest.startsWith(kFields[which])) continue;
            text = *texts[which];
            at = field + kFields[which].size();
        }
        out += text;
    }
    return out;
}

// A routine to include keeps its loop label apart from those of the routines around it.
QString loopLabel(const QString& routine) {
    return routine.isEmpty() ? QStringLiteral("loop") : routine + QStringLiteral("_loop");
}

// The names among the first `depth` counters that the program must define as registers.
QStringList undefinedNames(ListingFormat format, int depth, const ListingInput& input) {
    QStringList names;
    for (int counter = 0; counter < depth; ++counter)
        if (format == ListingFormat::Atmel && verdictOn(format, input.counters[counter].name) == NameVerdict::Declared)
            names << input.counters[counter].name;
    return names;
}

// The lines that declare the first `depth` counters: a cblock continues the program's own.
QString declarations(const FormatRow& row, int depth, const ListingInput& input) {
    QStringList names;
    for (int counter = 0; counter < depth; ++counter) names << input.counters[counter].name;
    if (names.isEmpty()) return {};
    switch (row.declaration) {
        case Declaration::Block:
            return QStringLiteral("\r\n\t\tcblock\r\n\t\t") + names.join(QStringLiteral(", ")) + QStringLiteral("\r\n\t\tendc");
        case Declaration::Reserve:
            return QLatin1StringView("\r\n") + names.join(QStringLiteral("\t\tds\t1\r\n")) + QStringLiteral("\t\tds\t1");
        case Declaration::Define: {
            QList<int> taken;
            for (const QString& name : names)
                if (const std::optional<int> number = registerNumber(row.counterNames, name)) taken << *number;
            QString text;
            int next = kLowestImmediateRegister;
            for (const QString& name : undefinedNames(row.format, depth, input)) {
                while (taken.contains(next)) ++next;
                taken << next;
                text += QStringLiteral("\r\n\t\t.def\t%1 = r%2").arg(name).arg(next);
            }
            return text;
        }
        case Declaration::None:
            break;
    }
    return {};
}

}  // namespace

QString formatName(ListingFormat format) { return rowOf(format).name.toString(); }
CounterNames counterNames(ListingFormat format) { return rowOf(format).counterNames; }
Qt::CaseSensitivity nameCase(ListingFormat format) { return rowOf(format).nameCase; }

std::array<QString, calc::MaxDepth> defaultNames(ListingFormat format) {
    std::array<QString, calc::MaxDepth> names;
    for (int counter = 0; counter < calc::MaxDepth; ++counter) names[counter] = rowOf(format).defaultNames[counter].toString();
    return names;
}

NameVerdict verdictOn(ListingFormat format, const QString& name) {
    const CounterNames names = counterNames(format);
    const std::optional<int> number = registerNumber(names, name);
    if (names == CounterNames::AnyName) return NameVerdict::Declared;
    if (names == CounterNames::BankRegister) return number ? NameVerdict::Register : NameVerdict::NotARegister;
    if (number) return *number >= kLowestImmediateRegister ? NameVerdict::Register : NameVerdict::WrongRegister;
    return names == CounterNames::HighOrDefined ? NameVerdict::Declared : NameVerdict::NotARegister;
}

std::optional<QChar> markOutOfLabel(ListingFormat format, const QString& label) {
    const QStringView marks = rowOf(format).labelMarks;
    for (const QChar character : label)
        if (!character.isLetterOrNumber() && character != u'_' && !marks.contains(character)) return character;
    return std::nullopt;
}

QString clashingLoopLabel(ListingFormat format, const QString& routine) {
    const FormatRow& row = rowOf(format);
    const bool amongCounters = row.counterNames == CounterNames::AnyName && row.loopInner.contains(u"{label}");
    return amongCounters ? loopLabel(routine) : QString();
}

QList<ListingFormat> formatsFor(calc::Chip chip) {
    QList<ListingFormat> formats;
    for (const FormatRow& row : kRows)
        if (row.chips & fits(chip)) formats << row.format;
    return formats;
}

QList<ListingFormat> allFormats() {
    QList<ListingFormat> formats;
    for (const FormatRow& row : kRows)
        if (!formats.contains(row.format)) formats << row.format;
    return formats;
}

QString paddingJump(ListingFormat format, calc::Chip chip) {
    // The piece without its line end and its two tabs of empty label field.
    return rowOf(format, chip).jump.mid(4).toString().replace(QLatin1Char('\t'), QLatin1Char(' '));
}

QString counterNote(ListingFormat format, calc::Chip chip) { return rowOf(format, chip).counterNote.toString(); }

QString headerLine(const ListingInput& input) {
    return QLatin1Char(';') + calc::chipModel(input.chip).headerName.toString() + QStringLiteral(" Time Delay = ") +
           input.timeText + QStringLiteral(" s with Osc = ") + input.clockText + QStringLiteral(" Hz");
}

QStringList pieces(ListingFormat format, int depth, const ListingInput& input) {
    const FormatRow& row = rowOf(format, input.chip);
    const QString label = loopLabel(input.routine);
    QStringList out;
    for (int counter = depth - 1; counter >= 0; --counter) out << expand(row.load, input.counters[counter], label);
    if (depth > 0) {
        QString loopBlock = expand(depth == 1 ? row.loopSingle : row.loopInner, input.counters[0], label);
        for (int counter = 1; counter < depth; ++counter) loopBlock += expand(row.loopOuter, input.counters[counter], label);
        out << loopBlock;
    }
    for (int jump = 0; jump < input.jumps && !row.jump.isEmpty(); ++jump) out << row.jump.toString();
    for (int nop = 0; nop < input.nops; ++nop) out << row.nop.toString();
    if (input.withReturn) out << row.returnLine.toString();
    return out;
}

QString fullListing(ListingFormat format, int depth, const ListingInput& input) {
    const FormatRow& row = rowOf(format, input.chip);
    QString text = headerLine(input);
    if (!input.routine.isEmpty()) text += QStringLiteral("\r\n;") + input.routineComment;
    if (input.declare)
        text += declarations(row, depth, input);
    else if (const QStringList names = undefinedNames(format, depth, input); !names.isEmpty())
        text += QStringLiteral("\r\n;define %1 with .def NAME = r16..r31").arg(names.join(QStringLiteral(", ")));
    QStringList body = pieces(format, depth, input);
    // The routine's label goes into the empty label field of its first instruction.
    if (!input.routine.isEmpty() && !body.isEmpty()) body.front().insert(2, input.routine + row.labelEnd.toString());
    return text + body.join(QString());
}

}  // namespace listing
