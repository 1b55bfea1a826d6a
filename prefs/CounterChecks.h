#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>
#include <utility>

namespace prefs {

// The verdict on a counter name.
enum NameFault : qint16 { NameOk = 0, NameHasSpace = 1, NameStartsWithDigit = 2 };

// A name is refused when it is empty or holds a space anywhere, or else when it starts with
// one of the digits 0 to 9. Only the space character counts as a space.
NameFault FindSpace(const QString& name);

// The first character of the name that an assembler would not read as part of one register
// name: anything but the ASCII letters, the digits, '_', '.' and '?'. A ';' for instance
// would start a comment, so "a;b" would quietly become the register "a".
std::optional<char32_t> forbiddenCharacter(const QString& name);

// The character as a message names it: 'x' when it prints, U+0009 when it does not.
QString characterForMessage(char32_t character);

// The name with the space characters at both ends removed (other blanks stay).
QString trimSpaces(const QString& name);

// The first two counters, by their index in `names` (A first), whose names an assembler
// that compares names with this sensitivity reads as one register, which the listing would
// then count down twice over; nothing when all differ.
std::optional<std::pair<int, int>> sameNames(const QStringList& names,
                                             Qt::CaseSensitivity sensitivity);

// Why a counter value's text is refused.
enum class ValueFault { None, NotANumber, NotARegisterValue };

struct CounterValue {
    ValueFault fault = ValueFault::None;
    int value = 0;  // the register value, when there is no fault
};

// The text of a value box goes into the listing as it stands, as the decimal literal an
// 8-bit register is loaded with, so a value is decimal digits alone for a whole number from
// 0 to 255 ("007" is 7; 0 means 256 passes). Any other text that reads as a number (300,
// -1, 2.5, 1e2, +7, " 7 ") is no register value; the empty text is no number.
CounterValue readCounterValue(const QString& text);

}  // namespace prefs
