#include "prefs/CounterChecks.h"

#include <QList>

namespace prefs {

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

}  // namespace prefs
