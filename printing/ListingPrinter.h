#pragma once

#include <QString>
#include <QtPlugin>

class QPrinter;
class QWidget;

namespace printing {

// Printing pulls in the print support library and the print dialog, so it lives in a plug-in
// of its own, loaded when the listing is first printed.
inline constexpr char kLibraryName[] = "kestrune_print";

// The print dialog and the printout of the listing.
class ListingPrinter {
public:
    virtual ~ListingPrinter() = default;
    // Shows the print dialog, offering neither a selection nor a page range, then prints the
    // listing on the printer chosen. Returns the printer's complaint; an empty text when it
    // printed or when the dialog was cancelled.
    virtual QString printWithDialog(QWidget* owner, const QString& listing) = 0;
};

// Prints the listing as one piece followed by a line end, each line of the listing on a
// line of its own, in a fixed-pitch face with tab stops every eight characters so the
// columns stay aligned. Returns the printer's complaint, or an empty text when it printed.
QString printListing(QPrinter& printer, const QString& listing);

}  // namespace printing

#define KESTRUNE_LISTING_PRINTER_IID "org.example.Kestrune.ListingPrinter/1.0"
Q_DECLARE_INTERFACE(printing::ListingPrinter, KESTRUNE_LISTING_PRINTER_IID)
