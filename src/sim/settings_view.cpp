#include "sim/settings_view.h"

#include "device/dpi_encoding.h"
#include "device/dpi_stages.h"
#include "device/lighting_blocks.h"
#include "device/sensor_dpi.h"
#include "device/settings_block.h"
#include "sim/virtual_mouse.h"

#include <algorithm>

namespace {

constexpr int kUnknown = -1;
constexpr uint8_t kOffsetFlag = 0x80;

int sixteenBits(uint8_t low, uint8_t high) {
    return low | (high << 8);
}

// Positions above the sensor's direct range arrive less an offset, flagged in the high byte.
int flaggedOffset(uint8_t low, uint8_t high, int offset) {
    return high & kOffsetFlag ? sixteenBits(low, high & ~kOffsetFlag & 0xFF) + offset
                              : sixteenBits(low, high);
}

int fromTable(char name, uint8_t value) {
    return registerTable(name).positionOf(value);
}

// The firmware's reading of one axis: the register value and its range byte back to a slider position.
int decodeAxis(int sensorId, uint8_t value, uint8_t range) {
    switch (sensorId) {
    case sensor::k3325:
    case sensor::k33252:
        return range == 0   ? fromTable('A', value)
               : range == 1 ? fromTable('B', value)
                            : fromTable('C', value);
    case sensor::k301:
        for (int v = range & kOffsetFlag ? 103 : 0; v <= (range & kOffsetFlag ? 125 : 102); ++v) {
            if (((5 * v + 1) / 2 & 0xFF) == value)
                return v;
        }
        return kUnknown;
    case sensor::k3311:
    case sensor::k33112:
        return range == 0 ? fromTable('D', value) : fromTable('E', value);
    case sensor::k3370:
        return range == 0 ? value + 1 : value + 101;
    case sensor::k3327:
        return range == 0   ? fromTable('F', value)
               : range == 1 ? fromTable('G', value)
                            : fromTable('H', value);
    case sensor::k3360:
        return range == 0 ? value + 1 : value + 61;
    case sensor::k3389:
        return flaggedOffset(value, range, 160);
    case sensor::k3212:
        return range == 0 ? value : range == 1 ? value + 32 : value + 63;
    case sensor::k3104:
    case sensor::k31042:
        return range == 0 ? value : value + 53;
    case sensor::k3333:
        return range == 0 ? fromTable('J', value) : fromTable('K', value);
    case sensor::k3335:
    case sensor::k33352:
        return range == 0 ? fromTable('L', value) : fromTable('M', value);
    case sensor::k3395:
        return sixteenBits(value, range);
    case sensor::k33952:
        return flaggedOffset(value, range, 260);
    default:
        return kUnknown;
    }
}

} // namespace

SettingsView::SettingsView(const VirtualMouse &mouse) {
    using namespace settingsblock;
    const std::vector<uint8_t> block = mouse.memory(report::kCmdSettings, kBlockAddress, kBlockLength);
    for (int slot = 0; slot < kProfileSlots; ++slot) {
        m_settings.scrollSpeeds[slot] = block[kScrollSpeeds + slot];
        m_settings.pollRates[slot] = block[kPollRates + slot];
    }
    m_settings.sensorByte = block[kSensorByte];
    m_settings.profileId = block[kProfileId];
    m_settings.ledMoveOff = block[kLedMoveOff];
    m_settings.ledSleepTime = block[kLedSleepTime];
    m_settings.debounce = block[kDebounce];
    m_settings.sensorMode = block[kSensorMode] & ~kWakeBit & 0xFF;
    m_settings.wake = block[kSensorMode] & kWakeBit;
    m_settings.fixed = block[kFixed];
    m_settings.dpiStage = block[kDpiStage];
    m_settings.ledModeCode = block[kLedModeCode];

    const std::vector<uint8_t> colours = mouse.memory(report::kCmdSettings, kColourAddress, kColourLength);
    std::copy(colours.begin(), colours.end(), m_colours.begin());

    for (int i = 0; i < kStageCount; ++i) {
        const std::vector<uint8_t> stage =
            mouse.memory(report::kCmdDpiStages, dpistages::kFirstStageAddress + dpistages::kStageStride * i,
                         dpistages::kStageLength);
        std::copy(stage.begin(), stage.end(), m_stages[i].begin());
    }

    const std::vector<uint8_t> lighting =
        mouse.memory(report::kCmdLighting, 0, kLightingBlocks * lightingblocks::kBlockSize);
    for (int b = 0; b < kLightingBlocks; ++b)
        std::copy_n(lighting.begin() + b * lightingblocks::kBlockSize, lightingblocks::kBlockSize,
                    m_lighting[b].begin());
}

QColor SettingsView::stageColour(int stage) const {
    return QColor(m_colours[3 * stage], m_colours[3 * stage + 1], m_colours[3 * stage + 2]);
}

SettingsView::Stage SettingsView::stage(int index, int sensorId) const {
    const std::array<uint8_t, 5> &raw = m_stages[index];
    const uint8_t *dpi = raw.data() + dpistages::kDpiBytes;
    Stage out;
    out.used = raw[dpistages::kUsed] != 0;
    const bool yFirst = sensorId == sensor::k3104 || sensorId == sensor::k31042;
    out.x = decodeAxis(sensorId, dpi[yFirst ? 2 : 0], dpi[yFirst ? 3 : 1]);
    out.y = decodeAxis(sensorId, dpi[yFirst ? 0 : 2], dpi[yFirst ? 1 : 3]);
    out.dpiX = out.x == kUnknown ? 0 : positionToDpi(sensorId, out.x);
    out.dpiY = out.y == kUnknown ? 0 : positionToDpi(sensorId, out.y);
    return out;
}

SettingsView::LightingBlock SettingsView::lightingBlock(int block) const {
    using namespace lightingblocks;
    const std::array<uint8_t, 8> &raw = m_lighting[block];
    LightingBlock out;
    out.enabled = raw[kEnabled] & kEnabledValue;
    out.colour = QColor(raw[kRed], raw[kGreen], raw[kBlue]);
    out.effect = raw[kEffect];
    out.speed = raw[kSpeed];
    out.pattern = raw[kPattern];
    out.bright = raw[kBright];
    return out;
}

int SettingsView::currentModeBlock() const {
    const int block = m_settings.ledModeCode - 1;
    return block >= 0 && block < kLightingBlocks ? block : kUnknown;
}
