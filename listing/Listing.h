#pragma once

#include <QString>
#include <QStringList>

#include <array>

#include "calc/Chip.h"

namespace listing {

enum class ListingFormat { Microchip, Parallax };

struct Counter {
    QString name;
    QString value;
};

// Everything a listing is made of, copied unchanged from the boxes.
struct ListingInput {
    calc::Chip chip = calc::Chip::Pic;  // the header names the chip, whatever the format
    QString timeText;
    QString clockText;
    std::array<Counter, calc::MaxDepth> counters;  // A (innermost) to D (outermost)
    bool withReturn = false;
    // Padding after the loops, for a routine of an exact length: jumps to the next
    // instruction, then nops.
    int jumps = 0;
    int nops = 0;
    // A routine to include: its label on the first instruction, its own loop label, and a
    // comment line after the header. Empty for the plain listing of the window.
    QString routine;
    QString routineComment;
};

// The first line of every listing.
QString headerLine(const ListingInput& input);

// The pieces that follow the header, in the order they are appended: one load per counter
// from the outermost inwards, the loop block (none for 0 loops), the padding, and the return
// when wanted. Each piece starts with a line end, so the listing never ends with one.
QStringList pieces(ListingFormat format, int depth, const ListingInput& input);

// The whole listing of `depth` loops (0 to 4): the header followed by its pieces.
QString fullListing(ListingFormat format, int depth, const ListingInput& input);

}  // namespace listing
