#pragma once

#include "platform/pointer_settings.h"

// Where the system offers no pointer control the speed is only kept, so the program works the same. In a
// Wayland session the desktop sets the speed itself: there the speed reads as unknown (0), so that the
// profiles keep theirs instead of taking a made-up one.
class HeadlessPointerSettings : public PointerSettings {
public:
    explicit HeadlessPointerSettings(bool desktopSetsSpeed = false) : m_desktopSetsSpeed(desktopSetsSpeed) {}
    int speed() override { return m_desktopSetsSpeed ? 0 : m_speed; }
    bool desktopSetsSpeed() const override { return m_desktopSetsSpeed; }
    bool setSpeed(int speed) override;
    int setCount() const { return m_setCount; }

private:
    bool m_desktopSetsSpeed;
    int m_speed = kDefaultSpeed;
    int m_setCount = 0;
};
