#pragma once

#include <QStringList>
#include <QTextStream>

namespace cli {

// Exit statuses of kestrune-cli.
enum : int { ExitOk = 0, ExitWriteFailed = 1, ExitBadInput = 2 };

// The whole command-line program: `arguments` are those after the program name. Results go
// to `out`, notes after them to `err`; bad input gets one line on `err` and ExitBadInput, a
// report that cannot be written one line and ExitWriteFailed.
int runCli(const QStringList& arguments, QTextStream& out, QTextStream& err);

}  // namespace cli
