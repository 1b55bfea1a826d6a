#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

namespace ui {

// Where a window with this frame goes so that all of it lies on one screen: moved by the
// least distance onto the screen that holds most of it, or onto the primary screen when
// none holds any of it. A frame that fits stays where it is; one larger than its screen
// keeps its top-left corner, and with it the title bar, on the screen.
QPoint fitOnScreen(const QRect& frame, const QList<QRect>& screens, const QRect& primary);

}  // namespace ui
