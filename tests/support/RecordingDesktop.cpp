#include "support/RecordingDesktop.h"

#include <QPrinter>

#include "ui/Resources.h"

void RecordingDesktop::showMessage(QWidget*, ui::MessageIcon icon, const QString& text) {
    messages.append({icon, text});
    if (whileMessageShown) whileMessageShown(text);
}

void RecordingDesktop::playWave(const QByteArray& waveImage) { sounds.append(waveImage); }

void RecordingDesktop::openInShell(const QString& target) { shellTargets.append(target); }

void RecordingDesktop::blockingWait(int milliseconds) { waits.append(milliseconds); }

bool RecordingDesktop::choosePrinter(QWidget*, QPrinter& printer) {
    ++printDialogs;
    if (acceptPrintDialog && !printToPdf.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printToPdf);
    }
    return acceptPrintDialog;
}

QStringList RecordingDesktop::messageTexts() const {
    QStringList texts;
    for (const Message& message : messages) texts << message.text;
    return texts;
}

QStringList RecordingDesktop::soundNames() const {
    static const QStringList kNames = {QStringLiteral("donuts"), QStringLiteral("drip"),
                                       QStringLiteral("elvis"), QStringLiteral("pop"),
                                       QStringLiteral("snapshot")};
    QStringList names;
    for (const QByteArray& sound : sounds) {
        QString found = QStringLiteral("?");
        for (const QString& name : kNames)
            if (ui::waveResource(name) == sound) found = name;
        names << found;
    }
    return names;
}

void RecordingDesktop::clear() {
    messages.clear();
    sounds.clear();
    shellTargets.clear();
    waits.clear();
    printDialogs = 0;
    programEnds = 0;
}
