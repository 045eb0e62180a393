// Discovery as the program makes it: the interfaces enumeration reports (any ids, usages and paths, some
// longer than a path field), the hot-plug events that follow and the answer to the probe's status request.
// Every path the device table keeps is one an interface of that kind has; its flags are 0 or 1;
// every change names an entry of the table; a mouse is ready only after a whole battery report.
#include "device/command_report.h"
#include "device/device_access.h"
#include "device/mouse_device.h"
#include "support/fuzz_check.h"
#include "support/fuzz_tree.h"
#include "support/input_bytes.h"
#include "support/scripted_backend.h"

#include <algorithm>
#include <cstring>

namespace {

HidDeviceInfo interfaceFrom(InputBytes &in) {
    static const uint16_t kProducts[] = {ScriptedBackend::kReceiverId, ScriptedBackend::kCableId, 0x0001};
    HidDeviceInfo info;
    const uint8_t choice = in.byte();
    info.vendorId = choice & 0x80 ? in.word() : ScriptedBackend::kVendorId;
    info.productId = kProducts[choice % 3];
    info.usagePage = choice & 0x40 ? in.word() : 1;
    info.usage = choice & 0x20 ? 2 : 0;
    // Up to 511 bytes, past the 254 a path field keeps.
    const std::size_t length = in.byte() + (choice & 0x10 ? 256 : 0);
    // A path is a C string to every backend: it holds no NUL.
    for (const uint8_t c : in.take(length))
        info.path.push_back(c == 0 ? '0' : char(c));
    info.releaseNumber = in.word();
    return info;
}

// Whether slot's path is that of an interface of the slot's kind: whole, or cut to the field's 254
// characters (a cut path opens nothing, so the slot then reads as failed).
bool pathEnumerated(const DeviceEntry &entry, int slot, const std::vector<HidDeviceInfo> &interfaces) {
    const char *kept = entry.path[slot].data();
    if (std::memchr(kept, '\0', DeviceEntry::kPathSize) == nullptr)
        return false;
    for (const HidDeviceInfo &info : interfaces) {
        if (info.path.substr(0, DeviceEntry::kPathSize - 1) == kept &&
            info.usage == entry.criteria[slot].usage)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    InputBytes in(data, size);
    FuzzTree tree;
    ScriptedBackend backend;
    backend.interfaces.clear();
    const int interfaces = in.byte() % 9;
    for (int i = 0; i < interfaces; ++i)
        backend.interfaces.push_back(interfaceFrom(in));
    std::vector<DeviceEvent> events(in.byte() % 5);
    for (DeviceEvent &event : events) {
        const uint8_t choice = in.byte();
        const HidDeviceInfo from = backend.interfaces.empty()
                                       ? HidDeviceInfo()
                                       : backend.interfaces[choice % backend.interfaces.size()];
        event.arrived = choice & 0x80;
        event.kinds = (choice >> 5) & 3;
        event.path = QString::fromStdString(from.path);
        event.vendorId = from.vendorId;
        event.productId = from.productId;
    }
    backend.loadScript(in);

    MouseDevice device(backend);
    fuzz::openMouse(device);
    const DeviceEntry &entry = device.table().entries[0];
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const uint32_t flag = entry.present[presentFlagOfSlot(slot)];
        fuzz::require(flag <= 1, "a present flag is 0 or 1");
        fuzz::require(!flag || pathEnumerated(entry, slot, backend.interfaces),
                      "a present slot keeps the path of an interface of its kind");
    }
    const DeviceAccess access = probeAccess(device);
    const bool answered = std::any_of(backend.delivered.begin(), backend.delivered.end(), [](const auto &r) {
        return r.result == int(report::kSize) && r.bytes[report::kCommand] == report::kCmdBattery;
    });
    fuzz::require(access != DeviceAccess::Ready || (device.commandHandle() && answered),
                  "a mouse is ready only when it gave a whole battery report");
    for (const DeviceEvent &event : events) {
        for (const HotplugChange &change : device.applyDeviceEvent(event)) {
            fuzz::require(change.entry >= 0 && change.entry < int(device.table().count),
                          "a change names an entry of the table");
            fuzz::require(change.connection == kReceiver || change.connection == kCable,
                          "a change names a connection");
        }
    }
    device.closeAll();
    fuzz::require(backend.openHandles == 0, "every handle opened is closed");
    return 0;
}
