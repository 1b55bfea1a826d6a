// The pictures and sounds carried in the program keep the formats the program relies on.
#include <QFile>
#include <QImage>
#include <QTest>
#include <QtEndian>

#include "ui/PicturePreload.h"
#include "ui/Resources.h"

namespace {

QByteArray resourceBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint32 u32(const QByteArray& bytes, int at) { return qFromLittleEndian<quint32>(bytes.constData() + at); }
quint16 u16(const QByteArray& bytes, int at) { return qFromLittleEndian<quint16>(bytes.constData() + at); }

}  // namespace

class TestResources : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sounds_data();
    void sounds();
    void logoFrames();
    void pictures_data();
    void pictures();
    void namesIgnoreCase();
    void preloadHandsOverTheSamePictures();
};

void TestResources::sounds_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("bytes");
    QTest::newRow("donuts") << "donuts" << 8 << 11127 << 25932;
    QTest::newRow("drip") << "drip" << 16 << 22050 << 5708;
    QTest::newRow("elvis") << "Elvis" << 8 << 11127 << 8012;
    QTest::newRow("pop") << "pop" << 8 << 22050 << 9772;
    QTest::newRow("snapshot") << "SNAPSHOT" << 8 << 22050 << 9320;
}

void TestResources::sounds() {
    QFETCH(QString, name);
    QFETCH(int, bits);
    QFETCH(int, rate);
    QFETCH(int, bytes);
    const QByteArray wave = ui::waveResource(name);
    QCOMPARE(wave.size(), bytes);
    QCOMPARE(wave.left(4), QByteArray("RIFF"));
    QCOMPARE(u32(wave, 4), quint32(bytes - 8));
    QCOMPARE(wave.mid(8, 8), QByteArray("WAVEfmt "));
    QCOMPARE(u16(wave, 20), quint16(1));  // PCM
    QCOMPARE(u16(wave, 22), quint16(1));  // mono
    QCOMPARE(u32(wave, 24), quint32(rate));
    QCOMPARE(u32(wave, 28), quint32(rate * bits / 8));
    QCOMPARE(u16(wave, 32), quint16(bits / 8));
    QCOMPARE(u16(wave, 34), quint16(bits));
    QCOMPARE(wave.mid(36, 4), QByteArray("data"));
    QCOMPARE(u32(wave, 40), quint32(bytes - 44));
}

void TestResources::logoFrames() {
    for (int frame = 101; frame <= 120; ++frame) {
        const QByteArray bitmap = resourceBytes(QStringLiteral(":/pictures/%1").arg(frame));
        QCOMPARE(bitmap.left(2), QByteArray("BM"));
        QCOMPARE(qFromLittleEndian<qint32>(bitmap.constData() + 18), 144);
        QCOMPARE(qFromLittleEndian<qint32>(bitmap.constData() + 22), 53);
        QCOMPARE(u16(bitmap, 28), quint16(8));
        QCOMPARE(ui::pictureResource(QString::number(frame)).size(), QSize(144, 53));
    }
    // The lettering turns: a frame half-way round differs from the resting one.
    QVERIFY(ui::pictureResource(QStringLiteral("111")).toImage() != ui::pictureResource(QStringLiteral("101")).toImage());
}

void TestResources::pictures_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    for (const char* name : {"quit", "help", "copy", "print", "done", "emblem", "icon"}) QTest::newRow(name) << name << QSize(32, 32);
    for (const char* name : {"defaults", "save", "reset"}) QTest::newRow(name) << name << QSize(51, 32);
    for (const char* name : {"calctime", "calcvalues"}) QTest::newRow(name) << name << QSize(17, 17);
    for (const char* name : {"mchip", "sxturbo"}) QTest::newRow(name) << name << QSize(55, 35);
}

void TestResources::pictures() {
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QImage image(QStringLiteral(":/pictures/") + name);
    QCOMPARE(image.size(), size);
    QCOMPARE(ui::pictureResource(name).size(), size);
    if (name == QStringLiteral("icon")) QCOMPARE(image.format(), QImage::Format_Indexed8);  // 256 colours
    if (name == QStringLiteral("emblem")) QVERIFY(!image.hasAlphaChannel());
}

void TestResources::namesIgnoreCase() {
    QCOMPARE(ui::pictureResource(QStringLiteral("SXturbo")).toImage(), ui::pictureResource(QStringLiteral("Sxturbo")).toImage());
    QVERIFY(!ui::pictureResource(QStringLiteral("MCHIP")).isNull());
    QCOMPARE(ui::waveResource(QStringLiteral("SNAPSHOT")), ui::waveResource(QStringLiteral("snapshot")));
    QVERIFY(ui::waveResource(QStringLiteral("nothing")).isEmpty());
}

void TestResources::preloadHandsOverTheSamePictures() {
    const auto image = [](const QString& name) { return ui::pictureResource(name).toImage(); };
    ui::PicturePreload preload({QStringLiteral("quit"), QStringLiteral("101"), QStringLiteral("Mchip")});
    QCOMPARE(preload.take(QStringLiteral("MCHIP")).toImage(), image(QStringLiteral("mchip")));
    QCOMPARE(preload.take(QStringLiteral("101")).toImage(), image(QStringLiteral("101")));
    // Asked for again, or never listed, a picture is read afresh; "quit" is never taken.
    QCOMPARE(preload.take(QStringLiteral("101")).toImage(), image(QStringLiteral("101")));
    QCOMPARE(preload.take(QStringLiteral("help")).toImage(), image(QStringLiteral("help")));
    QVERIFY(preload.take(QStringLiteral("nothing")).isNull());
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
