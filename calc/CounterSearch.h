#pragma once

#include <optional>

#include "calc/CalcState.h"

namespace calc {

struct SearchRequest {
    double delaySeconds = 0;
    // Nothing when the clock box holds no number: the limits then stay as they were. The
    // CALL and return can only be counted with a clock.
    std::optional<double> clockHz;
    bool addCallReturn = false;
};

// What the window must do after a search, in this order: put a clamped delay into the delay
// box (a request below the shortest or beyond the longest delay becomes that limit), select
// the tab of `depth` loops, then write the four counter fields into the value boxes and
// recalculate.
struct SearchOutcome {
    std::optional<double> clampedDelay;
    int depth = 0;  // 0 when the search stopped before it chose a depth
};

// Finds the loop depth and the counter values for the requested delay and leaves them in
// CountA to CountD (registerValueOf gives what the boxes show). One loop gives the longest delay that does not
// exceed the request; two to four loops give, counter by counter from the outermost, the
// shortest delay that is not below it. A failure on the way (a clock of 0) ends the search
// where it stands.
SearchOutcome CounterSearch(CalcState& state, const SearchRequest& request);

}  // namespace calc
