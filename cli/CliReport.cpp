#include "cli/CliReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "calc/DelayCalculation.h"
#include "calc/ExactDelay.h"
#include "calc/Fault.h"
#include "calc/NumberText.h"
#include "cli/UsageError.h"

namespace cli {

namespace {

QString lineEnd(const CliRequest& request) { return request.crlf ? QStringLiteral("\r\n") : QStringLiteral("\n"); }

double cyclesPerSecond(const CliRequest& request) {
    return calc::divide(request.clockHz, calc::chipModel(request.chip).clocksPerCycle);
}

// A clamped request: the window puts the limit into the delay box before it searches.
QString clampNote(const CliRequest& request, const calc::SearchOutcome& outcome) {
    if (!outcome.clampedDelay) return {};
    const QString side = outcome.depth == 1 ? QStringLiteral("below the shortest delay") : QStringLiteral("at or above the longest delay");
    QString note = QStringLiteral("Note: %1 s is %2; using %3 s")
                       .arg(calc::formatPlain(request.delaySeconds), side, calc::formatDelay(*outcome.clampedDelay));
    if (request.addCallReturn) note += QStringLiteral(" plus the CALL and return");
    return note;
}

void searchWindowAnswer(const CliRequest& request, CliReport& report) {
    calc::CalcState state;
    state.ChipType = request.chip;
    calc::Calculation result;
    if (request.command == Command::Values) {
        const calc::SearchCalculation run = calc::countersFromDelay(state, request.clockHz, request.delaySeconds, request.addCallReturn);
        report.note = clampNote(request, run.outcome);
        result = run.result;
    } else {
        result = calc::delayFromCounters(state, request.clockHz, request.registerValues, request.depth, request.addCallReturn);
    }
    report.depth = result.depth;
    report.registerValues = result.registerValues;
    report.shownSeconds = result.shown.seconds;
    report.cycles = result.shown.cycles;
    // The unrounded sum that the delay box shows rounded.
    report.delaySeconds = calc::checked(calc::timeOfDepth(state, result.depth) + state.CallRetTime);
}

void exactAnswer(const CliRequest& request, double wantedCycles, CliReport& report) {
    const calc::ChipModel& model = calc::chipModel(request.chip);
    const double callReturn = request.addCallReturn ? model.callReturnCycles : 0;
    const std::optional<calc::ExactDelay> exact = calc::exactDelay(request.chip, wantedCycles - callReturn);
    if (!exact) {
        throw UsageError{wantedCycles < callReturn
                             ? QStringLiteral("--exact: %1 s is shorter than the CALL and return alone").arg(calc::formatPlain(request.delaySeconds))
                             : QStringLiteral("--exact: %1 s is beyond what four loops can make; without --exact it is replaced by the longest delay")
                                   .arg(calc::formatPlain(request.delaySeconds))};
    }
    report.depth = exact->depth;
    report.registerValues = exact->registerValues;
    report.jumps = exact->jumps;
    report.nops = exact->nops;
    report.cycles = wantedCycles;
    report.delaySeconds = calc::checked(wantedCycles / cyclesPerSecond(request));
    report.shownSeconds = report.delaySeconds;
}

QString depthText(int depth) {
    return QStringLiteral("%1 (%2)").arg(depth).arg(depth > 0 ? calc::depthName(depth) : QStringLiteral("no loop"));
}

QString paddingText(const CliRequest& request, const CliReport& report) {
    const QString jump = request.format == listing::ListingFormat::Microchip ? QStringLiteral("goto $+1") : QStringLiteral("jmp $+1");
    return QStringLiteral("%1 x %2, %3 x nop").arg(report.jumps).arg(jump).arg(report.nops);
}

}  // namespace

CliReport calculate(const CliRequest& request) {
    CliReport report;
    try {
        const double wantedCycles = calc::wholeCycles(request.delaySeconds * cyclesPerSecond(request));
        if (request.exact)
            exactAnswer(request, wantedCycles, report);
        else
            searchWindowAnswer(request, report);
        if (request.command == Command::Values) {
            Deviation deviation{wantedCycles, report.cycles, calc::checked(report.delaySeconds - request.delaySeconds), std::nullopt};
            if (request.delaySeconds > 0) deviation.ppm = calc::checked(deviation.seconds / request.delaySeconds * 1e6);
            report.deviation = deviation;
        }
    } catch (const calc::Fault& fault) {
        throw UsageError{QStringLiteral("cannot calculate this request: ") + fault.description()};
    }

    const calc::ChipModel& model = calc::chipModel(request.chip);
    listing::ListingInput input;
    input.chip = request.chip;
    input.timeText = calc::formatDelay(report.shownSeconds);
    input.clockText = calc::formatPlain(request.clockHz);
    for (int counter = 0; counter < calc::MaxDepth; ++counter)
        input.counters[counter] = {request.names[counter], calc::formatPlain(report.registerValues[counter])};
    input.withReturn = request.addCallReturn;
    input.jumps = report.jumps;
    input.nops = report.nops;
    input.routine = request.routine;
    input.routineComment = QStringLiteral("%1 takes %2 %3, %4 s at %5 Hz, its CALL and return included")
                               .arg(request.routine, calc::formatPlain(report.cycles), model.cyclesCaption.chopped(1).toString().toLower(),
                                    input.timeText, input.clockText);
    report.listing = listing::fullListing(request.format, report.depth, input).replace(QStringLiteral("\r\n"), lineEnd(request));
    return report;
}

QString textReport(const CliRequest& request, const CliReport& report) {
    QStringList lines = {QStringLiteral("Loop depth: ") + depthText(report.depth)};
    for (int counter = 0; counter < calc::MaxDepth; ++counter)
        lines << QStringLiteral("Counter %1: %2 = %3")
                     .arg(QChar(u'A' + counter), request.names[counter], calc::formatPlain(report.registerValues[counter]));
    if (request.exact) lines << QStringLiteral("Padding: ") + paddingText(request, report);
    lines << QStringLiteral("Delay Time: ") + calc::formatDelay(report.shownSeconds) + QStringLiteral(" s");
    lines << calc::chipModel(request.chip).cyclesCaption.toString() + QLatin1Char(' ') + calc::formatPlain(report.cycles);
    if (const std::optional<Deviation>& deviation = report.deviation) {
        lines << QStringLiteral("Wanted cycles: ") + calc::formatPlain(deviation->wantedCycles)
              << QStringLiteral("Achieved cycles: ") + calc::formatPlain(deviation->achievedCycles)
              << QStringLiteral("Cycles left: ") + calc::formatPlain(deviation->wantedCycles - deviation->achievedCycles)
              << QStringLiteral("Time error: %1 s (%2 ppm)")
                     .arg(QString::number(deviation->seconds, 'g', 6), deviation->ppm ? QString::number(*deviation->ppm, 'g', 6) : QStringLiteral("no"));
    }
    lines << QString() << report.listing;
    const QString end = lineEnd(request);
    return lines.join(end) + end;
}

QByteArray jsonReport(const CliRequest& request, const CliReport& report) {
    QJsonArray counters;
    QJsonArray names;
    for (int counter = 0; counter < calc::MaxDepth; ++counter) {
        counters.append(report.registerValues[counter]);
        names.append(request.names[counter]);
    }
    QJsonObject object{
        {QStringLiteral("mode"), request.command == Command::Values ? QStringLiteral("values") : QStringLiteral("time")},
        {QStringLiteral("chip"), calc::chipModel(request.chip).commandLineName.toString()},
        {QStringLiteral("format"), request.format == listing::ListingFormat::Microchip ? QStringLiteral("microchip") : QStringLiteral("parallax")},
        {QStringLiteral("clock_hz"), request.clockHz},
        {QStringLiteral("call_return"), request.addCallReturn},
        {QStringLiteral("exact"), request.exact},
        {QStringLiteral("routine"), request.routine},
        {QStringLiteral("depth"), report.depth},
        {QStringLiteral("tab"), report.depth > 0 ? calc::depthName(report.depth) : QString()},
        {QStringLiteral("counters"), counters},
        {QStringLiteral("names"), names},
        {QStringLiteral("padding"), QJsonObject{{QStringLiteral("jumps"), report.jumps}, {QStringLiteral("nops"), report.nops}}},
        {QStringLiteral("delay_s"), report.delaySeconds},
        {QStringLiteral("delay_text"), calc::formatDelay(report.shownSeconds)},
        {QStringLiteral("cycles"), report.cycles},
        {QStringLiteral("cycles_text"), calc::formatPlain(report.cycles)},
        {QStringLiteral("note"), report.note},
        {QStringLiteral("listing"), report.listing},
    };
    if (const std::optional<Deviation>& deviation = report.deviation) {
        object.insert(QStringLiteral("requested_delay_s"), request.delaySeconds);
        object.insert(QStringLiteral("wanted_cycles"), deviation->wantedCycles);
        object.insert(QStringLiteral("achieved_cycles"), deviation->achievedCycles);
        object.insert(QStringLiteral("cycles_left"), deviation->wantedCycles - deviation->achievedCycles);
        object.insert(QStringLiteral("time_error_s"), deviation->seconds);
        object.insert(QStringLiteral("time_error_ppm"), deviation->ppm ? QJsonValue(*deviation->ppm) : QJsonValue());
    }
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

}  // namespace cli
