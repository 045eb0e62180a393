#pragma once

#include "platform/pointer_settings.h"

struct _XDisplay;

// Pointer speed as X pointer acceleration: speed s is an acceleration of s/5 (10 gives the X default
// of 2), applied above the server's threshold, which is left as it is.
class X11PointerSettings : public PointerSettings {
public:
    // Opens its own connection to the display named by DISPLAY; isOpen() tells whether that worked.
    X11PointerSettings();
    ~X11PointerSettings() override;
    X11PointerSettings(const X11PointerSettings &) = delete;
    X11PointerSettings &operator=(const X11PointerSettings &) = delete;

    bool isOpen() const { return m_display != nullptr; }
    int speed() override;
    bool setSpeed(int speed) override;

    struct Acceleration {
        int numerator;
        int denominator;
    };
    static Acceleration accelerationForSpeed(int speed);
    static int speedForAcceleration(int numerator, int denominator);

private:
    _XDisplay *m_display = nullptr;
};
