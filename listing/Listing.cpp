#include "listing/Listing.h"

namespace listing {

namespace {

// Piece templates: {name} and {value} stand for the counter's box texts. Columns are made
// of tabs alone: label, two tabs, mnemonic, tab, operand.
struct FormatPieces {
    QStringView load;
    QStringView loopSingle;  // the whole loop block of a one-loop routine
    QStringView loopInner;   // counter A, carrying the routine's one label
    QStringView loopOuter;   // each further counter, branching back to that label
    QStringView returnLine;
};

constexpr FormatPieces kMicrochip = {
    u"\r\n\t\tmovlw\tD'{value}'\r\n\t\tmovwf\t{name}",
    u"\r\nloop\t\tdecfsz\t{name},1\r\n\t\tgoto\tloop",
    u"\r\nloop\t\tdecfsz\t{name},1\r\n\t\tgoto\tloop",
    u"\r\n\t\tdecfsz\t{name},1\r\n\t\tgoto\tloop",
    u"\r\n\t\tretlw\t0",
};

// Counter A jumps to itself ($); a one-loop routine needs no label at all.
constexpr FormatPieces kParallax = {
    u"\r\n\t\tmov\t{name},#{value}",
    u"\r\n\t\tdjnz\t{name},$",
    u"\r\n:loop\t\tdjnz\t{name},$",
    u"\r\n\t\tdjnz\t{name},:loop",
    u"\r\n\t\tret",
};

// One pass over the template, so a name that happens to contain "{value}" stays as typed.
QString expand(QStringView piece, const Counter& counter) {
    static constexpr QStringView kName = u"{name}";
    static constexpr QStringView kValue = u"{value}";
    QString out;
    out.reserve(piece.size() + counter.name.size() + counter.value.size());
    qsizetype at = 0;
    while (at < piece.size()) {
        const qsizetype field = piece.indexOf(u'{', at);
        out += piece.mid(at, (field < 0 ? piece.size() : field) - at);
        if (field < 0) break;
        const QStringView rest = piece.mid(field);
        if (rest.startsWith(kName)) {
            out += counter.name;
            at = field + kName.size();
        } else if (rest.startsWith(kValue)) {
            out += counter.value;
            at = field + kValue.size();
        } else {
            out += u'{';
            at = field + 1;
        }
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
    QStringList out;
    for (int counter = depth - 1; counter >= 0; --counter)
        out << expand(templates.load, input.counters[counter]);
    QString loopBlock =
        expand(depth == 1 ? templates.loopSingle : templates.loopInner, input.counters[0]);
    for (int counter = 1; counter < depth; ++counter)
        loopBlock += expand(templates.loopOuter, input.counters[counter]);
    out << loopBlock;
    if (input.withReturn) out << templates.returnLine.toString();
    return out;
}

QString fullListing(ListingFormat format, int depth, const ListingInput& input) {
    return headerLine(input) + pieces(format, depth, input).join(QString());
}

}  // namespace listing
