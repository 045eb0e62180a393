#pragma once

#include <QString>
#include <cstdint>
#include <string>

// One HID interface (top-level collection) as enumeration reports it.
struct HidDeviceInfo {
    std::string path; // the backend's path, passed back to HidBackend::open
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    QString serialNumber;
    uint16_t releaseNumber = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
};
