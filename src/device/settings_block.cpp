#include "device/settings_block.h"

#include "device/block_write.h"
#include "storage/description_file.h"

#include <array>
#include <iterator>

namespace settingsblock {

namespace {
// Lighting entries 5 to 8 are variants the mouse plays as one mode (6).
constexpr uint8_t kModeCodes[] = {1, 2, 3, 4, 5, 6, 6, 6, 6, 6, 8, 7, 9, 10};
constexpr uint8_t kOtherModeCode = 6;
} // namespace

uint8_t ledModeCode(int ledMode) {
    if (ledMode < 0 || ledMode >= static_cast<int>(std::size(kModeCodes)))
        return kOtherModeCode;
    return kModeCodes[ledMode];
}

uint8_t sensorByte(const AppConfig &config, int syncMode) {
    uint8_t value = config.liftHigh;
    if (syncMode != 0) {
        if (config.sync != 0)
            value |= kSyncBit;
        if (config.angleValue == 0)
            value |= kAngleOffBit;
        if (config.jitter == 0)
            value |= kJitterOffBit;
    }
    return value;
}

std::vector<CommandReport> reports(const AppConfig &config, int syncMode, int showDpiLed) {
    const ProfileData &profile = config.profile;
    std::array<uint8_t, kBlockLength> block{};
    // The mouse keeps a scroll speed and a report rate per profile slot, but the device copy holds only
    // the current profile: its value goes first and copies of it fill the other four slots.
    for (int slot = 0; slot < kProfileSlots; ++slot) {
        block[kScrollSpeeds + slot] = profile.scrollSpeed;
        block[kPollRates + slot] = profile.pollRate;
    }
    block[kSensorByte] = sensorByte(config, syncMode);
    block[kProfileId] = config.profileId;
    block[kLedMoveOff] = profile.ledMoveOff;
    block[kLedSleepTime] = profile.ledSleepTime;
    block[kDebounce] = config.debounce;
    block[kSensorMode] = config.sensorMode | (config.wake != 0 ? kWakeBit : 0);
    block[kFixed] = kFixedValue;
    block[kDpiStage] = profile.dpiStage;
    block[kLedModeCode] = ledModeCode(profile.ledMode);

    std::vector<CommandReport> out;
    out.push_back(blockwrite::dataReport(report::kCmdSettings, kBlockAddress, report::kBlockFirst,
                                         block.data(), block.size()));
    if (showDpiLed == 1) {
        std::array<uint8_t, kColourLength> colours{};
        for (int i = 0; i < ProfileData::kStageCount; ++i) {
            const QColor &c = profile.dpiStages[i].color;
            colours[3 * i] = static_cast<uint8_t>(c.red());
            colours[3 * i + 1] = static_cast<uint8_t>(c.green());
            colours[3 * i + 2] = static_cast<uint8_t>(c.blue());
        }
        out.push_back(blockwrite::dataReport(report::kCmdSettings, kColourAddress, report::kBlockNext,
                                             colours.data(), colours.size()));
    }
    out.push_back(blockwrite::closingReport(report::kCmdSettings));
    return out;
}

} // namespace settingsblock

ResultCode sendSettingsBlock(const AppConfig &config) {
    return blockwrite::sendReports(
        settingsblock::reports(config, description::syncMode(), description::showDpiLed()));
}
