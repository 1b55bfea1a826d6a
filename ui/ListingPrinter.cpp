#include "ui/ListingPrinter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPrinter>
#include <QAbstractTextDocumentLayout>
#include <QTextDocument>
#include <QTextOption>

namespace ui {

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

}  // namespace ui
