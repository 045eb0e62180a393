#pragma once

#include "platform/pointer_settings.h"

// Where the system offers no pointer control the speed is only kept, so the program works the same.
class HeadlessPointerSettings : public PointerSettings {
public:
    int speed() override { return m_speed; }
    bool setSpeed(int speed) override;
    int setCount() const { return m_setCount; }

private:
    int m_speed = kDefaultSpeed;
    int m_setCount = 0;
};
