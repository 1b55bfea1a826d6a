#include "ui/ScreenFit.h"

#include <algorithm>

namespace ui {

namespace {

qint64 sharedArea(const QRect& a, const QRect& b) {
    const QRect shared = a.intersected(b);
    return shared.isEmpty() ? 0 : qint64(shared.width()) * shared.height();
}

// The least move of [start, start + length) into [low, low + room), the start kept in.
int fitInto(int start, int length, int low, int room) {
    return std::max(low, std::min(start, low + room - length));
}

}  // namespace

QPoint fitOnScreen(const QRect& frame, const QList<QRect>& screens, const QRect& primary) {
    QRect screen = primary;
    qint64 mostShown = 0;
    for (const QRect& candidate : screens) {
        if (const qint64 shown = sharedArea(frame, candidate); shown > mostShown) {
            mostShown = shown;
            screen = candidate;
        }
    }
    return {fitInto(frame.left(), frame.width(), screen.left(), screen.width()),
            fitInto(frame.top(), frame.height(), screen.top(), screen.height())};
}

}  // namespace ui
