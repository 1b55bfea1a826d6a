#include "paint.h"

#include <QFontInfo>
#include <QRadialGradient>
#include <QtMath>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace art {

QImage canvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

Painter::Painter(QImage* image) : QPainter(image) {
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                   QPainter::SmoothPixmapTransform);
}

QColor mix(const QColor& a, const QColor& b, double t) {
    const auto lerp = [t](double x, double y) { return x + (y - x) * t; };
    QColor c;
    c.setRgbF(static_cast<float>(lerp(a.redF(), b.redF())),
              static_cast<float>(lerp(a.greenF(), b.greenF())),
              static_cast<float>(lerp(a.blueF(), b.blueF())),
              static_cast<float>(lerp(a.alphaF(), b.alphaF())));
    return c;
}

QColor lighter(const QColor& c, double amount) {
    return mix(c, withAlpha(Qt::white, c.alpha()), amount);
}

QColor darker(const QColor& c, double amount) {
    return mix(c, withAlpha(Qt::black, c.alpha()), amount);
}

QColor withAlpha(const QColor& c, int alpha) {
    QColor result = c;
    result.setAlpha(alpha);
    return result;
}

QLinearGradient verticalGradient(const QRectF& r, const QColor& top, const QColor& bottom) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, top);
    g.setColorAt(1.0, bottom);
    return g;
}

void outlined(QPainter& p, const QPainterPath& path, const QBrush& fill, const QColor& edge,
              double edgeWidth) {
    p.save();
    p.setPen(QPen(edge, edgeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
    p.restore();
}

void castShadow(QPainter& p, const QPainterPath& path, double offset, int alpha) {
    p.save();
    p.setPen(Qt::NoPen);
    // Two passes, the wider one fainter, give a soft edge without a blur filter.
    p.setBrush(QColor(0, 0, 0, alpha / 2));
    p.drawPath(path.translated(offset + 0.5, offset + 0.5));
    p.setBrush(QColor(0, 0, 0, alpha));
    p.drawPath(path.translated(offset, offset));
    p.restore();
}

void bevelPlate(QPainter& p, const QRectF& r, double radius, const QColor& base) {
    QPainterPath body;
    body.addRoundedRect(r, radius, radius);
    castShadow(p, body);

    QLinearGradient fill = verticalGradient(r, lighter(base, 0.35), darker(base, 0.2));
    fill.setColorAt(0.5, base);
    outlined(p, body, fill, darker(base, 0.5));

    // The light catches the upper and left inner edge of the rim.
    p.save();
    p.setClipPath(body);
    QPainterPath inner;
    const QRectF in = r.adjusted(1.0, 1.0, -1.0, -1.0);
    inner.addRoundedRect(in, qMax(0.0, radius - 1.0), qMax(0.0, radius - 1.0));
    QLinearGradient rim(in.topLeft(), in.bottomRight());
    rim.setColorAt(0.0, QColor(255, 255, 255, 150));
    rim.setColorAt(0.5, QColor(255, 255, 255, 30));
    rim.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(QPen(QBrush(rim), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(inner);
    p.restore();
}

void glossyDisc(QPainter& p, const QPointF& centre, double radius, const QColor& base) {
    QPainterPath disc;
    disc.addEllipse(centre, radius, radius);
    castShadow(p, disc);

    QRadialGradient body(centre, radius, centre - QPointF(radius * 0.35, radius * 0.45));
    body.setColorAt(0.0, lighter(base, 0.35));
    body.setColorAt(0.6, base);
    body.setColorAt(1.0, darker(base, 0.3));
    outlined(p, disc, body, darker(base, 0.5));

    // Reflection of a window above the button: a bright band fading down to the middle.
    QPainterPath gloss;
    gloss.addEllipse(QRectF(centre.x() - radius * 0.72, centre.y() - radius * 0.9, radius * 1.44,
                            radius * 0.95));
    p.save();
    p.setPen(Qt::NoPen);
    const QRectF g = gloss.boundingRect();
    p.setBrush(verticalGradient(g, QColor(255, 255, 255, 170), QColor(255, 255, 255, 0)));
    p.drawPath(gloss);
    p.restore();
}

QPainterPath straightArrow(const QPointF& from, const QPointF& to, double shaft, double headWidth,
                           double headLength) {
    const QPointF d = to - from;
    const double length = std::hypot(d.x(), d.y());
    const QPointF u = d / length;
    const QPointF n(-u.y(), u.x());
    const QPointF neck = to - u * headLength;

    QPainterPath path;
    path.moveTo(from + n * (shaft / 2));
    path.lineTo(neck + n * (shaft / 2));
    path.lineTo(neck + n * (headWidth / 2));
    path.lineTo(to);
    path.lineTo(neck - n * (headWidth / 2));
    path.lineTo(neck - n * (shaft / 2));
    path.lineTo(from - n * (shaft / 2));
    path.closeSubpath();
    return path;
}

QPainterPath curvedArrow(const QPointF& centre, double radius, double startDeg, double spanDeg,
                         double shaft, double headWidth, double headLength) {
    // Angles grow counter-clockwise on screen, whose y axis points down.
    const auto at = [&](double deg, double r) {
        const double a = qDegreesToRadians(deg);
        return centre + QPointF(r * std::cos(a), -r * std::sin(a));
    };
    const int steps = 48;
    const double endDeg = startDeg + spanDeg;
    const double outer = radius + shaft / 2;
    const double inner = radius - shaft / 2;

    QPainterPath path;
    path.moveTo(at(startDeg, outer));
    for (int i = 1; i <= steps; ++i) path.lineTo(at(startDeg + spanDeg * i / steps, outer));

    const double a = qDegreesToRadians(endDeg);
    const double turn = spanDeg >= 0 ? 1.0 : -1.0;
    const QPointF along = QPointF(-std::sin(a), -std::cos(a)) * turn;
    const QPointF end = at(endDeg, radius);
    const QPointF out(std::cos(a), -std::sin(a));
    path.lineTo(end + out * (headWidth / 2));
    path.lineTo(end + along * headLength);
    path.lineTo(end - out * (headWidth / 2));

    for (int i = steps; i >= 0; --i) path.lineTo(at(startDeg + spanDeg * i / steps, inner));
    path.closeSubpath();
    return path;
}

void actionArrow(QPainter& p, const QPainterPath& arrow) {
    castShadow(p, arrow, 1.0, 60);
    const QRectF r = arrow.boundingRect();
    QLinearGradient fill = verticalGradient(r, QColor(0x9c, 0xe0, 0x6a), QColor(0x2f, 0x8f, 0x2a));
    outlined(p, arrow, fill, QColor(0x1d, 0x5c, 0x1a));
}

QFont liberation(const QString& family, double pixelSize, bool bold) {
    QFont font(family);
    font.setPixelSize(qRound(pixelSize));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    const QFontInfo info(font);
    if (info.family() != family) {
        std::fprintf(
            stderr, "kestrune-art: font \"%s\" is missing (got \"%s\"); install fonts-liberation\n",
            qPrintable(family), qPrintable(info.family()));
        std::exit(1);
    }
    return font;
}

void shadowedText(QPainter& p, const QRectF& r, const QString& text, const QFont& font,
                  const QColor& colour, const QColor& shadow) {
    p.save();
    p.setFont(font);
    p.setPen(shadow);
    p.drawText(r.translated(1.0, 1.0), Qt::AlignCenter, text);
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, text);
    p.restore();
}

void pixelDigits(QPainter& p, int x, int y, const QString& digits, const QColor& colour) {
    // Rows of each glyph, three bits a row, most significant bit on the left.
    static constexpr std::array<std::array<int, 5>, 10> kGlyphs{{
        {7, 5, 5, 5, 7},  // 0
        {2, 6, 2, 2, 7},  // 1
        {6, 1, 2, 4, 7},  // 2
        {6, 1, 2, 1, 6},  // 3
        {5, 5, 7, 1, 1},  // 4
        {7, 4, 6, 1, 6},  // 5
        {3, 4, 7, 5, 7},  // 6
        {7, 1, 2, 2, 2},  // 7
        {7, 5, 7, 5, 7},  // 8
        {7, 5, 7, 1, 6},  // 9
    }};
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const QChar ch : digits) {
        const int d = ch.digitValue();
        if (d < 0) continue;
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < 3; ++col)
                if (kGlyphs[d][row] & (4 >> col)) p.fillRect(x + col, y + row, 1, 1, colour);
        x += 4;
    }
    p.restore();
}

}  // namespace art
