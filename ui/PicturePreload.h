#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>
#include <QStringList>

#include <future>
#include <map>
#include <thread>

namespace ui {

// Decodes pictures on a thread of its own, in the order given, while the window goes on
// building its controls and setting up its fonts; each is handed over when asked for,
// waiting for it only if it is not decoded yet.
class PicturePreload {
public:
    explicit PicturePreload(const QStringList& names);
    ~PicturePreload();
    PicturePreload(const PicturePreload&) = delete;
    PicturePreload& operator=(const PicturePreload&) = delete;

    // The picture of that name (case does not matter): the decoded one the first time it is
    // asked for, read afresh otherwise.
    QPixmap take(const QString& name);

private:
    std::map<QString, std::future<QImage>> pending_;
    std::thread decoder_;
};

}  // namespace ui
