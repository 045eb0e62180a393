#include "platform/headless_pointer_settings.h"

#include <QtGlobal>

bool HeadlessPointerSettings::setSpeed(int speed) {
    m_speed = qBound(kMinSpeed, speed, kMaxSpeed);
    ++m_setCount;
    return true;
}
