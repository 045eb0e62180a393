#pragma once

#include "platform/device_notifier.h"

class VirtualMouse;

// Hot-plug events of the virtual mouse (plug and unplug of its connections), delivered through the
// event loop like the system's own notifications.
class VirtualDeviceNotifier : public DeviceNotifier {
    Q_OBJECT
public:
    explicit VirtualDeviceNotifier(VirtualMouse &mouse, QObject *parent = nullptr);
    ~VirtualDeviceNotifier() override;
    bool start() override;

private:
    VirtualMouse &m_mouse;
};
