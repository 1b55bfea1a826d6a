#include "calc/Formulas.h"

#include "calc/Fault.h"
#include "calc/NumberText.h"

namespace calc {

namespace {

// Instruction costs in counted cycles: loading a literal into a counter, a loop pass that
// branches back, and the last pass that falls through.
struct InstructionCosts {
    double clocksPerCycle;
    double callReturnCycles;
    double load;
    double branchingPass;
    double lastPass;
};

constexpr ChipCosts deriveCosts(const InstructionCosts& in) {
    ChipCosts out{in.clocksPerCycle, in.callReturnCycles, {}, {}};
    double fullRun = 0;  // one full run (256 passes) of the loops inside the current one
    double coefficientSum = 0;
    for (int level = 0; level < MaxDepth; ++level) {
        out.coefficient[level] = in.branchingPass + fullRun;
        fullRun += 255 * out.coefficient[level] + in.lastPass;
        if (level > 0) coefficientSum += out.coefficient[level];
        const double loops = level + 1;
        out.constant[level] =
            loops * in.load - in.branchingPass + loops * in.lastPass - coefficientSum;
    }
    return out;
}

constexpr ChipCosts kPicCosts = deriveCosts({4, 4, 2, 3, 2});
constexpr ChipCosts kSxCosts = deriveCosts({1, 6, 2, 4, 3});

static_assert(kPicCosts.coefficient[3] == 50463234 && kPicCosts.constant[3] == -50661113);
static_assert(kSxCosts.coefficient[3] == 67306243 && kSxCosts.constant[3] == -67570169);

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

constexpr Counts kAllFull = {256, 256, 256, 256};

}  // namespace

const ChipCosts& costsFor(qint16 chipType) {
    return chipType == ChipMchip ? kPicCosts : kSxCosts;
}

double loopCycles(const ChipCosts& costs, int depth, const Counts& counts) {
    double cycles = 0;
    for (int counter = depth - 1; counter >= 0; --counter)
        cycles += costs.coefficient[counter] * counts[counter];
    return checked(cycles + costs.constant[depth - 1]);
}

double timeFactor(const ChipCosts& costs, float clockHz) {
    return divide(costs.clocksPerCycle, static_cast<double>(clockHz));
}

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
    const ChipCosts& costs = costsFor(state.ChipType);
    cyclesOfDepth(state, depth) = loopCycles(costs, depth, countsOf(state));
    timeOfDepth(state, depth) =
        checked(timeFactor(costs, state.ClockHz) * cyclesOfDepth(state, depth));
}

void FormulaA(CalcState& state) { runFormula(state, 1); }
void FormulaB(CalcState& state) { runFormula(state, 2); }
void FormulaC(CalcState& state) { runFormula(state, 3); }
void FormulaD(CalcState& state) { runFormula(state, 4); }

void CalcTmm(CalcState& state, const QString& clockText) {
    state.ClockHz = toSingle(parseNumber(clockText));
    const ChipCosts& costs = costsFor(state.ChipType);
    state.MinTimeSingle = checked(timeFactor(costs, state.ClockHz) * loopCycles(costs, 1, {1}));
    for (int depth = 1; depth <= MaxDepth; ++depth)
        state.*kMaxTimeFields[depth - 1] =
            checked(timeFactor(costs, state.ClockHz) * loopCycles(costs, depth, kAllFull));
}

void CalcTime(CalcState& state, const QString& clockText,
              const std::array<QString, MaxDepth>& valueTexts) {
    state.ClockHz = toSingle(parseNumber(clockText));
    for (int counter = 0; counter < MaxDepth; ++counter) {
        const double value = parseNumber(valueTexts[counter]);
        setCount(state, counter, value == 0 ? 256 : value);
    }
    for (int depth = 1; depth <= MaxDepth; ++depth) runFormula(state, depth);
}

ShownResult FillBoxes(CalcState& state, int tabIndex, bool addCallReturn,
                      const QString& clockText) {
    state.CallRetTime = 0;
    const int depth = tabIndex + 1;
    state.ShownTime = parseNumber(formatDelay(timeOfDepth(state, depth)));
    state.ShownCycles = cyclesOfDepth(state, depth);
    double extraCycles = 0;
    if (addCallReturn) {
        const ChipCosts& costs = costsFor(state.ChipType);
        const double clock = parseNumber(clockText);
        state.CallRetTime = checked(divide(costs.clocksPerCycle, clock) * costs.callReturnCycles);
        extraCycles = costs.callReturnCycles;
    }
    return {formatDelay(checked(state.ShownTime + state.CallRetTime)),
            formatPlain(checked(state.ShownCycles + extraCycles))};
}

}  // namespace calc
