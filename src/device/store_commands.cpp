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

uint8_t sendWriteBracket(uint8_t which) {
    return sendCommand(storecommands::writeBracket(which));
}

uint8_t storeAll() {
    for (uint8_t what : storecommands::kStoreOrder) {
        if (const uint8_t result = sendCommand(storecommands::store(what)))
            return result;
    }
    return kResultOk;
}

uint8_t selectProfile(uint8_t profile) {
    static_cast<void>(sendCommand(storecommands::selectProfile(profile)));
    static_cast<void>(sendCommand(storecommands::store(storecommands::kStoreProfile)));
    return 1;
}

uint8_t switchProfile(uint8_t profile) {
    // The reader shares the command handle and would take the stores' echoes.
    BatteryControl::stop();
    selectProfile(profile);
    const uint8_t result = storeAll();
    // Unlike a failed write there is nothing half-sent to guard: the reader goes on telling the battery.
    BatteryControl::start();
    return result;
}
