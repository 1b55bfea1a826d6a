#include "ui/QtDesktop.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QThread>
#include <QUrl>

namespace ui {

void QtDesktop::showMessage(QWidget* owner, MessageIcon icon, const QString& text) {
    QMessageBox box(icon == MessageIcon::Information ? QMessageBox::Information
                                                     : QMessageBox::Warning,
                    QStringLiteral("Kestrune"), text, QMessageBox::Ok, owner);
    box.exec();
}

void QtDesktop::playWave(const QByteArray& waveImage) { player_.play(waveImage); }

void QtDesktop::openInShell(const QString& target) {
    const QFileInfo file(target);
    QDesktopServices::openUrl(file.isAbsolute() && file.exists() ? QUrl::fromLocalFile(target)
                                                                 : QUrl(target));
}

void QtDesktop::blockingWait(int milliseconds) {
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

bool QtDesktop::choosePrinter(QWidget* owner, QPrinter& printer) {
    QPrintDialog dialog(&printer, owner);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}

QPoint QtDesktop::pointerPosition() const { return QCursor::pos(); }

void QtDesktop::endProgram() { QCoreApplication::quit(); }

}  // namespace ui
