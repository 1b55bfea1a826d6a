#include "prefs/CounterChecks.h"

namespace prefs {

NameFault FindSpace(const QString& name) {
    if (name.isEmpty() || name.contains(QLatin1Char(' '))) return NameHasSpace;
    const QChar first = name.front();
    if (first >= QLatin1Char('0') && first <= QLatin1Char('9')) return NameStartsWithDigit;
    return NameOk;
}

QString trimSpaces(const QString& name) {
    qsizetype begin = 0;
    qsizetype end = name.size();
    while (begin < end && name[begin] == QLatin1Char(' ')) ++begin;
    while (end > begin && name[end - 1] == QLatin1Char(' ')) --end;
    return name.mid(begin, end - begin);
}

}  // namespace prefs
