#include "ui/Resources.h"

#include <QFile>
#include <QImageReader>

namespace ui {

QPixmap pictureResource(const QString& name) { return QPixmap::fromImage(pictureImage(name)); }

QImage pictureImage(const QString& name) {
    QFile file(QStringLiteral(":/pictures/") + name.toLower());
    if (!file.open(QIODevice::ReadOnly)) return {};
    // The pictures are BMP or PNG, both read by Qt itself. Naming the format spares loading
    // every image plug-in to ask whether it knows these bytes, which cost start-up time.
    QImageReader reader(&file, file.peek(2) == "BM" ? "bmp" : "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QByteArray waveResource(const QString& name) {
    QFile file(QStringLiteral(":/sounds/") + name.toLower());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace ui
