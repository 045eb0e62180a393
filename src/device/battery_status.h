#pragma once

#include "storage/config_file.h"

#include <QString>
#include <cstdint>

// What the battery and status reports mean to the user: the battery level from the reported voltage,
// the connection state, and the on-screen texts for changes made with the mouse's own buttons.
namespace battery {

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
