#pragma once

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace ui {

// Pictures and sounds carried in the program, looked up by name without regard to case
// ("Mchip", "SXturbo", "101", "SNAPSHOT").
QPixmap pictureResource(const QString& name);
// The same picture as an image, which unlike a pixmap may be read on any thread.
QImage pictureImage(const QString& name);
QByteArray waveResource(const QString& name);

}  // namespace ui
