#pragma once

#include <array>
#include <cstdint>

// Device slot of each of the first 16 buttons, as the device description gives it: a button's entry in
// the device's button table lies at byte 2 + 4 * slot. Filled each time the configuration is loaded.
class ButtonMatrix {
public:
    static constexpr int kSize = 16;
    using Table = std::array<uint8_t, kSize>;

    static ButtonMatrix &instance();

    const Table &table() const { return m_table; }
    Table &table() { return m_table; }
    // Slot of button; 0 for a button outside the table.
    uint8_t slot(int button) const { return button >= 0 && button < kSize ? m_table[button] : 0; }

private:
    Table m_table{};
};
