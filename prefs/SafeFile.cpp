#include "prefs/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace prefs {

namespace {

QString kindOf(mode_t mode) {
    if (S_ISFIFO(mode)) return QStringLiteral("a named pipe");
    if (S_ISSOCK(mode)) return QStringLiteral("a socket");
    if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("a device");
    if (S_ISDIR(mode)) return QStringLiteral("a folder");
    return QStringLiteral("no regular file");
}

QDateTime modified(const struct stat& status) {
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(status.st_mtim.tv_sec) * 1000 +
                                          status.st_mtim.tv_nsec / 1000000);
}

}  // namespace

std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes) {
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    // Looked at before it is opened: opening a pipe waits for a writer, and opening a device
    // may act on it.
    if (::stat(name.constData(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    const int handle = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (handle < 0) return std::nullopt;
    QFile file;
    if (!file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(handle);
        return std::nullopt;
    }
    // Something else may have taken the file's place since it was looked at.
    if (::fstat(handle, &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    const QByteArray content = file.read(maxBytes);
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    return content;
}

QString saveRegularFile(const QString& path, const QByteArray& content) {
    const QString shown = QDir::toNativeSeparators(path);
    struct stat status {};
    // Saving writes a new file and renames it over the old one: over a device node, run as
    // root, that would turn the device into a plain file.
    if (::stat(QFile::encodeName(path).constData(), &status) == 0 && !S_ISREG(status.st_mode))
        return QStringLiteral("%1 is %2, not a regular file; nothing was saved").arg(shown, kindOf(status.st_mode));
    // Written beside the old file and then put in its place, so a failed save keeps the old
    // one whole. Unbuffered, so a disk that fills up shows in the write, before the rename.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return QStringLiteral("%1 could not be written: %2").arg(shown, file.errorString());
    // A write the disk cut short reports no error; the next write of the rest says why.
    for (qint64 written = 0; written < content.size();) {
        const qint64 part = file.write(content.constData() + written, content.size() - written);
        if (part <= 0) return QStringLiteral("%1 could not be written: %2").arg(shown, file.errorString());
        written += part;
    }
    if (!file.commit()) return QStringLiteral("%1 could not be written: %2").arg(shown, file.errorString());
    return {};
}

void removeSaveLeftovers(const QString& path, const QDateTime& programStart) {
    // A save writes its temporary file beside the file that links lead to.
    const QString resolved = QFileInfo(path).canonicalFilePath();
    const QFileInfo target(resolved.isEmpty() ? path : resolved);
    const QRegularExpression ours(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(target.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    const QDir folder = target.absoluteDir();
    for (const QString& entry : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!ours.match(entry).hasMatch()) continue;
        const QString leftover = folder.filePath(entry);
        struct stat status {};
        if (::lstat(QFile::encodeName(leftover).constData(), &status) != 0) continue;
        if (S_ISREG(status.st_mode) && status.st_uid == ::geteuid() && modified(status) < programStart)
            QFile::remove(leftover);
    }
}

}  // namespace prefs
