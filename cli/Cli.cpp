#include "cli/Cli.h"

#include "cli/CliReport.h"
#include "cli/CliRequest.h"
#include "cli/UsageError.h"

namespace cli {

namespace {

const QString kProgram = QStringLiteral("kestrune-cli");

QString helpText() {
    return QStringLiteral(R"(Usage: kestrune-cli values --clock FREQUENCY --delay TIME [options]
       kestrune-cli time --clock FREQUENCY --counts A[,B[,C[,D]]] [options]

Works out a nested delay loop for Microchip PIC and SX microcontrollers and writes
its assembly subroutine, with the same arithmetic and listings as the Kestrune window.

Commands:
  values  find the loop depth and counter values for a wanted delay
  time    work out the delay of given counter values

)") + optionsHelp() + QStringLiteral(R"(
Units are read without regard to case ("4mhz" is 4 MHz, "1MS" is 1 ms).

Output: the loop depth with its tab name, the four counters as name = value
(0 meaning 256 passes; counters beyond the depth hold 1), the delay time as the
window shows it, the machine cycles (PIC) or clock cycles (SX), a blank line and
the listing. Its first line quotes the delay and the clock in Hz.
With --json the keys are mode, chip, format, clock_hz, call_return, depth, tab,
counters (A to D), names (A to D), delay_s (unrounded), delay_text (as shown),
cycles, cycles_text, note (empty unless the delay was replaced by a limit),
listing (no line end after its last line) and, for values, requested_delay_s.

Exit status: 0 on success, 2 on bad input, which is explained in one line on
standard error.

Examples:
  kestrune-cli values --clock 4MHz --delay 1ms
  kestrune-cli values --clock 50MHz --chip sx --format parallax --delay 5.26ms
  kestrune-cli time --clock 4MHz --counts 255 --call-return --names count
)");
}

}  // namespace

int runCli(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    try {
        const CliRequest request = parseCliRequest(arguments);
        switch (request.command) {
            case Command::Help:
                out << helpText();
                return ExitOk;
            case Command::Version:
                out << kProgram << QStringLiteral(" " KESTRUNE_VERSION "\n");
                return ExitOk;
            case Command::Values:
            case Command::Time:
                break;
        }
        const CliReport report = calculate(request);
        if (request.json)
            out << QString::fromUtf8(jsonReport(request, report));
        else
            out << textReport(request, report);
        return ExitOk;
    } catch (const UsageError& error) {
        err << kProgram << QStringLiteral(": ") << error.message << QLatin1Char('\n');
        return ExitBadInput;
    }
}

}  // namespace cli
