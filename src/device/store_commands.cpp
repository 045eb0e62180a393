#include "device/store_commands.h"

#include "device/battery_control.h"
#include "device/result_code.h"
#include "device/send_report.h"

namespace storecommands {

CommandReport writeBracket(uint8_t which) {
    return report::makeCommand(report::kCmdWriteBracket, which);
}

CommandReport store(uint8_t what) {
    return report::makeCommand(report::kCmdStore, kStoreTarget, what);
}

CommandReport selectProfile(uint8_t profile) {
    return report::makeCommand(report::kCmdSelectProfile, profile);
}

} // namespace storecommands

ResultCode sendWriteBracket(uint8_t which) {
    return sendCommand(storecommands::writeBracket(which));
}

ResultCode storeAll() {
    for (uint8_t what : storecommands::kStoreOrder) {
        if (const ResultCode result = sendCommand(storecommands::store(what)))
            return result;
    }
    return kResultOk;
}

ResultCode selectProfile(uint8_t profile) {
    if (const ResultCode result = sendCommand(storecommands::selectProfile(profile)))
        return result;
    // storeAll() stores the profile setting again right after and its result tells whether the mouse kept it.
    (void)sendCommand(storecommands::store(storecommands::kStoreProfile));
    return kResultOk;
}

ResultCode switchProfile(uint8_t profile) {
    // The reader shares the command handle and would take the stores' echoes.
    BatteryControl::stop();
    // A selection that was never written would leave the mouse on its old profile behind stores that
    // succeed, so it ends the switch.
    ResultCode result = selectProfile(profile);
    if (result == kResultOk)
        result = storeAll();
    // Unlike a failed write there is nothing half-sent to guard: the reader goes on telling the battery.
    BatteryControl::start();
    return result;
}
