#include "platform/hidraw_node_registry.h"

void HidrawNodeRegistry::remember(const DeviceEvent &arrival) {
    m_nodes.insert(arrival.path, arrival);
}

DeviceEvent HidrawNodeRegistry::removal(const QString &path) {
    DeviceEvent event = m_nodes.take(path);
    event.path = path;
    event.arrived = false;
    return event;
}
