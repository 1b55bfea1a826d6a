#pragma once

#include <QList>
#include <QStringList>

#include <functional>

#include "ui/Desktop.h"

// A desktop that answers every message box at once and keeps what the window asked for.
class RecordingDesktop : public ui::Desktop {
public:
    struct Message {
        ui::MessageIcon icon;
        QString text;
    };

    void showMessage(QWidget* owner, ui::MessageIcon icon, const QString& text) override;
    void playWave(const QByteArray& waveImage) override;
    void openInShell(const QString& target) override;
    void blockingWait(int milliseconds) override;
    QString printListing(QWidget* owner, const QString& listing) override;
    QPoint pointerPosition() const override { return pointer; }
    void endProgram() override { ++programEnds; }

    // The texts of the messages shown so far, oldest first.
    QStringList messageTexts() const;
    // The names of the sounds played so far ("elvis", "pop", ...), by their bytes.
    QStringList soundNames() const;
    void clear();

    QList<Message> messages;
    QList<QByteArray> sounds;
    QStringList shellTargets;
    QList<int> waits;
    int printDialogs = 0;
    bool acceptPrintDialog = true;
    QStringList printedListings;
    QString printerComplaint;  // what the printer says after an accepted dialog
    QPoint pointer;
    int programEnds = 0;
    // Runs while a message box would be open, as a user would act before pressing OK.
    std::function<void(const QString&)> whileMessageShown;
};
