#include "device/battery_control.h"

#include <atomic>

namespace {
std::atomic<BatteryControl *> g_control{nullptr};
}

void BatteryControl::install(BatteryControl *control) {
    g_control.store(control);
}

void BatteryControl::stop() {
    if (BatteryControl *control = g_control.load())
        control->stopBatteryThread();
}

void BatteryControl::start() {
    if (BatteryControl *control = g_control.load())
        control->startBatteryThread();
}
