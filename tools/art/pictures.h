// One function per picture. Each returns the picture at its final size, in true colour;
// main.cpp decides the file format.
#pragma once

#include <QImage>
#include <QList>

namespace art {

// Button faces, transparent around the drawing.
QImage quitPicture();        // 32 x 32
QImage helpPicture();        // 32 x 32
QImage copyPicture();        // 32 x 32
QImage printPicture();       // 32 x 32
QImage donePicture();        // 32 x 32
QImage defaultsPicture();    // 51 x 32
QImage savePicture();        // 51 x 32
QImage resetPicture();       // 51 x 32
QImage calcTimePicture();    // 17 x 17
QImage calcValuesPicture();  // 17 x 17

// The chip-type toggle faces, 55 x 35.
QImage picChipPicture();
QImage sxChipPicture();

// The program icon, transparent, drawn for a square of any size (32 x 32 in the window, more
// sizes for the desktop's icon theme), and the About-window emblem drawn from the same motif
// on an opaque tile (32 x 32).
QImage iconPicture(int size);
QImage emblemPicture();

// The twenty logo frames, 144 x 53, opaque: the resting frame first, then the turn.
QList<QImage> logoFrames();

}  // namespace art
