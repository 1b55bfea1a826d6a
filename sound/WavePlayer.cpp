#include "sound/WavePlayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <QObject>
#include <QtEndian>

#include <optional>

namespace sound {

namespace {

struct PcmImage {
    QAudioFormat format;
    QByteArray samples;
};

quint32 readUInt32(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 readUInt16(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

// Walks the chunks of a RIFF WAVE image; anything but mono or stereo 8/16-bit PCM is refused.
std::optional<PcmImage> parseWave(const QByteArray& image) {
    if (image.size() < 12 || !image.startsWith("RIFF") || image.mid(8, 4) != "WAVE")
        return std::nullopt;
    QAudioFormat format;
    qsizetype at = 12;
    while (at + 8 <= image.size()) {
        const QByteArray id = image.mid(at, 4);
        const qsizetype length = readUInt32(image, at + 4);
        const qsizetype body = at + 8;
        if (length > image.size() - body) return std::nullopt;
        if (id == "fmt " && length >= 16) {
            const quint16 encoding = readUInt16(image, body);
            const quint16 channels = readUInt16(image, body + 2);
            const quint16 bits = readUInt16(image, body + 14);
            if (encoding != 1 || channels < 1 || channels > 2 || (bits != 8 && bits != 16))
                return std::nullopt;
            format.setSampleRate(static_cast<int>(readUInt32(image, body + 4)));
            format.setChannelCount(channels);
            format.setSampleFormat(bits == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
        } else if (id == "data" && format.isValid()) {
            return PcmImage{format, image.mid(body, length)};
        }
        at = body + length + (length & 1);  // chunks are padded to an even length
    }
    return std::nullopt;
}

}  // namespace

WavePlayer::WavePlayer() = default;

WavePlayer::~WavePlayer() { stop(); }

void WavePlayer::play(const QByteArray& waveImage) {
    stop();
    const std::optional<PcmImage> pcm = parseWave(waveImage);
    if (!pcm) return;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(pcm->format)) return;
    samples_ = pcm->samples;
    buffer_.setData(samples_);
    buffer_.open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device, pcm->format);
    // The whole sound goes to the audio service at once, so it plays on even while the
    // program waits at shut-down without serving its event loop.
    sink_->setBufferSize(samples_.size());
    sink_->start(&buffer_);
}

void WavePlayer::stop() {
    if (sink_) {
        sink_->stop();
        sink_.reset();
    }
    buffer_.close();
}

// The plug-in's one object.
class WavePlayerMaker : public QObject, public SoundOutputMaker {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KESTRUNE_SOUND_OUTPUT_MAKER_IID)
    Q_INTERFACES(sound::SoundOutputMaker)
public:
    std::unique_ptr<SoundOutput> makeOutput() override { return std::make_unique<WavePlayer>(); }
};

}  // namespace sound

#include "WavePlayer.moc"
