#include "cli/CliOptions.h"

#include <QCommandLineParser>

namespace cli {

QString optionsHelp() {
    QCommandLineParser parser;
    parser.addOptions(CliOptions().all());
    // The parser's own usage line names the program as it was started; ours comes first.
    return parser.helpText().section(QLatin1Char('\n'), 1).trimmed() + QLatin1Char('\n');
}

}  // namespace cli
