#pragma once

#include <thread>

// Reading the system's font configuration (dozens of XML files and the font caches) takes
// several milliseconds the first time any text is laid out. Started before QApplication,
// it runs on another core while Qt connects to the display, so the window's first text
// does not wait for it.
class FontConfigWarmUp {
public:
    FontConfigWarmUp();
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

    // Waits for the reading to end, so Qt does not start a second one of its own.
    void finish();

private:
    std::thread reader_;
};
