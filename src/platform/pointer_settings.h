#pragma once

#include <memory>

// The system's pointer speed on the 1..20 scale the profiles store (10 is the system default).
class PointerSettings {
public:
    static constexpr int kMinSpeed = 1;
    static constexpr int kMaxSpeed = 20;
    static constexpr int kDefaultSpeed = 10;

    virtual ~PointerSettings() = default;
    // The current speed; 0 when it cannot be read.
    virtual int speed() = 0;
    // Sets and keeps the speed (clamped to 1..20); false when the system refused.
    virtual bool setSpeed(int speed) = 0;
    // The desktop keeps the pointer speed in settings of its own (a Wayland session).
    virtual bool desktopSetsSpeed() const { return false; }

    // The X server's pointer settings when an X display is open outside a Wayland session, else a stored
    // value.
    static std::unique_ptr<PointerSettings> create();
};
