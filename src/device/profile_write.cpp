#include "device/profile_write.h"

#include "device/battery_control.h"
#include "device/button_upload.h"
#include "device/device_state.h"
#include "device/dpi_stages.h"
#include "device/lighting_blocks.h"
#include "device/result_code.h"
#include "device/settings_block.h"
#include "device/store_commands.h"
#include "storage/macro_links.h"

namespace {

ResultCode sendSections(int flags) {
    const AppConfig &copy = DeviceState::instance().deviceCopy();
    if (const ResultCode r = sendWriteBracket(storecommands::kBracketBegin))
        return r;
    if (const ResultCode r = sendSettingsBlock(copy))
        return r;
    if (flags & writeflags::kButtons) {
        if (const ResultCode r = sendButtonTable())
            return r;
    }
    if (flags & writeflags::kDpiStages) {
        if (const ResultCode r = sendDpiStages(0))
            return r;
    }
    if (flags & writeflags::kLighting) {
        if (const ResultCode r = sendLighting())
            return r;
    }
    if (flags != 0) {
        if (const ResultCode r = storeAll())
            return r;
    }
    if (const ResultCode r = sendMacros())
        return r;
    return sendWriteBracket(storecommands::kBracketEnd);
}

} // namespace

ResultCode writeProfile(const AppConfig &config, int flags) {
    // An empty record, or one without a left click, would take every click from the mouse.
    if (!config.profile.filled || !sendsLeftClick(config.profile))
        return kResultNoProfile;
    // The battery reader shares the command handle; it must be quiet before the first report.
    BatteryControl::stop();
    DeviceState::instance().deviceCopy() = config;
    // Checked before the bracket opens: a write that would fail halfway would leave the mouse with
    // buttons pointing at macros it never received.
    if ((flags & writeflags::kButtons) && packButtonTable() > kMaxMacroImages) {
        BatteryControl::start();
        return kResultTooManyMacros;
    }
    // A macro whose file is gone would be sent as an empty one, and the button would do nothing.
    if ((flags & writeflags::kButtons) &&
        macrolinks::missingMacroRecord(config.profile, recordReachesMouse) >= 0) {
        BatteryControl::start();
        return kResultMacroMissing;
    }
    const ResultCode result = sendSections(flags);
    if (result == kResultOk)
        BatteryControl::start();
    return result;
}
