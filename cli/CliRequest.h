#pragma once

#include <QString>
#include <QStringList>

#include <array>

#include "calc/DelayAnswer.h"
#include "listing/Listing.h"

namespace cli {

enum class Command { Values, Time, Help, Version };

// One checked command line: the calculation it asks for, and how to write the answer.
// Names are A (innermost) to D.
struct CliRequest {
    Command command = Command::Help;
    calc::DelayRequest calculation;
    bool cyclesGiven = false;  // values: --cycles rather than --delay
    listing::ListingFormat format = listing::ListingFormat::Microchip;
    std::array<QString, calc::MaxDepth> names = listing::defaultNames(listing::ListingFormat::Microchip);
    bool crlf = false;
    bool json = false;
    bool declare = false;
    QString routine;  // a routine to include under this label; empty for the plain listing
};

// Reads the arguments that follow the program name. --help and --version win over anything
// else; otherwise the first problem found throws UsageError.
CliRequest parseCliRequest(const QStringList& arguments);

}  // namespace cli
