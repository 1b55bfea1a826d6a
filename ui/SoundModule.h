#pragma once

#include <QByteArray>
#include <QObject>
#include <QPluginLoader>

#include <memory>
#include <optional>
#include <thread>

#include "sound/SoundOutput.h"

namespace ui {

// Plays sounds through the sound plug-in. The first sound sets the loading going once the
// event loop runs, on a thread of its own, so neither the window's start nor its first paint
// waits for the media stack; the latest sound asked for meanwhile plays as soon as the plug-in
// is in. Without the plug-in the program is silent.
class SoundModule : public QObject {
public:
    explicit SoundModule(const QString& libraryPath);
    ~SoundModule() override;

    void play(const QByteArray& waveImage);
    // Completes the loading now, however far it has got, and starts the sound waiting for
    // it: for when the event loop is about not to run.
    void finishLoading();

private:
    enum class Stage { Idle, Requested, Loading, Ready, Unavailable };

    void startLoading();

    QPluginLoader plugin_;
    std::thread loader_;
    Stage stage_ = Stage::Idle;
    std::optional<QByteArray> waiting_;
    std::unique_ptr<sound::SoundOutput> output_;
};

}  // namespace ui
