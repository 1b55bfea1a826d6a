#pragma once

#include <QByteArray>
#include <QString>

#include "calc/DelayAnswer.h"
#include "cli/CliRequest.h"

namespace cli {

// The core's answer to a request as kestrune-cli writes it: a note when the delay was replaced
// by a limit, and the listing.
struct CliReport {
    calc::DelayAnswer answer;
    QString note;
    QString listing;  // lines separated by the requested line end, none after the last
};

// Runs the calculation of a values or time request; throws UsageError if it has no answer.
CliReport calculate(const CliRequest& request);

QString textReport(const CliRequest& request, const CliReport& report);
QByteArray jsonReport(const CliRequest& request, const CliReport& report);

}  // namespace cli
