#include "calc/CounterSearch.h"

#include <algorithm>
#include <cmath>

#include "calc/Fault.h"
#include "calc/Formulas.h"

namespace calc {

namespace {

constexpr double kFullPasses = 256;

// A one-loop result within this relative distance of a whole number is that number: the
// time factor and the limits are rounded, so an exact request can land just below it.
constexpr double kWholeTolerance = 1e-9;

void takeRequest(CalcState& state, const SearchRequest& request) {
    state.TargetTime = request.delaySeconds;
    if (request.addCallReturn) {
        const ChipModel& model = chipModel(state.ChipType);
        state.CallRetTime = checked(divide(model.clocksPerCycle, request.clockHz.value()) * model.callReturnCycles);
        state.TargetTime = checked(state.TargetTime - state.CallRetTime);
    }
}

int chooseDepth(CalcState& state, SearchOutcome& outcome) {
    if (state.TargetTime < state.MinTimeSingle) {
        state.TargetTime = state.MinTimeSingle;
        outcome.clampedDelay = state.MinTimeSingle;
    }
    if (state.TargetTime < state.MaxTimeSingle) return 1;
    if (state.TargetTime < state.MaxTimeDouble) return 2;
    if (state.TargetTime < state.MaxTimeTriple) return 3;
    if (state.TargetTime >= state.MaxTimeQuad) {
        state.TargetTime = state.MaxTimeQuad;
        outcome.clampedDelay = state.MaxTimeQuad;
    }
    return 4;
}

// The outermost counter of `depth` loops, with every counter inside it at 256.
double topCounterEstimate(const CalcState& state, int depth) {
    const ChipModel& model = chipModel(state.ChipType);
    double estimate = (depth == 1 && model.oneLoopCountFromProduct)
                          ? checked(static_cast<double>(state.ClockHz) * state.TargetTime)
                          : divide(state.TargetTime, secondsPerCycle(state.ChipType, state.ClockHz));
    for (int inner = 0; inner < depth - 1; ++inner)
        estimate -= kFullPasses * model.coefficient[inner];
    estimate -= model.constant[depth - 1];
    return divide(estimate, model.coefficient[depth - 1]);
}

void searchOneLoop(CalcState& state) {
    const double estimate = topCounterEstimate(state, 1);
    const double nearest = std::round(estimate);
    double count = std::floor(estimate);
    if (std::abs(estimate - nearest) <= kWholeTolerance * std::max(1.0, std::abs(estimate)))
        count = nearest;
    state.CountA = std::clamp(count, 1.0, kFullPasses);
    FormulaA(state);
}

// Routines one cycle apart differ by more than 1e-11 of their time, as no routine takes 2^35
// cycles, while one that takes exactly the target can come out a few last bits short of it.
constexpr double kSameTime = 1e-12;

bool belowTarget(CalcState& state, int depth) {
    return timeOfDepth(state, depth) < state.TargetTime - kSameTime * std::abs(state.TargetTime);
}

void searchNestedLoops(CalcState& state, int depth) {
    const int top = depth - 1;
    double count = std::floor(topCounterEstimate(state, depth));
    if (count == kFullPasses + 1) count = kFullPasses;
    if (count <= 0) count = 1;
    setCount(state, top, count);
    runFormula(state, depth);
    if (count < kFullPasses && belowTarget(state, depth)) setCount(state, top, count + 1);
    runFormula(state, depth);

    // Each inner counter steps down from 256 until the delay falls below the target, then
    // takes one step back: the smallest value whose delay is not below the target.
    for (int counter = top - 1; counter >= 1; --counter) {
        double value = kFullPasses + 1;
        do {
            value -= 1;
            setCount(state, counter, value);
            runFormula(state, depth);
        } while (!(value <= 0 || belowTarget(state, depth)));
        setCount(state, counter, value + 1);
    }

    double valueA = kFullPasses + 1;
    do {
        valueA -= 1;
        state.CountA = valueA;
        runFormula(state, depth);
    } while (!(valueA <= 1 || belowTarget(state, depth)));
    if (belowTarget(state, depth)) state.CountA = valueA + 1;
    runFormula(state, depth);
}

void presetCounters(CalcState& state, int depth) {
    for (int counter = 0; counter < MaxDepth; ++counter) {
        if (counter >= depth) setCount(state, counter, 1);
        else if (counter < depth - 1) setCount(state, counter, kFullPasses);
    }
}

}  // namespace

SearchOutcome CounterSearch(CalcState& state, const SearchRequest& request) {
    SearchOutcome outcome;
    try {
        takeRequest(state, request);
        try {
            if (request.clockHz) CalcTmm(state, *request.clockHz);
        } catch (const Fault&) {
            // The limits keep their old values, as after any failed limit update.
        }
        outcome.depth = chooseDepth(state, outcome);
        presetCounters(state, outcome.depth);
        if (outcome.depth == 1)
            searchOneLoop(state);
        else
            searchNestedLoops(state, outcome.depth);
    } catch (const Fault&) {
        // A failure ends the search where it stands; its counters are still shown.
    }
    return outcome;
}

}  // namespace calc
