#pragma once

#include <QtGlobal>

#include "calc/Chip.h"

namespace calc {

// The calculation record of the main window. Times are in seconds, cycle counts in
// instruction cycles (PIC) or clock cycles (SX). Counters are plain numbers here: the
// search steps them through 0 and 257, and a box showing 0 is read in as 256 passes.
struct CalcState {
    float ClockHz = 0;
    double TargetTime = 0;
    double CyclesSingle = 0;
    double TimeSingle = 0;
    double CyclesDouble = 0;
    double TimeDouble = 0;
    double CyclesTriple = 0;
    double TimeTriple = 0;
    double CyclesQuad = 0;
    double TimeQuad = 0;
    double MinTimeSingle = 0;
    double MaxTimeSingle = 0;
    double MaxTimeDouble = 0;
    double MaxTimeTriple = 0;
    double MaxTimeQuad = 0;
    double ShownTime = 0;
    double ShownCycles = 0;
    double CallRetTime = 0;
    double CountA = 0;
    double CountB = 0;
    double CountC = 0;
    double CountD = 0;
    qint16 SuppressTabRecalc = 0;
    double ClockValue = 0;
    double DelayValue = 0;
    Chip ChipType = Chip::SxTurbo;
};

}  // namespace calc
