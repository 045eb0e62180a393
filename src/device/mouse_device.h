#pragma once

#include "device/device_access.h"
#include "device/device_table.h"
#include "device/hid/hid_backend.h"
#include "device/hotplug_change.h"
#include "device/interface_class.h"
#include "platform/device_event.h"

#include <QString>
#include <array>
#include <atomic>
#include <memory>
#include <vector>

// Knows which HID interfaces belong to the mouse and holds the open handles. One instance serves the
// whole process (see instance()); everything runs on the GUI thread except commandHandle(), which the
// worker threads call.
class MouseDevice {
public:
    // The vendor id whose interfaces enumeration lists in the debug output.
    static constexpr uint16_t kTracedVendorId = 0x248A;

    explicit MouseDevice(HidBackend &backend);
    ~MouseDevice();
    MouseDevice(const MouseDevice &) = delete;
    MouseDevice &operator=(const MouseDevice &) = delete;

    // The process-wide device link; null until the program sets one.
    static MouseDevice *instance();
    static void setInstance(MouseDevice *device);

    // Entry 0 from the description's ids and the configuration's "Mouse_List/0"; flags and paths cleared.
    void initDeviceTable();
    // Fills slots from all HID interfaces; never clears a flag or a path. 0, or -1 when init fails.
    int enumerateDevices();
    // Opens both collections of each connection whose two slots are present, for every entry named
    // name. Open handles are not closed first.
    void openByName(const char *name);
    // How far the last openByName() got: Absent (no connection has both collections), Denied (a node
    // refused this user), Failed (not opened for another reason) or Ready (a command handle is open;
    // whether the mouse answers takes a request, see probeAccess()).
    DeviceAccess access() const;
    // The slot whose node refused this user in the last openByName(), or -1.
    int deniedSlot() const;
    void closeAll();
    void shutdownHid();

    // The cable's command handle if open, else the receiver's, else null.
    HidHandle *commandHandle() const;
    HidHandle *handle(int slot) const { return m_handles[slot].load(); }
    // Release number of the last cable command collection enumerated; 0 = never seen.
    uint32_t cableReleaseNumber() const { return m_cableReleaseNumber.load(); }

    // Applies a hot-plug event to the table, one change per entry it concerns. A removal of a
    // collection already absent leaves its entry out.
    std::vector<HotplugChange> applyDeviceEvent(const DeviceEvent &event);

    // Kind and ids from a Windows HID interface path (case-insensitive, first matching pattern wins).
    static InterfaceClass classifyInterfacePath(const QString &path);

    const DeviceTable &table() const { return *m_table; }
    DeviceTable &table() { return *m_table; }
    HidBackend &backend() const { return m_backend; }

private:
    void storePath(DeviceEntry &entry, int slot, const std::string &path);

    HidBackend &m_backend;
    std::unique_ptr<DeviceTable> m_table;
    std::array<std::atomic<HidHandle *>, kSlotCount> m_handles;
    std::atomic<uint32_t> m_cableReleaseNumber{0};
    // errno of each slot's failed open in the last openByName(), 0 for one that opened or was not tried.
    std::array<int, kSlotCount> m_openErrors{};
};
