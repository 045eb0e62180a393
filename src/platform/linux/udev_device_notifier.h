#pragma once

#include "platform/device_notifier.h"
#include "platform/hidraw_node_registry.h"

#include <optional>

struct udev;
struct udev_device;
struct udev_monitor;
class QSocketNotifier;

// Hot-plug on Linux: a udev monitor on the hidraw subsystem. Each node is classified from its parent
// HID device (HID_ID and report descriptor) and remembered by path, so that its removal, when the
// parent is gone, is classified too.
class UdevDeviceNotifier : public DeviceNotifier {
    Q_OBJECT
public:
    explicit UdevDeviceNotifier(QObject *parent = nullptr);
    ~UdevDeviceNotifier() override;
    bool start() override;

private:
    void readEvents();
    std::optional<DeviceEvent> describe(udev_device *device) const;
    void rememberPresentNodes();

    udev *m_udev = nullptr;
    udev_monitor *m_monitor = nullptr;
    QSocketNotifier *m_notifier = nullptr;
    HidrawNodeRegistry m_known;
};
