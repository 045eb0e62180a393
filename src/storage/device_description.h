#pragma once

#include <QColor>
#include <array>
#include <cstdint>

// Factory lighting of one lighting mode, as the device description gives it.
struct DescriptionLed {
    QColor color; // invalid when the description has none
    int32_t bright = 0;
    int32_t breath = 0;
};

// Factory function of one button, as the device description gives it.
struct DescriptionButton {
    int32_t id = 0;
    int32_t function = 0;
    int32_t loopNumber = 0;
    int32_t keyNumber = 0;
    uint8_t res1 = 0;
    uint8_t res2 = 0;
    uint8_t res3 = 0;
    uint8_t res4 = 0;
};

// Everything the factory profile is built from; filled in bulk by description::loadDescription().
struct DeviceDescription {
    static constexpr int kStageCount = 8;
    static constexpr int kLedModeCount = 14;
    static constexpr int kButtonCount = 16;

    uint8_t dpiStage = 0;
    std::array<int32_t, kStageCount> dpiValues{};
    int32_t pollRate = 0;
    uint8_t ledMode = 0;
    uint8_t ledMoveOff = 0;
    std::array<DescriptionLed, kLedModeCount> leds{};
    std::array<DescriptionButton, kButtonCount> buttons{};
};
