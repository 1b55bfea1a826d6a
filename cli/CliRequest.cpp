#include "cli/CliRequest.h"

#include <QCommandLineParser>

#include <cmath>

#include "calc/Fault.h"
#include "calc/NumberText.h"
#include "cli/CliOptions.h"
#include "cli/Quantity.h"
#include "cli/UsageError.h"
#include "prefs/CounterChecks.h"

namespace cli {

namespace {

constexpr double kLargestRegister = 255;
constexpr qsizetype kLongestName = 50;  // as the window's name boxes take them

[[noreturn]] void refuse(const QString& message) { throw UsageError{message}; }

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

// The known names, as a refusal lists them: "a, b or c".
QString choices(const QStringList& names) {
    return names.size() < 2 ? names.join(QString()) : names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" or ") + names.back();
}

calc::Chip chipOf(const QString& text) {
    QStringList known;
    for (const calc::Chip chip : calc::kAllChips) {
        if (text.compare(calc::chipModel(chip).commandLineName, Qt::CaseInsensitive) == 0) return chip;
        known << calc::chipModel(chip).commandLineName.toString();
    }
    refuse(QStringLiteral("--chip ") + quoted(text) + QStringLiteral(" is not ") + choices(known));
}

QStringList formatNames(const QList<listing::ListingFormat>& formats) {
    QStringList names;
    for (const listing::ListingFormat format : formats) names << listing::formatName(format);
    return names;
}

listing::ListingFormat formatOf(const QString& text, calc::Chip chip) {
    const QList<listing::ListingFormat> fitting = listing::formatsFor(chip);
    for (const listing::ListingFormat format : listing::allFormats()) {
        if (text.compare(listing::formatName(format), Qt::CaseInsensitive) != 0) continue;
        if (fitting.contains(format)) return format;
        refuse(QStringLiteral("--format %1 does not fit --chip %2; use %3")
                   .arg(quoted(text), calc::chipModel(chip).commandLineName.toString(), choices(formatNames(fitting))));
    }
    refuse(QStringLiteral("--format ") + quoted(text) + QStringLiteral(" is not ") + choices(formatNames(listing::allFormats())));
}

// A counter name the format takes as a register of the routine.
QString counterName(listing::ListingFormat format, const QString& text) {
    const QString name = checkedName("--names", text);
    const QString what = QStringLiteral("--names ") + quoted(text);
    switch (listing::verdictOn(format, name)) {
        case listing::NameVerdict::WrongRegister:
            refuse(what + QStringLiteral(" is not one of r16-r31, the registers ldi loads"));
        case listing::NameVerdict::NotARegister:
            refuse(what + (listing::counterNames(format) == listing::CounterNames::BankRegister
                               ? QStringLiteral(" is not one of the registers R0-R7")
                               : QStringLiteral(" is not one of the registers r16-r31 (the atmel format also takes "
                                                "names defined with .def)")));
        case listing::NameVerdict::Register:
        case listing::NameVerdict::Declared:
            break;
    }
    return name;
}

// No two of the counters the routine may use are one register, as its assembler compares names,
// and none has the routine's name.
void checkDistinct(const CliRequest& request, int counters) {
    const QStringList names(request.names.begin(), request.names.begin() + counters);
    for (int counter = 0; counter < counters; ++counter)
        if (request.routine.compare(names[counter], listing::nameCase(request.format)) == 0)
            refuse(QStringLiteral("--routine %1 is also the name of counter %2").arg(quoted(request.routine), QChar(u'A' + counter)));
    const std::optional<std::pair<int, int>> clash = prefs::sameNames(names, listing::nameCase(request.format));
    if (!clash) return;
    const QString& first = names[clash->first];
    const QString& second = names[clash->second];
    refuse(QStringLiteral("--names: counters %1 and %2 are the same register %3")
               .arg(QChar(u'A' + clash->first), QChar(u'A' + clash->second),
                    first == second ? quoted(first) : quoted(first) + QStringLiteral(" and ") + quoted(second)));
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

double cyclesOf(const QString& text, const calc::DelayRequest& calculation) {
    const double longest =
        calc::longestCycles(calculation.chip, calculation.maxDepth, calculation.exact, calculation.addCallReturn);
    double cycles = 0;
    try {
        cycles = calc::parseNumber(text);
    } catch (const calc::Fault&) {
        cycles = 0;
    }
    if (cycles < 1 || cycles > longest || std::floor(cycles) != cycles)
        refuse(QStringLiteral("--cycles %1 is not a whole number from 1 to %2").arg(quoted(text), formatNumber(longest)));
    return cycles;
}

int maxDepthOf(const QString& text) {
    bool ok = false;
    const int depth = text.trimmed().toInt(&ok);
    if (!ok || depth < 1 || depth > calc::MaxDepth) refuse(QStringLiteral("--max-depth ") + quoted(text) + QStringLiteral(" is not 1, 2, 3 or 4"));
    return depth;
}

calc::Rounding roundingOf(const QString& text) {
    const std::array<std::pair<QLatin1StringView, calc::Rounding>, 3> kRoundings = {
        {{QLatin1StringView("nearest"), calc::Rounding::Nearest}, {QLatin1StringView("up"), calc::Rounding::Up},
         {QLatin1StringView("down"), calc::Rounding::Down}}};
    for (const auto& [name, rounding] : kRoundings)
        if (text.compare(name, Qt::CaseInsensitive) == 0) return rounding;
    refuse(QStringLiteral("--round ") + quoted(text) + QStringLiteral(" is not nearest, up or down"));
}

Command commandOf(const QStringList& positional) {
    if (positional.isEmpty()) refuse(QStringLiteral("missing command: values or time (see --help)"));
    if (positional.size() > 1) refuse(QStringLiteral("unexpected argument ") + quoted(positional[1]));
    if (positional[0] == QLatin1StringView("values")) return Command::Values;
    if (positional[0] == QLatin1StringView("time")) return Command::Time;
    refuse(QStringLiteral("unknown command ") + quoted(positional[0]) + QStringLiteral(" (use values or time; see --help)"));
}

// The options of one command that the other refuses.
void refuseOthers(const QCommandLineParser& parser, const QList<const QCommandLineOption*>& options, const char* command) {
    for (const QCommandLineOption* option : options)
        if (parser.isSet(*option))
            refuse(dashed(option->names().constLast()) + QStringLiteral(" belongs to the %1 command").arg(QLatin1StringView(command)));
}

}  // namespace

CliRequest parseCliRequest(const QStringList& arguments) {
    const CliOptions options;
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

    calc::DelayRequest& calculation = request.calculation;
    if (parser.isSet(options.chip)) calculation.chip = chipOf(parser.value(options.chip));
    request.format = parser.isSet(options.format) ? formatOf(parser.value(options.format), calculation.chip)
                                                  : listing::formatsFor(calculation.chip).constFirst();
    request.names = listing::defaultNames(request.format);
    qsizetype namesGiven = 0;
    if (parser.isSet(options.names)) {
        const QStringList names = itemsOf("--names", "names", parser.value(options.names));
        namesGiven = names.size();
        for (int counter = 0; counter < names.size(); ++counter) request.names[counter] = counterName(request.format, names[counter]);
    }
    if (parser.isSet(options.routine)) {
        request.routine = checkedName("--routine", parser.value(options.routine));
        const listing::NameVerdict verdict = listing::verdictOn(request.format, request.routine);
        if (verdict == listing::NameVerdict::Register || verdict == listing::NameVerdict::WrongRegister)
            refuse(QStringLiteral("--routine ") + quoted(parser.value(options.routine)) + QStringLiteral(" is a register name"));
        if (const std::optional<QChar> mark = listing::markOutOfLabel(request.format, request.routine))
            refuse(QStringLiteral("--routine %1 holds '%2', which the %3 format takes in no label")
                       .arg(quoted(request.routine), *mark, listing::formatName(request.format)));
    }
    const QString label = listing::clashingLoopLabel(request.format, request.routine);
    for (qsizetype counter = 0; counter < namesGiven; ++counter)
        if (!label.isEmpty() && request.names[counter].compare(label, listing::nameCase(request.format)) == 0)
            refuse(QStringLiteral("--names ") + quoted(request.names[counter]) + QStringLiteral(" is the listing's loop label"));
    calculation.addCallReturn = parser.isSet(options.callReturn) || !request.routine.isEmpty();
    request.declare = parser.isSet(options.declare);
    request.crlf = parser.isSet(options.crlf);
    request.json = parser.isSet(options.json);

    if (!parser.isSet(options.clock)) refuse(QStringLiteral("missing --clock (the oscillator frequency, e.g. --clock 4MHz)"));
    calculation.clockHz = clockOf(parser.value(options.clock));
    if (request.command == Command::Values) {
        refuseOthers(parser, {&options.counts}, "time");
        calculation.exact = parser.isSet(options.exact);
        if (parser.isSet(options.round)) {
            if (!calculation.exact) refuse(QStringLiteral("--round belongs to --exact"));
            calculation.rounding = roundingOf(parser.value(options.round));
        }
        if (parser.isSet(options.maxDepth)) calculation.maxDepth = maxDepthOf(parser.value(options.maxDepth));
        if (namesGiven > 0) calculation.maxDepth = std::min(calculation.maxDepth, static_cast<int>(namesGiven));
        checkDistinct(request, calculation.maxDepth);
        if (parser.isSet(options.delay) == parser.isSet(options.cycles))
            refuse(parser.isSet(options.delay) ? QStringLiteral("--delay and --cycles both give the wanted length; give one")
                                               : QStringLiteral("missing --delay or --cycles (the wanted delay, e.g. --delay 1ms)"));
        request.cyclesGiven = parser.isSet(options.cycles);
        if (request.cyclesGiven)
            calculation.wantedCycles = cyclesOf(parser.value(options.cycles), calculation);
        else
            calculation.delaySeconds = delayOf(parser.value(options.delay));
    } else {
        refuseOthers(parser, {&options.delay, &options.cycles, &options.exact, &options.round, &options.maxDepth}, "values");
        if (!parser.isSet(options.counts))
            refuse(QStringLiteral("missing --counts (the counter values, A first, e.g. --counts 75,2)"));
        const QStringList counts = itemsOf("--counts", "counts", parser.value(options.counts));
        calculation.fromCounters = true;
        calculation.depth = static_cast<int>(counts.size());
        if (namesGiven > 0 && namesGiven < counts.size())
            refuse(QStringLiteral("--names names %1 of the %2 counters; name every counter or none").arg(namesGiven).arg(counts.size()));
        // Counters beyond the depth hold 1, as the search leaves them.
        calculation.registerValues = {1, 1, 1, 1};
        for (int counter = 0; counter < calculation.depth; ++counter) calculation.registerValues[counter] = countOf(counts[counter]);
        checkDistinct(request, calculation.depth);
    }
    return request;
}

}  // namespace cli
