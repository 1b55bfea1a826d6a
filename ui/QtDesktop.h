#pragma once

#include <QPluginLoader>

#include "prefs/FileLocations.h"
#include "printing/ListingPrinter.h"
#include "ui/Desktop.h"
#include "ui/SoundModule.h"

namespace ui {

// The real desktop: Qt's message boxes, desktop services, and the sound and printing
// plug-ins where the locations find them.
class QtDesktop : public Desktop {
public:
    explicit QtDesktop(const prefs::FileLocations& locations);

    void showMessage(QWidget* owner, MessageIcon icon, const QString& text) override;
    void playWave(const QByteArray& waveImage) override;
    void openInShell(const QString& target) override;
    void blockingWait(int milliseconds) override;
    QString printListing(QWidget* owner, const QString& listing) override;
    QPoint pointerPosition() const override;
    void endProgram() override;

private:
    SoundModule sound_;
    const QString printPath_;
    QPluginLoader printPlugin_;
    printing::ListingPrinter* printer_ = nullptr;
};

}  // namespace ui
