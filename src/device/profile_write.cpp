#include "device/profile_write.h"

#include "device/battery_control.h"
#include "device/button_upload.h"
#include "device/dpi_stages.h"
#include "device/lighting_blocks.h"
#include "device/result_code.h"
#include "device/settings_block.h"
#include "device/store_commands.h"
#include "device/write_session.h"
#include "storage/macro_links.h"

namespace {

// Refusals before the write bracket opens: a write that would fail halfway would leave the mouse with
// buttons pointing at macros it never received, and a macro whose file is gone would be sent as an empty
// one, so the button would do nothing. Packs the session's button table on the way.
ResultCode packButtons(WriteSession &session) {
    if (packButtonTable(session) > kMaxMacroImages)
        return kResultTooManyMacros;
    if (macrolinks::missingMacroRecord(session.deviceCopy.profile, recordReachesMouse) >= 0)
        return kResultMacroMissing;
    return kResultOk;
}

} // namespace

ResultCode writeProfile(const AppConfig &config, int flags, uint8_t capability) {
    // An empty record, or one without a left click, would take every click from the mouse.
    if (!config.profile.filled || !sendsLeftClick(config.profile))
        return kResultNoProfile;
    // The battery reader shares the command handle; it must be quiet before the first report.
    BatteryControl::stop();
    WriteSession session;
    session.deviceCopy = config;
    if (flags & writeflags::kButtons) {
        if (const ResultCode refused = packButtons(session)) {
            BatteryControl::start();
            return refused;
        }
    }
    // The reports in the order the mouse takes them. The first failing step ends the write and leaves the
    // reader stopped.
    if (const ResultCode r = sendWriteBracket(storecommands::kBracketBegin))
        return r;
    if (const ResultCode r = sendSettingsBlock(session.deviceCopy))
        return r;
    if (flags & writeflags::kButtons) {
        if (const ResultCode r = sendButtonTable(session))
            return r;
    }
    if (flags & writeflags::kDpiStages) {
        if (const ResultCode r = sendDpiStages(session, capability))
            return r;
    }
    if (flags & writeflags::kLighting) {
        if (const ResultCode r = sendLighting(session))
            return r;
    }
    if (flags != 0) {
        if (const ResultCode r = storeAll())
            return r;
    }
    if (const ResultCode r = packMacroImages(session))
        return r;
    if (const ResultCode r = sendMacros(session))
        return r;
    if (const ResultCode r = sendWriteBracket(storecommands::kBracketEnd))
        return r;
    BatteryControl::start();
    return kResultOk;
}
