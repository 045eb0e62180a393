#include "device/device_state.h"

DeviceState &DeviceState::instance() {
    static DeviceState state;
    return state;
}

void DeviceState::reset() {
    m_deviceCopy = AppConfig();
    m_buttonTable.fill(0);
    m_macroNumbers.clear();
    for (MacroImage &image : m_macroImages)
        image.fill(0);
    m_capability.store(0);
    m_mouseOff.store(false);
}
