#pragma once

#include <QString>

class QPrinter;

namespace ui {

// Prints the listing as one piece followed by a line end, each line of the listing on a
// line of its own, in a fixed-pitch face with tab stops every eight characters so the
// columns stay aligned. Returns the printer's complaint, or an empty text when it printed.
QString printListing(QPrinter& printer, const QString& listing);

}  // namespace ui
