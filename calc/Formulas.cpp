#include "calc/Formulas.h"

#include "calc/Fault.h"
#include "calc/NumberText.h"

namespace calc {

namespace {

constexpr std::array<double CalcState::*, MaxDepth> kCountFields = {
    &CalcState::CountA, &CalcState::CountB, &CalcState::CountC, &CalcState::CountD};
constexpr std::array<double CalcState::*, MaxDepth> kCycleFields = {
    &CalcState::CyclesSingle, &CalcState::CyclesDouble, &CalcState::CyclesTriple,
    &CalcState::CyclesQuad};
constexpr std::array<double CalcState::*, MaxDepth> kTimeFields = {
    &CalcState::TimeSingle, &CalcState::TimeDouble, &CalcState::TimeTriple, &CalcState::TimeQuad};
constexpr std::array<double CalcState::*, MaxDepth> kMaxTimeFields = {
    &CalcState::MaxTimeSingle, &CalcState::MaxTimeDouble, &CalcState::MaxTimeTriple,
    &CalcState::MaxTimeQuad};

constexpr double kFullPasses = 256;

}  // namespace

double loopCycles(Chip chip, int depth, const Counts& counts) {
    const ChipModel& model = chipModel(chip);
    double cycles = 0;
    for (int counter = depth - 1; counter >= 0; --counter)
        cycles += model.coefficient[counter] * counts[counter];
    return checked(cycles + model.constant[depth - 1]);
}

double longestLoopCycles(Chip chip, int depth) {
    return loopCycles(chip, depth, {kFullPasses, kFullPasses, kFullPasses, kFullPasses});
}

double secondsPerCycle(Chip chip, float clockHz) {
    return divide(chipModel(chip).clocksPerCycle, static_cast<double>(clockHz));
}

double passesOf(double registerValue) { return registerValue == 0 ? kFullPasses : registerValue; }
double registerValueOf(double passes) { return passes == kFullPasses ? 0 : passes; }

void setClock(CalcState& state, double clockHz) { state.ClockHz = toSingle(clockHz); }

Counts countsOf(const CalcState& state) {
    Counts counts{};
    for (int counter = 0; counter < MaxDepth; ++counter)
        counts[counter] = state.*kCountFields[counter];
    return counts;
}

void setCount(CalcState& state, int counter, double value) {
    state.*kCountFields[counter] = value;
}

double& cyclesOfDepth(CalcState& state, int depth) { return state.*kCycleFields[depth - 1]; }
double& timeOfDepth(CalcState& state, int depth) { return state.*kTimeFields[depth - 1]; }

void runFormula(CalcState& state, int depth) {
    cyclesOfDepth(state, depth) = loopCycles(state.ChipType, depth, countsOf(state));
    timeOfDepth(state, depth) =
        checked(secondsPerCycle(state.ChipType, state.ClockHz) * cyclesOfDepth(state, depth));
}

void FormulaA(CalcState& state) { runFormula(state, 1); }
void FormulaB(CalcState& state) { runFormula(state, 2); }
void FormulaC(CalcState& state) { runFormula(state, 3); }
void FormulaD(CalcState& state) { runFormula(state, 4); }

void CalcTmm(CalcState& state, double clockHz) {
    setClock(state, clockHz);
    const Chip chip = state.ChipType;
    state.MinTimeSingle = checked(secondsPerCycle(chip, state.ClockHz) * loopCycles(chip, 1, {1}));
    for (int depth = 1; depth <= MaxDepth; ++depth)
        state.*kMaxTimeFields[depth - 1] =
            checked(secondsPerCycle(chip, state.ClockHz) * longestLoopCycles(chip, depth));
}

void CalcTime(CalcState& state, double clockHz, const Counts& registerValues) {
    setClock(state, clockHz);
    for (int counter = 0; counter < MaxDepth; ++counter)
        setCount(state, counter, passesOf(registerValues[counter]));
    computeAllDepths(state);
}

void computeAllDepths(CalcState& state) {
    for (int depth = 1; depth <= MaxDepth; ++depth) runFormula(state, depth);
}

Shown FillBoxes(CalcState& state, int depth, std::optional<double> callReturnClockHz) {
    state.CallRetTime = 0;
    // The delay as the display pattern rounds it, to nine decimals.
    state.ShownTime = parseNumber(formatDelay(timeOfDepth(state, depth)));
    state.ShownCycles = cyclesOfDepth(state, depth);
    double extraCycles = 0;
    if (callReturnClockHz) {
        const ChipModel& model = chipModel(state.ChipType);
        state.CallRetTime = checked(divide(model.clocksPerCycle, *callReturnClockHz) * model.callReturnCycles);
        extraCycles = model.callReturnCycles;
    }
    return {checked(state.ShownTime + state.CallRetTime), checked(state.ShownCycles + extraCycles)};
}

}  // namespace calc
