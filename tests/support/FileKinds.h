#pragma once

#include <QFile>
#include <QString>

#include <cstring>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

// Makes a thing of the given kind at `path`: "missing" (nothing), "named pipe", "socket", "device node"
// (like /dev/zero), "folder", "regular file" (holding "kept\r\n"), or "link to " one of those, lying
// beside the link. False when the system does not let the test make it (a device node needs root).
inline bool makeSpecial(const QString& kind, const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    if (kind.startsWith(QStringLiteral("link to "))) {
        const QString target = path + QStringLiteral("-target");
        return makeSpecial(kind.mid(8), target) && ::symlink(QFile::encodeName(target).constData(), name.constData()) == 0;
    }
    if (kind == QStringLiteral("missing")) return true;
    if (kind == QStringLiteral("named pipe")) return ::mkfifo(name.constData(), 0600) == 0;
    if (kind == QStringLiteral("device node")) return ::mknod(name.constData(), S_IFCHR | 0600, makedev(1, 5)) == 0;
    if (kind == QStringLiteral("folder")) return ::mkdir(name.constData(), 0700) == 0;
    QFile file(path);
    if (kind == QStringLiteral("regular file")) return file.open(QIODevice::WriteOnly) && file.write("kept\r\n") == 6;
    sockaddr_un address{AF_UNIX, {}};
    if (kind != QStringLiteral("socket") || name.size() >= qsizetype(sizeof address.sun_path)) return false;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(socket);
    return bound;
}

// What a file is, through a link as well, to tell that nothing replaced it.
inline QString identityOf(const QString& path) {
    struct stat link {}, target {};
    const QByteArray name = QFile::encodeName(path);
    if (::lstat(name.constData(), &link) != 0) return QStringLiteral("missing");
    const bool reached = ::stat(name.constData(), &target) == 0;
    return QStringLiteral("%1 %2 %3 -> %4 %5 %6")
        .arg(link.st_mode).arg(link.st_ino).arg(QFile::symLinkTarget(path))
        .arg(reached ? target.st_mode : 0).arg(reached ? target.st_ino : 0).arg(reached ? target.st_rdev : 0);
}
