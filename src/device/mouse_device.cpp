#include "device/mouse_device.h"

#include "device/device_log.h"
#include "storage/config_file.h"
#include "storage/description_file.h"

#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

std::atomic<MouseDevice *> g_instance{nullptr};

// Copies at most N - 1 bytes and terminates; the fields have fixed sizes.
template <std::size_t N> void copyBounded(std::array<char, N> &field, const char *text, std::size_t length) {
    const std::size_t n = std::min(length, N - 1);
    std::memcpy(field.data(), text, n);
    field[n] = '\0';
}

// Windows interface paths start with "\\?\"; only they carry collection numbers such as "col04".
bool isWindowsInterfacePath(const std::string &path) {
    return path.rfind("\\\\?\\", 0) == 0;
}

bool containsNoCase(const std::string &path, const char *needle) {
    return QString::fromStdString(path).contains(QLatin1String(needle), Qt::CaseInsensitive);
}

// The kernel's answer to a user without read and write access to a node.
bool isPermissionError(int error) {
    return error == EACCES || error == EPERM;
}

bool releaseAccepted(const DeviceEntry &entry, int connection, uint32_t release) {
    return entry.releaseMax[connection] == 0 ||
           (entry.releaseMin[connection] <= release && release <= entry.releaseMax[connection]);
}

} // namespace

MouseDevice::MouseDevice(HidBackend &backend) : m_backend(backend), m_table(std::make_unique<DeviceTable>()) {
    for (auto &h : m_handles)
        h.store(nullptr);
}

MouseDevice::~MouseDevice() {
    closeAll();
    MouseDevice *self = this;
    g_instance.compare_exchange_strong(self, nullptr);
}

MouseDevice *MouseDevice::instance() {
    return g_instance.load();
}

void MouseDevice::setInstance(MouseDevice *device) {
    g_instance.store(device);
}

void MouseDevice::initDeviceTable() {
    // Cleared in place: the table lives as long as the device link.
    m_table->count = 0;
    std::fill(m_table->entries.begin(), m_table->entries.end(), DeviceEntry{});
    DeviceEntry &entry = m_table->entries[0];
    int vid1 = 0, pid1 = 0, vid2 = 0, pid2 = 0;
    description::deviceIds(vid1, pid1, vid2, pid2);
    entry.vendorId = {static_cast<uint32_t>(vid1), static_cast<uint32_t>(vid2)};
    entry.productId = {static_cast<uint32_t>(pid1), static_cast<uint32_t>(pid2)};
    for (int c = 0; c < kConnectionCount; ++c) {
        entry.criteria[mouseSlot(c)] = {hidusage::kMouse, hidusage::kGenericDesktop};
        entry.criteria[commandSlot(c)] = {hidusage::kCommand, hidusage::kGenericDesktop};
    }
    const QByteArray name = config::mouseListEntry().toLatin1();
    copyBounded(entry.name, name.constData(), static_cast<std::size_t>(name.size()));
    m_table->count = 1;
}

void MouseDevice::storePath(DeviceEntry &entry, int slot, const std::string &path) {
    copyBounded(entry.path[slot], path.data(), path.size());
    entry.present[presentFlagOfSlot(slot)] = 1;
}

int MouseDevice::enumerateDevices() {
    if (m_backend.init() != 0)
        return -1;
    for (const HidDeviceInfo &info : m_backend.enumerate()) {
        if (info.vendorId == kTracedVendorId) {
            qCDebug(lcDevice).noquote() << QString::asprintf(
                "Device Found\n  type: %x %x\n  path: %s\n  serial_number: %s\n usge %x uu %x", info.vendorId,
                info.productId, info.path.c_str(), qPrintable(info.serialNumber), info.usage, info.usagePage);
        }
        for (uint32_t i = 0; i < m_table->count; ++i) {
            DeviceEntry &entry = m_table->entries[i];
            for (int slot = 0; slot < kSlotCount; ++slot) {
                const int c = slotConnection(slot);
                if (info.vendorId != entry.vendorId[c] || info.productId != entry.productId[c])
                    continue;
                if (info.usage != entry.criteria[slot].usage ||
                    info.usagePage != entry.criteria[slot].usagePage)
                    continue;
                if (!releaseAccepted(entry, c, info.releaseNumber))
                    continue;
                // Only Windows paths name the collection; elsewhere usage page and usage decide.
                if (slot == kSlotReceiverCommand && isWindowsInterfacePath(info.path) &&
                    !containsNoCase(info.path, "col04"))
                    continue;
                if (slot == kSlotCableCommand)
                    m_cableReleaseNumber.store(info.releaseNumber);
                storePath(entry, slot, info.path);
                qCDebug(lcDevice).noquote()
                    << QString::asprintf("%d %s\n", slot + 1, entry.path[slot].data());
            }
        }
    }
    return 0;
}

void MouseDevice::openByName(const char *name) {
    m_openErrors.fill(0);
    if (m_backend.init() != 0 || m_table->count == 0 || !name)
        return;
    for (uint32_t i = 0; i < m_table->count; ++i) {
        const DeviceEntry &entry = m_table->entries[i];
        // The stored name was cut to its field; a longer name is compared as far as it was kept.
        if (std::strncmp(entry.name.data(), name, DeviceEntry::kNameSize - 1) != 0)
            continue;
        for (int c = 0; c < kConnectionCount; ++c) {
            if (entry.present[mouseFlag(c)] != 1 || entry.present[commandFlag(c)] != 1)
                continue;
            const std::pair<int, HidReportFilter> opens[] = {
                {mouseSlot(c), HidReportFilter::AllReports},
                {commandSlot(c), HidReportFilter::CommandReports}};
            for (const auto &[slot, filter] : opens) {
                HidHandle *opened = m_backend.open(entry.path[slot].data(), filter);
                m_handles[slot].store(opened);
                m_openErrors[slot] = opened ? 0 : m_backend.lastOpenError();
            }
        }
    }
}

DeviceAccess MouseDevice::access() const {
    if (commandHandle())
        return DeviceAccess::Ready;
    bool present = false;
    for (uint32_t i = 0; i < m_table->count; ++i) {
        for (int c = 0; c < kConnectionCount; ++c)
            present = present || (m_table->entries[i].present[mouseFlag(c)] == 1 &&
                                  m_table->entries[i].present[commandFlag(c)] == 1);
    }
    if (!present)
        return DeviceAccess::Absent;
    return deniedSlot() >= 0 ? DeviceAccess::Denied : DeviceAccess::Failed;
}

int MouseDevice::deniedSlot() const {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (isPermissionError(m_openErrors[slot]))
            return slot;
    }
    return -1;
}

void MouseDevice::closeAll() {
    for (auto &h : m_handles) {
        if (HidHandle *open = h.exchange(nullptr))
            m_backend.close(open);
    }
}

void MouseDevice::shutdownHid() {
    m_backend.exit();
}

HidHandle *MouseDevice::commandHandle() const {
    if (HidHandle *cable = m_handles[kSlotCableCommand].load())
        return cable;
    return m_handles[kSlotReceiverCommand].load();
}

std::vector<HotplugChange> MouseDevice::applyDeviceEvent(const DeviceEvent &event) {
    std::vector<HotplugChange> changes;
    const std::string path = event.path.toStdString();
    for (uint32_t i = 0; i < m_table->count; ++i) {
        DeviceEntry &entry = m_table->entries[i];
        int k = -1;
        for (int c = 0; c < kConnectionCount && k < 0; ++c) {
            if (event.vendorId == entry.vendorId[c] && event.productId == entry.productId[c])
                k = c;
        }
        if (k < 0)
            continue;
        HotplugChange change;
        change.entry = static_cast<int>(i);
        change.connection = k;
        const int slotIds[] = {mouseSlot(k), commandSlot(k)};
        const uint8_t kinds[] = {kCollectionMouse, kCollectionCommand};
        if (event.arrived) {
            const uint32_t release = m_backend.releaseNumber(path);
            if (releaseAccepted(entry, k, release)) {
                for (int n = 0; n < 2; ++n) {
                    if (!(event.kinds & kinds[n]))
                        continue;
                    change.isNew = change.isNew || entry.present[presentFlagOfSlot(slotIds[n])] == 0;
                    storePath(entry, slotIds[n], path);
                }
            }
        } else {
            bool touched = false;
            for (int n = 0; n < 2; ++n) {
                uint32_t &flag = entry.present[presentFlagOfSlot(slotIds[n])];
                if ((event.kinds & kinds[n]) && flag == 1) {
                    flag = 0;
                    touched = true;
                }
            }
            if (!touched)
                continue;
        }
        const bool mouse = entry.present[mouseFlag(k)] == 1;
        const bool command = entry.present[commandFlag(k)] == 1;
        change.connectionComplete = mouse && command;
        change.connectionPresent = mouse || command;
        change.entryEmpty =
            std::all_of(entry.present.begin(), entry.present.end(), [](uint32_t f) { return f == 0; });
        changes.push_back(change);
    }
    return changes;
}

InterfaceClass MouseDevice::classifyInterfacePath(const QString &path) {
    struct Pattern {
        const char *text;
        uint8_t kind;
    };
    static const Pattern kPatterns[] = {
        {R"(VID_(?<vid>\w{4})&PID_(?<pid>\w{4})(?:&REV_\w{4})?&MI_00&Col01)", kCollectionMouse},
        {R"(VID_(?<vid>\w{4})&PID_(?<pid>\w{4})(?:&REV_\w{4})?&MI_00&Col04)", kCollectionCommand},
        {R"(VID_(?<vid>\w{4})&PID_(?<pid>\w{4})(?:&REV_\w{4})?&Col01)", kCollectionMouse},
        {R"(VID_(?<vid>\w{4})&PID_(?<pid>\w{4})(?:&REV_\w{4})?&Col04)", kCollectionCommand},
    };
    for (const Pattern &p : kPatterns) {
        const QRegularExpression re(QString::fromLatin1(p.text), QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch m = re.match(path);
        if (!m.hasMatch())
            continue;
        InterfaceClass result;
        result.kind = p.kind;
        result.vendorId = static_cast<uint16_t>(m.captured("vid").toUInt(nullptr, 16));
        result.productId = static_cast<uint16_t>(m.captured("pid").toUInt(nullptr, 16));
        return result;
    }
    return InterfaceClass{};
}
