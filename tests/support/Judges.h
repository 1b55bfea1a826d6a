#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Listings judged as printed by a real assembler and simulator from Debian. All pieces of a call run in one
// program; each differences function gives "" when every piece takes the cycles it claims, else a paragraph
// per piece that does not (its origin, the counted and the claimed cycles, its listing), or why the program
// did not run to its end (the tool's output).

// A listing run straight through, or a subroutine called there when it ends in a return; the cycles it
// must take, and what made it, to name it in a difference.
struct JudgedPiece {
    QString listing;
    bool subroutine = false;
    qint64 cycles = 0;
    QString origin = {};
};

// Microchip listings, looping with goto or bra, in instruction cycles: gputils and gpsim. The part is one of
// p16f84, p12f508, p16f628a, p16f1823 (the PIC core's kinds) or p18f452, p18f26k22. A p12f508 holds 512
// words, and its CALL reaches only the first 256: a few pieces per call there.
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

// What the judges share: one program of all pieces, the tools run in a scratch folder, and the cycles read at
// each marker compared with those the pieces claim.
namespace judge {

// A jump to marker 0, the subroutine pieces (first, where a short CALL reaches), then marker k before piece k
// or its CALL, and after the last piece a marker that jumps to itself; in the assembler's words for a label's
// end, a jump and a call. Markers are mark0, mark1, ...
QString batchProgram(const QString& colon, const QString& jump, const QString& call, const QList<JudgedPiece>& pieces);

// The most cycles a piece, or all, may run before the judge gives up: twice the claim, and a thousand more each.
qint64 cycleLimit(const JudgedPiece& piece);
qint64 cycleLimit(const QList<JudgedPiece>& pieces);

// Runs a tool in the folder, its standard input given, with time for the cycles it simulates at a million a
// second, far below any simulator's speed; its standard output and error, or nothing when it fails.
struct ToolRun {
    bool succeeded;
    QString output;
};
ToolRun runTool(const QString& folder, const QString& tool, const QStringList& arguments, const QString& input = {},
                qint64 cycles = 0);
bool writeFile(const QString& path, const QString& text);
QString readFile(const QString& path);
bool toolsFound(const QStringList& tools);

// Why a tool would not take the program; the cycles read at markers 0, 1, ... as far as the run reached them:
// a paragraph per piece whose count differs from its claim, or which piece did not end, and the output.
QString refusal(const QString& tool, const ToolRun& run, const QString& program);
QString differences(const QString& simulator, const QList<JudgedPiece>& pieces, const QList<qint64>& readings,
                    const QString& output);

}  // namespace judge
