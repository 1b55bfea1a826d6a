#pragma once

#include <QWidget>

#include <array>
#include <functional>

class QPushButton;
class QTimer;

namespace ui {

class Desktop;
class LinkLabel;

// The About box: emblem, history, description, and the maker's e-mail and web addresses as
// links that turn blue under the pointer and red while pressed. Closing it destroys it;
// the Done button only hides it.
class FrmAbout : public QWidget {
    Q_OBJECT
public:
    using SoundPlayer = std::function<void(const QString&)>;

    FrmAbout(Desktop& desktop, SoundPlayer playWave, QWidget* mainWindow);

    QPushButton* doneButton() const { return BtnDone; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // A link label, the borderless box of its own size that the pointer is tested against,
    // the timer that watches the pointer, and what a click opens.
    struct Link {
        LinkLabel* label = nullptr;
        QWidget* box = nullptr;
        QTimer* timer = nullptr;
        QString target;
    };

    void createControls();
    Link createLink(QWidget* frame, const char* boxName, const char* labelName, const char* timerName,
                    const QString& caption, QRect boxTwips);
    void connectLink(Link& link);
    void Form_Load();
    void Form_Activate();
    void onLinkPointerMoved(Link& link);
    void onLinkTimerTick(Link& link);
    void onLinkPressed(Link& link);
    void onLinkReleased(Link& link);
    void OpenDocument(const QString& target);
    void onBtnDonePressed();

    Desktop& desktop_;
    SoundPlayer playWave_;
    QWidget* mainWindow_;
    QPushButton* BtnDone = nullptr;
    Link website_;
    Link email_;
};

}  // namespace ui
