#include "cli/CliRequest.h"

#include <cmath>

#include "calc/Fault.h"
#include "calc/NumberText.h"
#include "cli/Quantity.h"
#include "cli/UsageError.h"
#include "prefs/CounterChecks.h"

namespace cli {

namespace {

constexpr double kLargestRegister = 255;

[[noreturn]] void refuse(const QString& message) {
    throw UsageError{message};
}

bool isOneOf(const QString& argument, std::initializer_list<const char*> names) {
    for (const char* name : names)
        if (argument == QLatin1StringView(name)) return true;
    return false;
}

QString countText(const QString& text) {
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
    return calc::formatPlain(value);
}

QStringList countTexts(const QString& list) {
    const QStringList items = list.split(QLatin1Char(','));
    if (items.size() > calc::MaxDepth)
        refuse(QStringLiteral("--counts has %1 counts; at most 4 (A to D) can be given")
                   .arg(items.size()));
    QStringList texts;
    for (const QString& item : items) texts << countText(item);
    return texts;
}

QString checkedName(const QString& text) {
    const QString name = prefs::trimSpaces(text);
    const QString what = QStringLiteral("--names ") + quoted(text);
    switch (prefs::FindSpace(name)) {
        case prefs::NameHasSpace:
            refuse(what + (name.isEmpty() ? QStringLiteral(" is an empty name")
                                          : QStringLiteral(" holds a space")));
        case prefs::NameStartsWithDigit:
            refuse(what + QStringLiteral(" starts with a digit"));
        case prefs::NameOk:
            break;
    }
    if (const std::optional<char32_t> forbidden = prefs::forbiddenCharacter(name))
        refuse(what + QStringLiteral(" holds %1; a counter name is made of letters, digits, _ . and ?")
                          .arg(prefs::characterForMessage(*forbidden)));
    return name;
}

void readNames(CliRequest& request, const QString& list) {
    const QStringList items = list.split(QLatin1Char(','));
    if (items.size() > calc::MaxDepth)
        refuse(QStringLiteral("--names has %1 names; at most 4 (A to D) can be given")
                   .arg(items.size()));
    for (int counter = 0; counter < items.size(); ++counter)
        request.names[counter] = checkedName(items[counter]);
}

qint16 chipOf(const QString& text) {
    if (text.compare(QLatin1StringView("pic"), Qt::CaseInsensitive) == 0) return calc::ChipMchip;
    if (text.compare(QLatin1StringView("sx"), Qt::CaseInsensitive) == 0) return calc::ChipSxTurbo;
    refuse(QStringLiteral("--chip ") + quoted(text) + QStringLiteral(" is not pic or sx"));
}

listing::Format formatOf(const QString& text) {
    if (text.compare(QLatin1StringView("microchip"), Qt::CaseInsensitive) == 0)
        return listing::Format::Microchip;
    if (text.compare(QLatin1StringView("parallax"), Qt::CaseInsensitive) == 0)
        return listing::Format::Parallax;
    refuse(QStringLiteral("--format ") + quoted(text) +
           QStringLiteral(" is not microchip or parallax"));
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

// Splits "--name=value" and "--name value"; a following option is no value.
struct ArgumentReader {
    const QStringList& arguments;
    qsizetype next = 0;

    bool atEnd() const { return next >= arguments.size(); }

    QString valueFor(const QString& option, const QString& attached, bool hasAttached) {
        if (hasAttached) {
            if (attached.isEmpty()) refuse(QStringLiteral("missing value for ") + option);
            return attached;
        }
        if (atEnd() || arguments[next].startsWith(QLatin1StringView("--")))
            refuse(QStringLiteral("missing value for ") + option);
        return arguments[next++];
    }
};

}  // namespace

CliRequest parseCliRequest(const QStringList& arguments) {
    CliRequest request;
    for (const QString& argument : arguments) {
        if (isOneOf(argument, {"--help", "-h"})) return request;
    }
    for (const QString& argument : arguments) {
        if (argument == QLatin1StringView("--version")) {
            request.command = Command::Version;
            return request;
        }
    }

    bool haveCommand = false;
    QStringList seen;
    ArgumentReader reader{arguments};
    while (!reader.atEnd()) {
        const QString argument = arguments[reader.next++];
        if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1StringView("-")) {
            if (haveCommand) refuse(QStringLiteral("unexpected argument ") + quoted(argument));
            if (argument == QLatin1StringView("values"))
                request.command = Command::Values;
            else if (argument == QLatin1StringView("time"))
                request.command = Command::Time;
            else
                refuse(QStringLiteral("unknown command ") + quoted(argument) +
                       QStringLiteral(" (use values or time; see --help)"));
            haveCommand = true;
            continue;
        }
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const QString option = equals < 0 ? argument : argument.left(equals);
        const QString attached = equals < 0 ? QString() : argument.mid(equals + 1);
        const bool hasAttached = equals >= 0;
        if (!isOneOf(option, {"--call-return", "--crlf", "--json", "--clock", "--delay", "--counts",
                              "--chip", "--format", "--names"}))
            refuse(QStringLiteral("unknown option ") + quoted(option) +
                   QStringLiteral(" (see --help)"));
        if (seen.contains(option)) refuse(option + QStringLiteral(" is given twice"));
        seen << option;

        if (isOneOf(option, {"--call-return", "--crlf", "--json"})) {
            if (hasAttached) refuse(option + QStringLiteral(" takes no value"));
            if (option == QLatin1StringView("--call-return")) request.addCallReturn = true;
            if (option == QLatin1StringView("--crlf")) request.crlf = true;
            if (option == QLatin1StringView("--json")) request.json = true;
        } else if (option == QLatin1StringView("--clock")) {
            request.clockHz = clockOf(reader.valueFor(option, attached, hasAttached));
        } else if (option == QLatin1StringView("--delay")) {
            request.delaySeconds = delayOf(reader.valueFor(option, attached, hasAttached));
        } else if (option == QLatin1StringView("--counts")) {
            request.countTexts = countTexts(reader.valueFor(option, attached, hasAttached));
        } else if (option == QLatin1StringView("--chip")) {
            request.chip = chipOf(reader.valueFor(option, attached, hasAttached));
        } else if (option == QLatin1StringView("--format")) {
            request.format = formatOf(reader.valueFor(option, attached, hasAttached));
        } else {
            readNames(request, reader.valueFor(option, attached, hasAttached));
        }
    }

    if (!haveCommand) refuse(QStringLiteral("missing command: values or time (see --help)"));
    if (!seen.contains(QStringLiteral("--clock")))
        refuse(QStringLiteral("missing --clock (the oscillator frequency, e.g. --clock 4MHz)"));
    if (request.command == Command::Values) {
        if (seen.contains(QStringLiteral("--counts")))
            refuse(QStringLiteral("--counts belongs to the time command"));
        if (!seen.contains(QStringLiteral("--delay")))
            refuse(QStringLiteral("missing --delay (the wanted delay, e.g. --delay 1ms)"));
    } else {
        if (seen.contains(QStringLiteral("--delay")))
            refuse(QStringLiteral("--delay belongs to the values command"));
        if (!seen.contains(QStringLiteral("--counts")))
            refuse(QStringLiteral(
                "missing --counts (the counter values, A first, e.g. --counts 75,2)"));
    }
    return request;
}

}  // namespace cli
