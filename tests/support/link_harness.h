#pragma once

#include "device/mouse_device.h"
#include "sim/virtual_mouse.h"

#include <QByteArray>
#include <cstring>
#include <memory>
#include <vector>

namespace harness {

using Bytes = std::vector<uint8_t>;

// A mouse device over `hid` with the receiver 248A:8373 and cable 248A:FB01 as entry "Mouse", opened.
inline std::unique_ptr<MouseDevice> openMouse(HidBackend &hid) {
    auto device = std::make_unique<MouseDevice>(hid);
    DeviceEntry &entry = device->table().entries[0];
    entry.vendorId = {0x248A, 0x248A};
    entry.productId = {0x8373, 0xFB01};
    entry.criteria = {{{2, 1}, {0, 1}, {2, 1}, {0, 1}}};
    std::strcpy(entry.name.data(), "Mouse");
    device->table().count = 1;
    device->enumerateDevices();
    device->openByName("Mouse");
    return device;
}

// A 33-byte report from its leading bytes in hex, the rest zero.
inline Bytes report(const char *hex) {
    const QByteArray b = QByteArray::fromHex(hex).leftJustified(33, '\0');
    return Bytes(b.begin(), b.end());
}

// The reports the virtual mouse received (Written) or handed out (Read), in order.
inline std::vector<Bytes> records(const VirtualMouse &mouse, VirtualMouse::Direction direction) {
    std::vector<Bytes> out;
    for (const VirtualMouse::Record &r : mouse.records()) {
        if (r.direction == direction)
            out.push_back(r.bytes);
    }
    return out;
}

} // namespace harness
