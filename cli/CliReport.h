#pragma once

#include <QByteArray>
#include <QString>

#include "calc/DelayCalculation.h"
#include "cli/CliRequest.h"

namespace cli {

// What the window would show for the request: the tab, the counter boxes, the delay and cycle
// boxes and the code box, plus a note when the delay was replaced by a limit.
struct CliReport {
    QString note;
    calc::Calculation result;
    double delaySeconds = 0;  // unrounded, CALL and return included when counted
    QString listing;          // lines separated by the requested line end, none after the last
};

// Runs the calculation of a values or time request; throws UsageError if it fails.
CliReport calculate(const CliRequest& request);

QString textReport(const CliRequest& request, const CliReport& report);
QByteArray jsonReport(const CliRequest& request, const CliReport& report);

}  // namespace cli
