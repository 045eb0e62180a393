#pragma once

#include <atomic>
#include <cstdint>

// What the device link keeps between profile writes: the capability byte the mouse last reported and
// whether the mouse is marked as off. One instance serves the process; the battery thread sets the
// capability byte, the profile write reads it.
class DeviceState {
public:
    static DeviceState &instance();

    uint8_t capabilityByte() const { return m_capability.load(); }
    void setCapabilityByte(uint8_t value) { m_capability.store(value); }
    bool mouseOff() const { return m_mouseOff.load(); }
    void setMouseOff(bool off) { m_mouseOff.store(off); }

    // Back to the state at start-up (for tests).
    void reset();

private:
    std::atomic<uint8_t> m_capability{0};
    std::atomic<bool> m_mouseOff{false};
};
