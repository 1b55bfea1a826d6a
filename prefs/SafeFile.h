#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace prefs {

// The first `maxBytes` of a regular file, followed through links. Anything else in its
// place (nothing, a named pipe, a socket, a device, a folder) or a file that cannot be read
// gives nothing, and nothing waits: a pipe with no writer would hold the program forever.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes);

// Puts `content` in place of the file, whole or not at all, following links to a regular
// file or creating one where nothing is. A named pipe, socket, device or folder in its place
// is left untouched. Returns what went wrong, naming the file, or an empty text when saved.
QString saveRegularFile(const QString& path, const QByteArray& content);

// Removes what an interrupted save of `path` left beside it: our own temporary files (the
// file name, a dot and six letters or digits), regular files of this user, written before
// `programStart` so that no save under way in another copy of the program loses its file.
void removeSaveLeftovers(const QString& path, const QDateTime& programStart);

}  // namespace prefs
