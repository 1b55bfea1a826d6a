#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QObject>

#include <memory>

class QAudioSink;

namespace ui {

// Plays RIFF WAVE images (PCM, 8 or 16 bits) from memory on the default audio output. The
// audio service is only opened on the first request. A new request stops the sound that is
// playing before its bytes are released.
class WavePlayer : public QObject {
    Q_OBJECT
public:
    explicit WavePlayer(QObject* parent = nullptr);
    ~WavePlayer() override;

    void play(const QByteArray& waveImage);

private:
    void stop();

    std::unique_ptr<QAudioSink> sink_;
    QByteArray samples_;
    QBuffer buffer_;
};

}  // namespace ui
