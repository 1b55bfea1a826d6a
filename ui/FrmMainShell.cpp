// Sounds and the turning logo.
#include <QCheckBox>
#include <QLabel>
#include <QTimer>

#include "ui/Desktop.h"
#include "ui/FrmMain.h"
#include "ui/Resources.h"

namespace ui {

namespace {

constexpr int kRestingFrame = 101;
constexpr int kLastFrameStep = 20;  // frames 101 to 120
constexpr int kRestMs = 800;
constexpr int kFirstRestMs = 2000;  // the first turn waits until the window has settled
constexpr int kTurnStepMs = 75;

}  // namespace

void FrmMain::PlayWave(const QString& name) {
    const QByteArray sound = waveResource(name);
    if (ChkSound->isChecked()) desktop_.playWave(sound);
}

void FrmMain::showLogoFrame(int bitmap) {
    Picture1->setPixmap(picture(QString::number(bitmap)));
}

void FrmMain::startLogoAnimation() {
    showLogoFrame(kRestingFrame);
    TimerAnimation->setInterval(kFirstRestMs);
    LogoFrame = 1;
    if (ChkAnimateLogo->isChecked()) {
        TimerAnimation->start();
    } else {
        TimerAnimation->stop();
        TimerAnimation->setInterval(kRestMs);
    }
}

void FrmMain::onTimerAnimationTick() {
    ++LogoFrame;
    if (LogoFrame == 2) {
        showLogoFrame(kRestingFrame + 1);
        TimerAnimation->setInterval(kTurnStepMs);
    } else if (LogoFrame >= 3 && LogoFrame <= kLastFrameStep) {
        showLogoFrame(kRestingFrame - 1 + LogoFrame);
    } else if (LogoFrame == kLastFrameStep + 1) {
        showLogoFrame(kRestingFrame);
        TimerAnimation->setInterval(kRestMs);
        LogoFrame = 1;
    }
}

void FrmMain::onChkAnimateLogoClicked() {
    showLogoFrame(kRestingFrame);
    LogoFrame = 1;
    if (ChkAnimateLogo->isChecked()) {
        TimerAnimation->start(kRestMs);
    } else {
        TimerAnimation->stop();
    }
}

}  // namespace ui
