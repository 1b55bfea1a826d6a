#pragma once

#include <QGroupBox>

namespace ui {

// A frame as the layout tables mean it: the border runs through the middle of the caption,
// which interrupts it, and the controls are placed from the frame's outer corner. Styles that
// put the border below a full-height caption would draw it through the first row of controls.
class FrameBox : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace ui
