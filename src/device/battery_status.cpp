#include "device/battery_status.h"

#include "storage/profile_data.h"

#include <QCoreApplication>

namespace battery {
namespace {
// Raw value scaling: the mouse reports 240 counts per 990 mV.
constexpr int kMillivoltsPerStep = 990;
constexpr int kCountsPerStep = 240;

struct LevelStep {
    int aboveMillivolts;
    int level;
};
constexpr LevelStep kLevels[] = {{4099, 90}, {3999, 80}, {3899, 70}, {3799, 60},
                                 {3699, 50}, {3499, 40}, {3399, 30}, {3199, 20}};

// The report rate codes of 125, 250, 500 and 1000 reports a second.
bool isRateCode(uint8_t code) {
    return code == 8 || code == 4 || code == 2 || code == 1;
}
} // namespace

int millivolts(int raw) {
    return raw * kMillivoltsPerStep / kCountsPerStep;
}

int level(int raw, int fullMillivolts) {
    if (millivolts(raw) >= fullMillivolts)
        return 100;
    // Compared unscaled so that no division rounds a voltage across a bound.
    for (const LevelStep &step : kLevels) {
        if (raw * kMillivoltsPerStep > kCountsPerStep * step.aboveMillivolts + (kCountsPerStep - 1))
            return step.level;
    }
    return 10;
}

bool isPlausibleReport(const CommandReport &reply, int length) {
    if (length != static_cast<int>(report::kSize))
        return false;
    const int raw = reply[report::kBatteryHigh] * 256 + reply[report::kBatteryLow];
    return raw == 0 || (millivolts(raw) >= kMinCellMillivolts && millivolts(raw) <= kMaxCellMillivolts);
}

bool isPlausibleStatus(const CommandReport &reply, int length) {
    return length == static_cast<int>(report::kSize) &&
           reply[report::kStatusDpi] < ProfileData::kStageCount && isRateCode(reply[report::kStatusRate]);
}

BatteryReport decodeReport(const CommandReport &reply, int fullMillivolts) {
    BatteryReport out;
    out.raw = reply[report::kBatteryHigh] * 256 + reply[report::kBatteryLow];
    out.millivolts = millivolts(out.raw);
    out.level = level(out.raw, fullMillivolts);
    out.charging = reply[report::kBatteryCharge] != 0;
    out.writeStatus = reply[report::kBatteryStatus];
    out.capability = reply[report::kBatteryCapability];
    out.off = out.raw == 0 && !out.charging;
    return out;
}

ConnectionState connectionState(bool cablePresent, bool receiverPresent, bool charging) {
    if (cablePresent)
        return receiverPresent ? kReceiverCharging : kCableOnly;
    if (receiverPresent)
        return charging ? kReceiverCharging : kReceiverOnly;
    return kDisconnected;
}

bool batteryBarShown(ConnectionState state) {
    return state == kReceiverOnly || state == kDisconnected;
}

bool receiverPictureShown(ConnectionState state) {
    return state == kReceiverCharging || state == kReceiverOnly;
}

QString rateText(uint8_t rateCode) {
    switch (rateCode) {
    case 8:
        return QCoreApplication::translate("battery", "125 HZ");
    case 4:
        return QCoreApplication::translate("battery", "250 HZ");
    case 2:
        return QCoreApplication::translate("battery", "500 HZ");
    case 1:
        return QCoreApplication::translate("battery", "1000 HZ");
    default:
        return QString();
    }
}

} // namespace battery
