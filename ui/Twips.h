#pragma once

#include <QRect>

namespace ui {

// Layout is written in twips, 1/1440 inch, as on a 96 dpi screen: 15 twips per pixel.
constexpr int TwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) { return twips / TwipsPerPixel; }
constexpr int pixelsToTwips(int pixels) { return pixels * TwipsPerPixel; }

constexpr QRect twipsRect(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

}  // namespace ui
