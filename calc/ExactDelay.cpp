#include "calc/ExactDelay.h"

#include <cmath>
#include <utility>

namespace calc {

namespace {

constexpr double kFullPasses = 256;
constexpr long double kTolerance = 1e-6L;

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

// The fewest padding instructions for `rest` cycles: as many jumps as fit, then nops.
void pad(Chip chip, double rest, ExactDelay& delay) {
    const double jump = chipModel(chip).jumpCycles;
    delay.jumps = jump > 0 ? static_cast<qint64>(std::floor(rest / jump)) : 0;
    delay.nops = static_cast<qint64>(rest - static_cast<double>(delay.jumps) * jump);
}

qint64 instructions(Chip chip, const ExactDelay& delay) {
    const ChipModel& model = chipModel(chip);
    return delay.depth * (model.loadInstructions + model.loopInstructions) + delay.jumps + delay.nops;
}

}  // namespace

std::optional<ExactDelay> exactDelay(Chip chip, double wantedCycles, int maxDepth) {
    if (wantedCycles < 0 || wantedCycles > longestExact(chip, maxDepth)) return std::nullopt;
    const auto rank = [&](const ExactDelay& delay) { return std::pair(instructions(chip, delay), delay.depth); };
    ExactDelay best;
    pad(chip, wantedCycles, best);
    // Of each depth, the most loop cycles leave the fewest padding instructions (see the chip
    // table); of those routines, the fewest instructions, then the fewest counters.
    for (int depth = 1; depth <= maxDepth; ++depth) {
        std::optional<ExactDelay> loops = largestLoops(chip, depth, wantedCycles);
        if (!loops) continue;
        pad(chip, wantedCycles - loops->loopCycles, *loops);
        if (rank(*loops) < rank(best)) best = *loops;
    }
    return best;
}

double longestExact(Chip chip, int maxDepth) {
    return longestLoopCycles(chip, maxDepth) + chipModel(chip).coefficient[0] - 1;
}

long double wholeCycles(long double cycles, Rounding rounding) {
    const long double nearest = std::round(cycles);
    switch (rounding) {
        case Rounding::Up:
            return std::abs(cycles - nearest) < kTolerance ? nearest : std::ceil(cycles);
        case Rounding::Down:
            return std::abs(cycles - nearest) < kTolerance ? nearest : std::floor(cycles);
        case Rounding::Nearest:
            break;
    }
    const long double below = std::floor(cycles);
    if (std::abs(cycles - below - 0.5L) < kTolerance) return cycles < 0 ? below : below + 1;
    return nearest;
}

}  // namespace calc
