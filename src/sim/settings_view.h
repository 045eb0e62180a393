#pragma once

#include <QColor>
#include <array>
#include <cstdint>

class VirtualMouse;

// What the virtual mouse holds of the settings, DPI and lighting blocks, decoded the way the firmware
// reads them: a snapshot taken from the raw blocks when the view is made.
class SettingsView {
public:
    static constexpr int kProfileSlots = 5;
    static constexpr int kStageCount = 8;
    static constexpr int kLightingBlocks = 10;

    struct Settings {
        std::array<uint8_t, kProfileSlots> scrollSpeeds{};
        uint8_t sensorByte = 0;
        uint8_t profileId = 0;
        uint8_t ledMoveOff = 0;
        uint8_t ledSleepTime = 0;
        uint8_t debounce = 0;
        uint8_t sensorMode = 0; // without the wake bit
        bool wake = false;
        std::array<uint8_t, kProfileSlots> pollRates{};
        uint8_t fixed = 0;
        uint8_t dpiStage = 0;
        uint8_t ledModeCode = 0;
    };

    // Slider positions, and the DPI they stand for on the sensor; -1 positions (DPI 0) when the bytes fit
    // no position of that sensor.
    struct Stage {
        bool used = false;
        int x = 0;
        int y = 0;
        int dpiX = 0;
        int dpiY = 0;
    };

    struct LightingBlock {
        bool enabled = false;
        QColor colour;
        uint8_t effect = 0;
        uint8_t speed = 0;
        uint8_t pattern = 0;
        uint8_t bright = 0;
    };

    explicit SettingsView(const VirtualMouse &mouse);

    const Settings &settings() const { return m_settings; }
    QColor stageColour(int stage) const;
    // The stage as the given sensor reads it.
    Stage stage(int index, int sensorId) const;
    LightingBlock lightingBlock(int block) const;
    // The block the settings block's lighting mode plays (mode code 1 to 10 -> block 0 to 9); -1 when
    // the code names no block.
    int currentModeBlock() const;

private:
    Settings m_settings;
    std::array<uint8_t, 3 * kStageCount> m_colours{};
    std::array<std::array<uint8_t, 5>, kStageCount> m_stages{};
    std::array<std::array<uint8_t, 8>, kLightingBlocks> m_lighting{};
};
