// The animated logo: "Kestrune" in thick, bevelled gold letters on a dark red panel,
// turning once about its vertical axis over twenty frames.
//
// The letters are modelled as a slab: a bevelled front face, a plain back face and side
// walls in between. Turning by an angle a squeezes both faces horizontally by cos(a) about
// the centre line and shifts them apart by the slab's depth times sin(a); the walls fill
// the gap. Everything is drawn kScale times larger and reduced at the end for clean edges.

#include <QPainterPathStroker>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <vector>

#include "paint.h"
#include "pictures.h"

using namespace Qt::Literals::StringLiterals;

namespace art {
namespace {

constexpr int kWidth = 144;
constexpr int kHeight = 53;
constexpr int kScale = 4;
constexpr int kFrames = 20;
constexpr double kDepth = 5.0;        // slab thickness, in final pixels
constexpr double kBevel = 2.2;        // width of the bevelled rim of each stroke
constexpr double kBevelHeight = 2.6;  // how high the rim rises over that width
constexpr double kEmbolden = 0.6;     // extra weight on each side of every stroke
constexpr double kTextWidth = 122.0;  // leaves room for the walls and the cast shadow

struct Vec3 {
    double x, y, z;
};

double dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3 normalised(const Vec3& v) {
    const double n = std::sqrt(dot(v, v));
    return {v.x / n, v.y / n, v.z / n};
}

// Light from the upper left, in front of the panel. x right, y up, z towards the viewer.
const Vec3 kLight = normalised({-1.0, 1.0, 1.3});

double clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}

QImage background() {
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    Painter p(&image);
    const QRectF all(0, 0, kWidth, kHeight);
    QLinearGradient shade = verticalGradient(all, kLogoRed, darker(kLogoRed, 0.63));
    shade.setColorAt(0.55, darker(kLogoRed, 0.31));
    p.fillRect(all, shade);
    QRadialGradient glow(QPointF(30, 4), 100);
    glow.setColorAt(0.0, QColor(255, 150, 130, 70));
    glow.setColorAt(1.0, QColor(255, 150, 130, 0));
    p.fillRect(all, glow);
    // A raised rim around the panel, lit like everything else.
    p.setPen(QPen(QColor(255, 200, 190, 70), 1.0));
    p.drawLine(QPointF(0.5, kHeight - 1.0), QPointF(0.5, 0.5));
    p.drawLine(QPointF(0.5, 0.5), QPointF(kWidth - 1.0, 0.5));
    p.setPen(QPen(QColor(0, 0, 0, 120), 1.0));
    p.drawLine(QPointF(1.0, kHeight - 0.5), QPointF(kWidth - 0.5, kHeight - 0.5));
    p.drawLine(QPointF(kWidth - 0.5, kHeight - 0.5), QPointF(kWidth - 0.5, 1.0));
    return image;
}

// The word's outline at kScale, centred a little above the middle so the cast shadow fits.
QPainterPath wordOutline() {
    QPainterPath word;
    word.addText(0, 0, liberation(u"Liberation Sans"_s, 40, true), u"Kestrune"_s);
    const QRectF box = word.boundingRect();
    const double s = kTextWidth / box.width() * kScale;
    QTransform t;
    t.translate(kWidth * kScale / 2.0, (kHeight / 2.0 - 1.0) * kScale);
    t.scale(s, s * 1.1);  // a touch taller than the font: reads better in a short panel
    t.translate(-box.center().x(), -box.center().y());
    const QPainterPath placed = t.map(word);

    // Heavier strokes than the bold face give each one room for a bevel and a flat top.
    QPainterPathStroker stroker;
    stroker.setWidth(2.0 * kEmbolden * kScale);
    stroker.setJoinStyle(Qt::RoundJoin);
    return placed.united(stroker.createStroke(placed));
}

// Coverage of the word, white on transparent.
QImage wordMask(const QPainterPath& outline) {
    QImage mask = canvas(kWidth * kScale, kHeight * kScale);
    Painter p(&mask);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(outline);
    return mask;
}

// Distance of each pixel inside the letters to the nearest pixel outside, in final pixels
// (two-pass chamfer transform).
std::vector<double> insideDistance(const QImage& mask) {
    const int w = mask.width();
    const int h = mask.height();
    const double far = 1e9;
    std::vector<double> d(static_cast<std::size_t>(w) * h);
    const auto at = [&](int x, int y) -> double& { return d[static_cast<std::size_t>(y) * w + x]; };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) at(x, y) = qAlpha(mask.pixel(x, y)) >= 128 ? far : 0.0;
    const double diag = std::sqrt(2.0);
    const auto relax = [&](int x, int y, int dx, int dy, double cost) {
        const int nx = x + dx, ny = y + dy;
        const double via = (nx < 0 || ny < 0 || nx >= w || ny >= h) ? cost : at(nx, ny) + cost;
        at(x, y) = std::min(at(x, y), via);
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            relax(x, y, -1, 0, 1.0);
            relax(x, y, 0, -1, 1.0);
            relax(x, y, -1, -1, diag);
            relax(x, y, 1, -1, diag);
        }
    for (int y = h - 1; y >= 0; --y)
        for (int x = w - 1; x >= 0; --x) {
            relax(x, y, 1, 0, 1.0);
            relax(x, y, 0, 1, 1.0);
            relax(x, y, 1, 1, diag);
            relax(x, y, -1, 1, diag);
        }
    for (double& v : d) v /= kScale;
    return d;
}

// Box blur in place, horizontally then vertically.
void blur(std::vector<double>& v, int w, int h, int radius) {
    std::vector<double> tmp(v.size());
    const auto pass = [&](const std::vector<double>& in, std::vector<double>& out, bool across) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                double sum = 0;
                int n = 0;
                for (int k = -radius; k <= radius; ++k) {
                    const int sx = across ? x + k : x;
                    const int sy = across ? y : y + k;
                    if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
                    sum += in[static_cast<std::size_t>(sy) * w + sx];
                    ++n;
                }
                out[static_cast<std::size_t>(y) * w + x] = sum / n;
            }
    };
    pass(v, tmp, true);
    pass(tmp, v, false);
}

// Colour of the metal for a light level 0..1: deep bronze in shade, gold, pale gold in full
// light.
QColor gold(double level) {
    struct Stop {
        double at;
        QColor colour;
    };
    static const Stop kRamp[] = {
        {0.0, QColor(0x2e, 0x1a, 0x02)},  {0.35, QColor(0x86, 0x56, 0x0b)},
        {0.62, QColor(0xd6, 0x9c, 0x24)}, {0.82, QColor(0xf6, 0xcf, 0x5c)},
        {1.0, QColor(0xff, 0xf6, 0xcf)},
    };
    level = clamp01(level);
    for (std::size_t i = 1; i < std::size(kRamp); ++i)
        if (level <= kRamp[i].at)
            return mix(kRamp[i - 1].colour, kRamp[i].colour,
                       (level - kRamp[i - 1].at) / (kRamp[i].at - kRamp[i - 1].at));
    return kRamp[std::size(kRamp) - 1].colour;
}

// The bevelled face of the letters under the panel's light. The back face is drawn
// mirrored by the turn, so it is lit from the mirrored side here to end up lit from the
// left on screen; it is also duller, plain cast metal rather than polished.
QImage shadedFace(const QImage& mask, const std::vector<double>& distance, bool back) {
    const int w = mask.width();
    const int h = mask.height();
    std::vector<double> height(distance.size());
    for (std::size_t i = 0; i < distance.size(); ++i) {
        const double t = clamp01(distance[i] / kBevel);
        height[i] = 1.0 - (1.0 - t) * (1.0 - t);  // steep at the edge, flat on top
    }
    blur(height, w, h, kScale / 2);

    // Image space: y grows downwards, so the light's y flips.
    const Vec3 light = normalised({back ? -kLight.x : kLight.x, -kLight.y, kLight.z});
    const Vec3 halfway = normalised({light.x, light.y, light.z + 1.0});
    int top = h, bottom = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (qAlpha(mask.pixel(x, y)) > 0) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    QImage face = canvas(w, h);
    for (int y = 1; y < h - 1; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(face.scanLine(y));
        for (int x = 1; x < w - 1; ++x) {
            const int alpha = qAlpha(in[x]);
            if (alpha == 0) continue;
            const auto hAt = [&](int dx, int dy) {
                return height[static_cast<std::size_t>(y + dy) * w + x + dx];
            };
            const double sx = (hAt(1, 0) - hAt(-1, 0)) / 2.0 * kScale * kBevelHeight;
            const double sy = (hAt(0, 1) - hAt(0, -1)) / 2.0 * kScale * kBevelHeight;
            const Vec3 n = normalised({-sx, -sy, 1.0});
            const double diffuse = std::max(0.0, dot(n, light));
            const double shine = std::pow(std::max(0.0, dot(n, halfway)), 40.0);
            // Polished metal darkens towards the bottom, as it reflects the darker room.
            const double fall = 1.08 - 0.25 * (y - top) / std::max(1, bottom - top);
            const double level = (0.1 + 0.95 * diffuse) * fall;
            const QColor c = back ? gold(level * 0.62) : mix(gold(level), Qt::white, 0.55 * shine);
            out[x] = qPremultiply(qRgba(c.red(), c.green(), c.blue(), alpha));
        }
    }
    return face;
}

// The mask in one flat colour, for the side walls.
QImage tinted(const QImage& mask, const QColor& colour) {
    QImage result = mask.copy();
    Painter p(&result);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(result.rect(), colour);
    return result;
}

// Scales the colour of a premultiplied picture: below 1 towards black, above 1 towards white.
QImage lit(const QImage& image, double factor) {
    QImage result = image.copy();
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const int a = qAlpha(line[x]);
            if (a == 0) continue;
            const auto channel = [&](int v) {
                const double out = factor <= 1.0 ? v * factor : v + (a - v) * (factor - 1.0);
                return std::clamp(static_cast<int>(out + 0.5), 0, a);
            };
            line[x] =
                qRgba(channel(qRed(line[x])), channel(qGreen(line[x])), channel(qBlue(line[x])), a);
        }
    }
    return result;
}

// A soft black shadow of a picture's coverage.
QImage shadowOf(const QImage& image, int radius, double strength) {
    const int w = image.width();
    const int h = image.height();
    std::vector<double> a(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            a[static_cast<std::size_t>(y) * w + x] = qAlpha(image.pixel(x, y)) / 255.0;
    blur(a, w, h, radius);
    QImage shadow = canvas(w, h);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(shadow.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] =
                qRgba(0, 0, 0,
                      static_cast<int>(255.0 * strength * a[static_cast<std::size_t>(y) * w + x]));
    }
    return shadow;
}

// The word seen exactly edge on: one column, covered on every row some letter reaches.
QImage sideProfile(const QImage& mask) {
    QImage column = canvas(1, mask.height());
    for (int y = 0; y < mask.height(); ++y) {
        int alpha = 0;
        for (int x = 0; x < mask.width(); ++x) alpha = std::max(alpha, qAlpha(mask.pixel(x, y)));
        column.setPixel(0, y, qRgba(alpha, alpha, alpha, alpha));
    }
    return column;
}

struct Lettering {
    QImage mask;
    QImage profile;
    QImage front;
    QImage back;
};

// Draws the slab turned by angleDeg, at kScale, on a transparent layer.
QImage turnedLettering(const Lettering& letters, double angleDeg) {
    const double a = qDegreesToRadians(angleDeg);
    const double c = std::cos(a);
    const double s = std::sin(a);
    const double centre = kWidth * kScale / 2.0;

    QImage layer = canvas(kWidth * kScale, kHeight * kScale);
    Painter p(&layer);
    const auto place = [&](double z, double xScale) {
        QTransform t;
        t.translate(centre + z * s * kScale, 0);
        t.scale(xScale, 1.0);
        t.translate(-centre, 0);
        p.setTransform(t);
    };

    // The wall facing the viewer: a left wall when turning one way, a right one the other.
    const Vec3 wall = s > 0 ? Vec3{-c, 0, s} : Vec3{c, 0, -s};
    const QColor wallColour = gold(0.35 + 0.28 * std::max(0.0, dot(wall, kLight)));
    if (std::abs(c) * kTextWidth < 1.0) {
        // Edge on, squeezed copies of the word would only smear; the walls merge into a band.
        const double width = kDepth * kScale * std::abs(s);
        p.drawImage(QRectF(centre - width / 2, 0, width, layer.height()),
                    tinted(letters.profile, wallColour));
    } else if (std::abs(s) > 1e-9) {
        const QImage side = tinted(letters.mask, wallColour);
        const int slices = static_cast<int>(std::ceil(kDepth * kScale * std::abs(s))) + 1;
        for (int i = 0; i <= slices; ++i) {
            // Far slices first, so nearer ones cover them.
            const double f = static_cast<double>(i) / slices;
            const double z = (c >= 0 ? -1.0 : 1.0) * kDepth * (0.5 - f);
            place(z, c);
            p.drawImage(0, 0, side);
        }
    }
    if (std::abs(c) > 0.03) {
        const bool back = c < 0;
        const Vec3 normal = back ? Vec3{-s, 0, -c} : Vec3{s, 0, c};
        // Turned away from the light the face dims, but never so far that it turns to mud.
        const double light = std::clamp(0.55 + 0.45 * dot(normal, kLight) / kLight.z, 0.55, 1.2);
        place(back ? -kDepth / 2 : kDepth / 2, c);
        p.drawImage(0, 0, lit(back ? letters.back : letters.front, light));
    }
    return layer;
}

}  // namespace

QList<QImage> logoFrames() {
    const QImage panel = background();
    Lettering letters;
    letters.mask = wordMask(wordOutline());
    letters.profile = sideProfile(letters.mask);
    const std::vector<double> distance = insideDistance(letters.mask);
    letters.front = shadedFace(letters.mask, distance, false);
    letters.back = shadedFace(letters.mask, distance, true);

    QList<QImage> frames;
    for (int k = 0; k < kFrames; ++k) {
        const QImage big = turnedLettering(letters, 360.0 * k / kFrames);
        const QImage small =
            big.scaled(kWidth, kHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QImage frame = panel.copy();
        Painter p(&frame);
        p.drawImage(2, 2, shadowOf(small, 1, 0.65));
        p.drawImage(0, 0, small);
        p.end();
        frames.append(frame.convertToFormat(QImage::Format_RGB32));
    }
    return frames;
}

}  // namespace art
