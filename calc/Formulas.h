#pragma once

#include <QString>

#include <array>

#include "calc/CalcState.h"

namespace calc {

constexpr int MaxDepth = 4;
using Counts = std::array<double, MaxDepth>;  // A (innermost) to D (outermost)

// What one chip type pays for the pieces of the delay routine, and the cycle formulas that
// follow from it. Every outer counter is decremented once its inner loop has run down to
// zero, and inner counters are never reloaded, so each later outer pass runs the inner loop
// a full 256 times.
struct ChipCosts {
    double clocksPerCycle;    // oscillator periods per counted cycle
    double callReturnCycles;  // the CALL into the routine and its return
    std::array<double, MaxDepth> coefficient;  // cycles per unit of counter A, B, C, D
    std::array<double, MaxDepth> constant;     // constant term of the 1- to 4-loop routine
};

// Only ChipMchip is a PIC: a file that stopped loading early can leave another number in the
// chip type, and every reader must then agree on one model.
const ChipCosts& costsFor(qint16 chipType);

// Cycle count of the routine with `depth` loops (1 to 4); counters are taken as they are.
double loopCycles(const ChipCosts& costs, int depth, const Counts& counts);
// Seconds per counted cycle; a clock of 0 is a division by zero.
double timeFactor(const ChipCosts& costs, float clockHz);

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

// Reads the clock and sets the shortest and the four longest delays.
void CalcTmm(CalcState& state, const QString& clockText);

// Reads the clock and the four counter texts (0 means 256 passes) and computes all depths.
void CalcTime(CalcState& state, const QString& clockText, const std::array<QString, MaxDepth>& valueTexts);

struct ShownResult {
    QString timeText;
    QString cyclesText;
};
// The result of the selected tab (0 to 3) as the delay and cycle boxes show it, with the
// CALL and return added when wanted. Throws before anything is shown.
ShownResult FillBoxes(CalcState& state, int tabIndex, bool addCallReturn, const QString& clockText);

}  // namespace calc
