#pragma once

#include "storage/button_assignment.h"
#include "storage/dpi_stage.h"
#include "storage/led_mode_setting.h"

#include <QString>
#include <array>
#include <cstdint>

// Everything one profile slot of the mouse holds, plus the system pointer settings applied with it.
// A value type; the reserved bytes are never read or written.
struct ProfileData {
    static constexpr int kStageCount = 8;
    static constexpr int kButtonCount = 42;
    static constexpr int kLedModeCount = 14;

    uint8_t pollRate = 0; // report rate code
    uint8_t dpiStage = 0; // index of the active stage
    uint8_t ledMode = 0;  // lighting mode 0..13
    uint8_t reserved0 = 0;
    uint8_t ledMoveOff = 0; // light off while moving
    uint8_t ledSleepTime = 0;
    std::array<uint8_t, 2> reserved1{};
    std::array<DpiStage, kStageCount> dpiStages{};
    uint8_t mouseSpeed = 0;
    uint8_t doubleClickSpeed = 0;
    uint8_t scrollIsPage = 0;
    uint8_t scrollSpeed = 0; // lines per wheel notch
    uint8_t accelEnable = 0;
    uint8_t acee = 0;
    std::array<uint8_t, 2> reserved2{};
    std::array<ButtonAssignment, kButtonCount> buttons{};
    std::array<LedModeSetting, kLedModeCount> ledModes{};
    QString profileName;
    QString profilePath;
    // True once the record was read from its file, an import or the factory defaults. A record that
    // was never filled holds no click at all, so it is never sent to the mouse. Not stored in files.
    bool filled = false;

    bool operator==(const ProfileData &other) const;
    bool operator!=(const ProfileData &other) const { return !(*this == other); }
};
