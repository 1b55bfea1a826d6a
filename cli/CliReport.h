#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

#include "calc/Formulas.h"
#include "cli/CliRequest.h"

namespace cli {

// How far the answer to a values request lies from the request.
struct Deviation {
    double wantedCycles = 0;    // the requested delay in whole cycles
    double achievedCycles = 0;  // what the routine takes
    double seconds = 0;         // achieved delay minus requested delay
    std::optional<double> ppm;  // the same in parts per million of the request; none for 0 s
};

// What the window would show for the request: the tab, the counter boxes, the delay and cycle
// boxes and the code box; for values, how far that lies from the request, and a note when
// the delay was replaced by a limit.
struct CliReport {
    QString note;
    int depth = 0;  // 0: an exact routine made of padding alone
    calc::Counts registerValues{};
    double shownSeconds = 0;  // rounded as the delay box shows it
    double cycles = 0;
    double delaySeconds = 0;  // unrounded, CALL and return included when counted
    int jumps = 0;            // padding of an exact routine
    int nops = 0;
    std::optional<Deviation> deviation;
    QString listing;  // lines separated by the requested line end, none after the last
};

// Runs the calculation of a values or time request; throws UsageError if it fails.
CliReport calculate(const CliRequest& request);

QString textReport(const CliRequest& request, const CliReport& report);
QByteArray jsonReport(const CliRequest& request, const CliReport& report);

}  // namespace cli
