#pragma once

#include "platform/device_event.h"

#include <QHash>

// What each hidraw node was when it arrived. A removed node's parent HID device is gone, so its
// removal is classified from this record; a node never seen gives kind none and ids 0.
class HidrawNodeRegistry {
public:
    void remember(const DeviceEvent &arrival);
    // The removal event for path; the record is dropped.
    DeviceEvent removal(const QString &path);
    bool contains(const QString &path) const { return m_nodes.contains(path); }

private:
    QHash<QString, DeviceEvent> m_nodes;
};
