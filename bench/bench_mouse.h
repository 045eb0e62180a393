#pragma once

#include "device/device_entry.h"
#include "device/mouse_device.h"
#include "sim/virtual_mouse.h"
#include "storage/config_file.h"
#include "storage/description_file.h"

#include <memory>

// The virtual mouse, on its receiver, opened as the program's mouse for as long as this object lives.
class BenchMouse {
public:
    BenchMouse() {
        int vid1 = 0, pid1 = 0, vid2 = 0, pid2 = 0;
        description::deviceIds(vid1, pid1, vid2, pid2);
        m_mouse =
            std::make_unique<VirtualMouse>(uint16_t(vid1), uint16_t(pid1), uint16_t(vid2), uint16_t(pid2));
        m_mouse->unplug(kCable);
        m_device = std::make_unique<MouseDevice>(*m_mouse);
        MouseDevice::setInstance(m_device.get());
        m_device->initDeviceTable();
        m_device->enumerateDevices();
        m_device->openByName(config::currentProductName().toLatin1().constData());
    }
    ~BenchMouse() {
        m_device->closeAll();
        MouseDevice::setInstance(nullptr);
    }
    BenchMouse(const BenchMouse &) = delete;
    BenchMouse &operator=(const BenchMouse &) = delete;

    VirtualMouse &mouse() { return *m_mouse; }

private:
    std::unique_ptr<VirtualMouse> m_mouse;
    std::unique_ptr<MouseDevice> m_device;
};
