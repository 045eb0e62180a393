#pragma once

#include <thread>

// Reads the system's font configuration on a thread of its own while the program starts. The window's first
// text otherwise reads it on the spot: parsing every configuration file of the font library took a fifth
// of the time until the window was mapped, while the other core sat idle. The library sets its
// configuration up once for the whole process, and the toolkit then finds it ready.
class FontWarmUp {
public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;

    // Waits until the configuration is read; call it before the first text is laid out, so that the
    // toolkit does not start reading it a second time meanwhile.
    void wait();

private:
    std::thread m_thread;
};
