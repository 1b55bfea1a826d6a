// Any text pasted into the window's boxes, read by their rules and carried on as the window
// carries it into the counter search, the delay calculation and the listing. The first byte
// sets the window's switches (chip, format, CALL and return, tab), so a run stays cheap and the
// fuzzer varies them as it varies the texts; the rest is split at NUL bytes, which no one types,
// into the clock, the delay and each counter's name and value, A first. A refused text gives the
// box its last good text back, as the window does; a box without a field keeps its factory text.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include "calc/DelayCalculation.h"
#include "calc/Fault.h"
#include "calc/NumberText.h"
#include "listing/Listing.h"
#include "prefs/CounterChecks.h"

namespace {

constexpr int kLargestRegister = 255;

void require(bool holds) {
    if (!holds) std::abort();
}

struct Window {
    calc::Chip chip = calc::Chip::Pic;
    listing::ListingFormat format = listing::ListingFormat::Microchip;
    bool addCallReturn = false;
    int depth = 1;  // the selected tab
    QString clock = QStringLiteral("4000000"), delay = QStringLiteral("0.00100000");
    std::array<QString, calc::MaxDepth> names = listing::defaultNames(listing::ListingFormat::Microchip);
    std::array<QString, calc::MaxDepth> values = {QStringLiteral("75"), QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("1")};
};

// The number rule gives a finite number, or says the text is none or too large; the number's
// plain text reads back as the same number, its clock and delay patterns as numbers. A Fault
// escaping from here on is a finding: only the arithmetic's are caught, as the window does.
std::optional<double> numberOf(const QString& text, bool* notANumber = nullptr) {
    double value = 0;
    try {
        value = calc::parseNumber(text);
    } catch (const calc::Fault& fault) {
        require(fault.kind() == calc::FaultKind::NotANumber || fault.kind() == calc::FaultKind::Overflow);
        if (notANumber) *notANumber = fault.kind() == calc::FaultKind::NotANumber;
        return std::nullopt;
    }
    require(std::isfinite(value) && calc::parseNumber(calc::formatPlain(value)) == value);
    calc::parseNumber(calc::formatWhole(value));
    calc::parseNumber(calc::formatDelay(value));
    return value;
}

// A number box keeps a text too large to calculate with; a text that is no number goes.
QString numberBox(const QString& text, const QString& lastGood) {
    bool notANumber = false;
    numberOf(text, &notANumber);
    return notANumber ? lastGood : text;
}

bool takesValue(const QString& text, double value) {
    const prefs::CounterValue read = prefs::readCounterValue(text);
    return read.fault == prefs::ValueFault::None && read.value == value;
}

// An accepted value stands in the listing as typed, where the assembler reads it as a decimal
// literal: digits alone, of a register value. The rule's "no number" is the number rule's, and
// the box takes what the window writes into it: the last good value, one nudged up.
QString valueBox(const QString& text, const QString& lastGood) {
    const prefs::CounterValue read = prefs::readCounterValue(text);
    bool notANumber = false;
    const std::optional<double> number = numberOf(text, &notANumber);
    require(read.fault == prefs::ValueFault::None || notANumber == (read.fault == prefs::ValueFault::NotANumber));
    if (read.fault != prefs::ValueFault::None) return lastGood;
    require(number == read.value && read.value >= 0 && read.value <= kLargestRegister);
    for (const QChar c : text) require(c >= QLatin1Char('0') && c <= QLatin1Char('9'));
    for (const int written : {read.value, (read.value + 1) % (kLargestRegister + 1)}) require(takesValue(QString::number(written), written));
    return text;
}

// An accepted name is one register name on a listing line: no blank or control character to
// split it, no ';' to start a comment, no ',' to end an operand, nothing beyond ASCII, no digit
// first. A refusal names the character in one visible piece.
QString nameBox(const QString& text, const QString& lastGood) {
    const QString name = prefs::trimSpaces(text);
    require(prefs::trimSpaces(name) == name && text.contains(name));
    const std::optional<char32_t> forbidden = prefs::forbiddenCharacter(name);
    if (forbidden) {
        require(name.contains(QString::fromUcs4(&*forbidden, 1)));
        for (const char32_t c : prefs::characterForMessage(*forbidden).toUcs4()) require(QChar::isPrint(c) && !QChar::isSpace(c));
    }
    if (prefs::FindSpace(name) != prefs::NameOk || forbidden) return lastGood;
    require(!name.front().isDigit());
    for (const QChar c : name) require(c > QLatin1Char(' ') && c < QChar(0x7F) && c != QLatin1Char(';') && c != QLatin1Char(','));
    return name;
}

Window windowAfterPasting(const std::uint8_t* data, std::size_t size) {
    Window window{data[0] & 1 ? calc::Chip::SxTurbo : calc::Chip::Pic,
                  data[0] & 2 ? listing::ListingFormat::Parallax : listing::ListingFormat::Microchip, (data[0] & 4) != 0,
                  1 + (data[0] >> 3) % calc::MaxDepth};
    std::vector<std::pair<QString*, QString (*)(const QString&, const QString&)>> boxes = {{&window.clock, numberBox},
                                                                                           {&window.delay, numberBox}};
    for (int counter = 0; counter < calc::MaxDepth; ++counter)
        boxes.insert(boxes.end(), {{&window.names[counter], nameBox}, {&window.values[counter], valueBox}});
    const QList<QByteArray> fields = QByteArray(reinterpret_cast<const char*>(data) + 1, qsizetype(size) - 1).split('\0');
    for (std::size_t at = 0; at < boxes.size() && qsizetype(at) < fields.size(); ++at)
        *boxes[at].first = boxes[at].second(QString::fromUtf8(fields[at]), *boxes[at].first);
    return window;
}

// Two counters of the tab whose names are one register, as the format compares them. Names
// the same with capitals told apart are the same without.
bool clash(const Window& window) {
    const QStringList names(window.names.begin(), window.names.begin() + window.depth);
    const auto same = [&names](Qt::CaseSensitivity compared) {
        const std::optional<std::pair<int, int>> pair = prefs::sameNames(names, compared);
        require(!pair || (pair->first < pair->second && names[pair->first].compare(names[pair->second], compared) == 0));
        return pair.has_value();
    };
    require(same(Qt::CaseInsensitive) || !same(Qt::CaseSensitive));
    return same(listing::nameCase(window.format));
}

// What the delay and cycle boxes show: finite, whole cycles, a delay not below zero with a clock
// above it, which the delay box reads back.
void checkShown(const calc::Calculation& result, double clockHz) {
    const calc::Shown& shown = result.shown;
    require(result.depth >= 1 && result.depth <= calc::MaxDepth && std::isfinite(shown.seconds) && std::isfinite(shown.cycles));
    require(shown.cycles >= 0 && std::floor(shown.cycles) == shown.cycles && (clockHz <= 0 || shown.seconds >= 0));
    calc::parseNumber(calc::formatDelay(shown.seconds));
}

// The value boxes take the counters found, the delay box a clamped delay. One loop gives the
// longest delay not above the request, more loops the shortest not below it.
void checkSearch(const calc::SearchCalculation& run, calc::CalcState state, double clockHz) {
    checkShown(run.result, clockHz);
    for (const double registerValue : run.result.registerValues) require(takesValue(calc::formatPlain(registerValue), registerValue));
    if (run.outcome.clampedDelay) require(calc::parseNumber(calc::formatPlain(*run.outcome.clampedDelay)) == *run.outcome.clampedDelay);
    const int depth = run.outcome.depth;
    require(depth >= 0 && depth <= calc::MaxDepth);
    if (depth == 0 || clockHz <= 0) return;
    constexpr double kOneLoopTolerance = 2e-9;
    const double time = calc::timeOfDepth(state, depth);
    require(depth == 1 ? time <= state.TargetTime + std::abs(state.TargetTime) * kOneLoopTolerance : time >= state.TargetTime);
}

// The arithmetic: the window catches a Fault and shows what it has.
template <typename Step>
auto caught(Step step) -> std::optional<decltype(step())> {
    try {
        return step();
    } catch (const calc::Fault&) {
        return std::nullopt;
    }
}

void calculate(const Window& window) {
    const std::optional<double> clockHz = numberOf(window.clock);
    if (!clockHz) return;
    calc::CalcState state;
    state.ChipType = window.chip;
    if (const std::optional<double> delay = numberOf(window.delay))
        if (const auto search = caught([&] { return calc::countersFromDelay(state, *clockHz, *delay, window.addCallReturn); }))
            checkSearch(*search, state, *clockHz);
    calc::Counts registerValues{};
    for (int counter = 0; counter < calc::MaxDepth; ++counter) registerValues[counter] = calc::parseNumber(window.values[counter]);
    if (const auto result = caught([&] { return calc::delayFromCounters(state, *clockHz, registerValues, window.depth, window.addCallReturn); }))
        checkShown(*result, *clockHz);
}

QStringList listingLines(const Window& window) {
    listing::ListingInput input;
    input.chip = window.chip;
    input.timeText = window.delay;
    input.clockText = window.clock;
    for (int counter = 0; counter < calc::MaxDepth; ++counter) input.counters[counter] = {window.names[counter], window.values[counter]};
    input.withReturn = window.addCallReturn;
    return listing::fullListing(window.format, window.depth, input).mid(listing::headerLine(input).size()).split(QStringLiteral("\r\n"));
}

// After the header, the box texts never change the listing's lines, only what they hold. The
// window writes no listing for counters that would be one register.
void checkListing(const Window& window) {
    if (clash(window)) return;
    const QStringList lines = listingLines(window);
    require(lines.size() == listingLines(Window{window.chip, window.format, window.addCallReturn, window.depth}).size());
    const QString body = lines.join(QLatin1Char('\n'));
    require(!body.contains(QLatin1Char('\r')) && body.count(QLatin1Char('\n')) == lines.size() - 1);
    for (int counter = 0; counter < window.depth; ++counter) require(body.contains(window.names[counter]) && body.contains(window.values[counter]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const Window window = windowAfterPasting(data, size);
    calculate(window);
    checkListing(window);
    return 0;
}
