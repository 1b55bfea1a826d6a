#include "cli/CliReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cfloat>

#include "calc/DelayCalculation.h"
#include "calc/NumberText.h"
#include "cli/Quantity.h"
#include "cli/UsageError.h"

namespace cli {

namespace {

constexpr double kExponentFrom = 1e15;

QString lineEnd(const CliRequest& request) { return request.crlf ? QStringLiteral("\r\n") : QStringLiteral("\n"); }

QString cyclesWord(const CliRequest& request) {
    return calc::chipModel(request.calculation.chip).cyclesCaption.chopped(1).toString().toLower();
}

// A delay as the window's delay box writes it, or in exponent form from 10^15 s.
QString seconds(double value) { return std::abs(value) < kExponentFrom ? calc::formatDelay(value) : formatNumber(value); }

// The request as the user gave it.
QString requested(const CliRequest& request) {
    const calc::DelayRequest& calculation = request.calculation;
    if (request.cyclesGiven) return formatNumber(calculation.wantedCycles.value_or(0)) + QLatin1Char(' ') + cyclesWord(request);
    return formatNumber(calculation.delaySeconds) + QStringLiteral(" s");
}

QString refusalText(const CliRequest& request, const calc::Refusal& refusal) {
    static const std::array<QString, calc::MaxDepth> kLoops = {QStringLiteral("one loop"), QStringLiteral("two loops"),
                                                               QStringLiteral("three loops"), QStringLiteral("four loops")};
    const calc::DelayRequest& calculation = request.calculation;
    const QString exact = calculation.exact ? QStringLiteral("--exact: ") : QString();
    switch (refusal.kind) {
        case calc::Refusal::ShorterThanCallReturn:
            return exact + requested(request) + QStringLiteral(" is shorter than the CALL and return alone");
        case calc::Refusal::BeyondLongest: {
            QString text = exact + QStringLiteral("%1 is beyond what %2 can make (at most %3 %4, %5 s)")
                                       .arg(requested(request), kLoops[calculation.maxDepth - 1], formatNumber(refusal.limitCycles),
                                            cyclesWord(request), formatNumber(refusal.limitSeconds));
            if (calculation.maxDepth == calc::MaxDepth) text += QStringLiteral("; without --exact it is replaced by the longest delay");
            return text;
        }
        case calc::Refusal::CannotCalculate:
            break;
    }
    return QStringLiteral("cannot calculate this request: ") + calc::Fault(refusal.fault).description();
}

// A clamped request: the window puts the limit into the delay box before it searches.
QString clampNote(const CliRequest& request, const calc::DelayAnswer& answer) {
    if (!answer.clampedDelay) return {};
    const QString side = answer.clampedBelow ? QStringLiteral("below the shortest delay") : QStringLiteral("at or above the longest delay");
    QString note = QStringLiteral("Note: %1 is %2; using %3 s").arg(requested(request), side, seconds(*answer.clampedDelay));
    if (request.calculation.addCallReturn) note += QStringLiteral(" plus the CALL and return");
    return note;
}

QString listingOf(const CliRequest& request, const calc::DelayAnswer& answer) {
    const calc::DelayRequest& calculation = request.calculation;
    listing::ListingInput input;
    input.chip = calculation.chip;
    input.timeText = calc::formatDelay(answer.shownSeconds);
    input.clockText = calc::formatPlain(calculation.clockHz);
    for (int counter = 0; counter < calc::MaxDepth; ++counter)
        input.counters[counter] = {request.names[counter], calc::formatPlain(answer.registerValues[counter])};
    input.withReturn = calculation.addCallReturn;
    input.jumps = static_cast<int>(answer.jumps);
    input.nops = static_cast<int>(answer.nops);
    input.declare = request.declare;
    input.routine = request.routine;
    input.routineComment = QStringLiteral("%1 takes %2 %3, %4 s at %5 Hz, its CALL and return included")
                               .arg(request.routine, calc::formatPlain(answer.cycles), cyclesWord(request), input.timeText, input.clockText);
    if (const QString note = listing::counterNote(request.format, calculation.chip); !note.isEmpty())
        input.routineComment += QStringLiteral("; ") + note;
    return listing::fullListing(request.format, answer.depth, input).replace(QStringLiteral("\r\n"), lineEnd(request));
}

QString depthText(int depth) {
    return QStringLiteral("%1 (%2)").arg(depth).arg(depth > 0 ? calc::depthName(depth) : QStringLiteral("no loop"));
}

QString paddingText(const CliRequest& request, const calc::DelayAnswer& answer) {
    const QString jump = listing::paddingJump(request.format, request.calculation.chip);
    const QString nops = QStringLiteral("%1 x nop").arg(answer.nops);
    return jump.isEmpty() ? nops : QStringLiteral("%1 x %2, ").arg(answer.jumps).arg(jump) + nops;
}

QStringList registersOf(const CliRequest& request, const calc::DelayAnswer& answer) {
    return QStringList(request.names.begin(), request.names.begin() + answer.depth);
}

QString stackText(const CliRequest& request, int stack) {
    const QString unit = calc::chipModel(request.calculation.chip).stackUnit.toString();
    return QStringLiteral("%1 %2").arg(stack).arg(stack == 1 || unit.endsWith(QLatin1Char('s')) ? unit : unit + QLatin1Char('s'));
}

// JSON readers take numbers as doubles; a count beyond them is null, its text in the report.
QJsonValue jsonCount(long double value) { return std::abs(value) <= DBL_MAX ? QJsonValue(static_cast<double>(value)) : QJsonValue(); }

}  // namespace

CliReport calculate(const CliRequest& request) {
    CliReport report;
    try {
        report.answer = calc::answerRequest(request.calculation);
    } catch (const calc::Refusal& refusal) {
        throw UsageError{refusalText(request, refusal)};
    }
    report.note = clampNote(request, report.answer);
    report.listing = listingOf(request, report.answer);
    return report;
}

QString textReport(const CliRequest& request, const CliReport& report) {
    const calc::DelayAnswer& answer = report.answer;
    const calc::ChipModel& model = calc::chipModel(request.calculation.chip);
    QStringList lines = {QStringLiteral("Loop depth: ") + depthText(answer.depth)};
    for (int counter = 0; counter < calc::MaxDepth; ++counter)
        lines << QStringLiteral("Counter %1: %2 = %3")
                     .arg(QChar(u'A' + counter), request.names[counter], calc::formatPlain(answer.registerValues[counter]));
    if (request.calculation.exact) lines << QStringLiteral("Padding: ") + paddingText(request, answer);
    lines << QStringLiteral("Delay Time: ") + seconds(answer.shownSeconds) + QStringLiteral(" s");
    lines << model.cyclesCaption.toString() + QLatin1Char(' ') + formatNumber(answer.cycles);
    if (const std::optional<calc::Deviation>& deviation = answer.deviation) {
        lines << QStringLiteral("Wanted cycles: ") + formatNumber(deviation->wantedCycles)
              << QStringLiteral("Achieved cycles: ") + formatNumber(deviation->achievedCycles)
              << QStringLiteral("Cycles left: ") + formatNumber(deviation->cyclesLeft)
              << QStringLiteral("Time error: %1 s (%2 ppm)")
                     .arg(QString::number(deviation->seconds, 'g', 6), deviation->ppm ? QString::number(*deviation->ppm, 'g', 6) : QStringLiteral("no"));
    }
    lines << QStringLiteral("Instructions: %1 (%2 %3)").arg(answer.cost.instructions).arg(answer.cost.size).arg(model.memoryUnit)
          << QStringLiteral("Registers: ") + (answer.depth > 0 ? registersOf(request, answer).join(QStringLiteral(", ")) : QStringLiteral("none"));
    if (answer.cost.stack) lines << QStringLiteral("Stack: ") + stackText(request, *answer.cost.stack);
    lines << QString() << report.listing;
    const QString end = lineEnd(request);
    return lines.join(end) + end;
}

QByteArray jsonReport(const CliRequest& request, const CliReport& report) {
    const calc::DelayAnswer& answer = report.answer;
    const calc::DelayRequest& calculation = request.calculation;
    const calc::ChipModel& model = calc::chipModel(calculation.chip);
    QJsonArray counters;
    QJsonArray names;
    for (int counter = 0; counter < calc::MaxDepth; ++counter) {
        counters.append(answer.registerValues[counter]);
        names.append(request.names[counter]);
    }
    QJsonObject object{
        {QStringLiteral("mode"), request.command == Command::Values ? QStringLiteral("values") : QStringLiteral("time")},
        {QStringLiteral("chip"), model.commandLineName.toString()},
        {QStringLiteral("format"), listing::formatName(request.format)},
        {QStringLiteral("clock_hz"), calculation.clockHz},
        {QStringLiteral("call_return"), calculation.addCallReturn},
        {QStringLiteral("exact"), calculation.exact},
        {QStringLiteral("routine"), request.routine},
        {QStringLiteral("depth"), answer.depth},
        {QStringLiteral("tab"), answer.depth > 0 ? calc::depthName(answer.depth) : QString()},
        {QStringLiteral("counters"), counters},
        {QStringLiteral("names"), names},
        {QStringLiteral("padding"), QJsonObject{{QStringLiteral("jumps"), double(answer.jumps)}, {QStringLiteral("nops"), double(answer.nops)}}},
        {QStringLiteral("delay_s"), answer.delaySeconds},
        {QStringLiteral("delay_text"), calc::formatDelay(answer.shownSeconds)},
        {QStringLiteral("cycles"), answer.cycles},
        {QStringLiteral("cycles_text"), calc::formatPlain(answer.cycles)},
        {QStringLiteral("instructions"), answer.cost.instructions},
        {QStringLiteral("program_size"), answer.cost.size},
        {QStringLiteral("program_unit"), model.memoryUnit.toString()},
        {QStringLiteral("registers"), QJsonArray::fromStringList(registersOf(request, answer))},
        {QStringLiteral("stack"), answer.cost.stack ? QJsonValue(*answer.cost.stack) : QJsonValue()},
        {QStringLiteral("stack_unit"), model.stackUnit.toString()},
        {QStringLiteral("note"), report.note},
        {QStringLiteral("listing"), report.listing},
    };
    if (const std::optional<calc::Deviation>& deviation = answer.deviation) {
        object.insert(QStringLiteral("requested_delay_s"), deviation->requestedSeconds);
        object.insert(QStringLiteral("wanted_cycles"), jsonCount(deviation->wantedCycles));
        object.insert(QStringLiteral("achieved_cycles"), jsonCount(deviation->achievedCycles));
        object.insert(QStringLiteral("cycles_left"), jsonCount(deviation->cyclesLeft));
        object.insert(QStringLiteral("time_error_s"), deviation->seconds);
        object.insert(QStringLiteral("time_error_ppm"), deviation->ppm ? QJsonValue(*deviation->ppm) : QJsonValue());
    }
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

}  // namespace cli
