// Drawing helpers shared by all pictures. Every picture is lit from the upper left, so
// highlights sit on top and left edges and shadows fall down and to the right.
#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace art {

// The dark red of the logo panel; the About emblem's tile uses it too, so the two match.
inline const QColor kLogoRed(0x94, 0x1d, 0x21);

// A fully transparent canvas to draw a picture on.
QImage canvas(int width, int height);

// A painter with antialiasing for shapes, text and scaled images switched on.
class Painter : public QPainter {
public:
    explicit Painter(QImage* image);
};

QColor mix(const QColor& a, const QColor& b, double t);
QColor lighter(const QColor& c, double amount);  // amount 0..1 of the way to white
QColor darker(const QColor& c, double amount);   // amount 0..1 of the way to black
QColor withAlpha(const QColor& c, int alpha);

QLinearGradient verticalGradient(const QRectF& r, const QColor& top, const QColor& bottom);

// Fills a shape and draws its edge line.
void outlined(QPainter& p, const QPainterPath& path, const QBrush& fill, const QColor& edge,
              double edgeWidth = 1.0);

// A soft shadow of a shape, cast down and to the right.
void castShadow(QPainter& p, const QPainterPath& path, double offset = 1.0, int alpha = 70);

// A raised rounded plate: body gradient from light to dark, a dark rim and a light inner
// edge along the top and left.
void bevelPlate(QPainter& p, const QRectF& r, double radius, const QColor& base);

// A round glossy button face with a reflection on its upper half.
void glossyDisc(QPainter& p, const QPointF& centre, double radius, const QColor& base);

// Arrow outlines, filled by actionArrow().
QPainterPath straightArrow(const QPointF& from, const QPointF& to, double shaft, double headWidth,
                           double headLength);
// Runs along a circle from startDeg through spanDeg (counter-clockwise for a positive span,
// degrees as on a clock face turned so 0 is three o'clock) and ends in a head.
QPainterPath curvedArrow(const QPointF& centre, double radius, double startDeg, double spanDeg,
                         double shaft, double headWidth, double headLength);
// The green arrow used on every "do something" picture.
void actionArrow(QPainter& p, const QPainterPath& arrow);

// A Liberation font at an exact pixel size. Stops the tool when fontconfig would hand out a
// different family, since the pictures are tuned to Liberation's metrics.
QFont liberation(const QString& family, double pixelSize, bool bold);

// Text centred in r, with a one-pixel shadow below and to the right.
void shadowedText(QPainter& p, const QRectF& r, const QString& text, const QFont& font,
                  const QColor& colour, const QColor& shadow);

// Digits in a 3 x 5 pixel font, crisp at very small sizes. Top left corner at (x, y), one
// pixel between digits.
void pixelDigits(QPainter& p, int x, int y, const QString& digits, const QColor& colour);

}  // namespace art
