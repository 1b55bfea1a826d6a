#include "ui/FrameBox.h"

#include <QPainter>
#include <QStyle>

namespace ui {

namespace {
constexpr int kCaptionIndent = 8;  // pixels from the frame's left edge to its caption
constexpr int kCaptionPadding = 2;  // clear space on each side of the caption
}  // namespace

void FrameBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int borderTop = title().isEmpty() ? 0 : metrics.height() / 2;
    // An etched border: a shadow line with a light line beside it.
    const QRect border = rect().adjusted(0, borderTop, -2, -2);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(border);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(border.translated(1, 1));
    if (title().isEmpty()) return;
    const QRect caption(kCaptionIndent, 0,
                        metrics.horizontalAdvance(title()) + 2 * kCaptionPadding, metrics.height());
    painter.fillRect(caption, palette().color(QPalette::Window));
    style()->drawItemText(&painter, caption, Qt::AlignCenter, palette(), isEnabled(), title(),
                          QPalette::WindowText);
}

}  // namespace ui
