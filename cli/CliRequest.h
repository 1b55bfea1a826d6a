#pragma once

#include <QString>
#include <QStringList>

#include <array>

#include "calc/Formulas.h"
#include "listing/Listing.h"

namespace cli {

enum class Command { Values, Time, Help, Version };

// One checked command line. Counters and names are A (innermost) to D.
struct CliRequest {
    Command command = Command::Help;
    double clockHz = 0;
    double delaySeconds = 0;        // values
    calc::Counts registerValues{};  // time: the counters' register values, 0 meaning 256 passes
    int depth = 0;                  // time: the number of counts given
    calc::Chip chip = calc::Chip::Pic;
    bool addCallReturn = false;
    listing::ListingFormat format = listing::ListingFormat::Microchip;
    std::array<QString, calc::MaxDepth> names = {QStringLiteral("Delay1"), QStringLiteral("Delay2"),
                                                 QStringLiteral("Delay3"), QStringLiteral("Delay4")};
    bool crlf = false;
    bool json = false;
    bool exact = false;  // values: the wanted cycles exactly, padded after the loops
    QString routine;     // a routine to include under this label; empty for the plain listing
};

// Reads the arguments that follow the program name. --help and --version win over anything
// else; otherwise the first problem found throws UsageError.
CliRequest parseCliRequest(const QStringList& arguments);

// The options and what they take, as --help shows them.
QString optionsHelp();

}  // namespace cli
