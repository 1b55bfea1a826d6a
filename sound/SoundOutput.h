#pragma once

#include <QByteArray>
#include <QtPlugin>

#include <memory>

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

// The plug-in's one object. Qt shares it among all who load the plug-in and deletes it when
// the program ends, after the audio service has gone; so it only makes the outputs, and each
// output is its caller's, gone before the program is.
class SoundOutputMaker {
public:
    virtual ~SoundOutputMaker() = default;
    virtual std::unique_ptr<SoundOutput> makeOutput() = 0;
};

}  // namespace sound

#define KESTRUNE_SOUND_OUTPUT_MAKER_IID "org.example.Kestrune.SoundOutputMaker/1.0"
Q_DECLARE_INTERFACE(sound::SoundOutputMaker, KESTRUNE_SOUND_OUTPUT_MAKER_IID)
