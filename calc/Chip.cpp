#include "calc/Chip.h"

namespace calc {

namespace {

// Fills in the loop formulas from the instruction costs.
constexpr ChipModel withLoops(ChipModel model) {
    double fullRun = 0;  // one full run (256 passes) of the loops inside the current one
    double coefficientSum = 0;
    for (int level = 0; level < MaxDepth; ++level) {
        model.coefficient[level] = model.branchingPass + fullRun;
        fullRun += 255 * model.coefficient[level] + model.lastPass;
        if (level > 0) coefficientSum += model.coefficient[level];
        const double loops = level + 1;
        model.constant[level] =
            loops * model.loadCycles - model.branchingPass + loops * model.lastPass - coefficientSum;
    }
    return model;
}

// Indexed by Chip. A PIC's goto takes 2 cycles (its branching pass: decfsz 1 + goto 2; CALL 2
// + RETLW 2); an SX jump in turbo mode takes 3 (its branching pass: decsz 1 + jmp 3; CALL 3 +
// RET 3). A nop takes 1 on both.
constexpr std::array<ChipModel, 2> kChips = {
    withLoops({1, 6, 2, 4, 3, 3, true, u"sx", u"SX-Turbo", u"Clock Cycles:", u"cc", u"Sxturbo", {}, {}}),
    withLoops({4, 4, 2, 3, 2, 2, false, u"pic", u"PIC", u"Machine Cycles:", u"mc", u"Mchip", {}, {}}),
};

static_assert(kChips[int(Chip::Pic)].coefficient[3] == 50463234 && kChips[int(Chip::Pic)].constant[3] == -50661113);
static_assert(kChips[int(Chip::SxTurbo)].coefficient[3] == 67306243 && kChips[int(Chip::SxTurbo)].constant[3] == -67570169);

constexpr qint16 kStoredPic = 1;
constexpr qint16 kStoredSx = 0;

}  // namespace

const ChipModel& chipModel(Chip chip) { return kChips[static_cast<std::size_t>(chip)]; }

Chip chipFromStored(qint16 stored) { return stored == kStoredPic ? Chip::Pic : Chip::SxTurbo; }

qint16 storedChip(Chip chip) { return chip == Chip::Pic ? kStoredPic : kStoredSx; }

}  // namespace calc
