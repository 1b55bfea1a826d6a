#pragma once

#include <QString>

#include "calc/CounterSearch.h"
#include "calc/Formulas.h"

namespace calc {

// The name of the tab of `depth` loops (1 to 4): "Single", "Double", "Triple", "Quad".
QString depthName(int depth);

// What the window's boxes hold once a calculation has run.
struct Calculation {
    int depth = 0;           // loops of the selected tab, 1 to 4
    Counts registerValues{};  // the counter value boxes, A to D (0 means 256 passes)
    Shown shown{};           // the delay and cycle boxes
};

// Delay from counters for the tab of `depth` loops: CalcTime and FillBoxes. Throws at the
// first Fault, before anything is shown.
Calculation delayFromCounters(CalcState& state, double clockHz, const Counts& registerValues,
                              int depth, bool addCallReturn);

// Counters from a delay: the counter search, then the delay from the counters it found, as
// the press of BtnCalcValues ends.
struct SearchCalculation {
    SearchOutcome outcome;
    Calculation result;
};
SearchCalculation countersFromDelay(CalcState& state, double clockHz, double delaySeconds,
                                    bool addCallReturn);

}  // namespace calc
