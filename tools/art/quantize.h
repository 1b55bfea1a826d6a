// Reduction of true-colour pictures to a 256-colour palette, for the formats that must be
// 8 bits per pixel (the program icon and the logo frames).
#pragma once

#include <QImage>
#include <QList>
#include <QRgb>

namespace art {

// A palette of at most maxColours entries that serves all the given images together
// (median cut, alpha included). One shared palette keeps the logo frames' background
// exactly alike from frame to frame.
QList<QRgb> buildPalette(const QList<QImage>& images, int maxColours = 256);

// Maps every pixel to its nearest palette entry. No error diffusion: equal pixels always
// get the same index, wherever they sit in the picture.
QImage toIndexed(const QImage& image, const QList<QRgb>& palette);

}  // namespace art
