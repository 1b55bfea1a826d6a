#pragma once

#include <QString>

namespace calc {

// Reads a decimal number as the user typed it: blanks around it are ignored, both the C
// notation (1.5, 2e-3) and the user's locale are accepted, thousands separators are not.
// Empty or non-numeric text throws NotANumber; a number beyond the double range, Overflow.
double parseNumber(const QString& text);

// The delay pattern: at least one integer digit, eight decimals, and a ninth decimal only
// when it is not zero (0.00076600, 0.000007822, 344.60796430).
QString formatDelay(double seconds);

// A whole number, rounded, without grouping (the clock box's restore pattern).
QString formatWhole(double value);

// The shortest plain decimal text that reads back as the same number (766, 1.5, 0.000004).
QString formatPlain(double value);

}  // namespace calc
