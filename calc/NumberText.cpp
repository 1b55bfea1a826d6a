#include "calc/NumberText.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "calc/Fault.h"

namespace calc {

namespace {

bool readWith(QLocale locale, const QString& text, double& value) {
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    value = locale.toDouble(text, &ok);
    return ok;
}

// Plain C notation (digits, point, exponent, minus) is what nearly every box holds; it is
// read directly, and everything else goes through the locales.
bool readPlain(const QString& text, double& value) {
    std::array<char, 64> ascii{};
    if (text.size() >= static_cast<qsizetype>(ascii.size())) return false;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const char16_t c = text[at].unicode();
        const bool plain = (c >= u'0' && c <= u'9') || c == u'.' || c == u'e' || c == u'E' || c == u'-';
        if (!plain) return false;
        ascii[at] = static_cast<char>(c);
    }
    const char* end = ascii.data() + text.size();
    const auto result = std::from_chars(ascii.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

bool isOutOfRange(const QString& text) {
    const QByteArray latin = text.toLatin1();
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(latin.constData(), &end);
    return end == latin.constData() + latin.size() && errno == ERANGE && std::isinf(value);
}

QString withoutNegativeZero(QString text) {
    const bool allZero = std::all_of(text.cbegin() + 1, text.cend(), [](QChar c) {
        return c == QLatin1Char('0') || c == QLatin1Char('.');
    });
    if (text.startsWith(QLatin1Char('-')) && allZero) text.remove(0, 1);
    return text;
}

}  // namespace

double parseNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) throw Fault(FaultKind::NotANumber);
    double value = 0.0;
    if (readPlain(trimmed, value)) return value;
    if (!readWith(QLocale::c(), trimmed, value) && !readWith(QLocale::system(), trimmed, value)) {
        if (isOutOfRange(trimmed)) throw Fault(FaultKind::Overflow);
        throw Fault(FaultKind::NotANumber);
    }
    // "inf" and "nan" are words, not numbers a user means.
    if (!std::isfinite(value)) throw Fault(FaultKind::NotANumber);
    return value;
}

QString formatDelay(double seconds) {
    QString text = QString::number(checked(seconds), 'f', 9);
    if (text.endsWith(QLatin1Char('0'))) text.chop(1);
    return withoutNegativeZero(text);
}

QString formatWhole(double value) {
    return withoutNegativeZero(QString::number(std::round(checked(value)), 'f', 0));
}

QString formatPlain(double value) {
    checked(value);
    if (value == 0.0) return QStringLiteral("0");
    // Room for the longest fixed form of a double (a subnormal has some 330 digits).
    std::array<char, 400> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    return QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
}

}  // namespace calc
