#pragma once

#include <optional>

#include "calc/ExactDelay.h"
#include "calc/Fault.h"
#include "calc/Formulas.h"

namespace calc {

// One request of the command line: counters from a delay ("values"), or the delay of given
// counters ("time").
struct DelayRequest {
    Chip chip = Chip::Pic;
    double clockHz = 0;
    bool fromCounters = false;
    // values: the wanted length as a delay in seconds, or as whole counted cycles
    double delaySeconds = 0;
    std::optional<double> wantedCycles;
    bool exact = false;  // exactly the wanted cycles, padded after the loops
    Rounding rounding = Rounding::Nearest;
    int maxDepth = MaxDepth;
    // time: the counters' register values (0 meaning 256 passes) and their number
    Counts registerValues{};
    int depth = 0;
    bool addCallReturn = false;
};

// How far a values answer lies from the request, in whole cycles: a request met exactly shows
// no error. The cycles are long doubles so that no delay a double holds overflows them.
struct Deviation {
    double requestedSeconds = 0;   // the request as a delay
    long double wantedCycles = 0;  // the requested delay in whole cycles
    long double achievedCycles = 0;
    long double cyclesLeft = 0;  // wanted minus achieved
    double seconds = 0;          // achieved minus wanted, as time
    std::optional<double> ppm;   // the same in parts per million of the wanted cycles; none for 0
};

// What the routine spends.
struct Cost {
    int instructions = 0;  // the return included when it is written
    int size = 0;          // in chipModel().memoryUnit
    int counters = 0;
    std::optional<int> stack;  // what its CALL takes, when the CALL is counted
};

struct DelayAnswer {
    int depth = 0;  // 0: an exact routine made of padding alone
    Counts registerValues{};
    qint64 jumps = 0;  // padding of an exact routine
    qint64 nops = 0;
    double cycles = 0;        // the routine's, CALL and return included when counted
    double delaySeconds = 0;  // unrounded, CALL and return included when counted
    double shownSeconds = 0;  // rounded as the window's delay box shows it
    // A values request below the shortest or beyond the longest delay is replaced by that
    // limit, as the window does.
    std::optional<double> clampedDelay;
    bool clampedBelow = false;
    std::optional<Deviation> deviation;  // values only
    Cost cost;
};

// Why a request has no answer.
struct Refusal {
    enum Kind {
        ShorterThanCallReturn,  // an exact routine cannot be shorter than its CALL and return
        BeyondLongest,          // longer than the longest routine of maxDepth loops
        CannotCalculate,        // an arithmetic fault, in `fault`
    };
    Kind kind;
    double limitCycles = 0;  // BeyondLongest: the longest, CALL and return included when counted
    double limitSeconds = 0;
    FaultKind fault = FaultKind::Overflow;
};

// The whole answer to a request, or a Refusal thrown.
DelayAnswer answerRequest(const DelayRequest& request);

// The longest a values request may ask for, in counted cycles, CALL and return included when
// counted: maxDepth loops of 256 passes, and with `exact` the padding longestExact() allows.
double longestCycles(Chip chip, int maxDepth, bool exact, bool addCallReturn);

// Counted cycles per second at the clock.
double cyclesPerSecond(Chip chip, double clockHz);

}  // namespace calc
