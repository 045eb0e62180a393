#pragma once

#include "storage/app_config.h"

#include <QMap>
#include <QString>
#include <array>
#include <atomic>
#include <cstdint>

// What the device link keeps between profile writes: the copy of the configuration being written, the
// packed button table, the macro numbers and images, the capability byte the mouse last reported and
// whether the mouse is marked as off. One instance serves the process; the profile-write thread works on
// it while the window waits, the battery thread only sets the capability byte.
class DeviceState {
public:
    static constexpr int kButtonTableSize = 128;
    static constexpr int kMacroSlots = 20;
    static constexpr int kMacroImageSize = 200;

    using ButtonTable = std::array<uint8_t, kButtonTableSize>;
    using MacroImage = std::array<uint8_t, kMacroImageSize>;

    static DeviceState &instance();

    AppConfig &deviceCopy() { return m_deviceCopy; }
    ButtonTable &buttonTable() { return m_buttonTable; }
    // Macro name -> macro number, in the order the button packer met the names.
    QMap<QString, int> &macroNumbers() { return m_macroNumbers; }
    std::array<MacroImage, kMacroSlots> &macroImages() { return m_macroImages; }

    uint8_t capabilityByte() const { return m_capability.load(); }
    void setCapabilityByte(uint8_t value) { m_capability.store(value); }
    bool mouseOff() const { return m_mouseOff.load(); }
    void setMouseOff(bool off) { m_mouseOff.store(off); }

    // Back to the state at start-up (for tests).
    void reset();

private:
    AppConfig m_deviceCopy;
    ButtonTable m_buttonTable{};
    QMap<QString, int> m_macroNumbers;
    std::array<MacroImage, kMacroSlots> m_macroImages{};
    std::atomic<uint8_t> m_capability{0};
    std::atomic<bool> m_mouseOff{false};
};
