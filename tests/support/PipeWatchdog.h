#pragma once

#include <QFile>
#include <QStringList>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

// Turns a wait on a named pipe into a test failure instead of a stalled suite: once the time
// is up it opens the pipes for writing, which lets a reader blocked on them go on, and
// remembers that it had to.
class PipeWatchdog {
public:
    explicit PipeWatchdog(QStringList pipes, std::chrono::seconds limit = std::chrono::seconds(5))
        : watcher_([this, pipes = std::move(pipes), limit] {
              std::unique_lock lock(mutex_);
              if (done_.wait_for(lock, limit, [this] { return finished_; })) return;
              expired_ = true;
              for (const QString& pipe : pipes) {
                  const int writer = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK);
                  if (writer >= 0) ::close(writer);
              }
          }) {}
    ~PipeWatchdog() {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_one();
        watcher_.join();
    }
    PipeWatchdog(const PipeWatchdog&) = delete;
    PipeWatchdog& operator=(const PipeWatchdog&) = delete;

    bool expired() const {
        std::lock_guard lock(mutex_);
        return expired_;
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    bool expired_ = false;
    std::thread watcher_;
};
