#include "device/pointer_speed.h"

#include "device/device_log.h"

namespace {
// Used from the GUI thread only.
std::unique_ptr<PointerSettings> g_settings;
} // namespace

void installPointerSettings(std::unique_ptr<PointerSettings> settings) {
    g_settings = std::move(settings);
}

PointerSettings &pointerSettings() {
    if (!g_settings)
        g_settings = PointerSettings::create();
    return *g_settings;
}

void applyPointerSpeed(uint8_t speed) {
    if (speed == 0)
        return;
    const bool accepted = pointerSettings().setSpeed(speed);
    // The line is written after every attempt; 0 means the system took the speed.
    qCDebug(lcDevice, "Error in SystemParametersInfo :%d", accepted ? 0 : 1);
}

int readPointerSpeed() {
    return pointerSettings().speed();
}
