#pragma once

#include <QList>
#include <QString>

// Listings judged as printed by a real assembler and simulator from Debian. All pieces of a call run in one
// program; each differences function gives "" when every piece takes the cycles it claims, else a paragraph
// per piece that does not (its origin, the counted and the claimed cycles, its listing), or why the program
// did not run to its end (the tool's output). A marker lies on each piece's first instruction, so a piece
// must not branch back to it.

// A listing run straight through, or a subroutine called there when it ends in a return; the cycles it
// must take, and what made it, to name it in a difference.
struct JudgedPiece {
    QString listing;
    bool subroutine = false;
    qint64 cycles = 0;
    QString origin = {};
};

// Microchip listings, looping with goto or bra, in instruction cycles: gputils and gpsim. The part is one of
// p16f84, p12f508, p16f628a, p16f1823 (the PIC core's kinds) or p18f452, p18f26k22. The program must fit
// the part: a p16f84 holds 1024 words (some 60 pieces), a p12f508 512, of which its CALL reaches the first 256
// (some 12 subroutines); gpasm refuses a program that does not fit.
bool gpsimAvailable();
QString gpsimDifferences(const QString& part, const QList<JudgedPiece>& pieces);

// AVR listings in clock cycles, on "atmega328p" or "attiny85": assembled by avra (Atmel syntax) or by
// binutils-avr (GNU syntax), run in simavr.
enum class AvrSyntax { Atmel, Gnu };
bool simavrAvailable(AvrSyntax syntax);
QString simavrDifferences(const QString& mcu, AvrSyntax syntax, const QList<JudgedPiece>& pieces);

// 8051 listings in machine cycles of 12 clocks: as31 and ucsim's s51.
bool ucsimAvailable();
QString ucsimDifferences(const QList<JudgedPiece>& pieces);
