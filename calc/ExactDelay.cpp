#include "calc/ExactDelay.h"

#include <cmath>

namespace calc {

namespace {

constexpr double kFullPasses = 256;
constexpr double kHalfTolerance = 1e-6;

// The most cycles `depth` loops take without passing `wanted`. Each counter, from the
// outermost in, is raised as far as the counters inside it at one pass still allow: a unit
// of a counter outweighs everything the counters inside it can add, so this is the largest.
std::optional<ExactDelay> largestLoops(Chip chip, int depth, double wanted) {
    Counts counts = {1, 1, 1, 1};
    if (loopCycles(chip, depth, counts) > wanted) return std::nullopt;
    for (int counter = depth - 1; counter >= 0; --counter) {
        const double room = wanted - loopCycles(chip, depth, counts);
        counts[counter] += std::min(kFullPasses - 1, std::floor(room / chipModel(chip).coefficient[counter]));
    }
    ExactDelay delay;
    delay.depth = depth;
    delay.loopCycles = loopCycles(chip, depth, counts);
    for (int counter = 0; counter < MaxDepth; ++counter) delay.registerValues[counter] = registerValueOf(counts[counter]);
    return delay;
}

}  // namespace

std::optional<ExactDelay> exactDelay(Chip chip, double wantedCycles) {
    const Counts full = {kFullPasses, kFullPasses, kFullPasses, kFullPasses};
    if (wantedCycles < 0 || wantedCycles > loopCycles(chip, MaxDepth, full)) return std::nullopt;
    // Fewest cycles left over; of equals, fewest loops.
    ExactDelay best;
    best.registerValues = {1, 1, 1, 1};
    for (int depth = 1; depth <= MaxDepth; ++depth) {
        const std::optional<ExactDelay> loops = largestLoops(chip, depth, wantedCycles);
        if (loops && loops->loopCycles > best.loopCycles) best = *loops;
    }
    const double jump = chipModel(chip).jumpCycles;
    const double rest = wantedCycles - best.loopCycles;
    best.jumps = static_cast<int>(std::floor(rest / jump));
    best.nops = static_cast<int>(rest - best.jumps * jump);
    return best;
}

double wholeCycles(double cycles) {
    const double below = std::floor(cycles);
    if (std::abs(cycles - below - 0.5) < kHalfTolerance) return cycles < 0 ? below : below + 1;
    return std::round(cycles);
}

}  // namespace calc
