#pragma once

#include <QString>
#include <QtGlobal>

namespace prefs {

// The verdict on a counter name.
enum NameFault : qint16 { NameOk = 0, NameHasSpace = 1, NameStartsWithDigit = 2 };

// A name is refused when it is empty or holds a space anywhere, or else when it starts with
// one of the digits 0 to 9. Only the space character counts as a space.
NameFault FindSpace(const QString& name);

// The name with the space characters at both ends removed (other blanks stay).
QString trimSpaces(const QString& name);

}  // namespace prefs
