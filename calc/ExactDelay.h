#pragma once

#include <optional>

#include "calc/Formulas.h"

namespace calc {

// A routine that takes exactly a wanted number of cycles: the loops that come closest to it
// without passing it, then the rest made up after them with the fewest instructions, jumps to
// the next instruction and nops.
struct ExactDelay {
    int depth = 0;            // loops; 0 when even the shortest loop is too long
    Counts registerValues{};  // counters A to D as the routine loads them, 0 meaning 256 passes
    double loopCycles = 0;
    int jumps = 0;            // each chipModel().jumpCycles long
    int nops = 0;             // each one cycle long
};

// The routine of `wantedCycles` (a whole number, the CALL and return not included), or
// nothing when it is negative or beyond four loops of 256 passes.
std::optional<ExactDelay> exactDelay(Chip chip, double wantedCycles);

// The nearest whole number of cycles; halfway, away from zero, as the delay display rounds.
// Within a millionth of a cycle of a half, the product is taken as that half: a delay typed
// in decimals is rarely exact in binary.
double wholeCycles(double cycles);

}  // namespace calc
