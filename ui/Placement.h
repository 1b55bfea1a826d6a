#pragma once

#include <QLabel>
#include <QRect>

#include <utility>

namespace ui {

// Creates a control with its name (so it can be found by name) at its place.
template <typename Widget, typename... Args>
Widget* placeControl(QWidget* parent, const char* name, QRect geometry, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(QLatin1StringView(name));
    widget->setGeometry(geometry);
    return widget;
}

// A label draws its caption from the top of its box.
inline QLabel* placeLabel(QWidget* parent, const char* name, const QString& caption, QRect geometry,
                          Qt::Alignment alignment = Qt::AlignLeft) {
    auto* label = placeControl<QLabel>(parent, name, geometry, caption);
    label->setAlignment(alignment | Qt::AlignTop);
    return label;
}

}  // namespace ui
