// The pictures and sounds carried in the program keep the formats the program relies on; the
// real desktop loads the sound and printing libraries from the program's folder when they are
// first used, and is silent, or says why it cannot print, when they are missing.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include "ui/PicturePreload.h"
#include "ui/QtDesktop.h"
#include "ui/Resources.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// A number as the little-endian bytes of a file header.
QByteArray le(quint32 value, int size = 4) {
    QByteArray bytes;
    for (int at = 0; at < size; ++at) bytes += char(value >> (8 * at) & 0xff);
    return bytes;
}

bool mappedIntoThisProcess(const char* library) {
    QFile maps(u"/proc/self/maps"_s);
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library);
}

}  // namespace

class TestResources : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Runs first: nothing before it may load the sound library.
    void soundLibraryLoadsWithTheFirstSound() {
        QVERIFY(!mappedIntoThisProcess("libQt6Multimedia"));
        ui::QtDesktop desktop(prefs::FileLocations::beside(QStringLiteral(KESTRUNE_PROGRAM_FOLDER)));
        desktop.playWave(ui::waveResource(u"pop"_s));
        desktop.playWave(ui::waveResource(u"drip"_s));
        // The loading waits for the event loop, so the window's start never waits for it.
        QVERIFY(!mappedIntoThisProcess("libkestrune_sound"));
        QTRY_VERIFY(mappedIntoThisProcess("libkestrune_sound"));
        QVERIFY(mappedIntoThisProcess("libQt6Multimedia"));
        QVERIFY(!mappedIntoThisProcess("libQt6PrintSupport"));
        desktop.playWave(ui::waveResource(u"snapshot"_s));
        QTest::qWait(20);
    }

    void missingLibrariesMeanSilenceAndAComplaint() {
        QTemporaryDir emptyFolder;
        ui::QtDesktop desktop(prefs::FileLocations::beside(emptyFolder.path()));
        desktop.playWave(ui::waveResource(u"elvis"_s));
        desktop.blockingWait(0);
        desktop.playWave(ui::waveResource(u"pop"_s));
        const QString complaint = desktop.printListing(nullptr, u"\treturn"_s);
        QVERIFY2(complaint.startsWith(u"Printing is not available ("_s) && complaint.contains(emptyFolder.path()), qPrintable(complaint));
        // Asked again, it says the same and does not hang or crash.
        QCOMPARE(desktop.printListing(nullptr, u"\treturn"_s), complaint);
    }

    void soundsArePcmMonoWaves() {
        // The player takes 8- or 16-bit PCM in a plain 44-byte header whose sizes agree with the image.
        for (const char* name : {"donuts", "drip", "Elvis", "pop", "SNAPSHOT"}) {
            const QByteArray wave = ui::waveResource(QLatin1StringView(name));
            const quint32 bytes = quint32(wave.size()), rate = qFromLittleEndian<quint32>(wave.constData() + 24);
            const quint16 bits = qFromLittleEndian<quint16>(wave.constData() + 34);
            QVERIFY2(bits == 8 || bits == 16, name);
            QCOMPARE(wave.left(44), "RIFF" + le(bytes - 8) + "WAVEfmt " + le(16) + le(1, 2) + le(1, 2) + le(rate) + le(rate * bits / 8) +
                                        le(bits / 8, 2) + le(bits, 2) + "data" + le(bytes - 44));
        }
        QVERIFY(ui::waveResource(u"nothing"_s).isEmpty());
    }

    void pictures() {
        // The logo's 20 frames fill its 144 x 53 label; a frame half-way round differs from the resting one.
        for (int frame = 101; frame <= 120; ++frame) QCOMPARE(ui::pictureResource(QString::number(frame)).size(), QSize(144, 53));
        QVERIFY(ui::pictureResource(u"111"_s).toImage() != ui::pictureResource(u"101"_s).toImage());
        QCOMPARE(QImage(u":/pictures/icon"_s).format(), QImage::Format_Indexed8);  // 256 colours
        QVERIFY(!QImage(u":/pictures/emblem"_s).hasAlphaChannel());
        QVERIFY(!ui::pictureResource(u"MCHIP"_s).isNull());  // names ignore case
    }

    void preloadHandsOverTheSamePictures() {
        const auto image = [](const QString& name) { return ui::pictureResource(name).toImage(); };
        ui::PicturePreload preload({u"quit"_s, u"101"_s, u"Mchip"_s});
        QCOMPARE(preload.take(u"MCHIP"_s).toImage(), image(u"mchip"_s));
        // Asked for again, or never listed, a picture is read afresh; "quit" is never taken.
        for (const QString& name : {u"101"_s, u"101"_s, u"help"_s}) QCOMPARE(preload.take(name).toImage(), image(name));
        QVERIFY(preload.take(u"nothing"_s).isNull());
    }
};

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
