#pragma once

#include <QString>

namespace cli {

// A number with an optional unit after it ("4MHz", "4 MHz", "4e6", "1000us", "1e-3").
// Units match without regard to case, so "mhz" is MHz and "MS" is ms. Throws UsageError
// naming `option` when the text is not such a number.
double parseFrequency(const QString& option, const QString& text);
double parseDuration(const QString& option, const QString& text);

// A number as the command line's reports, notes and refusals write it: plainly from 10^-9 to
// below 10^15, in exponent form beyond ("1e+308"), so a request far beyond the limits, or the
// cycle time of a huge clock, stays readable.
QString formatNumber(long double value);

}  // namespace cli
