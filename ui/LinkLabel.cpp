#include "ui/LinkLabel.h"

#include <QMouseEvent>

namespace ui {

void LinkLabel::mouseMoveEvent(QMouseEvent* event) {
    Q_EMIT pointerMoved();
    QLabel::mouseMoveEvent(event);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Q_EMIT buttonPressed();
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Q_EMIT buttonReleased();
        // A click is a press and a release on the label.
        if (rect().contains(event->position().toPoint())) Q_EMIT clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

}  // namespace ui
