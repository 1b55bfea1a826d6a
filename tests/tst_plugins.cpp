// The sound and printing plug-ins on their own. Playing never holds the program up, whatever
// the machine's audio and whatever the bytes: without an audio device it is simply silent. The
// printout has every line of the listing on a line of its own, columns kept, nothing added,
// or the printer's complaint.
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "printing/ListingPrinter.h"
#include "sound/WavePlayer.h"
#include "ui/Resources.h"

using namespace Qt::Literals::StringLiterals;

class TestPlugins : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refusesAWaveCutShort() {
        // Refused before its fields are read: reading past the image's end trips the address sanitizer.
        sound::WavePlayer player;
        player.play(ui::waveResource(u"drip"_s));
        player.play(ui::waveResource(u"pop"_s).left(30));
    }

    void printsEachLineOfTheListing() {
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(u"/nonexistent-folder/printout.pdf"_s);
        QCOMPARE(printing::printListing(printer, u"\tgoto\tLoop"_s), u"The printer could not print the listing."_s);
        const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
        if (pdftotext.isEmpty()) QSKIP("pdftotext (Debian package poppler-utils) is needed to read the printout");
        const QString listing = u"; Delay = 0.001 seconds\r\n; Clock frequency = 4 MHz\r\n\r\n"
                                "Delay\tmovlw\tD'2'\r\n\tmovwf\tDelay2\r\nLoop\tdecfsz\tDelay1,f\r\n\tgoto\tLoop\r\n\treturn"_s;
        QTemporaryDir folder;
        printer.setOutputFileName(folder.filePath(u"printout.pdf"_s));
        QCOMPARE(printing::printListing(printer, listing), QString());
        QProcess reader;
        reader.start(pdftotext, {u"-layout"_s, printer.outputFileName(), u"-"_s});
        QVERIFY(reader.waitForFinished(30000));
        const auto lines = [](const QString& text) {
            QStringList kept;
            for (const QString& line : text.split(u'\n')) if (!line.trimmed().isEmpty()) kept << line.simplified();
            return kept;
        };
        QCOMPARE(lines(QString::fromUtf8(reader.readAllStandardOutput())), lines(listing));
    }
};

QTEST_MAIN(TestPlugins)
#include "tst_plugins.moc"
