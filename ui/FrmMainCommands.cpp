// Taking the listing elsewhere (clipboard, printer), the manual and the About window.
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrinter>
#include <QPushButton>

#include "ui/CodeListBox.h"
#include "ui/Desktop.h"
#include "ui/FrmAbout.h"
#include "ui/FrmMain.h"
#include "ui/ListingPrinter.h"

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
    QPrinter printer;
    if (!desktop_.choosePrinter(this, printer)) return;  // cancelled: nothing to say
    const QString complaint = printListing(printer, TxtCodeList->listing());
    if (!complaint.isEmpty()) exclaim(QStringLiteral("Error : ") + complaint);
}

void FrmMain::onBtnHelpPressed() {
    const QString manual =
        QDir::toNativeSeparators(QDir(programFolder_).filePath(QStringLiteral("kestrune_v2_2.pdf")));
    if (QFileInfo(manual).isFile())
        desktop_.openInShell(manual);
    else
        desktop_.showMessage(this, MessageIcon::Information,
                             QStringLiteral("Fileame ") + manual + QStringLiteral(" not found."));
    PlayWave(QStringLiteral("pop"));
}

FrmAbout& FrmMain::aboutWindow() {
    if (!about_) about_ = new FrmAbout(desktop_, [this](const QString& name) { PlayWave(name); }, this);
    return *about_;
}

void FrmMain::showAboutWindow() {
    FrmAbout& about = aboutWindow();
    about.show();
    about.raise();
    about.activateWindow();
}

}  // namespace ui
