// kestrune-art: draws all of Kestrune's pictures and writes them into one folder, and the
// program icon at the sizes of the desktop's icon theme into a second.
//
//   kestrune-art PICTURE_FOLDER ICON_THEME_FOLDER
//
// Every file is read back after writing and its header checked, so a Qt that wrote a
// different format than asked for stops the run instead of slipping into the program.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <functional>

#include "pictures.h"
#include "quantize.h"

using namespace Qt::Literals::StringLiterals;

namespace {

enum class Kind {
    PngRgba,     // button faces: 32-bit with alpha
    PngPalette,  // the program icon: 8-bit palette
    PngRgb,      // the emblem: 24-bit, no alpha
    BmpPalette,  // the logo frames: 8-bit palette Windows bitmap
};

quint32 le(const QByteArray& b, int at, int size) {
    quint32 v = 0;
    for (int i = size - 1; i >= 0; --i) v = (v << 8) | static_cast<uchar>(b[at + i]);
    return v;
}

quint32 be(const QByteArray& b, int at) {
    quint32 v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | static_cast<uchar>(b[at + i]);
    return v;
}

// Reads the header that was really written and compares it with what was asked for.
QString checkHeader(const QString& path, Kind kind, const QSize& size) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return u"cannot read back"_s;
    const QByteArray h = file.read(64);
    const auto w = static_cast<quint32>(size.width());
    const auto ht = static_cast<quint32>(size.height());
    if (kind == Kind::BmpPalette) {
        if (h.size() < 54 || !h.startsWith("BM")) return u"not a BMP"_s;
        if (le(h, 18, 4) != w || le(h, 22, 4) != ht) return u"wrong size"_s;
        if (le(h, 28, 2) != 8) return u"not 8 bits per pixel"_s;
        if (le(h, 30, 4) != 0) return u"compressed"_s;
        return {};
    }
    if (h.size() < 26 || !h.startsWith("\x89PNG")) return u"not a PNG"_s;
    if (be(h, 16) != w || be(h, 20) != ht) return u"wrong size"_s;
    const int depth = static_cast<uchar>(h[24]);
    const int colourType = static_cast<uchar>(h[25]);
    const int wantedType = kind == Kind::PngPalette ? 3 : kind == Kind::PngRgb ? 2 : 6;
    if (depth != 8 || colourType != wantedType) return u"wrong PNG colour type"_s;
    return {};
}

bool write(const QDir& dir, const QString& name, const QImage& picture, Kind kind,
           const QSize& size, const QList<QRgb>& palette = {}) {
    const QString path = dir.filePath(name);
    if (picture.size() != size) {
        std::fprintf(stderr, "%s: drawn at the wrong size\n", qPrintable(name));
        return false;
    }
    QImage out;
    switch (kind) {
        case Kind::PngRgba:
            out = picture.convertToFormat(QImage::Format_ARGB32);
            break;
        case Kind::PngRgb:
            out = picture.convertToFormat(QImage::Format_RGB888);
            break;
        case Kind::PngPalette:
        case Kind::BmpPalette:
            out =
                art::toIndexed(picture, palette.isEmpty() ? art::buildPalette({picture}) : palette);
            break;
    }
    const char* format = kind == Kind::BmpPalette ? "BMP" : "PNG";
    if (!out.save(path, format)) {
        std::fprintf(stderr, "%s: cannot write\n", qPrintable(path));
        return false;
    }
    if (const QString problem = checkHeader(path, kind, size); !problem.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(problem));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    // No display is needed: text is laid out through fontconfig, drawing happens in memory.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: kestrune-art PICTURE_FOLDER ICON_THEME_FOLDER\n");
        return 2;
    }
    QDir dir(args.at(1));
    const QDir themes(args.at(2));
    if (!dir.mkpath(u"."_s)) {
        std::fprintf(stderr, "%s: cannot create\n", qPrintable(args.at(1)));
        return 1;
    }

    struct Picture {
        QString name;
        std::function<QImage()> draw;
        Kind kind;
        QSize size;
    };
    const QList<Picture> pictures{
        {u"quit.png"_s, art::quitPicture, Kind::PngRgba, {32, 32}},
        {u"help.png"_s, art::helpPicture, Kind::PngRgba, {32, 32}},
        {u"copy.png"_s, art::copyPicture, Kind::PngRgba, {32, 32}},
        {u"print.png"_s, art::printPicture, Kind::PngRgba, {32, 32}},
        {u"done.png"_s, art::donePicture, Kind::PngRgba, {32, 32}},
        {u"defaults.png"_s, art::defaultsPicture, Kind::PngRgba, {51, 32}},
        {u"save.png"_s, art::savePicture, Kind::PngRgba, {51, 32}},
        {u"reset.png"_s, art::resetPicture, Kind::PngRgba, {51, 32}},
        {u"calctime.png"_s, art::calcTimePicture, Kind::PngRgba, {17, 17}},
        {u"calcvalues.png"_s, art::calcValuesPicture, Kind::PngRgba, {17, 17}},
        {u"mchip.png"_s, art::picChipPicture, Kind::PngRgba, {55, 35}},
        {u"sxturbo.png"_s, art::sxChipPicture, Kind::PngRgba, {55, 35}},
        {u"icon.png"_s, [] { return art::iconPicture(32); }, Kind::PngPalette, {32, 32}},
        {u"emblem.png"_s, art::emblemPicture, Kind::PngRgb, {32, 32}},
    };
    bool ok = true;
    for (const Picture& p : pictures) ok = write(dir, p.name, p.draw(), p.kind, p.size) && ok;

    // Each size drawn afresh, so small icons stay crisp and large ones sharp.
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QString folder = u"hicolor/%1x%1/apps"_s.arg(size);
        if (!themes.mkpath(folder)) {
            std::fprintf(stderr, "%s: cannot create\n", qPrintable(themes.filePath(folder)));
            return 1;
        }
        const QImage icon = art::iconPicture(size);
        ok = write(QDir(themes.filePath(folder)), u"org.example.Kestrune.png"_s, icon,
                   Kind::PngRgba, {size, size}) && ok;
    }

    // The frames share one palette, so the background never flickers between frames.
    const QList<QImage> frames = art::logoFrames();
    if (frames.size() != 20) {
        std::fprintf(stderr, "logo: %d frames drawn, 20 wanted\n", static_cast<int>(frames.size()));
        return 1;
    }
    const QList<QRgb> palette = art::buildPalette(frames);
    for (int i = 0; i < frames.size(); ++i) {
        const QString name = QString::number(101 + i) + u".bmp"_s;
        ok = write(dir, name, frames.at(i), Kind::BmpPalette, {144, 53}, palette) && ok;
    }
    return ok ? 0 : 1;
}
