#pragma once

#include <QBuffer>
#include <QByteArray>

#include <memory>

#include "sound/SoundOutput.h"

class QAudioSink;

namespace sound {

// Plays RIFF WAVE images (PCM, 8 or 16 bits) from memory on the default audio output. The
// audio service is only opened on the first request. A new request stops the sound that is
// playing before its bytes are released.
class WavePlayer : public SoundOutput {
public:
    WavePlayer();
    ~WavePlayer() override;

    void play(const QByteArray& waveImage) override;

private:
    void stop();

    std::unique_ptr<QAudioSink> sink_;
    QByteArray samples_;
    QBuffer buffer_;
};

}  // namespace sound
