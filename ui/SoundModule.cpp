#include "ui/SoundModule.h"

#include <utility>

#include "ui/LibraryModule.h"

namespace ui {

SoundModule::SoundModule(const QString& libraryPath) : library_(libraryPath) {}

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
        library_.load();  // success or not, the user-interface thread looks at it when joined
        QMetaObject::invokeMethod(this, &SoundModule::finishLoading, Qt::QueuedConnection);
    });
}

void SoundModule::finishLoading() {
    switch (stage_) {
    case Stage::Requested:
        library_.load();
        break;
    case Stage::Loading:
        loader_.join();
        break;
    case Stage::Idle:
    case Stage::Ready:
    case Stage::Unavailable:
        return;
    }
    // A library that did not load is not tried again: the program stays silent.
    if (library_.isLoaded()) output_ = createFromLibrary<sound::SoundOutput>(library_, sound::kEntryPoint);
    stage_ = output_ ? Stage::Ready : Stage::Unavailable;
    const std::optional<QByteArray> waiting = std::exchange(waiting_, std::nullopt);
    if (output_ && waiting) output_->play(*waiting);
}

}  // namespace ui
