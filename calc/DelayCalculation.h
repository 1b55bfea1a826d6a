#pragma once

#include <QString>
#include <array>

#include "calc/CounterSearch.h"
#include "calc/Formulas.h"

namespace calc {

// The name of the tab of `depth` loops (1 to 4): "Single", "Double", "Triple", "Quad".
QString depthName(int depth);

// What the window's boxes show once a calculation has run.
struct Calculation {
    int depth = 0;                             // loops of the selected tab, 1 to 4
    std::array<QString, MaxDepth> valueTexts;  // the counter value boxes, A to D
    ShownResult shown;                         // the delay and cycle boxes
};

// Delay from counters for the tab of `depth` loops: an empty value text counts as "1", then
// CalcTime and FillBoxes. Throws at the first Fault, before anything is shown.
Calculation delayFromCounters(CalcState& state, const QString& clockText,
                              std::array<QString, MaxDepth> valueTexts, int depth,
                              bool addCallReturn);

struct SearchCalculation {
    SearchOutcome outcome;
    Calculation result;  // depth 0 when the input was not a number
};

// Counters from a delay: the counter search, its counters as value texts, and then the delay
// from those counters, as the press of BtnCalcValues ends. `shownDepth` is the tab in force,
// kept when the search stops before it chooses a depth.
SearchCalculation countersFromDelay(CalcState& state, const SearchRequest& request, int shownDepth);

}  // namespace calc
