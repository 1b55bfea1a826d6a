#pragma once

#include <QStringList>

#include "support/Judges.h"

// What the simulator judges share: one program of all pieces, the tools run in a scratch folder, and the
// cycles read at each marker compared with those the pieces claim.
namespace judge {

// How an assembler writes what the judge adds around the pieces.
struct Dialect {
    QString colon;  // after a label
    QString jump;   // to any label of the program
    QString call;   // of a subroutine
};

// A jump to marker 0, the subroutine pieces (first, where a short CALL reaches), then marker k before piece k
// or its CALL, and after the last piece a marker that jumps to itself. Markers are mark0, mark1, ...
QString batchProgram(const Dialect& dialect, const QList<JudgedPiece>& pieces);

// The most cycles a piece may run before the judge gives up on it: twice its claim, and a thousand more.
qint64 cycleLimit(const JudgedPiece& piece);
qint64 cycleLimit(const QList<JudgedPiece>& pieces);

struct ToolRun {
    bool succeeded;
    QString output;  // standard output and error
};
// Runs a tool in the folder, its standard input given; a run that simulates up to the given cycles gets time
// for them at a million cycles a second, far below any simulator's speed.
ToolRun runTool(const QString& folder, const QString& tool, const QStringList& arguments, const QString& input = {},
                qint64 cycles = 0);
bool writeFile(const QString& path, const QString& text);
QString readFile(const QString& path);
bool toolsFound(const QStringList& tools);

// The why of a program the tool would not take.
QString refusal(const QString& tool, const ToolRun& run, const QString& program);

// The cycles read at markers 0, 1, ... as far as the run reached them in time: a paragraph per piece whose
// count differs from its claim, or, when a marker was not reached, which piece did not end and the output.
QString differences(const QString& simulator, const QList<JudgedPiece>& pieces, const QList<qint64>& readings,
                    const QString& output);

}  // namespace judge
