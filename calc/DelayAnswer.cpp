#include "calc/DelayAnswer.h"

#include <cmath>

#include "calc/DelayCalculation.h"

namespace calc {

namespace {

double callReturnCycles(const DelayRequest& request) {
    return request.addCallReturn ? chipModel(request.chip).callReturnCycles : 0;
}

long double checkedLong(long double value) {
    if (!std::isfinite(value)) throw Fault(FaultKind::Overflow);
    return value;
}

void takeCalculation(CalcState& state, const Calculation& result, DelayAnswer& answer) {
    answer.depth = result.depth;
    answer.registerValues = result.registerValues;
    answer.shownSeconds = result.shown.seconds;
    answer.cycles = result.shown.cycles;
    // The unrounded sum that the delay box shows rounded.
    answer.delaySeconds = checked(timeOfDepth(state, result.depth) + state.CallRetTime);
}

// The window's search; beyond maxDepth loops it goes deeper only for a request within half a
// cycle of their longest delay (one further is refused before), which takes that delay.
void searchAnswer(const DelayRequest& request, double delaySeconds, DelayAnswer& answer) {
    CalcState state{.ChipType = request.chip};
    SearchCalculation run = countersFromDelay(state, request.clockHz, delaySeconds, request.addCallReturn);
    if (run.outcome.depth > request.maxDepth) {
        Counts registerValues = {1, 1, 1, 1};
        for (int counter = 0; counter < request.maxDepth; ++counter) registerValues[counter] = 0;
        run = {{}, delayFromCounters(state, request.clockHz, registerValues, request.maxDepth, request.addCallReturn)};
    }
    answer.clampedDelay = run.outcome.clampedDelay;
    answer.clampedBelow = run.outcome.depth == 1;
    takeCalculation(state, run.result, answer);
}

void exactAnswer(const DelayRequest& request, long double wanted, DelayAnswer& answer) {
    const double limit = longestCycles(request.chip, request.maxDepth, true, request.addCallReturn);
    const double rate = cyclesPerSecond(request.chip, request.clockHz);
    if (wanted > limit) throw Refusal{Refusal::BeyondLongest, limit, limit / rate};
    if (wanted < callReturnCycles(request)) throw Refusal{Refusal::ShorterThanCallReturn};
    const double cycles = static_cast<double>(wanted);
    const ExactDelay exact = *exactDelay(request.chip, cycles - callReturnCycles(request), request.maxDepth);
    answer.depth = exact.depth;
    answer.registerValues = exact.registerValues;
    answer.jumps = exact.jumps;
    answer.nops = exact.nops;
    answer.cycles = cycles;
    answer.delaySeconds = checked(cycles / rate);
    answer.shownSeconds = answer.delaySeconds;
}

Deviation deviationOf(double requestedSeconds, long double wanted, double achieved, double rate) {
    Deviation deviation;
    deviation.requestedSeconds = requestedSeconds;
    deviation.wantedCycles = wanted;
    deviation.achievedCycles = achieved;
    deviation.cyclesLeft = checkedLong(wanted - achieved);
    deviation.seconds = checked(static_cast<double>(-deviation.cyclesLeft / rate));
    if (wanted != 0) deviation.ppm = checked(static_cast<double>(-deviation.cyclesLeft / wanted * 1e6L));
    return deviation;
}

Cost costOf(const DelayRequest& request, const DelayAnswer& answer) {
    const ChipModel& model = chipModel(request.chip);
    const int padding = static_cast<int>(answer.jumps + answer.nops) + (request.addCallReturn ? 1 : 0);
    Cost cost;
    cost.instructions = answer.depth * (model.loadInstructions + model.loopInstructions) + padding;
    cost.size = answer.depth * (model.loadSize + model.loopSize) + padding;
    cost.counters = answer.depth;
    if (request.addCallReturn) cost.stack = model.stackPerCall;
    return cost;
}

}  // namespace

DelayAnswer answerRequest(const DelayRequest& request) {
    DelayAnswer answer;
    try {
        if (request.fromCounters) {
            CalcState state{.ChipType = request.chip};
            takeCalculation(state, delayFromCounters(state, request.clockHz, request.registerValues, request.depth, request.addCallReturn),
                            answer);
        } else {
            const double rate = cyclesPerSecond(request.chip, request.clockHz);
            const Rounding rounding = request.exact ? request.rounding : Rounding::Nearest;
            const long double wanted = request.wantedCycles
                                           ? *request.wantedCycles
                                           : checkedLong(wholeCycles(static_cast<long double>(request.delaySeconds) * rate, rounding));
            const double longest = longestCycles(request.chip, request.maxDepth, request.exact, request.addCallReturn);
            // Beyond the longest, the command line's cycles and a cap on the loops are refused, while four
            // loops clamp a delay as the window does.
            if ((request.wantedCycles || request.maxDepth < MaxDepth) && wanted > longest)
                throw Refusal{Refusal::BeyondLongest, longest, longest / rate};
            const double requestedSeconds = request.wantedCycles ? divide(*request.wantedCycles, rate) : request.delaySeconds;
            if (request.exact)
                exactAnswer(request, wanted, answer);
            else
                searchAnswer(request, requestedSeconds, answer);
            answer.deviation = deviationOf(requestedSeconds, wanted, answer.cycles, rate);
        }
    } catch (const Fault& fault) {
        throw Refusal{Refusal::CannotCalculate, 0, 0, fault.kind()};
    }
    answer.cost = costOf(request, answer);
    return answer;
}

double longestCycles(Chip chip, int maxDepth, bool exact, bool addCallReturn) {
    return (exact ? longestExact(chip, maxDepth) : longestLoopCycles(chip, maxDepth)) +
           (addCallReturn ? chipModel(chip).callReturnCycles : 0);
}

double cyclesPerSecond(Chip chip, double clockHz) { return divide(clockHz, chipModel(chip).clocksPerCycle); }

}  // namespace calc
