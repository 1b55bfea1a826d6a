#include "cli/Cli.h"

#include <QIODevice>

#include "Version.h"

#include "cli/CliOptions.h"
#include "cli/CliReport.h"
#include "cli/CliRequest.h"
#include "cli/UsageError.h"

namespace cli {

namespace {

const QString kProgram = QStringLiteral("kestrune-cli");

QString helpText() {
    return QStringLiteral(R"(Usage: kestrune-cli values --clock FREQUENCY (--delay TIME | --cycles N) [options]
       kestrune-cli time --clock FREQUENCY --counts A[,B[,C[,D]]] [options]

Works out a nested delay loop for PIC, PIC18, SX, AVR and 8051 microcontrollers
and writes its assembly subroutine: for PIC and SX with the same arithmetic and
listings as the Kestrune window, or, with --exact, a routine of exactly the
wanted number of cycles. The project's tests run the PIC and PIC18 listings in
gpsim, the AVR listings in simavr and the 8051 listings in s51.

Commands:
  values  find the loop depth and counter values for a wanted delay
  time    work out the delay of given counter values

)") + optionsHelp() + QStringLiteral(R"(
Units are read without regard to case ("4mhz" is 4 MHz, "1MS" is 1 ms).

Output: the loop depth with its tab name, the four counters as name = value
(0 meaning 256 passes; counters beyond the depth hold 1), with --exact the
padding, the delay time as the window shows it, the machine cycles (PIC, PIC18,
8051) or clock cycles (SX, AVR); for values the wanted cycles (the delay times
the cycle rate, rounded to a whole cycle), the achieved cycles, the cycles left
and the time error of the achieved against the wanted cycles in seconds and
parts per million; what the routine costs: its instructions and program memory,
the counter registers it uses and, when its CALL is counted, the stack it needs;
then a blank line and the listing. Its first line quotes the delay and the clock
in Hz. A note, when the delay was replaced by a limit, goes to standard error
after the report. Numbers from 10^15 up are written in exponent form.
With --json the keys are mode, chip, format, clock_hz, call_return, exact,
routine, depth, tab, counters (A to D), names (A to D), padding (jumps, nops),
delay_s (unrounded), delay_text (as shown), cycles, cycles_text, instructions,
program_size, program_unit, registers, stack (null unless the CALL is counted),
stack_unit, note, listing (no line end after its last line) and, for values,
requested_delay_s, wanted_cycles and cycles_left (null beyond the range of a
double), achieved_cycles, time_error_s and time_error_ppm (null for 0 wanted
cycles).

Exit status: 0 on success, 1 when the report cannot be written, 2 on bad input;
both failures are explained in one line on standard error.

Examples:
  kestrune-cli values --clock 4MHz --delay 1ms
  kestrune-cli values --clock 50MHz --chip sx --format parallax --delay 5.26ms
  kestrune-cli values --clock 4MHz --delay 1.2346ms --exact --routine wait1ms
  kestrune-cli values --chip pic18 --clock 40MHz --cycles 12346 --exact
  kestrune-cli values --chip avr --clock 16MHz --delay 1ms --call-return --format gnu
  kestrune-cli values --chip 8051 --clock 11.0592MHz --delay 50ms --call-return
  kestrune-cli time --clock 4MHz --counts 255 --call-return --names count
)");
}

// The text out is written and flushed in full, or the reason it was not.
QString written(QTextStream& out, const QString& text) {
    out << text;
    out.flush();
    if (out.status() == QTextStream::Ok) return {};
    return out.device() ? out.device()->errorString() : QStringLiteral("the output refused it");
}

}  // namespace

int runCli(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    try {
        const CliRequest request = parseCliRequest(arguments);
        QString text;
        switch (request.command) {
            case Command::Help:
                text = helpText();
                break;
            case Command::Version:
                text = kProgram + QLatin1Char(' ') + QLatin1StringView(kestrune::kVersion) + QLatin1Char('\n');
                break;
            case Command::Values:
            case Command::Time: {
                const CliReport report = calculate(request);
                text = request.json ? QString::fromUtf8(jsonReport(request, report)) : textReport(request, report);
                if (const QString failure = written(out, text); !failure.isEmpty()) {
                    err << kProgram << QStringLiteral(": cannot write the report: ") << failure << QLatin1Char('\n');
                    return ExitWriteFailed;
                }
                if (!report.note.isEmpty()) err << report.note << QLatin1Char('\n');
                return ExitOk;
            }
        }
        if (const QString failure = written(out, text); !failure.isEmpty()) {
            err << kProgram << QStringLiteral(": cannot write: ") << failure << QLatin1Char('\n');
            return ExitWriteFailed;
        }
        return ExitOk;
    } catch (const UsageError& error) {
        err << kProgram << QStringLiteral(": ") << error.message << QLatin1Char('\n');
        return ExitBadInput;
    }
}

}  // namespace cli
