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

// The number rule gives a finite number whose plain text reads back as that number, or says the
// text is none or too large. Only the arithmetic's Faults may escape from here on.
std::optional<double> numberOf(const QString& text) {
    try {
        const double value = calc::parseNumber(text);
        require(std::isfinite(value) && calc::parseNumber(calc::formatPlain(value)) == value);
        return value;
    } catch (const calc::Fault& fault) {
        require(fault.kind() == calc::FaultKind::NotANumber || fault.kind() == calc::FaultKind::Overflow);
        return std::nullopt;
    }
}

// A number box keeps a text too large to calculate with; a text that is no number goes.
QString numberBox(const QString& text, const QString& lastGood) try {
    numberOf(text);
    calc::parseNumber(text);
    return text;
} catch (const calc::Fault& fault) {
    return fault.kind() == calc::FaultKind::Overflow ? text : lastGood;
}

// An accepted value stands in the listing as typed, where the assembler reads it as a decimal
// literal: digits alone, of a register value, the number the number rule reads.
QString valueBox(const QString& text, const QString& lastGood) {
    const prefs::CounterValue read = prefs::readCounterValue(text);
    if (read.fault != prefs::ValueFault::None) return lastGood;
    require(numberOf(text) == read.value && read.value >= 0 && read.value <= 255);
    for (const QChar c : text) require(c >= QLatin1Char('0') && c <= QLatin1Char('9'));
    return text;
}

// An accepted name is one register name on a listing line: no blank or control character to
// split it, no ';' to start a comment, no ',' to end an operand, nothing beyond ASCII, no digit
// first. A refusal names the character in one visible piece.
QString nameBox(const QString& text, const QString& lastGood) {
    const QString name = prefs::trimSpaces(text);
    const std::optional<char32_t> forbidden = prefs::forbiddenCharacter(name);
    if (forbidden)
        for (const char32_t c : prefs::characterForMessage(*forbidden).toUcs4()) require(QChar::isPrint(c) && !QChar::isSpace(c));
    if (prefs::FindSpace(name) != prefs::NameOk || forbidden) return lastGood;
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

// What the boxes show: whole cycles, finite, a delay not below zero with a clock above it; the
// value boxes take the counters a search finds. One loop gives the longest delay not above the
// request, more loops the shortest not below it, but for its last bits.
void checkShown(const calc::Calculation& result, double clockHz) {
    require(std::isfinite(result.shown.seconds) && result.shown.cycles >= 0 && std::floor(result.shown.cycles) == result.shown.cycles);
    require(clockHz <= 0 || result.shown.seconds >= 0);
    for (const double value : result.registerValues)
        require(prefs::readCounterValue(calc::formatPlain(value)).fault == prefs::ValueFault::None);
}

void calculate(const Window& window) try {
    const std::optional<double> clockHz = numberOf(window.clock);
    if (!clockHz) return;
    calc::CalcState state{.ChipType = window.chip};
    calc::Counts registerValues{};
    for (int counter = 0; counter < calc::MaxDepth; ++counter) registerValues[counter] = calc::parseNumber(window.values[counter]);
    checkShown(calc::delayFromCounters(state, *clockHz, registerValues, window.depth, window.addCallReturn), *clockHz);
    const std::optional<double> delay = numberOf(window.delay);
    if (!delay) return;
    const calc::SearchCalculation run = calc::countersFromDelay(state, *clockHz, *delay, window.addCallReturn);
    checkShown(run.result, *clockHz);
    if (run.outcome.depth == 0 || *clockHz <= 0) return;
    const double time = calc::timeOfDepth(state, run.outcome.depth), target = state.TargetTime;
    require(run.outcome.depth == 1 ? time <= target + std::abs(target) * 2e-9 : time >= target - std::abs(target) * 1e-12);
} catch (const calc::Fault&) {
    // The window shows what it has.
}

// After the header, the box texts never change the listing's lines, only what they hold.
void checkListing(const Window& window) {
    listing::ListingInput input{.chip = window.chip, .timeText = window.delay, .clockText = window.clock, .withReturn = window.addCallReturn};
    for (int counter = 0; counter < calc::MaxDepth; ++counter) input.counters[counter] = {window.names[counter], window.values[counter]};
    const QString body = listing::fullListing(window.format, window.depth, input).mid(listing::headerLine(input).size());
    require(body.count(QLatin1Char('\r')) == body.count(QStringLiteral("\r\n")) && body.count(QLatin1Char('\n')) == body.count(QLatin1Char('\r')));
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
