#include "cli/CliReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "calc/Fault.h"
#include "calc/NumberText.h"
#include "cli/UsageError.h"

namespace cli {

namespace {

QString lineEnd(const CliRequest& request) {
    return request.crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
}

// A clamped request: the window puts the limit into the delay box before it searches.
QString clampNote(const CliRequest& request, const calc::SearchOutcome& outcome) {
    if (!outcome.clampedDelay) return {};
    const QString side = outcome.depth == 1 ? QStringLiteral("below the shortest delay")
                                            : QStringLiteral("at or above the longest delay");
    QString note = QStringLiteral("Note: %1 s is %2; using %3 s")
                       .arg(calc::formatPlain(request.delaySeconds), side, calc::formatPlain(*outcome.clampedDelay));
    if (request.addCallReturn) note += QStringLiteral(" plus the CALL and return");
    return note;
}

QString cyclesText(const CliReport& report) { return calc::formatPlain(report.result.shown.cycles); }
QString delayText(const CliReport& report) { return calc::formatDelay(report.result.shown.seconds); }

}  // namespace

CliReport calculate(const CliRequest& request) {
    CliReport report;
    calc::CalcState state;
    state.ChipType = request.chip;
    try {
        if (request.command == Command::Values) {
            const calc::SearchCalculation run =
                calc::countersFromDelay(state, request.clockHz, request.delaySeconds, request.addCallReturn);
            report.note = clampNote(request, run.outcome);
            report.result = run.result;
        } else {
            report.result = calc::delayFromCounters(state, request.clockHz, request.registerValues, request.depth,
                                                    request.addCallReturn);
        }
        // The unrounded sum that the delay box shows rounded.
        report.delaySeconds = calc::checked(calc::timeOfDepth(state, report.result.depth) + state.CallRetTime);
    } catch (const calc::Fault& fault) {
        throw UsageError{QStringLiteral("cannot calculate this request: ") + fault.description()};
    }

    listing::ListingInput input;
    input.chip = request.chip;
    input.timeText = delayText(report);
    input.clockText = calc::formatPlain(request.clockHz);
    for (int counter = 0; counter < calc::MaxDepth; ++counter)
        input.counters[counter] = {request.names[counter], calc::formatPlain(report.result.registerValues[counter])};
    input.withReturn = request.addCallReturn;
    report.listing = listing::fullListing(request.format, report.result.depth, input)
                         .replace(QStringLiteral("\r\n"), lineEnd(request));
    return report;
}

QString textReport(const CliRequest& request, const CliReport& report) {
    QStringList lines;
    if (!report.note.isEmpty()) lines << report.note;
    lines << QStringLiteral("Loop depth: %1 (%2)").arg(report.result.depth).arg(calc::depthName(report.result.depth));
    for (int counter = 0; counter < calc::MaxDepth; ++counter)
        lines << QStringLiteral("Counter %1: %2 = %3")
                     .arg(QChar(u'A' + counter), request.names[counter],
                          calc::formatPlain(report.result.registerValues[counter]));
    lines << QStringLiteral("Delay Time: ") + delayText(report) + QStringLiteral(" s");
    lines << calc::chipModel(request.chip).cyclesCaption.toString() + QLatin1Char(' ') + cyclesText(report);
    lines << QString() << report.listing;
    const QString end = lineEnd(request);
    return lines.join(end) + end;
}

QByteArray jsonReport(const CliRequest& request, const CliReport& report) {
    QJsonArray counters;
    QJsonArray names;
    for (int counter = 0; counter < calc::MaxDepth; ++counter) {
        counters.append(report.result.registerValues[counter]);
        names.append(request.names[counter]);
    }
    QJsonObject object{
        {QStringLiteral("mode"), request.command == Command::Values ? QStringLiteral("values") : QStringLiteral("time")},
        {QStringLiteral("chip"), calc::chipModel(request.chip).commandLineName.toString()},
        {QStringLiteral("format"), request.format == listing::ListingFormat::Microchip ? QStringLiteral("microchip")
                                                                                          : QStringLiteral("parallax")},
        {QStringLiteral("clock_hz"), request.clockHz},
        {QStringLiteral("call_return"), request.addCallReturn},
        {QStringLiteral("depth"), report.result.depth},
        {QStringLiteral("tab"), calc::depthName(report.result.depth)},
        {QStringLiteral("counters"), counters},
        {QStringLiteral("names"), names},
        {QStringLiteral("delay_s"), report.delaySeconds},
        {QStringLiteral("delay_text"), delayText(report)},
        {QStringLiteral("cycles"), report.result.shown.cycles},
        {QStringLiteral("cycles_text"), cyclesText(report)},
        {QStringLiteral("note"), report.note},
        {QStringLiteral("listing"), report.listing},
    };
    if (request.command == Command::Values) object.insert(QStringLiteral("requested_delay_s"), request.delaySeconds);
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

}  // namespace cli
