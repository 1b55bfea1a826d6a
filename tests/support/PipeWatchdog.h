#pragma once

#include <QFile>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

// Turns a wait on a named pipe into a test failure instead of a stalled suite: after five
// seconds it opens the pipes for writing, which lets a reader blocked on them go on, and
// remembers that it had to.
class PipeWatchdog {
public:
    explicit PipeWatchdog(const QStringList& pipes)
        : watcher_([this, pipes](std::stop_token stop) {
              for (int tick = 0; tick < 250; ++tick, std::this_thread::sleep_for(std::chrono::milliseconds(20)))
                  if (stop.stop_requested()) return;
              expired_ = true;
              for (const QString& pipe : pipes)
                  if (const int writer = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK); writer >= 0) ::close(writer);
          }) {}
    bool expired() const { return expired_; }

private:
    std::atomic<bool> expired_ = false;
    std::jthread watcher_;  // last, so it is joined before the flag goes
};
