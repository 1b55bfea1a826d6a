#pragma once

#include <QStringView>
#include <QtGlobal>

#include <array>

namespace calc {

constexpr int MaxDepth = 4;  // counters A (innermost) to D (outermost)

// The window knows the first two; kestrune-cli knows them all.
enum class Chip { SxTurbo, Pic, Pic18, Avr, I8051 };
constexpr std::array<Chip, 5> kAllChips = {Chip::Pic, Chip::Pic18, Chip::SxTurbo, Chip::Avr, Chip::I8051};

// One chip model: what it pays for the pieces of the delay routine, the loop formulas that
// follow from that, and the words that name it. Another chip is one more row of this table.
struct ChipModel {
    double clocksPerCycle;    // oscillator periods per counted cycle
    double callReturnCycles;  // the CALL into the routine and its return
    double loadCycles;        // a literal into a counter
    double branchingPass;     // a loop pass that decrements and branches back
    double lastPass;          // the pass that reaches zero and falls through
    double jumpCycles;        // a jump to the next instruction, the longer padding step; 0: nops alone
    // What the routine spends: instructions as the chip runs them, and program memory in
    // memoryUnit, per counter for its load and for its loop; a padding step, a nop and the
    // return each take one instruction and one unit. A CALL takes stackPerCall of the stack.
    int loadInstructions;
    int loopInstructions;
    int loadSize;
    int loopSize;
    int stackPerCall;
    // The one-loop search takes this chip's cycle count as clock x delay rather than as
    // delay / (clocks per cycle / clock); the two differ in the last bit.
    bool oneLoopCountFromProduct;
    QStringView commandLineName;  // "pic", "sx"
    QStringView headerName;       // the listing's first words: ";PIC Time Delay = "
    QStringView cyclesCaption;    // "Machine Cycles:"
    QStringView cyclesUnit;       // "mc"
    QStringView pictureName;      // the chip button's picture; none for the command line's chips
    QStringView memoryUnit;       // "words", "bytes"
    QStringView stackUnit;        // "level", "bytes"
    // Every outer counter is decremented once its inner loop has run down to zero, and inner
    // counters are never reloaded, so each later outer pass runs the inner loop 256 times.
    std::array<double, MaxDepth> coefficient;  // cycles per unit of counter A, B, C, D
    std::array<double, MaxDepth> constant;     // constant term of the 1- to 4-loop routine
};

const ChipModel& chipModel(Chip chip);

// The chip a stored number means: 1 is a PIC, anything else an SX, for every reader alike.
Chip chipFromStored(qint16 stored);
qint16 storedChip(Chip chip);

}  // namespace calc
