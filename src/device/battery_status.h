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

// The voltages a battery report can give: the mouse runs on one lithium-ion cell, which is not below 2.5 V
// while the mouse still answers, nor above 4.5 V while it charges.
constexpr int kMinCellMillivolts = 2500;
constexpr int kMaxCellMillivolts = 4500;

// Whether length bytes read into reply can be believed as a battery report: the whole report arrived, and
// its voltage is one the cell can have, or none at all (the mouse off or asleep, or charging before it has
// measured). The command byte is not checked.
bool isPlausibleReport(const CommandReport &reply, int length);
// Whether length bytes read into reply can be believed as a status report: the whole report arrived, with
// a DPI stage the profile has and a rate code (8, 4, 2 or 1). The command byte is not checked.
bool isPlausibleStatus(const CommandReport &reply, int length);

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
