#include "platform/linux/x11_pointer_settings.h"

#include <QtGlobal>
#include <X11/Xlib.h>

namespace {
constexpr int kSpeedPerUnit = 5; // speed steps per unit of acceleration
}

X11PointerSettings::X11PointerSettings() : m_display(XOpenDisplay(nullptr)) {}

X11PointerSettings::~X11PointerSettings() {
    if (m_display)
        XCloseDisplay(m_display);
}

X11PointerSettings::Acceleration X11PointerSettings::accelerationForSpeed(int speed) {
    return {qBound(kMinSpeed, speed, kMaxSpeed), kSpeedPerUnit};
}

int X11PointerSettings::speedForAcceleration(int numerator, int denominator) {
    if (denominator <= 0 || numerator <= 0)
        return kMinSpeed;
    const int speed = (numerator * kSpeedPerUnit + denominator / 2) / denominator;
    return qBound(kMinSpeed, speed, kMaxSpeed);
}

int X11PointerSettings::speed() {
    if (!m_display)
        return 0;
    int numerator = 0, denominator = 0, threshold = 0;
    XGetPointerControl(m_display, &numerator, &denominator, &threshold);
    return speedForAcceleration(numerator, denominator);
}

bool X11PointerSettings::setSpeed(int speed) {
    if (!m_display)
        return false;
    const Acceleration acceleration = accelerationForSpeed(speed);
    XChangePointerControl(m_display, True, False, acceleration.numerator, acceleration.denominator, 0);
    XSync(m_display, False);
    return true;
}
