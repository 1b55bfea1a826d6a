#pragma once

#include <array>
#include <optional>

#include "calc/CalcState.h"

namespace calc {

using Counts = std::array<double, MaxDepth>;  // A (innermost) to D (outermost)

// Cycle count of the routine with `depth` loops (1 to 4); counters are taken as they are.
double loopCycles(Chip chip, int depth, const Counts& counts);
// The longest of them: every counter at 256 passes.
double longestLoopCycles(Chip chip, int depth);
// Seconds per counted cycle; a clock of 0 is a division by zero.
double secondsPerCycle(Chip chip, float clockHz);
// The passes a counter register makes: 0 means 256; and the register value for a count.
double passesOf(double registerValue);
double registerValueOf(double passes);
// A clock in single precision, as the calculation holds it; beyond that range, an overflow.
void setClock(CalcState& state, double clockHz);

Counts countsOf(const CalcState& state);
void setCount(CalcState& state, int counter, double value);
double& cyclesOfDepth(CalcState& state, int depth);
double& timeOfDepth(CalcState& state, int depth);

// Cycles, then time, of the 1- to 4-loop routine from the counter fields.
void FormulaA(CalcState& state);
void FormulaB(CalcState& state);
void FormulaC(CalcState& state);
void FormulaD(CalcState& state);
void runFormula(CalcState& state, int depth);

// Takes the clock and sets the shortest and the four longest delays.
void CalcTmm(CalcState& state, double clockHz);

// Cycles and delays of all four depths from the clock and the counters' register values.
void CalcTime(CalcState& state, double clockHz, const Counts& registerValues);
void computeAllDepths(CalcState& state);

// The result of `depth` loops as the delay and cycle boxes show it: the delay rounded as the
// display pattern rounds it, plus the CALL and return when their clock is given.
struct Shown {
    double seconds;
    double cycles;
};
Shown FillBoxes(CalcState& state, int depth, std::optional<double> callReturnClockHz);

}  // namespace calc
