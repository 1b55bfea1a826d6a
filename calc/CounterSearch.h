#pragma once

#include <QString>

#include <QStringList>

#include "calc/CalcState.h"

namespace calc {

struct SearchRequest {
    QString delayText;
    QString clockText;
    bool addCallReturn = false;
};

// What the window must do after a search, in this order: write each delay text into the
// delay box (a request below the shortest or beyond the longest delay is replaced by that
// limit), select the tab of `depth` loops, then write the four counter fields into the value
// boxes and recalculate. With `inputNotNumeric` set none of that happens: the delay (or the
// clock, when the CALL and return are counted) was not a number.
struct SearchOutcome {
    bool inputNotNumeric = false;
    QStringList delayTexts;
    int depth = 0;  // 0 when the search stopped before it chose a depth
};

// Finds the loop depth and the counter values for the requested delay and leaves them in
// CountA to CountD (256 passes written as 0). One loop gives the longest delay that does not
// exceed the request; two to four loops give, counter by counter from the outermost, the
// shortest delay that is not below it.
SearchOutcome CounterSearch(CalcState& state, const SearchRequest& request);

}  // namespace calc
