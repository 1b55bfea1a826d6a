#include "calc/DelayCalculation.h"

namespace calc {

QString depthName(int depth) {
    static const std::array<QString, MaxDepth> kNames = {
        QStringLiteral("Single"), QStringLiteral("Double"), QStringLiteral("Triple"),
        QStringLiteral("Quad")};
    return kNames[depth - 1];
}

Calculation delayFromCounters(CalcState& state, double clockHz, const Counts& registerValues,
                              int depth, bool addCallReturn) {
    CalcTime(state, clockHz, registerValues);
    const std::optional<double> callReturnClock = addCallReturn ? std::optional(clockHz) : std::nullopt;
    return {depth, registerValues, FillBoxes(state, depth, callReturnClock)};
}

SearchCalculation countersFromDelay(CalcState& state, double clockHz, double delaySeconds,
                                    bool addCallReturn) {
    SearchCalculation run;
    run.outcome = CounterSearch(state, {delaySeconds, clockHz, addCallReturn});
    Counts registerValues{};
    const Counts counts = countsOf(state);
    for (int counter = 0; counter < MaxDepth; ++counter)
        registerValues[counter] = registerValueOf(counts[counter]);
    run.result = delayFromCounters(state, clockHz, registerValues,
                                   run.outcome.depth > 0 ? run.outcome.depth : 1, addCallReturn);
    return run;
}

}  // namespace calc
