#include "sim/backend_choice.h"

#include "device/device_entry.h"
#include "device/hid/hidapi_backend.h"
#include "device/hid/tracing_backend.h"
#include "platform/linux/udev_device_notifier.h"
#include "sim/virtual_device_notifier.h"
#include "sim/virtual_mouse.h"
#include "storage/description_file.h"

#include <QtGlobal>
#include <cerrno>

bool virtualMouseRequested(const QStringList &arguments) {
    return qEnvironmentVariableIntValue("KORVANE_VIRTUAL_MOUSE") == 1 ||
           arguments.contains(QStringLiteral("--virtual"));
}

HidBackendChoice chooseHidBackend(bool useVirtual) {
    HidBackendChoice choice = chooseUntracedBackend(useVirtual);
    const QString tracePath = qEnvironmentVariable("KORVANE_HID_TRACE");
    if (!tracePath.isEmpty()) {
        int vid1 = 0, pid1 = 0, vid2 = 0, pid2 = 0;
        description::deviceIds(vid1, pid1, vid2, pid2);
        choice.backend =
            std::make_unique<TracingBackend>(std::move(choice.backend), tracePath, vid1, pid1, vid2, pid2);
    }
    return choice;
}

HidBackendChoice chooseUntracedBackend(bool useVirtual) {
    HidBackendChoice choice;
    if (!useVirtual) {
        choice.backend = std::make_unique<HidapiBackend>();
        return choice;
    }
    int vid1 = 0, pid1 = 0, vid2 = 0, pid2 = 0;
    description::deviceIds(vid1, pid1, vid2, pid2);
    auto mouse = std::make_unique<VirtualMouse>(static_cast<uint16_t>(vid1), static_cast<uint16_t>(pid1),
                                                static_cast<uint16_t>(vid2), static_cast<uint16_t>(pid2));
    // The program's virtual mouse runs on its battery through the receiver, the usual way it is used;
    // KORVANE_VIRTUAL_CABLE=1 plugs its cable in as well.
    if (qEnvironmentVariableIntValue("KORVANE_VIRTUAL_CABLE") != 1)
        mouse->unplug(kCable);
    // KORVANE_VIRTUAL_ASLEEP=1: a mouse that is there but answers nothing, as one asleep does.
    mouse->setAsleep(qEnvironmentVariableIntValue("KORVANE_VIRTUAL_ASLEEP") == 1);
    // KORVANE_VIRTUAL_NO_ACCESS=1: a mouse plugged in whose nodes this user may not open.
    if (qEnvironmentVariableIntValue("KORVANE_VIRTUAL_NO_ACCESS") == 1)
        mouse->refuseOpens(EACCES);
    choice.virtualMouse = mouse.get();
    choice.backend = std::move(mouse);
    return choice;
}

std::unique_ptr<DeviceNotifier> createDeviceNotifier(VirtualMouse *virtualMouse, QObject *parent) {
    if (virtualMouse)
        return std::make_unique<VirtualDeviceNotifier>(*virtualMouse, parent);
    return std::make_unique<UdevDeviceNotifier>(parent);
}
