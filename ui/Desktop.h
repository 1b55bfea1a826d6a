#pragma once

#include <QByteArray>
#include <QPoint>
#include <QString>

class QWidget;

namespace ui {

enum class MessageIcon { Exclamation, Information };

// Everything that leaves the process, waits for the user or blocks goes through here, so
// the window can be driven in-process by tests with a recording stand-in.
class Desktop {
public:
    virtual ~Desktop() = default;

    // A modal message box with an OK button and the title "Kestrune".
    virtual void showMessage(QWidget* owner, MessageIcon icon, const QString& text) = 0;
    // Plays a RIFF WAVE image asynchronously, cutting short the sound already playing.
    // A sound that cannot be played is not heard; nothing is reported.
    virtual void playWave(const QByteArray& waveImage) = 0;
    // Asks the desktop shell to open a file path or an address; its answer is not examined.
    virtual void openInShell(const QString& target) = 0;
    // Blocks the user-interface thread without processing events.
    virtual void blockingWait(int milliseconds) = 0;
    // The print dialog, offering neither a selection nor a page range, then the listing on
    // the printer chosen. Returns what went wrong; an empty text when it printed or when the
    // dialog was cancelled.
    virtual QString printListing(QWidget* owner, const QString& listing) = 0;
    // The pointer position in global screen pixels.
    virtual QPoint pointerPosition() const = 0;
    // Ends the program: every window goes, no further handler runs.
    virtual void endProgram() = 0;
};

}  // namespace ui
