#include "ui/LinkLabel.h"

#include <QMouseEvent>

namespace ui {

void LinkLabel::mouseMoveEvent(QMouseEvent* event) {
    Q_EMIT pointerMoved();
    QLabel::mouseMoveEvent(event);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    // Any button shows the link pressed; only the left one opens it.
    Q_EMIT buttonPressed();
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    Q_EMIT buttonReleased();
    // A click is a press and a release of the left button on the label.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    QLabel::mouseReleaseEvent(event);
}

}  // namespace ui
