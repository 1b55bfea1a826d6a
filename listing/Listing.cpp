#include "listing/Listing.h"

namespace listing {

namespace {

// Piece templates: {name} and {value} stand for the counter's box texts, {label} for the loop
// label. Columns are made of tabs alone: label, two tabs, mnemonic, tab, operand.
struct FormatPieces {
    QStringView load;
    QStringView loopSingle;  // the whole loop block of a one-loop routine
    QStringView loopInner;   // counter A, carrying the routine's one label
    QStringView loopOuter;   // each further counter, branching back to that label
    QStringView jump;        // a jump to the next instruction
    QStringView nop;
    QStringView returnLine;
};

constexpr FormatPieces kMicrochip = {
    u"\r\n\t\tmovlw\tD'{value}'\r\n\t\tmovwf\t{name}",
    u"\r\n{label}\t\tdecfsz\t{name},1\r\n\t\tgoto\t{label}",
    u"\r\n{label}\t\tdecfsz\t{name},1\r\n\t\tgoto\t{label}",
    u"\r\n\t\tdecfsz\t{name},1\r\n\t\tgoto\t{label}",
    u"\r\n\t\tgoto\t$+1",
    u"\r\n\t\tnop",
    u"\r\n\t\tretlw\t0",
};

// Counter A jumps to itself ($); a one-loop routine needs no label at all. The label is local
// to the routine's own, so it never needs renaming.
constexpr FormatPieces kParallax = {
    u"\r\n\t\tmov\t{name},#{value}",
    u"\r\n\t\tdjnz\t{name},$",
    u"\r\n:loop\t\tdjnz\t{name},$",
    u"\r\n\t\tdjnz\t{name},:loop",
    u"\r\n\t\tjmp\t$+1",
    u"\r\n\t\tnop",
    u"\r\n\t\tret",
};

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

const FormatPieces& piecesOf(ListingFormat format) {
    return format == ListingFormat::Microchip ? kMicrochip : kParallax;
}

}  // namespace

QString headerLine(const ListingInput& input) {
    return QLatin1Char(';') + calc::chipModel(input.chip).headerName.toString() + QStringLiteral(" Time Delay = ") +
           input.timeText + QStringLiteral(" s with Osc = ") + input.clockText + QStringLiteral(" Hz");
}

QStringList pieces(ListingFormat format, int depth, const ListingInput& input) {
    const FormatPieces& templates = piecesOf(format);
    // A routine to include keeps its loop label apart from those of the routines around it.
    const QString label = input.routine.isEmpty() ? QStringLiteral("loop") : input.routine + QStringLiteral("_loop");
    QStringList out;
    for (int counter = depth - 1; counter >= 0; --counter) out << expand(templates.load, input.counters[counter], label);
    if (depth > 0) {
        QString loopBlock = expand(depth == 1 ? templates.loopSingle : templates.loopInner, input.counters[0], label);
        for (int counter = 1; counter < depth; ++counter) loopBlock += expand(templates.loopOuter, input.counters[counter], label);
        out << loopBlock;
    }
    for (int jump = 0; jump < input.jumps; ++jump) out << templates.jump.toString();
    for (int nop = 0; nop < input.nops; ++nop) out << templates.nop.toString();
    if (input.withReturn) out << templates.returnLine.toString();
    return out;
}

QString fullListing(ListingFormat format, int depth, const ListingInput& input) {
    QStringList body = pieces(format, depth, input);
    if (input.routine.isEmpty()) return headerLine(input) + body.join(QString());
    // The routine's label goes into the empty label field of its first instruction.
    if (!body.isEmpty()) body.front().insert(2, input.routine);
    return headerLine(input) + QStringLiteral("\r\n;") + input.routineComment + body.join(QString());
}

}  // namespace listing
