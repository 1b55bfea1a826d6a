#pragma once

#include <QString>

namespace cli {

// Bad input on the command line: the message is shown after "kestrune-cli: " on one line.
struct UsageError {
    QString message;
};

// The text in single quotes, with control characters as \uXXXX so the message stays one line.
QString quoted(const QString& text);

}  // namespace cli
