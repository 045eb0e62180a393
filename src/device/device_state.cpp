#include "device/device_state.h"

DeviceState &DeviceState::instance() {
    static DeviceState state;
    return state;
}

void DeviceState::reset() {
    m_capability.store(0);
    m_mouseOff.store(false);
}
