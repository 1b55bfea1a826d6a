// The printout: every line of the listing on a line of its own, columns kept, nothing added.
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "printing/ListingPrinter.h"

class TestListingPrinter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void printsEachLineOfTheListing();
    void reportsAPrinterThatCannotPrint();
};

void TestListingPrinter::printsEachLineOfTheListing() {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) QSKIP("pdftotext (Debian package poppler-utils) is needed to read the printout");
    const QString listing = QStringLiteral(
        "; Delay = 0.001 seconds\r\n; Clock frequency = 4 MHz\r\n\r\n"
        "Delay\tmovlw\tD'2'\r\n\tmovwf\tDelay2\r\nLoop\tdecfsz\tDelay1,f\r\n\tgoto\tLoop\r\n\treturn");
    QTemporaryDir folder;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("printout.pdf")));
    QCOMPARE(printing::printListing(printer, listing), QString());

    QProcess reader;
    reader.start(pdftotext, {QStringLiteral("-layout"), printer.outputFileName(), QStringLiteral("-")});
    QVERIFY(reader.waitForFinished(30000));
    QStringList printed;
    for (const QString& line : QString::fromUtf8(reader.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty()) printed << line.simplified();
    QStringList listed;
    for (const QString& line : listing.split(QStringLiteral("\r\n")))
        if (!line.isEmpty()) listed << line.simplified();
    QCOMPARE(printed, listed);
}

void TestListingPrinter::reportsAPrinterThatCannotPrint() {
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("/nonexistent-folder/printout.pdf"));
    QCOMPARE(printing::printListing(printer, QStringLiteral("\tgoto\tLoop")),
             QStringLiteral("The printer could not print the listing."));
}

QTEST_MAIN(TestListingPrinter)
#include "tst_listingprinter.moc"
