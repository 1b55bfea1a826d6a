#include "ui/QtDesktop.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QThread>
#include <QUrl>

#include "ui/PluginInterface.h"

namespace ui {

QtDesktop::QtDesktop(const prefs::FileLocations& locations)
    : sound_(locations.library(QLatin1StringView(sound::kLibraryName))),
      printPath_(locations.library(QLatin1StringView(printing::kLibraryName))),
      printPlugin_(printPath_) {}

void QtDesktop::showMessage(QWidget* owner, MessageIcon icon, const QString& text) {
    QMessageBox box(icon == MessageIcon::Information ? QMessageBox::Information
                                                     : QMessageBox::Warning,
                    QStringLiteral("Kestrune"), text, QMessageBox::Ok, owner);
    box.exec();
}

void QtDesktop::playWave(const QByteArray& waveImage) { sound_.play(waveImage); }

void QtDesktop::openInShell(const QString& target) {
    const QFileInfo file(target);
    QDesktopServices::openUrl(file.isAbsolute() && file.exists() ? QUrl::fromLocalFile(target)
                                                                 : QUrl(target));
}

void QtDesktop::blockingWait(int milliseconds) {
    // The sound asked for just before must be under way before the thread sleeps.
    sound_.finishLoading();
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

QString QtDesktop::printListing(QWidget* owner, const QString& listing) {
    if (!printer_) printer_ = pluginInterface<printing::ListingPrinter>(printPlugin_);
    if (!printer_) return QStringLiteral("Printing is not available (%1: %2)").arg(printPath_, printPlugin_.errorString());
    return printer_->printWithDialog(owner, listing);
}

QPoint QtDesktop::pointerPosition() const { return QCursor::pos(); }

void QtDesktop::endProgram() { QCoreApplication::quit(); }

}  // namespace ui
