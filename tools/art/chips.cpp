// Chip pictures: the two faces of the chip-type toggle, and the program's icon and emblem
// (a stopwatch set into a chip, the program's whole job in one picture).

#include <QRadialGradient>
#include <QtMath>
#include <cmath>

#include "paint.h"
#include "pictures.h"

using namespace Qt::Literals::StringLiterals;

namespace art {
namespace {

// One tinned lead seen from above: a strip catching the light along its middle. r should sit
// on whole pixels, or the lead blurs.
void lead(QPainter& p, const QRectF& r) {
    const bool upright = r.height() >= r.width();
    QLinearGradient shine = upright ? QLinearGradient(r.topLeft(), r.topRight())
                                    : QLinearGradient(r.topLeft(), r.bottomLeft());
    shine.setColorAt(0.0, QColor(0x6f, 0x77, 0x80));
    shine.setColorAt(0.4, QColor(0xf4, 0xf6, 0xf8));
    shine.setColorAt(1.0, QColor(0x58, 0x60, 0x6a));
    QPainterPath path;
    path.addRect(r);
    castShadow(p, path, 1.0, 70);
    p.fillPath(path, shine);
}

// A moulded package body: dark rim, then a slightly lighter top face with a gentle sheen.
void packageBody(QPainter& p, const QRectF& r, const QColor& base) {
    QPainterPath body;
    body.addRoundedRect(r, 1.5, 1.5);
    castShadow(p, body, 1.0, 90);
    outlined(p, body, verticalGradient(r, lighter(base, 0.12), darker(base, 0.35)),
             darker(base, 0.6), 0.8);

    const QRectF top = r.adjusted(1.5, 1.5, -1.5, -1.5);
    QPainterPath face;
    face.addRoundedRect(top, 1.0, 1.0);
    QLinearGradient sheen(top.topLeft(), top.bottomRight());
    sheen.setColorAt(0.0, lighter(base, 0.22));
    sheen.setColorAt(0.55, base);
    sheen.setColorAt(1.0, darker(base, 0.15));
    p.save();
    p.setPen(QPen(withAlpha(lighter(base, 0.5), 120), 0.6));
    p.setBrush(sheen);
    p.drawPath(face);
    p.restore();
}

// A dual-in-line package lying across the picture, eight leads along each long side, the
// notch at the left and the pin-1 dimple below it, as on a real part.
void dipChip(QPainter& p, const QSize& size, const QColor& base, const QString& label,
             const QColor& ink) {
    const int pins = 8;
    const double pitch = 6.0;
    const double leadWidth = 3.0;
    const double firstLead = (size.width() - (pins - 1) * pitch - leadWidth) / 2.0;
    const QRectF body(1.5, 6.5, size.width() - 4.0, size.height() - 13.0);

    for (int i = 0; i < pins; ++i) {
        const double x = firstLead + i * pitch;
        lead(p, QRectF(x, 2.0, leadWidth, 5.0));
        lead(p, QRectF(x, body.bottom(), leadWidth, 5.0));
    }
    packageBody(p, body, base);

    p.save();
    QPainterPath outline;
    outline.addRoundedRect(body, 1.5, 1.5);
    p.setClipPath(outline);
    QRadialGradient notch(QPointF(body.left(), body.center().y()), 3.5);
    notch.setColorAt(0.0, darker(base, 0.6));
    notch.setColorAt(0.8, darker(base, 0.35));
    notch.setColorAt(1.0, lighter(base, 0.3));
    p.setPen(Qt::NoPen);
    p.setBrush(notch);
    p.drawEllipse(QPointF(body.left(), body.center().y()), 3.5, 3.5);
    p.restore();

    // Pin-1 dimple: shadowed on its upper left wall, lit on its lower right.
    const QPointF dimple(body.left() + 5.0, body.bottom() - 4.5);
    QLinearGradient hollow(dimple - QPointF(1.5, 1.5), dimple + QPointF(1.5, 1.5));
    hollow.setColorAt(0.0, darker(base, 0.6));
    hollow.setColorAt(1.0, lighter(base, 0.35));
    p.setPen(Qt::NoPen);
    p.setBrush(hollow);
    p.drawEllipse(dimple, 1.6, 1.6);

    const QRectF text = body.adjusted(5.0, 0.0, 0.0, -1.0);
    shadowedText(p, text, label, liberation(u"Liberation Sans"_s, 13, true), ink,
                 withAlpha(Qt::black, 150));
}

// The icon's motif in a 32 x 32 space: a square chip with leads on all four sides and a
// stopwatch set into its top. Drawn at half that size or less, it keeps only what still
// shows: three wider leads a side, the dial and a bolder hand.
void chipWatch(QPainter& p, bool small) {
    const QColor base(0x30, 0x33, 0x38);
    const int leads = small ? 3 : 4;
    const double leadWidth = small ? 4.0 : 2.0;
    const double pitch = small ? 6.0 : 4.0;
    for (int i = 0; i < leads; ++i) {
        const double at = (small ? 8.0 : 9.0) + pitch * i;
        lead(p, QRectF(at, 2.0, leadWidth, 4.0));
        lead(p, QRectF(at, 26.0, leadWidth, 4.0));
        lead(p, QRectF(2.0, at, 4.0, leadWidth));
        lead(p, QRectF(26.0, at, 4.0, leadWidth));
    }
    packageBody(p, QRectF(5.5, 5.5, 21.0, 21.0), base);

    const QPointF c(16.0, 17.5);
    const double r = 7.5;
    // Winding crown above twelve o'clock and the two pushers beside it: what makes a dial
    // a stopwatch.
    QLinearGradient chrome(QPointF(c.x() - 2.5, 0), QPointF(c.x() + 2.5, 0));
    chrome.setColorAt(0.0, QColor(0xa0, 0xa8, 0xb0));
    chrome.setColorAt(0.4, QColor(0xfa, 0xfb, 0xfc));
    chrome.setColorAt(1.0, QColor(0x80, 0x88, 0x92));
    const QColor chromeEdge(0x3a, 0x40, 0x48);
    for (const double side : {-1.0, 1.0}) {
        QPainterPath pusher;
        pusher.addRect(QRectF(-1.0, -r - 1.8, 2.0, 2.5));
        QTransform t;
        t.translate(c.x(), c.y());
        t.rotate(40.0 * side);
        if (!small) outlined(p, t.map(pusher), chrome, chromeEdge, 0.6);
    }
    QPainterPath crown;
    crown.addRoundedRect(QRectF(c.x() - 2.5, c.y() - r - 3.5, 5.0, 2.5), 0.8, 0.8);
    crown.addRect(QRectF(c.x() - 1.0, c.y() - r - 1.2, 2.0, 1.5));
    outlined(p, crown.simplified(), chrome, chromeEdge, 0.6);

    QPainterPath bezel;
    bezel.addEllipse(c, r, r);
    castShadow(p, bezel, 1.0, 110);
    QLinearGradient ring(c - QPointF(r, r), c + QPointF(r, r));
    ring.setColorAt(0.0, QColor(0xfb, 0xfc, 0xfd));
    ring.setColorAt(0.5, QColor(0xae, 0xb6, 0xbf));
    ring.setColorAt(1.0, QColor(0x6c, 0x75, 0x80));
    outlined(p, bezel, ring, QColor(0x2a, 0x30, 0x38), 0.7);

    const double fr = r - 1.8;
    QRadialGradient dial(c, fr, c - QPointF(2.0, 2.5));
    dial.setColorAt(0.0, Qt::white);
    dial.setColorAt(1.0, QColor(0xdc, 0xe3, 0xec));
    p.setPen(QPen(QColor(0x5a, 0x63, 0x6e), 0.5));
    p.setBrush(dial);
    p.drawEllipse(c, fr, fr);

    // Quarter marks only; finer ones turn to mush at this size.
    p.setPen(QPen(QColor(0x2a, 0x30, 0x38), 1.0, Qt::SolidLine, Qt::FlatCap));
    for (int q = 0; q < (small ? 0 : 4); ++q) {
        const double a = qDegreesToRadians(90.0 * q);
        const QPointF u(std::sin(a), -std::cos(a));
        p.drawLine(c + u * (fr - 1.6), c + u * (fr - 0.2));
    }
    // The sweep hand, red like a stopwatch's, with its short tail.
    const double a = qDegreesToRadians(50.0);
    const QPointF u(std::sin(a), -std::cos(a));
    p.setPen(QPen(QColor(0xd4, 0x1f, 0x1a), small ? 2.4 : 1.3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c - u * 1.5, c + u * (fr - 0.8));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x24, 0x2a));
    p.drawEllipse(c, 1.1, 1.1);
}

}  // namespace

QImage picChipPicture() {
    QImage image = canvas(55, 35);
    Painter p(&image);
    dipChip(p, image.size(), QColor(0x2c, 0x2e, 0x33), u"PIC"_s, QColor(0xf2, 0xf2, 0xf2));
    return image;
}

QImage sxChipPicture() {
    QImage image = canvas(55, 35);
    Painter p(&image);
    dipChip(p, image.size(), QColor(0x1e, 0x4b, 0x8e), u"SX"_s, QColor(0xff, 0xd2, 0x4a));
    return image;
}

QImage iconPicture(int size) {
    QImage image = canvas(size, size);
    Painter p(&image);
    p.scale(size / 32.0, size / 32.0);
    chipWatch(p, size <= 16);
    return image;
}

QImage emblemPicture() {
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    Painter p(&image);
    // An opaque tile in the logo's dark red, so the emblem needs no transparency.
    const QRectF tile(0, 0, 32, 32);
    QRadialGradient glow(QPointF(9, 7), 34);
    glow.setColorAt(0.0, lighter(kLogoRed, 0.2));
    glow.setColorAt(0.6, kLogoRed);
    glow.setColorAt(1.0, darker(kLogoRed, 0.55));
    p.fillRect(tile, glow);
    p.setPen(QPen(QColor(255, 255, 255, 80), 1.0));
    p.drawLine(QPointF(0.5, 31.0), QPointF(0.5, 0.5));
    p.drawLine(QPointF(0.5, 0.5), QPointF(31.0, 0.5));
    p.setPen(QPen(QColor(0, 0, 0, 110), 1.0));
    p.drawLine(QPointF(1.0, 31.5), QPointF(31.5, 31.5));
    p.drawLine(QPointF(31.5, 31.5), QPointF(31.5, 1.0));

    chipWatch(p, false);
    return image;
}

}  // namespace art
