#include "device/hid/hid_backend.h"

uint16_t HidBackend::releaseNumber(const std::string &path) {
    for (const HidDeviceInfo &info : enumerate()) {
        if (info.path == path)
            return info.releaseNumber;
    }
    return 0;
}
