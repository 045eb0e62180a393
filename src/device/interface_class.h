#pragma once

#include "platform/device_event.h"

#include <cstdint>

// What a Windows HID interface path says about itself.
struct InterfaceClass {
    uint8_t kind = kCollectionNone;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
};
