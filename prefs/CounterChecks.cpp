#include "prefs/CounterChecks.h"

#include <QList>

#include <algorithm>

#include "calc/Fault.h"
#include "calc/NumberText.h"

namespace prefs {

namespace {
constexpr uint kLargestRegisterValue = 255;
}

NameFault FindSpace(const QString& name) {
    if (name.isEmpty() || name.contains(QLatin1Char(' '))) return NameHasSpace;
    const QChar first = name.front();
    if (first >= QLatin1Char('0') && first <= QLatin1Char('9')) return NameStartsWithDigit;
    return NameOk;
}

std::optional<char32_t> forbiddenCharacter(const QString& name) {
    for (const char32_t c : name.toUcs4()) {
        const bool allowed = (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') ||
                             (c >= U'0' && c <= U'9') || c == U'_' || c == U'.' || c == U'?';
        if (!allowed) return c;
    }
    return std::nullopt;
}

QString characterForMessage(char32_t character) {
    if (QChar::isPrint(character) && !QChar::isSpace(character))
        return QLatin1Char('\'') + QString::fromUcs4(&character, 1) + QLatin1Char('\'');
    return QStringLiteral("U+%1").arg(static_cast<uint>(character), 4, 16, QLatin1Char('0')).toUpper();
}

QString trimSpaces(const QString& name) {
    qsizetype begin = 0;
    qsizetype end = name.size();
    while (begin < end && name[begin] == QLatin1Char(' ')) ++begin;
    while (end > begin && name[end - 1] == QLatin1Char(' ')) --end;
    return name.mid(begin, end - begin);
}

std::optional<std::pair<int, int>> sameNames(const QStringList& names,
                                             Qt::CaseSensitivity sensitivity) {
    for (int first = 0; first < names.size(); ++first)
        for (int second = first + 1; second < names.size(); ++second)
            if (names[first].compare(names[second], sensitivity) == 0)
                return std::pair(first, second);
    return std::nullopt;
}

CounterValue readCounterValue(const QString& text) {
    const auto isDigit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    if (!text.isEmpty() && std::all_of(text.cbegin(), text.cend(), isDigit)) {
        bool fits = false;
        const uint value = text.toUInt(&fits);
        if (fits && value <= kLargestRegisterValue)
            return {ValueFault::None, static_cast<int>(value)};
        return {ValueFault::NotARegisterValue};
    }
    try {
        calc::parseNumber(text);
    } catch (const calc::Fault& fault) {
        if (fault.kind() == calc::FaultKind::NotANumber) return {ValueFault::NotANumber};
    }
    return {ValueFault::NotARegisterValue};
}

}  // namespace prefs
