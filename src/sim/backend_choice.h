#pragma once

#include "device/hid/hid_backend.h"

#include <QObject>
#include <QStringList>
#include <memory>

class DeviceNotifier;
class VirtualMouse;

// The HID backend the program runs on, chosen once at start-up by the program's main(): hidapi, or the
// virtual mouse when the environment sets KORVANE_VIRTUAL_MOUSE=1 or the command line holds --virtual.
struct HidBackendChoice {
    std::unique_ptr<HidBackend> backend;
    VirtualMouse *virtualMouse = nullptr; // set when backend is the virtual mouse
};

bool virtualMouseRequested(const QStringList &arguments = {});
// The virtual mouse takes its USB ids from the device description. With KORVANE_HID_TRACE=FILE every
// report written and read is also appended to FILE.
HidBackendChoice chooseHidBackend(bool useVirtual = virtualMouseRequested());
HidBackendChoice chooseUntracedBackend(bool useVirtual = virtualMouseRequested());
// Hot-plug events from the virtual mouse when there is one, otherwise from the system (udev).
std::unique_ptr<DeviceNotifier> createDeviceNotifier(VirtualMouse *virtualMouse, QObject *parent = nullptr);
