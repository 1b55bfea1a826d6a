#pragma once

#include "ui/Desktop.h"
#include "ui/WavePlayer.h"

namespace ui {

// The real desktop: Qt's message boxes, audio output, desktop services and print dialog.
class QtDesktop : public Desktop {
public:
    void showMessage(QWidget* owner, MessageIcon icon, const QString& text) override;
    void playWave(const QByteArray& waveImage) override;
    void openInShell(const QString& target) override;
    void blockingWait(int milliseconds) override;
    bool choosePrinter(QWidget* owner, QPrinter& printer) override;
    QPoint pointerPosition() const override;
    void endProgram() override;

private:
    WavePlayer player_;
};

}  // namespace ui
