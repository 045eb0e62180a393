#pragma once

#include "device/device_entry.h"

#include <array>
#include <cstdint>

// Room for 200 mouse models; the program builds entry 0 only, but every operation walks `count`.
struct DeviceTable {
    static constexpr uint32_t kMaxEntries = 200;
    uint32_t count = 0;
    std::array<DeviceEntry, kMaxEntries> entries{};
};
