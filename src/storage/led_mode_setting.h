#pragma once

#include <QColor>
#include <cstdint>

// Lighting of one lighting mode. h, s and v are only stored and restored with the profile.
struct LedModeSetting {
    QColor color; // invalid when none is stored
    uint32_t h = 0;
    uint32_t s = 0;
    uint32_t v = 0;
    uint32_t bright = 0; // brightness level
    uint32_t breath = 0; // speed level

    bool operator==(const LedModeSetting &other) const {
        return color == other.color && h == other.h && s == other.s && v == other.v &&
               bright == other.bright && breath == other.breath;
    }
    bool operator!=(const LedModeSetting &other) const { return !(*this == other); }
};
