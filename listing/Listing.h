#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

#include "calc/Chip.h"

namespace listing {

// The window writes the first two; kestrune-cli writes the others for the chips they fit.
enum class ListingFormat { Microchip, Parallax, Atmel, Gnu, Asm51 };

// Which names a format takes for a counter.
enum class CounterNames {
    AnyName,           // a register the program declares under that name
    HighOrDefined,     // r16-r31, which ldi reaches, or a name the program defines as one
    HighRegister,      // r16-r31 alone
    BankRegister,      // R0-R7 of the current bank
};

// What a counter's name is to the format.
enum class NameVerdict {
    Declared,      // a name the program declares (or, on an AVR, defines with .def)
    Register,      // the register itself
    WrongRegister, // a register the routine cannot use (r0-r15 for ldi)
    NotARegister,  // where only registers will do
};

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
    // The counters' declarations before the code, so the routine assembles on its own.
    bool declare = false;
};

// The format's command-line name ("microchip"), its counter names and how its assembler
// compares them, and the default names of counters A to D.
QString formatName(ListingFormat format);
CounterNames counterNames(ListingFormat format);
Qt::CaseSensitivity nameCase(ListingFormat format);
std::array<QString, calc::MaxDepth> defaultNames(ListingFormat format);
NameVerdict verdictOn(ListingFormat format, const QString& name);

// The first character of a label that the format's assembler does not take there: as31 takes
// no '.' or '?', avra neither, GNU as no '?'. Checked after the counter name rules.
std::optional<QChar> markOutOfLabel(ListingFormat format, const QString& label);

// The loop label the listing writes ("loop", or a routine's "NAME_loop") where the assembler
// keeps it among the counters' own symbols, so a counter of that name would clash with it;
// empty where the label is local or numeric, or the counters are registers or their aliases.
QString clashingLoopLabel(ListingFormat format, const QString& routine);

// The formats that fit a chip, its default first; all formats in the order they are offered.
QList<ListingFormat> formatsFor(calc::Chip chip);
QList<ListingFormat> allFormats();

// The padding jump as the chip's listing writes it ("goto $+1"); empty where it pads with
// nops alone. A comment on the routine's counters for the routine's comment line, or empty.
QString paddingJump(ListingFormat format, calc::Chip chip);
QString counterNote(ListingFormat format, calc::Chip chip);

// The first line of every listing.
QString headerLine(const ListingInput& input);

// The pieces that follow the header, in the order they are appended: one load per counter
// from the outermost inwards, the loop block (none for 0 loops), the padding, and the return
// when wanted. Each piece starts with a line end, so the listing never ends with one.
QStringList pieces(ListingFormat format, int depth, const ListingInput& input);

// The whole listing of `depth` loops (0 to 4): the header, the comments and declarations of a
// routine to include, then its pieces.
QString fullListing(ListingFormat format, int depth, const ListingInput& input);

}  // namespace listing
