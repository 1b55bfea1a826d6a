// The pictures on the command buttons of the main window and the About window.

#include <QPainterPathStroker>
#include <QPolygonF>
#include <QRadialGradient>

#include "paint.h"
#include "pictures.h"

using namespace Qt::Literals::StringLiterals;

namespace art {
namespace {

const QColor kInk(0x5b, 0x6b, 0x80);  // ruled lines on paper

// A sheet of paper with ruled lines; fold > 0 turns down the top right corner.
void paperSheet(QPainter& p, const QRectF& r, double fold, int lines) {
    QPainterPath sheet;
    sheet.moveTo(r.topLeft());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.bottomRight());
    sheet.lineTo(r.bottomLeft());
    sheet.closeSubpath();
    castShadow(p, sheet, 1.0, 55);
    outlined(p, sheet, verticalGradient(r, Qt::white, QColor(0xe4, 0xe9, 0xef)),
             QColor(0x76, 0x80, 0x8c));

    if (fold > 0) {
        QPainterPath ear;
        ear.moveTo(r.right() - fold, r.top());
        ear.lineTo(r.right() - fold, r.top() + fold);
        ear.lineTo(r.right(), r.top() + fold);
        ear.closeSubpath();
        outlined(p, ear, QColor(0xc9, 0xd1, 0xdb), QColor(0x76, 0x80, 0x8c));
    }

    p.save();
    p.setPen(QPen(withAlpha(kInk, 200), 1.0));
    const double top = r.top() + qMax(fold, 2.0) + 2.0;
    for (int i = 0; i < lines; ++i) {
        const double y = top + 2.0 * i;
        if (y > r.bottom() - 2.0) break;
        // Ragged right ends, like lines of text.
        const double shorten = (i % 3 == 2) ? r.width() * 0.35 : 0.0;
        p.drawLine(QPointF(r.left() + 2.0, y), QPointF(r.right() - 2.5 - shorten, y));
    }
    p.restore();
}

// A 3.5-inch diskette with its metal shutter and paper label, filling the square r.
void diskette(QPainter& p, const QRectF& r) {
    const QColor body(0x2f, 0x5f, 0xa8);
    const double cut = r.width() * 0.12;
    QPainterPath shell;
    shell.moveTo(r.left() + 1.5, r.top());
    shell.lineTo(r.right() - cut, r.top());
    shell.lineTo(r.right(), r.top() + cut);
    shell.lineTo(r.right(), r.bottom() - 1.5);
    shell.quadTo(r.right(), r.bottom(), r.right() - 1.5, r.bottom());
    shell.lineTo(r.left() + 1.5, r.bottom());
    shell.quadTo(r.left(), r.bottom(), r.left(), r.bottom() - 1.5);
    shell.lineTo(r.left(), r.top() + 1.5);
    shell.quadTo(r.left(), r.top(), r.left() + 1.5, r.top());
    castShadow(p, shell);
    QLinearGradient fill(r.topLeft(), r.bottomRight());
    fill.setColorAt(0.0, lighter(body, 0.35));
    fill.setColorAt(1.0, darker(body, 0.25));
    outlined(p, shell, fill, darker(body, 0.55));

    const double w = r.width();
    const QRectF shutter(r.left() + w * 0.22, r.top(), w * 0.52, w * 0.36);
    QPainterPath metal;
    metal.addRect(shutter);
    QLinearGradient steel(shutter.topLeft(), shutter.topRight());
    steel.setColorAt(0.0, QColor(0xf2, 0xf4, 0xf6));
    steel.setColorAt(0.5, QColor(0xb9, 0xc0, 0xc8));
    steel.setColorAt(1.0, QColor(0xdf, 0xe3, 0xe8));
    outlined(p, metal, steel, QColor(0x5d, 0x66, 0x70));
    const QRectF slot(shutter.left() + shutter.width() * 0.62, shutter.top() + 2.0,
                      shutter.width() * 0.2, shutter.height() - 4.0);
    p.fillRect(slot, QColor(0x26, 0x33, 0x45));

    QPainterPath label;
    const QRectF paper(r.left() + w * 0.15, r.top() + w * 0.5, w * 0.7, w * 0.5 - 1.0);
    label.addRoundedRect(paper, 1.0, 1.0);
    outlined(p, label, verticalGradient(paper, Qt::white, QColor(0xdd, 0xe3, 0xea)),
             darker(body, 0.4));
    p.save();
    p.setPen(QPen(withAlpha(kInk, 210), 1.0));
    for (double y = paper.top() + 3.0; y < paper.bottom() - 1.5; y += 3.0)
        p.drawLine(QPointF(paper.left() + 2.0, y), QPointF(paper.right() - 2.0, y));
    p.restore();
}

// The "restore" arrow: a turn counter-clockwise, ending pointing down on the left.
void restoreArrow(QPainter& p, const QPointF& centre) {
    actionArrow(p, curvedArrow(centre, 6.5, -40.0, 250.0, 3.2, 8.0, 4.5));
}

// A small works with a saw-tooth roof and a chimney, standing on its base line.
void factory(QPainter& p, const QRectF& r) {
    const QColor brick(0xb8, 0x5a, 0x3c);
    const QColor roof(0x6f, 0x7b, 0x88);
    const double base = r.bottom();
    const double eaves = r.top() + r.height() * 0.45;
    const double ridge = r.top() + r.height() * 0.22;

    // Chimney first, the roof covers its foot.
    const QRectF stack(r.right() - r.width() * 0.22, r.top(), r.width() * 0.12, eaves - r.top());
    QPainterPath chimney;
    chimney.addRect(stack);
    castShadow(p, chimney);
    QLinearGradient round(stack.topLeft(), stack.topRight());
    round.setColorAt(0.0, lighter(brick, 0.2));
    round.setColorAt(1.0, darker(brick, 0.35));
    outlined(p, chimney, round, darker(brick, 0.55));
    p.fillRect(QRectF(stack.left() + 0.5, stack.top() + 2.0, stack.width() - 1.0, 1.5),
               QColor(0xee, 0xee, 0xee));

    const int teeth = 3;
    const double tooth = r.width() / teeth;
    QPainterPath hall;
    hall.moveTo(r.left(), base);
    hall.lineTo(r.left(), eaves);
    for (int i = 0; i < teeth; ++i) {
        hall.lineTo(r.left() + tooth * i, ridge);
        hall.lineTo(r.left() + tooth * (i + 1), eaves);
    }
    hall.lineTo(r.right(), base);
    hall.closeSubpath();
    castShadow(p, hall);
    outlined(p, hall, verticalGradient(r, lighter(brick, 0.25), darker(brick, 0.2)),
             darker(brick, 0.55));

    // Roof lights on the steep faces of the teeth.
    p.save();
    p.setPen(QPen(darker(roof, 0.3), 1.0));
    p.setBrush(verticalGradient(QRectF(r.left(), ridge, r.width(), eaves - ridge),
                                lighter(roof, 0.5), roof));
    for (int i = 0; i < teeth; ++i) {
        QPolygonF glass;
        glass << QPointF(r.left() + tooth * i, ridge) << QPointF(r.left() + tooth * (i + 1), eaves)
              << QPointF(r.left() + tooth * i, eaves);
        p.drawPolygon(glass);
    }

    // A row of windows and a door.
    const double wy = eaves + (base - eaves) * 0.25;
    const double wh = (base - eaves) * 0.3;
    p.setPen(QPen(darker(brick, 0.55), 1.0));
    p.setBrush(verticalGradient(QRectF(r.left(), wy, 1, wh), QColor(0xd8, 0xf0, 0xff),
                                QColor(0x6c, 0xa6, 0xd9)));
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(r.left() + 2.5 + i * (tooth - 0.5), wy, tooth * 0.45, wh));
    p.setBrush(darker(brick, 0.45));
    p.drawRect(QRectF(r.right() - tooth * 0.55, base - (base - eaves) * 0.48, tooth * 0.35,
                      (base - eaves) * 0.48));
    p.restore();
}

}  // namespace

QImage quitPicture() {
    QImage image = canvas(32, 32);
    Painter p(&image);
    const QPointF centre(15.5, 15.5);
    glossyDisc(p, centre, 14.0, QColor(0xc8, 0x2a, 0x24));

    // The power sign: a ring broken at the top and a bar through the gap.
    QPainterPath sign;
    const QRectF ring(centre.x() - 7.0, centre.y() - 6.5, 14.0, 14.0);
    sign.arcMoveTo(ring, 125.0);
    sign.arcTo(ring, 125.0, 290.0);
    sign.moveTo(centre.x(), centre.y() - 9.0);
    sign.lineTo(centre.x(), centre.y() - 1.0);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x5a, 0x08, 0x06, 150), 3.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(sign.translated(0.6, 0.8));
    p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(sign);
    return image;
}

QImage helpPicture() {
    QImage image = canvas(32, 32);
    Painter p(&image);
    const QColor cover(0x2c, 0x6c, 0xc4);

    // The page block shows past the right and bottom edges of the cover.
    const QRectF pages(7.5, 5.5, 20.0, 24.0);
    QPainterPath block;
    block.addRoundedRect(pages, 1.5, 1.5);
    castShadow(p, block);
    outlined(p, block, QColor(0xf6, 0xf1, 0xe2), QColor(0x8a, 0x80, 0x6a));
    p.setPen(QPen(QColor(0xc8, 0xbf, 0xa5), 1.0));
    for (double x = 25.0; x < 27.5; x += 1.0) p.drawLine(QPointF(x, 7.0), QPointF(x, 28.0));

    const QRectF front(4.5, 2.5, 20.0, 25.0);
    bevelPlate(p, front, 2.0, cover);
    // Spine: a darker band with a crease.
    p.fillRect(QRectF(5.0, 3.0, 3.0, 24.0), withAlpha(darker(cover, 0.5), 110));
    p.setPen(QPen(withAlpha(Qt::white, 90), 1.0));
    p.drawLine(QPointF(8.5, 3.5), QPointF(8.5, 26.5));

    // Ribbon bookmark hanging below the pages.
    QPainterPath ribbon;
    ribbon.moveTo(19.0, 27.0);
    ribbon.lineTo(22.0, 27.0);
    ribbon.lineTo(22.0, 31.0);
    ribbon.lineTo(20.5, 29.8);
    ribbon.lineTo(19.0, 31.0);
    ribbon.closeSubpath();
    outlined(p, ribbon, QColor(0xd9, 0x32, 0x2b), QColor(0x80, 0x16, 0x12), 0.8);

    shadowedText(p, QRectF(8.0, 3.0, 16.5, 24.0), u"?"_s,
                 liberation(u"Liberation Sans"_s, 20, true), Qt::white,
                 withAlpha(darker(cover, 0.7), 200));
    return image;
}

QImage copyPicture() {
    QImage image = canvas(32, 32);
    Painter p(&image);
    paperSheet(p, QRectF(3.5, 2.5, 15.0, 19.0), 0.0, 8);
    paperSheet(p, QRectF(11.5, 9.5, 17.0, 20.0), 5.0, 8);
    return image;
}

QImage printPicture() {
    QImage image = canvas(32, 32);
    Painter p(&image);
    const QColor casing(0xa9, 0xb2, 0xbc);

    // Paper waiting in the feeder behind the printer.
    paperSheet(p, QRectF(8.5, 2.5, 15.0, 12.0), 0.0, 3);

    bevelPlate(p, QRectF(2.5, 11.5, 27.0, 13.0), 3.0, casing);
    // Lower tray, a step darker than the casing.
    QPainterPath tray;
    tray.addRoundedRect(QRectF(4.5, 22.5, 23.0, 5.0), 1.5, 1.5);
    outlined(p, tray,
             verticalGradient(tray.boundingRect(), darker(casing, 0.15), darker(casing, 0.4)),
             darker(casing, 0.6));
    // Output slot.
    p.setPen(QPen(QColor(0x2c, 0x33, 0x3b), 1.5));
    p.drawLine(QPointF(7.0, 19.5), QPointF(25.0, 19.5));

    // Power light.
    QRadialGradient led(QPointF(25.2, 15.0), 1.8);
    led.setColorAt(0.0, QColor(0xd8, 0xff, 0xb0));
    led.setColorAt(1.0, QColor(0x2a, 0xa0, 0x1e));
    p.setPen(QPen(QColor(0x1d, 0x55, 0x17), 0.6));
    p.setBrush(led);
    p.drawEllipse(QPointF(25.2, 15.0), 1.4, 1.4);

    // The printed page coming out of the slot.
    paperSheet(p, QRectF(9.0, 19.5, 14.0, 10.5), 0.0, 4);
    return image;
}

QImage donePicture() {
    QImage image = canvas(32, 32);
    Painter p(&image);
    QPainterPath tick;
    tick.moveTo(5.5, 16.5);
    tick.lineTo(12.5, 23.5);
    tick.lineTo(26.5, 7.5);
    QPainterPathStroker stroker;
    stroker.setWidth(5.5);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    const QPainterPath mark = stroker.createStroke(tick).simplified();

    castShadow(p, mark, 1.2, 70);
    const QRectF r = mark.boundingRect();
    QLinearGradient fill = verticalGradient(r, QColor(0x9b, 0xe8, 0x62), QColor(0x1f, 0x8a, 0x24));
    outlined(p, mark, fill, QColor(0x15, 0x5a, 0x17));
    // A bright line along the top edge of the stroke, where the light falls.
    p.setPen(QPen(QColor(255, 255, 255, 130), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick.translated(-0.7, -1.2));
    return image;
}

QImage defaultsPicture() {
    QImage image = canvas(51, 32);
    Painter p(&image);
    factory(p, QRectF(20.5, 4.5, 28.0, 24.0));
    restoreArrow(p, QPointF(10.0, 16.0));
    return image;
}

QImage savePicture() {
    QImage image = canvas(51, 32);
    Painter p(&image);
    diskette(p, QRectF(21.5, 3.5, 25.0, 25.0));
    actionArrow(p, straightArrow(QPointF(2.5, 16.0), QPointF(19.0, 16.0), 4.5, 11.0, 7.0));
    return image;
}

QImage resetPicture() {
    QImage image = canvas(51, 32);
    Painter p(&image);
    diskette(p, QRectF(21.5, 3.5, 25.0, 25.0));
    restoreArrow(p, QPointF(10.0, 16.0));
    return image;
}

QImage calcTimePicture() {
    QImage image = canvas(17, 17);
    Painter p(&image);
    // Centred on a pixel, so the hands fall on whole pixels and stay sharp.
    const QPointF c(8.5, 8.5);
    const QColor rim(0x35, 0x5c, 0x8f);

    QPainterPath bezel;
    bezel.addEllipse(c, 7.3, 7.3);
    castShadow(p, bezel, 0.7, 60);
    QRadialGradient metal(c, 7.3, c - QPointF(3.0, 3.0));
    metal.setColorAt(0.0, lighter(rim, 0.45));
    metal.setColorAt(1.0, darker(rim, 0.2));
    outlined(p, bezel, metal, darker(rim, 0.5), 0.8);

    QPainterPath face;
    face.addEllipse(c, 5.8, 5.8);
    QRadialGradient paper(c, 5.8, c - QPointF(1.5, 2.0));
    paper.setColorAt(0.0, Qt::white);
    paper.setColorAt(1.0, QColor(0xd6, 0xdf, 0xea));
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    p.drawPath(face);

    // Hour marks at six and nine; the hands cover twelve and three.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(8, 12, 1, 2, QColor(0x6a, 0x78, 0x88));
    p.fillRect(3, 8, 2, 1, QColor(0x6a, 0x78, 0x88));
    // Three o'clock: the plainest clock shape there is, readable at this size.
    p.fillRect(8, 4, 1, 5, QColor(0x1c, 0x24, 0x2e));
    p.fillRect(8, 8, 4, 1, QColor(0x1c, 0x24, 0x2e));
    return image;
}

QImage calcValuesPicture() {
    QImage image = canvas(17, 17);
    Painter p(&image);
    const QColor casing(0x3b, 0x47, 0x55);

    // A counter display: dark case with three digit drums showing through windows.
    QPainterPath box;
    box.addRoundedRect(QRectF(1.5, 3.5, 13.0, 9.0), 1.5, 1.5);
    castShadow(p, box, 0.8, 60);
    outlined(p, box,
             verticalGradient(box.boundingRect(), lighter(casing, 0.3), darker(casing, 0.2)),
             darker(casing, 0.5), 0.8);
    for (int i = 0; i < 3; ++i) {
        const QRect window(3 + i * 4, 5, 3, 7);
        QLinearGradient drum(window.topLeft(), window.bottomLeft() + QPoint(0, 1));
        drum.setColorAt(0.0, QColor(0xb4, 0xbc, 0xc6));
        drum.setColorAt(0.5, Qt::white);
        drum.setColorAt(1.0, QColor(0xa8, 0xb1, 0xbc));
        p.fillRect(window, drum);
    }
    pixelDigits(p, 3, 6, u"123"_s, QColor(0x10, 0x18, 0x22));
    return image;
}

}  // namespace art
