#include "ui/SoundModule.h"

#include <utility>

#include "ui/PluginInterface.h"

namespace ui {

SoundModule::SoundModule(const QString& libraryPath) : plugin_(libraryPath) {}

SoundModule::~SoundModule() {
    if (loader_.joinable()) loader_.join();
}

void SoundModule::play(const QByteArray& waveImage) {
    switch (stage_) {
    case Stage::Ready:
        output_->play(waveImage);
        return;
    case Stage::Unavailable:
        return;
    case Stage::Idle:
        stage_ = Stage::Requested;
        QMetaObject::invokeMethod(this, &SoundModule::startLoading, Qt::QueuedConnection);
        [[fallthrough]];
    case Stage::Requested:
    case Stage::Loading:
        waiting_ = waveImage;  // a newer sound cuts the older one short, as it would playing
        return;
    }
}

void SoundModule::startLoading() {
    if (stage_ != Stage::Requested) return;
    stage_ = Stage::Loading;
    loader_ = std::thread([this] {
        plugin_.load();  // success or not, the user-interface thread looks at it when joined
        QMetaObject::invokeMethod(this, &SoundModule::finishLoading, Qt::QueuedConnection);
    });
}

void SoundModule::finishLoading() {
    switch (stage_) {
    case Stage::Requested:
        plugin_.load();
        break;
    case Stage::Loading:
        loader_.join();
        break;
    case Stage::Idle:
    case Stage::Ready:
    case Stage::Unavailable:
        return;
    }
    // A plug-in that did not load is not tried again: the program stays silent. The output is
    // made here, on the user-interface thread, where the audio output must live.
    auto* maker = plugin_.isLoaded() ? pluginInterface<sound::SoundOutputMaker>(plugin_) : nullptr;
    if (maker) output_ = maker->makeOutput();
    stage_ = output_ ? Stage::Ready : Stage::Unavailable;
    const std::optional<QByteArray> waiting = std::exchange(waiting_, std::nullopt);
    if (output_ && waiting) output_->play(*waiting);
}

}  // namespace ui
