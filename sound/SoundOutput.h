#pragma once

#include <QByteArray>
#include <QtPlugin>

namespace sound {

// Audio output pulls in a large part of the system's media stack, so it lives in a plug-in
// of its own, loaded when the first sound is asked for.
inline constexpr char kLibraryName[] = "kestrune_sound";

// Plays RIFF WAVE images asynchronously, cutting short the sound already playing. A sound
// that cannot be played is not heard; nothing is reported.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    virtual void play(const QByteArray& waveImage) = 0;
};

}  // namespace sound

#define KESTRUNE_SOUND_OUTPUT_IID "org.example.Kestrune.SoundOutput/1.0"
Q_DECLARE_INTERFACE(sound::SoundOutput, KESTRUNE_SOUND_OUTPUT_IID)
