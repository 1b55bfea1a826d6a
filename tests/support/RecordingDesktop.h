#pragma once

#include <QList>
#include <QStringList>

#include <functional>

#include "ui/Desktop.h"
#include "ui/Resources.h"

// A desktop that answers every message box at once and keeps what the window asked for.
class RecordingDesktop : public ui::Desktop {
public:
    struct Message { ui::MessageIcon icon; QString text; };

    void showMessage(QWidget*, ui::MessageIcon icon, const QString& text) override {
        messages.append({icon, text});
        if (whileMessageShown) whileMessageShown(text);
    }
    void playWave(const QByteArray& waveImage) override { sounds.append(waveImage); }
    void openInShell(const QString& target) override { shellTargets.append(target); }
    void blockingWait(int milliseconds) override { waits.append(QString::number(milliseconds)); }
    QString printListing(QWidget*, const QString& listing) override {
        ++printDialogs;
        if (acceptPrintDialog) printedListings.append(listing);
        return acceptPrintDialog ? printerComplaint : QString();
    }
    QPoint pointerPosition() const override { return pointer; }
    void endProgram() override { ++programEnds; }

    QStringList messageTexts() const {
        QStringList texts;
        for (const Message& message : messages) texts << message.text;
        return texts;
    }
    // The sounds played so far ("elvis", "pop", ...), known by their bytes.
    QStringList soundNames() const {
        QStringList names;
        for (const QByteArray& sound : sounds)
            for (const char* name : {"donuts", "drip", "elvis", "pop", "snapshot"})
                if (ui::waveResource(QLatin1StringView(name)) == sound) names << QLatin1StringView(name);
        return names;
    }
    // Forgets what was asked for so far; how it answers stays.
    void clear() { messages.clear(), sounds.clear(), shellTargets.clear(), waits.clear(), printedListings.clear(), printDialogs = programEnds = 0; }

    QList<Message> messages;
    QList<QByteArray> sounds;
    QStringList shellTargets, printedListings, waits;
    int printDialogs = 0, programEnds = 0;
    bool acceptPrintDialog = true;
    QString printerComplaint;  // what the printer says after an accepted dialog
    QPoint pointer;
    // Runs while a message box would be open, as a user would act before pressing OK.
    std::function<void(const QString&)> whileMessageShown;
};
