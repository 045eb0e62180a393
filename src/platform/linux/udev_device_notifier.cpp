#include "platform/linux/udev_device_notifier.h"

#include "platform/hid_report_descriptor.h"
#include "platform/platform_log.h"

#include <QFile>
#include <QSocketNotifier>
#include <cstring>
#include <libudev.h>

UdevDeviceNotifier::UdevDeviceNotifier(QObject *parent) : DeviceNotifier(parent) {}

UdevDeviceNotifier::~UdevDeviceNotifier() {
    delete m_notifier;
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_udev)
        udev_unref(m_udev);
}

bool UdevDeviceNotifier::start() {
    if (m_notifier)
        return true;
    m_udev = udev_new();
    if (m_udev)
        m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (!m_monitor || udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(m_monitor) < 0) {
        qCDebug(lcPlatform, "Unable to watch HID devices: no udev monitor.\n");
        return false;
    }
    m_notifier = new QSocketNotifier(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UdevDeviceNotifier::readEvents);
    // Nodes present before the program started must be known when they go away.
    rememberPresentNodes();
    return true;
}

std::optional<DeviceEvent> UdevDeviceNotifier::describe(udev_device *device) const {
    const char *node = udev_device_get_devnode(device);
    udev_device *hid = udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr);
    if (!node || !hid)
        return std::nullopt;
    const char *hidId = udev_device_get_property_value(hid, "HID_ID");
    const std::optional<hiddescriptor::UsbIds> ids =
        hidId ? hiddescriptor::parseHidId(QString::fromLatin1(hidId)) : std::nullopt;
    if (!ids)
        return std::nullopt;
    DeviceEvent event;
    event.vendorId = ids->vendorId;
    event.productId = ids->productId;
    event.path = QString::fromLocal8Bit(node);
    QFile descriptor(QString::fromLocal8Bit(udev_device_get_syspath(hid)) + "/report_descriptor");
    if (descriptor.open(QIODevice::ReadOnly))
        event.kinds = hiddescriptor::collectionKinds(descriptor.readAll());
    return event;
}

void UdevDeviceNotifier::rememberPresentNodes() {
    udev_enumerate *list = udev_enumerate_new(m_udev);
    if (!list)
        return;
    udev_enumerate_add_match_subsystem(list, "hidraw");
    udev_enumerate_scan_devices(list);
    udev_list_entry *entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(list)) {
        udev_device *device = udev_device_new_from_syspath(m_udev, udev_list_entry_get_name(entry));
        if (!device)
            continue;
        if (const std::optional<DeviceEvent> event = describe(device))
            m_known.remember(*event);
        udev_device_unref(device);
    }
    udev_enumerate_unref(list);
}

void UdevDeviceNotifier::readEvents() {
    // One device per wake-up; the notifier fires again while more are queued.
    if (udev_device *device = udev_monitor_receive_device(m_monitor)) {
        const char *action = udev_device_get_action(device);
        const char *node = udev_device_get_devnode(device);
        DeviceEvent event;
        bool known = false;
        if (action && node && std::strcmp(action, "add") == 0) {
            const std::optional<DeviceEvent> described = describe(device);
            known = described.has_value();
            if (known) {
                event = *described;
                event.arrived = true;
                m_known.remember(event);
            }
        } else if (action && node && std::strcmp(action, "remove") == 0) {
            event = m_known.removal(QString::fromLocal8Bit(node));
            known = true;
        }
        udev_device_unref(device);
        if (known)
            emit deviceChanged(event);
    }
}
