#pragma once

#include <optional>

#include "calc/Formulas.h"

namespace calc {

// A routine that takes exactly a wanted number of cycles: loops, then padding after them made
// of jumps to the next instruction and nops.
struct ExactDelay {
    int depth = 0;            // loops; 0 for padding alone
    Counts registerValues{1, 1, 1, 1};  // A to D as the routine loads them, 0 meaning 256 passes; 1 beyond its depth
    double loopCycles = 0;
    qint64 jumps = 0;         // each chipModel().jumpCycles long
    qint64 nops = 0;          // each one cycle long
};

// Of all routines of up to `maxDepth` loops that take exactly `wantedCycles` (a whole number,
// the CALL and return not included): the fewest instructions, then the fewest counters (and so
// the fewest padding instructions). Nothing when it is negative or beyond longestExact().
std::optional<ExactDelay> exactDelay(Chip chip, double wantedCycles, int maxDepth = MaxDepth);

// The longest such routine: `maxDepth` counters at 256 passes, then padding shorter than one
// pass of the innermost loop, as every shorter routine needs at most.
double longestExact(Chip chip, int maxDepth);

// A delay in cycles as a whole number: to the nearest (halfway away from zero, as the delay
// display rounds), up or down. Within a millionth of a cycle of a whole number or a half, the
// product is taken as that number: a delay typed in decimals is rarely exact in binary.
enum class Rounding { Nearest, Up, Down };
long double wholeCycles(long double cycles, Rounding rounding = Rounding::Nearest);

}  // namespace calc
