#include "ui/PicturePreload.h"

#include <utility>
#include <vector>

#include "ui/Resources.h"

namespace ui {

PicturePreload::PicturePreload(const QStringList& names) {
    std::vector<std::promise<QImage>> decoded(names.size());
    for (qsizetype i = 0; i < names.size(); ++i)
        pending_.emplace(names[i].toLower(), decoded[i].get_future());
    decoder_ = std::thread([names, decoded = std::move(decoded)]() mutable {
        for (qsizetype i = 0; i < names.size(); ++i) decoded[i].set_value(pictureImage(names[i]));
    });
}

PicturePreload::~PicturePreload() { decoder_.join(); }

QPixmap PicturePreload::take(const QString& name) {
    const auto found = pending_.find(name.toLower());
    if (found == pending_.end()) return pictureResource(name);
    const QImage image = found->second.get();
    pending_.erase(found);
    return QPixmap::fromImage(image);
}

}  // namespace ui
