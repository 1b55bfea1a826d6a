// Taking the listing elsewhere (clipboard, printer), the manual and the About window.
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPushButton>

#include <utility>

#include "ui/CodeListBox.h"
#include "ui/Desktop.h"
#include "ui/FrmAbout.h"
#include "ui/FrmMain.h"

namespace ui {

void FrmMain::onBtnCopyPressed() {
    if (anyCounterNameEmpty()) {
        exclaim(QStringLiteral("You must not have any blank counter names. Paste not done."));
        return;
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(TxtCodeList->listing());
    PlayWave(QStringLiteral("SNAPSHOT"));
}

void FrmMain::onBtnPrintPressed() {
    if (anyCounterNameEmpty()) {
        exclaim(QStringLiteral("You must not have any blank counter names. Print aborted."));
        return;
    }
    PlayWave(QStringLiteral("pop"));
    // A cancelled dialog comes back without complaint, and says nothing.
    const QString complaint = desktop_.printListing(this, TxtCodeList->listing());
    if (!complaint.isEmpty()) exclaim(QStringLiteral("Error : ") + complaint);
}

void FrmMain::onBtnHelpPressed() {
    const QString manual = QDir::toNativeSeparators(locations_.manual());
    if (QFileInfo(manual).isFile())
        desktop_.openInShell(manual);
    else
        desktop_.showMessage(this, MessageIcon::Information,
                             QStringLiteral("Fileame ") + manual + QStringLiteral(" not found."));
    PlayWave(QStringLiteral("pop"));
}

void FrmMain::showAboutWindow() {
    if (!about_) {
        about_ = new FrmAbout(desktop_, [this](const QString& name) { PlayWave(name); }, this);
        // The pop-up text written before the window existed; a window created again after
        // its close box carries its own until pop-up help is next brought up to date.
        if (pendingDoneTip_) about_->doneButton()->setToolTip(*std::exchange(pendingDoneTip_, std::nullopt));
    }
    FrmAbout& about = *about_;
    about.show();
    about.raise();
    about.activateWindow();
}

}  // namespace ui
