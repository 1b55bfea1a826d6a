#include "cli/CliRequest.h"

#include <QCommandLineParser>

#include <cmath>

#include "calc/Fault.h"
#include "calc/NumberText.h"
#include "cli/Quantity.h"
#include "cli/UsageError.h"
#include "prefs/CounterChecks.h"

namespace cli {

namespace {

constexpr double kLargestRegister = 255;
constexpr qsizetype kLongestName = 50;  // as the window's name boxes take them

[[noreturn]] void refuse(const QString& message) { throw UsageError{message}; }

struct Options {
    QCommandLineOption clock{QStringLiteral("clock"),
                             QStringLiteral("Oscillator frequency: a number in Hz, or with a unit Hz, kHz, MHz or "
                                            "GHz (4MHz, 4000kHz, 4e6, 32.768kHz); above 0."),
                             QStringLiteral("FREQUENCY")};
    QCommandLineOption delay{QStringLiteral("delay"),
                             QStringLiteral("(values) The wanted delay: a number in seconds, or with a unit s, ms, "
                                            "us (or \u00b5s) or ns (1ms, 1000us, 1e-3); not negative. A delay below "
                                            "the shortest or at or above the longest that four loops can make is "
                                            "replaced by that limit, with a note."),
                             QStringLiteral("TIME")};
    QCommandLineOption counts{QStringLiteral("counts"),
                              QStringLiteral("(time) The counter values, innermost (A) first, separated by commas; "
                                             "their number (1 to 4) is the loop depth. Each is a whole number from 0 "
                                             "to 255; 0 means 256 passes."),
                              QStringLiteral("LIST")};
    QCommandLineOption chip{QStringLiteral("chip"),
                            QStringLiteral("Microchip PIC, 4 clocks per machine cycle (the default), or SX in turbo "
                                           "mode, 1 clock per cycle."),
                            QStringLiteral("pic|sx")};
    QCommandLineOption callReturn{QStringLiteral("call-return"),
                                  QStringLiteral("Count the CALL into the routine and its return (PIC 4, SX 6 cycles) "
                                                 "and end the listing with a return.")};
    QCommandLineOption format{QStringLiteral("format"),
                              QStringLiteral("Listing in the Microchip (default) or Parallax assembler format."),
                              QStringLiteral("microchip|parallax")};
    QCommandLineOption names{QStringLiteral("names"),
                             QStringLiteral("Counter register names, innermost (A) first, up to four; default "
                                            "Delay1,Delay2,Delay3,Delay4. A name is made of ASCII letters, digits, "
                                            "_ . and ?, up to 50 of them, and does not start with a digit."),
                             QStringLiteral("LIST")};
    QCommandLineOption exact{QStringLiteral("exact"),
                             QStringLiteral("(values) Exactly the wanted delay, rounded to the nearest whole cycle: "
                                            "the loops that come closest without passing it, then the rest made up "
                                            "with the fewest jumps to the next instruction (goto $+1 or jmp $+1: 2 "
                                            "cycles on a PIC, 3 on an SX in turbo mode) and nops (1 cycle).")};
    QCommandLineOption routine{QStringLiteral("routine"),
                               QStringLiteral("A routine ready to include: NAME labels its first instruction and, "
                                              "in the Microchip format, names its loop label NAME_loop; a comment "
                                              "line states its delay, clock and cycles. Implies --call-return. NAME "
                                              "follows the rules of a counter name."),
                               QStringLiteral("NAME")};
    QCommandLineOption crlf{QStringLiteral("crlf"),
                            QStringLiteral("End lines with CR LF, as the window's listing does, not LF.")};
    QCommandLineOption json{QStringLiteral("json"), QStringLiteral("Print one JSON object instead of text.")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{QStringLiteral("version"), QStringLiteral("Show the version and exit.")};

    QList<QCommandLineOption> all() const {
        return {clock, delay, counts, chip, callReturn, format, names, exact, routine, crlf, json, help, version};
    }
};

QString dashed(const QString& name) { return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name; }

// What the parser leaves to us: an option without the value it needs, or with one it does
// not take, and a value that is really the next option.
void checkValues(const QStringList& arguments, const QList<QCommandLineOption>& options) {
    for (qsizetype at = 0; at < arguments.size(); ++at) {
        for (const QCommandLineOption& option : options) {
            const QString name = dashed(option.names().constLast());
            const bool takesValue = !option.valueName().isEmpty();
            if (takesValue && arguments[at] == name &&
                (at + 1 == arguments.size() || arguments[at + 1].startsWith(QLatin1StringView("--"))))
                refuse(QStringLiteral("missing value for ") + name);
            if (takesValue && arguments[at] == name + QLatin1Char('='))
                refuse(QStringLiteral("missing value for ") + name);
            if (!takesValue && arguments[at].startsWith(name + QLatin1Char('=')))
                refuse(name + QStringLiteral(" takes no value"));
        }
    }
}

double countOf(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) refuse(QStringLiteral("--counts has an empty count"));
    double value = 0;
    try {
        value = calc::parseNumber(trimmed);
    } catch (const calc::Fault&) {
        refuse(QStringLiteral("--counts ") + quoted(text) + QStringLiteral(" is not a number"));
    }
    if (value < 0 || value > kLargestRegister || std::floor(value) != value)
        refuse(QStringLiteral("--counts ") + quoted(text) +
               QStringLiteral(" is not a whole number from 0 to 255 (0 means 256 passes)"));
    return value;
}

// At most four items of a comma-separated list, A first.
QStringList itemsOf(const char* option, const char* what, const QString& list) {
    const QStringList items = list.split(QLatin1Char(','));
    if (items.size() > calc::MaxDepth)
        refuse(QStringLiteral("%1 has %2 %3; at most 4 (A to D) can be given")
                   .arg(QLatin1StringView(option)).arg(items.size()).arg(QLatin1StringView(what)));
    return items;
}

QString checkedName(const char* option, const QString& text) {
    const QString name = prefs::trimSpaces(text);
    const QString what = QLatin1StringView(option) + QLatin1Char(' ') + quoted(text);
    switch (prefs::FindSpace(name)) {
        case prefs::NameHasSpace:
            refuse(what + (name.isEmpty() ? QStringLiteral(" is an empty name") : QStringLiteral(" holds a space")));
        case prefs::NameStartsWithDigit:
            refuse(what + QStringLiteral(" starts with a digit"));
        case prefs::NameOk:
            break;
    }
    if (const std::optional<char32_t> forbidden = prefs::forbiddenCharacter(name))
        refuse(what + QStringLiteral(" holds %1; a counter name is made of letters, digits, _ . and ?")
                          .arg(prefs::characterForMessage(*forbidden)));
    if (name.size() > kLongestName)
        refuse(what + QStringLiteral(" is longer than %1 characters").arg(kLongestName));
    return name;
}

calc::Chip chipOf(const QString& text) {
    for (const calc::Chip chip : {calc::Chip::Pic, calc::Chip::SxTurbo})
        if (text.compare(calc::chipModel(chip).commandLineName, Qt::CaseInsensitive) == 0) return chip;
    refuse(QStringLiteral("--chip ") + quoted(text) + QStringLiteral(" is not pic or sx"));
}

listing::ListingFormat formatOf(const QString& text) {
    if (text.compare(QLatin1StringView("microchip"), Qt::CaseInsensitive) == 0) return listing::ListingFormat::Microchip;
    if (text.compare(QLatin1StringView("parallax"), Qt::CaseInsensitive) == 0) return listing::ListingFormat::Parallax;
    refuse(QStringLiteral("--format ") + quoted(text) + QStringLiteral(" is not microchip or parallax"));
}

double clockOf(const QString& text) {
    const double hz = parseFrequency(QStringLiteral("--clock"), text);
    if (hz <= 0) refuse(QStringLiteral("--clock must be above 0 Hz, not ") + quoted(text));
    // The calculation holds the clock in single precision.
    const auto single = static_cast<float>(hz);
    if (std::isinf(single) || single == 0)
        refuse(QStringLiteral("--clock ") + quoted(text) + QStringLiteral(" is out of range"));
    return hz;
}

double delayOf(const QString& text) {
    const double seconds = parseDuration(QStringLiteral("--delay"), text);
    if (seconds < 0) refuse(QStringLiteral("--delay must not be negative, not ") + quoted(text));
    return seconds;
}

Command commandOf(const QStringList& positional) {
    if (positional.isEmpty()) refuse(QStringLiteral("missing command: values or time (see --help)"));
    if (positional.size() > 1) refuse(QStringLiteral("unexpected argument ") + quoted(positional[1]));
    if (positional[0] == QLatin1StringView("values")) return Command::Values;
    if (positional[0] == QLatin1StringView("time")) return Command::Time;
    refuse(QStringLiteral("unknown command ") + quoted(positional[0]) + QStringLiteral(" (use values or time; see --help)"));
}

}  // namespace

QString optionsHelp() {
    QCommandLineParser parser;
    parser.addOptions(Options().all());
    // The parser's own usage line names the program as it was started; ours comes first.
    return parser.helpText().section(QLatin1Char('\n'), 1).trimmed() + QLatin1Char('\n');
}

CliRequest parseCliRequest(const QStringList& arguments) {
    const Options options;
    QCommandLineParser parser;
    parser.addOptions(options.all());
    const bool parsed = parser.parse(QStringList{QStringLiteral("kestrune-cli")} + arguments);
    CliRequest request;
    if (parser.isSet(options.help)) return request;
    if (parser.isSet(options.version)) {
        request.command = Command::Version;
        return request;
    }
    checkValues(arguments, options.all());
    if (!parsed && !parser.unknownOptionNames().isEmpty())
        refuse(QStringLiteral("unknown option ") + quoted(dashed(parser.unknownOptionNames().constFirst())) +
               QStringLiteral(" (see --help)"));
    if (!parsed) refuse(parser.errorText());
    request.command = commandOf(parser.positionalArguments());
    for (const QCommandLineOption& option : options.all()) {
        const QString name = option.names().constLast();
        if (parser.optionNames().count(name) > 1) refuse(dashed(name) + QStringLiteral(" is given twice"));
    }

    if (!parser.isSet(options.clock)) refuse(QStringLiteral("missing --clock (the oscillator frequency, e.g. --clock 4MHz)"));
    request.clockHz = clockOf(parser.value(options.clock));
    if (request.command == Command::Values) {
        if (parser.isSet(options.counts)) refuse(QStringLiteral("--counts belongs to the time command"));
        if (!parser.isSet(options.delay)) refuse(QStringLiteral("missing --delay (the wanted delay, e.g. --delay 1ms)"));
        request.delaySeconds = delayOf(parser.value(options.delay));
    } else {
        if (parser.isSet(options.delay)) refuse(QStringLiteral("--delay belongs to the values command"));
        if (parser.isSet(options.exact)) refuse(QStringLiteral("--exact belongs to the values command"));
        if (!parser.isSet(options.counts))
            refuse(QStringLiteral("missing --counts (the counter values, A first, e.g. --counts 75,2)"));
        const QStringList counts = itemsOf("--counts", "counts", parser.value(options.counts));
        request.depth = static_cast<int>(counts.size());
        // Counters beyond the depth hold 1, as the search leaves them.
        request.registerValues = {1, 1, 1, 1};
        for (int counter = 0; counter < request.depth; ++counter) request.registerValues[counter] = countOf(counts[counter]);
    }
    if (parser.isSet(options.chip)) request.chip = chipOf(parser.value(options.chip));
    if (parser.isSet(options.format)) request.format = formatOf(parser.value(options.format));
    if (parser.isSet(options.names)) {
        const QStringList names = itemsOf("--names", "names", parser.value(options.names));
        for (int counter = 0; counter < names.size(); ++counter) request.names[counter] = checkedName("--names", names[counter]);
    }
    if (parser.isSet(options.routine)) request.routine = checkedName("--routine", parser.value(options.routine));
    request.exact = parser.isSet(options.exact);
    request.addCallReturn = parser.isSet(options.callReturn) || !request.routine.isEmpty();
    request.crlf = parser.isSet(options.crlf);
    request.json = parser.isSet(options.json);
    return request;
}

}  // namespace cli
