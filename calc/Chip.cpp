#include "calc/Chip.h"

#include <algorithm>

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

// Indexed by Chip.
// - SX in turbo mode: a jump takes 3 cycles (decsz 1 + jmp 3 a pass; CALL 3 + RET 3); a
//   literal load is mov w then mov fr, and djnz is decsz and jmp: two instructions each.
// - PIC (baseline, mid-range, enhanced mid-range): goto 2 (decfsz 1 + goto 2; CALL 2 + RETLW 2).
// - PIC18: the same with bra, a one-word branch: goto takes two words there, and a decfsz that
//   skips a two-word instruction takes 3 cycles.
// - AVR with a 16-bit program counter: ldi 1, dec 1 + brne 2 (1 when it falls through),
//   rcall 3 + ret 4 (two bytes of stack), rjmp 2.
// - 8051, 12 clocks per machine cycle: mov Rn,#data 1 (2 bytes), djnz 2 whether it branches
//   or not (2 bytes), lcall 2 + ret 2; it pads with nops alone.
constexpr std::array<ChipModel, 5> kChips = {
    withLoops({.clocksPerCycle = 1, .callReturnCycles = 6, .loadCycles = 2, .branchingPass = 4, .lastPass = 3, .jumpCycles = 3,
               .loadInstructions = 2, .loopInstructions = 2, .loadSize = 2, .loopSize = 2, .stackPerCall = 1,
               .oneLoopCountFromProduct = true, .commandLineName = u"sx", .headerName = u"SX-Turbo",
               .cyclesCaption = u"Clock Cycles:", .cyclesUnit = u"cc", .pictureName = u"Sxturbo", .memoryUnit = u"words",
               .stackUnit = u"level", .coefficient = {}, .constant = {}}),
    withLoops({.clocksPerCycle = 4, .callReturnCycles = 4, .loadCycles = 2, .branchingPass = 3, .lastPass = 2, .jumpCycles = 2,
               .loadInstructions = 2, .loopInstructions = 2, .loadSize = 2, .loopSize = 2, .stackPerCall = 1,
               .oneLoopCountFromProduct = false, .commandLineName = u"pic", .headerName = u"PIC",
               .cyclesCaption = u"Machine Cycles:", .cyclesUnit = u"mc", .pictureName = u"Mchip", .memoryUnit = u"words",
               .stackUnit = u"level", .coefficient = {}, .constant = {}}),
    withLoops({.clocksPerCycle = 4, .callReturnCycles = 4, .loadCycles = 2, .branchingPass = 3, .lastPass = 2, .jumpCycles = 2,
               .loadInstructions = 2, .loopInstructions = 2, .loadSize = 2, .loopSize = 2, .stackPerCall = 1,
               .oneLoopCountFromProduct = false, .commandLineName = u"pic18", .headerName = u"PIC18",
               .cyclesCaption = u"Machine Cycles:", .cyclesUnit = u"mc", .pictureName = {}, .memoryUnit = u"words",
               .stackUnit = u"level", .coefficient = {}, .constant = {}}),
    withLoops({.clocksPerCycle = 1, .callReturnCycles = 7, .loadCycles = 1, .branchingPass = 3, .lastPass = 2, .jumpCycles = 2,
               .loadInstructions = 1, .loopInstructions = 2, .loadSize = 1, .loopSize = 2, .stackPerCall = 2,
               .oneLoopCountFromProduct = false, .commandLineName = u"avr", .headerName = u"AVR",
               .cyclesCaption = u"Clock Cycles:", .cyclesUnit = u"cc", .pictureName = {}, .memoryUnit = u"words",
               .stackUnit = u"bytes", .coefficient = {}, .constant = {}}),
    withLoops({.clocksPerCycle = 12, .callReturnCycles = 4, .loadCycles = 1, .branchingPass = 2, .lastPass = 2, .jumpCycles = 0,
               .loadInstructions = 1, .loopInstructions = 1, .loadSize = 2, .loopSize = 2, .stackPerCall = 2,
               .oneLoopCountFromProduct = false, .commandLineName = u"8051", .headerName = u"8051",
               .cyclesCaption = u"Machine Cycles:", .cyclesUnit = u"mc", .pictureName = {}, .memoryUnit = u"bytes",
               .stackUnit = u"bytes", .coefficient = {}, .constant = {}}),
};

static_assert(kChips[int(Chip::Pic)].coefficient[3] == 50463234 && kChips[int(Chip::Pic)].constant[3] == -50661113);
static_assert(kChips[int(Chip::SxTurbo)].coefficient[3] == 67306243 && kChips[int(Chip::SxTurbo)].constant[3] == -67570169);

// Loops of one depth make counts at least one branching pass apart. When that pass is at least
// (jump - 1)^2 cycles, a count further below the wanted one never leaves a rest that takes fewer
// jumps and nops, so the exact search needs only the most loop cycles of each depth.
static_assert(std::ranges::all_of(kChips, [](const ChipModel& model) {
    return (model.jumpCycles - 1) * (model.jumpCycles - 1) <= model.branchingPass;
}));

constexpr qint16 kStoredPic = 1;
constexpr qint16 kStoredSx = 0;

}  // namespace

const ChipModel& chipModel(Chip chip) { return kChips[static_cast<std::size_t>(chip)]; }

Chip chipFromStored(qint16 stored) { return stored == kStoredPic ? Chip::Pic : Chip::SxTurbo; }

qint16 storedChip(Chip chip) { return chip == Chip::Pic ? kStoredPic : kStoredSx; }

}  // namespace calc
