#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Microchip listings judged by a real assembler and simulator (gpasm and gpsim, Debian's
// gputils and gpsim) on a PIC16F84.
bool gpsimAvailable();

// One piece of a test program: a listing run straight through, or, when it ends in a return,
// a subroutine called there. Its "loop" label is made its own, so many fit in one program.
struct GpsimPiece {
    QString listing;
    bool subroutine = false;
};

// The cycles gpsim counts for each piece, in one run; empty with the reason when it fails.
struct GpsimCycles {
    QList<qint64> cycles;
    QString failure;
};
GpsimCycles cyclesInGpsim(const QList<GpsimPiece>& pieces, qint64 cycleLimit);
