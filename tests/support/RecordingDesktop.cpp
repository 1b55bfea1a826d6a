#include "support/RecordingDesktop.h"

#include "ui/Resources.h"

void RecordingDesktop::showMessage(QWidget*, ui::MessageIcon icon, const QString& text) {
    messages.append({icon, text});
    if (whileMessageShown) whileMessageShown(text);
}

void RecordingDesktop::playWave(const QByteArray& waveImage) { sounds.append(waveImage); }

void RecordingDesktop::openInShell(const QString& target) { shellTargets.append(target); }

void RecordingDesktop::blockingWait(int milliseconds) { waits.append(milliseconds); }

QString RecordingDesktop::printListing(QWidget*, const QString& listing) {
    ++printDialogs;
    if (!acceptPrintDialog) return {};
    printedListings.append(listing);
    return printerComplaint;
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
    printedListings.clear();
    programEnds = 0;
}
