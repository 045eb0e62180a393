#pragma once

#include "device/command_report.h"
#include "storage/config_file.h"

#include <QString>
#include <cstdint>

// One battery report (command 0x48 from the mouse), as the battery reader and korvanectl read it.
struct BatteryReport {
    int raw = 0;        // voltage counts: high byte x 256 + low byte
    int millivolts = 0; // from raw
    int level = 10;     // 10..100, against the full mark the report was decoded with
    bool charging = false;
    uint8_t writeStatus = 0; // 0: the mouse's stored settings may differ from the files
    uint8_t capability = 0;  // what the firmware supports; the stage encoding depends on it
    // Voltage and charge flag all zero: the mouse is off or asleep, and the write status means nothing.
    bool off = true;
};

// What the battery and status reports mean to the user: the battery level from the reported voltage,
// the connection state, and the on-screen texts for changes made with the mouse's own buttons.
namespace battery {

// The fields of a battery report; the command byte is not checked.
BatteryReport decodeReport(const CommandReport &reply, int fullMillivolts = config::kDefaultBatteryFull);

// Millivolts from the report's raw value (high byte × 256 + low byte).
int millivolts(int raw);
// 10..100 in steps of 10; 100 at or above fullMillivolts.
int level(int raw, int fullMillivolts = config::kDefaultBatteryFull);

// 0 cable only, 1 receiver with cable or receiver while charging, 2 receiver, 3 neither.
enum ConnectionState { kCableOnly = 0, kReceiverCharging = 1, kReceiverOnly = 2, kDisconnected = 3 };
ConnectionState connectionState(bool cablePresent, bool receiverPresent, bool charging);
// The battery bar is shown for a mouse running on its battery and when nothing is connected.
bool batteryBarShown(ConnectionState state);
bool receiverPictureShown(ConnectionState state);

// "125 HZ" .. "1000 HZ" for the rate codes 8, 4, 2, 1; empty for any other code.
QString rateText(uint8_t rateCode);

} // namespace battery
