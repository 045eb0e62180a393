#pragma once

#include <QColor>
#include <array>
#include <cstdint>

// One DPI stage of a profile, in the DPI units of the sensor.
struct DpiStage {
    uint8_t used = 0;
    uint8_t link = 0; // 1: X and Y change together
    std::array<uint8_t, 2> reserved{};
    uint32_t xy = 0; // combined value; equal to x and y in the factory profile
    uint32_t x = 0;
    uint32_t y = 0;
    QColor color; // invalid when none is stored

    bool operator==(const DpiStage &other) const {
        return used == other.used && link == other.link && xy == other.xy && x == other.x && y == other.y &&
               color == other.color;
    }
    bool operator!=(const DpiStage &other) const { return !(*this == other); }
};
