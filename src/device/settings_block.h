#pragma once

#include "device/command_report.h"
#include "device/result_code.h"
#include "storage/app_config.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The settings block (command 0x01): sensor options, current profile, sleep, report rate, active DPI
// stage and lighting mode, optionally followed by the colours of the eight DPI stages.
namespace settingsblock {

constexpr int kProfileSlots = 5;

// Offsets inside the block's data (report byte 8 onwards).
constexpr std::size_t kScrollSpeeds = 0; // one per profile slot
constexpr std::size_t kSensorByte = 5;
constexpr std::size_t kProfileId = 6;
constexpr std::size_t kLedMoveOff = 7;
constexpr std::size_t kLedSleepTime = 8;
constexpr std::size_t kDebounce = 9;
constexpr std::size_t kSensorMode = 10;
constexpr std::size_t kPollRates = 11; // one per profile slot
constexpr std::size_t kFixed = 16;
constexpr std::size_t kDpiStage = 17;
constexpr std::size_t kLedModeCode = 18;
constexpr std::size_t kBlockLength = 19;

constexpr uint8_t kFixedValue = 0x1F;
constexpr uint16_t kBlockAddress = 0x00;

// Bits of the sensor byte besides the lift-off height, set only when the model has the sync options.
constexpr uint8_t kSyncBit = 0x80;
constexpr uint8_t kAngleOffBit = 0x40;
constexpr uint8_t kJitterOffBit = 0x20;
constexpr uint8_t kWakeBit = 0x80; // in the sensor mode byte

// The stage colours: red, green, blue of stages 1 to 8, right after the block.
constexpr uint16_t kColourAddress = 0x13;
constexpr std::size_t kColourLength = 24;

// The mouse's lighting mode for a lighting entry (ledMode 0 to 13); 6 for any larger entry.
uint8_t ledModeCode(int ledMode);

// The sensor byte for the given configuration; syncMode is the description's "SyncMode".
uint8_t sensorByte(const AppConfig &config, int syncMode);

// The reports of one settings write: the block, the colour report when showDpiLed is 1, the closing
// report.
std::vector<CommandReport> reports(const AppConfig &config, int syncMode, int showDpiLed);

} // namespace settingsblock

// Writes the settings block of the given configuration (the device copy), with the description's sync
// and DPI colour switches. The first nonzero report result, else 0.
ResultCode sendSettingsBlock(const AppConfig &config);
