#pragma once

#include "app/korvane_widget.h"
#include "device/device_entry.h"
#include "platform/device_notifier.h"
#include "sim/backend_choice.h"
#include "sim/virtual_mouse.h"

#include <memory>

// The main window on the virtual mouse, as `korvane-config --virtual` runs it; without mousePresent the
// receiver and cable are unplugged before the window starts.
class VirtualWindow {
public:
    explicit VirtualWindow(bool mousePresent = true) : m_choice(chooseHidBackend(true)) {
        if (!mousePresent) {
            m_choice.virtualMouse->unplug(kReceiver);
            m_choice.virtualMouse->unplug(kCable);
        }
        window =
            std::make_unique<KorvaneWidget>(*m_choice.backend, createDeviceNotifier(m_choice.virtualMouse));
    }
    ~VirtualWindow() { window.reset(); }

    VirtualMouse &mouse() const { return *m_choice.virtualMouse; }

private:
    HidBackendChoice m_choice;

public:
    std::unique_ptr<KorvaneWidget> window;
};
