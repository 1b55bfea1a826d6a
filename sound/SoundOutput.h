#pragma once

#include <QByteArray>

namespace sound {

// Audio output pulls in a large part of the system's media stack, so it lives in a library
// of its own beside the program, loaded when the first sound is asked for.
inline constexpr char kLibraryName[] = "kestrune_sound";
inline constexpr char kEntryPoint[] = "kestruneCreateSoundOutput";

// Plays RIFF WAVE images asynchronously, cutting short the sound already playing. A sound
// that cannot be played is not heard; nothing is reported.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    virtual void play(const QByteArray& waveImage) = 0;
};

}  // namespace sound
