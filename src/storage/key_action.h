#pragma once

#include <cstdint>

// One key entry of a button: the same (type, high, low) triple as one macro step, kept here in the
// order the button table holds it.
struct KeyAction {
    uint8_t type = 0;
    uint8_t low = 0;
    uint8_t high = 0;

    bool operator==(const KeyAction &other) const {
        return type == other.type && low == other.low && high == other.high;
    }
    bool operator!=(const KeyAction &other) const { return !(*this == other); }
};
