#include "sim/virtual_device_notifier.h"

#include "sim/virtual_mouse.h"

#include <QMetaObject>

VirtualDeviceNotifier::VirtualDeviceNotifier(VirtualMouse &mouse, QObject *parent)
    : DeviceNotifier(parent), m_mouse(mouse) {}

VirtualDeviceNotifier::~VirtualDeviceNotifier() {
    m_mouse.setEventListener({});
}

bool VirtualDeviceNotifier::start() {
    m_mouse.setEventListener([this](const DeviceEvent &event) {
        QMetaObject::invokeMethod(
            this, [this, event] { emit deviceChanged(event); }, Qt::QueuedConnection);
    });
    return true;
}
