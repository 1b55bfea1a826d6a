#pragma once

#include <QByteArray>
#include <QPixmap>
#include <QString>

namespace ui {

// Pictures and sounds carried in the program, looked up by name without regard to case
// ("Mchip", "SXturbo", "101", "SNAPSHOT").
QPixmap pictureResource(const QString& name);
QByteArray waveResource(const QString& name);

}  // namespace ui
