#pragma once

#include <QList>
#include <QString>

// Microchip listings judged by a real assembler and simulator (Debian's gputils and gpsim) on a PIC16F84.
bool gpsimAvailable();

// A listing run straight through, or a subroutine called there when it ends in a return; the cycles it
// must take, and what made it, to name it in a difference.
struct GpsimPiece {
    QString listing;
    bool subroutine = false;
    qint64 cycles = 0;
    QString origin = {};
};

// Runs all pieces in one program: each whose cycles gpsim counts otherwise, or why it could not run.
QString gpsimDifferences(const QList<GpsimPiece>& pieces);
