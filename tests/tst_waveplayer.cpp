// Playing sounds never holds the program up, whatever the machine's audio and whatever the
// bytes: a machine without an audio device is simply silent.
#include <QTest>

#include "ui/Resources.h"
#include "sound/WavePlayer.h"

class TestWavePlayer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void playsEachSoundAndCutsTheLastShort();
    void refusesWhatIsNotAPlayableWave_data();
    void refusesWhatIsNotAPlayableWave();
};

void TestWavePlayer::playsEachSoundAndCutsTheLastShort() {
    sound::WavePlayer player;
    for (const char* name : {"Elvis", "donuts", "pop", "drip", "SNAPSHOT", "SNAPSHOT"})
        player.play(ui::waveResource(QLatin1StringView(name)));
    // Let the audio service run a little with the last sound playing, then end mid-sound.
    QTest::qWait(50);
}

void TestWavePlayer::refusesWhatIsNotAPlayableWave_data() {
    QTest::addColumn<QByteArray>("image");
    const QByteArray pop = ui::waveResource(QStringLiteral("pop"));
    QByteArray stereo24 = pop;
    stereo24[34] = 24;  // bits per sample
    QByteArray oversized = pop;
    oversized[40] = '\xff';  // data chunk longer than the image
    oversized[41] = '\xff';
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not RIFF") << QByteArray("hello, this is not a sound at all");
    QTest::newRow("header only") << pop.left(12);
    QTest::newRow("cut in the format chunk") << pop.left(30);
    QTest::newRow("24 bits") << stereo24;
    QTest::newRow("data longer than the image") << oversized;
}

void TestWavePlayer::refusesWhatIsNotAPlayableWave() {
    QFETCH(QByteArray, image);
    sound::WavePlayer player;
    player.play(ui::waveResource(QStringLiteral("drip")));
    player.play(image);
}

QTEST_MAIN(TestWavePlayer)
#include "tst_waveplayer.moc"
