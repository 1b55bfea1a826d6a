#include "printing/ListingPrinter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPrintDialog>
#include <QPrinter>
#include <QAbstractTextDocumentLayout>
#include <QTextDocument>
#include <QTextOption>

namespace printing {

QString printListing(QPrinter& printer, const QString& listing) {
    QString text = listing + QStringLiteral("\r\n");
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QTextDocument document;
    // Laid out on the printer's own page, the document prints as it is, with nothing added
    // (no page numbers).
    document.documentLayout()->setPaintDevice(&printer);
    document.setPageSize(printer.pageRect(QPrinter::DevicePixel).size());
    const QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    document.setDefaultFont(font);
    QTextOption option = document.defaultTextOption();
    option.setTabStopDistance(8 * QFontMetricsF(font, &printer).horizontalAdvance(QLatin1Char(' ')));
    document.setDefaultTextOption(option);
    document.setPlainText(text);
    document.print(&printer);
    if (printer.printerState() == QPrinter::Error)
        return QStringLiteral("The printer could not print the listing.");
    return {};
}

// The plug-in's one object: the dialog and the printout.
class DialogListingPrinter : public QObject, public ListingPrinter {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KESTRUNE_LISTING_PRINTER_IID)
    Q_INTERFACES(printing::ListingPrinter)
public:
    QString printWithDialog(QWidget* owner, const QString& listing) override {
        QPrinter printer;
        QPrintDialog dialog(&printer, owner);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        if (dialog.exec() != QDialog::Accepted) return {};
        return printListing(printer, listing);
    }
};

}  // namespace printing

#include "ListingPrinter.moc"
