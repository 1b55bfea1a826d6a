#include "cli/Quantity.h"

#include <QList>

#include <array>
#include <cmath>
#include <cstdio>

#include "calc/Fault.h"
#include "calc/NumberText.h"
#include "cli/UsageError.h"

namespace cli {

namespace {

struct Unit {
    QString suffix;
    int exponent;  // power of ten the number is scaled by
};

// Longer suffixes first, so "ms" is not taken for "s".
const QList<Unit>& frequencyUnits() {
    static const QList<Unit> units = {{QStringLiteral("khz"), 3},
                                      {QStringLiteral("mhz"), 6},
                                      {QStringLiteral("ghz"), 9},
                                      {QStringLiteral("hz"), 0}};
    return units;
}

const QList<Unit>& durationUnits() {
    static const QList<Unit> units = {{QStringLiteral("ms"), -3},      {QStringLiteral("us"), -6},
                                      {QStringLiteral("\u00b5s"), -6},  // micro sign
                                      {QStringLiteral("\u03bcs"), -6},  // Greek mu
                                      {QStringLiteral("ns"), -9},      {QStringLiteral("s"), 0}};
    return units;
}

// The unit's power of ten goes into the number's exponent, so "1000us" and "0.001" read as
// exactly the same number, as if the plain decimal had been typed.
double scaled(const QString& number, int exponent) {
    if (exponent == 0) return calc::parseNumber(number);
    qsizetype mark = number.lastIndexOf(QLatin1Char('e'), -1, Qt::CaseInsensitive);
    QString mantissa = number;
    qint64 ownExponent = 0;  // wide enough that adding the unit's cannot overflow
    if (mark >= 0) {
        bool ok = false;
        ownExponent = number.mid(mark + 1).toInt(&ok);
        if (!ok) throw calc::Fault(calc::FaultKind::NotANumber);
        mantissa = number.left(mark);
    }
    return calc::parseNumber(mantissa + QLatin1Char('e') + QString::number(ownExponent + exponent));
}

double parseQuantity(const QString& option, const QString& text, const QList<Unit>& units,
                     const QString& kind) {
    const QString trimmed = text.trimmed();
    QString number = trimmed;
    int exponent = 0;
    for (const Unit& unit : units) {
        if (trimmed.endsWith(unit.suffix, Qt::CaseInsensitive)) {
            number = trimmed.chopped(unit.suffix.size()).trimmed();
            exponent = unit.exponent;
            break;
        }
    }
    try {
        calc::parseNumber(number);  // the number as written must be one, before it is scaled
        return scaled(number, exponent);
    } catch (const calc::Fault& fault) {
        if (fault.kind() == calc::FaultKind::Overflow)
            throw UsageError{option + QLatin1Char(' ') + quoted(text) +
                             QStringLiteral(" is out of range")};
        throw UsageError{option + QLatin1Char(' ') + quoted(text) + QStringLiteral(" is not ") +
                         kind};
    }
}

}  // namespace

QString formatNumber(long double value) {
    constexpr long double kExponentFrom = 1e15L, kExponentBelow = 1e-9L;
    if (value == 0 || (std::abs(value) < kExponentFrom && std::abs(value) >= kExponentBelow))
        return calc::formatPlain(static_cast<double>(value));
    // As many digits as a double keeps, no trailing zeros.
    std::array<char, 64> text{};
    const int length = std::snprintf(text.data(), text.size(), "%.15Lg", value);
    return QString::fromLatin1(text.data(), length);
}

double parseFrequency(const QString& option, const QString& text) {
    return parseQuantity(
        option, text, frequencyUnits(),
        QStringLiteral("a frequency (a number, optionally with Hz, kHz, MHz or GHz)"));
}

double parseDuration(const QString& option, const QString& text) {
    return parseQuantity(option, text, durationUnits(),
                         QStringLiteral("a delay (a number, optionally with s, ms, us or ns)"));
}

}  // namespace cli
