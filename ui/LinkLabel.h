#pragma once

#include <QLabel>

namespace ui {

// A label that reports the pointer moving over it and the mouse button going down and up
// on it; the About window turns these into hyperlink colours and clicks.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

Q_SIGNALS:
    void pointerMoved();
    void buttonPressed();
    void buttonReleased();
    void clicked();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace ui
