#include "cli/CliReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "calc/DelayCalculation.h"
#include "calc/Fault.h"
#include "calc/NumberText.h"
#include "cli/UsageError.h"

namespace cli {

namespace {

QString lineEnd(const CliRequest& request) {
    return request.crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
}

// A clamped request: the window puts the limit into the delay box before it searches.
QString clampNote(const CliRequest& request, const calc::SearchCalculation& run) {
    if (run.outcome.delayTexts.isEmpty()) return {};
    const QString side = run.outcome.depth == 1 ? QStringLiteral("below the shortest delay")
                                                : QStringLiteral("at or above the longest delay");
    QString note =
        QStringLiteral("Note: %1 s is %2; using %3 s")
            .arg(calc::formatPlain(request.delaySeconds), side, run.outcome.delayTexts.last());
    if (request.addCallReturn) note += QStringLiteral(" plus the CALL and return");
    return note;
}

calc::Calculation runRequest(const CliRequest& request, calc::CalcState& state,
                             const QString& clockText, QString& note) {
    if (request.command == Command::Values) {
        const calc::SearchCalculation run = calc::countersFromDelay(
            state, {calc::formatPlain(request.delaySeconds), clockText, request.addCallReturn}, 1);
        if (run.outcome.inputNotNumeric) throw calc::Fault(calc::FaultKind::NotANumber);
        note = clampNote(request, run);
        return run.result;
    }
    std::array<QString, calc::MaxDepth> valueTexts;
    const auto depth = static_cast<int>(request.countTexts.size());
    // Counters beyond the depth hold 1, as the search leaves them.
    for (int counter = 0; counter < calc::MaxDepth; ++counter)
        valueTexts[counter] = counter < depth ? request.countTexts[counter] : QStringLiteral("1");
    return calc::delayFromCounters(state, clockText, valueTexts, depth, request.addCallReturn);
}

}  // namespace

CliReport calculate(const CliRequest& request) {
    const QString clockText = calc::formatPlain(request.clockHz);
    CliReport report;
    try {
        calc::CalcState state;
        state.ChipType = request.chip;
        const calc::Calculation result = runRequest(request, state, clockText, report.note);
        report.depth = result.depth;
        report.valueTexts = result.valueTexts;
        report.delayText = result.shown.timeText;
        report.cyclesText = result.shown.cyclesText;
        // The unrounded sum that the delay box shows rounded.
        report.delaySeconds =
            calc::checked(calc::timeOfDepth(state, result.depth) + state.CallRetTime);
    } catch (const calc::Fault& fault) {
        throw UsageError{QStringLiteral("cannot calculate this request: ") + fault.description()};
    }

    listing::ListingInput input;
    input.picHeader = request.chip == calc::ChipMchip;
    input.timeText = report.delayText;
    input.clockText = clockText;
    for (int counter = 0; counter < calc::MaxDepth; ++counter)
        input.counters[counter] = {request.names[counter], report.valueTexts[counter]};
    input.withReturn = request.addCallReturn;
    report.listing = listing::fullListing(request.format, report.depth, input)
                         .replace(QStringLiteral("\r\n"), lineEnd(request));
    return report;
}

QString textReport(const CliRequest& request, const CliReport& report) {
    QStringList lines;
    if (!report.note.isEmpty()) lines << report.note;
    lines << QStringLiteral("Loop depth: %1 (%2)")
                 .arg(report.depth)
                 .arg(calc::depthName(report.depth));
    for (int counter = 0; counter < calc::MaxDepth; ++counter)
        lines << QStringLiteral("Counter %1: %2 = %3")
                     .arg(QChar(u'A' + counter), request.names[counter],
                          report.valueTexts[counter]);
    lines << QStringLiteral("Delay Time: ") + report.delayText + QStringLiteral(" s");
    lines << (request.chip == calc::ChipMchip ? QStringLiteral("Machine Cycles: ")
                                              : QStringLiteral("Clock Cycles: ")) +
                 report.cyclesText;
    lines << QString() << report.listing;
    const QString end = lineEnd(request);
    return lines.join(end) + end;
}

QByteArray jsonReport(const CliRequest& request, const CliReport& report) {
    QJsonArray counters;
    QJsonArray names;
    for (int counter = 0; counter < calc::MaxDepth; ++counter) {
        counters.append(calc::parseNumber(report.valueTexts[counter]));
        names.append(request.names[counter]);
    }
    QJsonObject object{
        {QStringLiteral("mode"),
         request.command == Command::Values ? QStringLiteral("values") : QStringLiteral("time")},
        {QStringLiteral("chip"),
         request.chip == calc::ChipMchip ? QStringLiteral("pic") : QStringLiteral("sx")},
        {QStringLiteral("format"), request.format == listing::Format::Microchip
                                       ? QStringLiteral("microchip")
                                       : QStringLiteral("parallax")},
        {QStringLiteral("clock_hz"), request.clockHz},
        {QStringLiteral("call_return"), request.addCallReturn},
        {QStringLiteral("depth"), report.depth},
        {QStringLiteral("tab"), calc::depthName(report.depth)},
        {QStringLiteral("counters"), counters},
        {QStringLiteral("names"), names},
        {QStringLiteral("delay_s"), report.delaySeconds},
        {QStringLiteral("delay_text"), report.delayText},
        {QStringLiteral("cycles"), calc::parseNumber(report.cyclesText)},
        {QStringLiteral("cycles_text"), report.cyclesText},
        {QStringLiteral("note"), report.note},
        {QStringLiteral("listing"), report.listing},
    };
    if (request.command == Command::Values)
        object.insert(QStringLiteral("requested_delay_s"), request.delaySeconds);
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

}  // namespace cli
