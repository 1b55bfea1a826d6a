#include "ui/Resources.h"

#include <QFile>

namespace ui {

QPixmap pictureResource(const QString& name) {
    return QPixmap(QStringLiteral(":/pictures/") + name.toLower());
}

QByteArray waveResource(const QString& name) {
    QFile file(QStringLiteral(":/sounds/") + name.toLower());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace ui
