#pragma once

#include <QString>
#include <QStringList>
#include <array>

#include "calc/CalcState.h"
#include "calc/Formulas.h"
#include "listing/Listing.h"

namespace cli {

enum class Command { Values, Time, Help, Version };

// One checked command line. Counters and names are A (innermost) to D.
struct CliRequest {
    Command command = Command::Help;
    double clockHz = 0;
    double delaySeconds = 0;  // values
    QStringList countTexts;   // time: one to four register values as plain texts, 0 = 256 passes
    qint16 chip = calc::ChipMchip;
    bool addCallReturn = false;
    listing::Format format = listing::Format::Microchip;
    std::array<QString, calc::MaxDepth> names = {QStringLiteral("Delay1"), QStringLiteral("Delay2"),
                                                 QStringLiteral("Delay3"),
                                                 QStringLiteral("Delay4")};
    bool crlf = false;
    bool json = false;
};

// Reads the arguments that follow the program name. --help and --version win over anything
// else; otherwise the first problem found throws UsageError.
CliRequest parseCliRequest(const QStringList& arguments);

}  // namespace cli
