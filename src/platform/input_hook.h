#pragma once

#include <QObject>

// Captures keyboard keys while a key dialog is open or a macro records and reports each press, auto-repeated
// press and release as (scan code, flags) with the flags of HookKey (x_keycode_mapping.h); when asked, also
// the left, right and middle mouse buttons. Events arrive on the thread the hook lives in, in the order
// they were typed and clicked.
class InputHook : public QObject {
    Q_OBJECT
public:
    enum class Mode {
        PassOn, // the keys also reach the window that has the focus
        Grab,   // no other program sees the keys while capturing
    };

    explicit InputHook(QObject *parent = nullptr);
    // Starts capturing (a running capture is stopped first); false when keys cannot be captured. The mode
    // applies to keys only: mouse buttons, when asked for, always reach other programs as well.
    virtual bool start(Mode mode, bool withMouseButtons = false) = 0;
    // Ends capturing and any grab; no keyEvent or mouseButtonEvent follows.
    virtual void stop() = 0;
    // True when keys typed in other programs' windows are seen too, false when only those typed into the
    // program's own window are.
    virtual bool systemWide() const = 0;

signals:
    void keyEvent(int scanCode, int flags);
    // A mouse button as macros store it: key code 240 left, 241 right, 242 middle; 1 pressed, 129 released.
    void mouseButtonEvent(int keyCode, int upDownCode);

protected:
    // Reports a key by its X keycode, keeping track of the Alt keys for the flags.
    void deliverXKeycode(unsigned keycode, bool release);
    void forgetHeldKeys() { m_altKeysDown = 0; }
    // Reports a mouse button by its X number (1 left, 2 middle, 3 right); the wheel and other buttons have
    // no key code and are dropped.
    void deliverXButton(unsigned button, bool release);

private:
    unsigned m_altKeysDown = 0; // bit 0 left Alt, bit 1 right Alt
};

// The system-wide capture where the X server offers it (an X11 session with the RECORD extension), else
// one that sees the keys typed into parent's window (parent and its children), or into any of the
// program's windows when parent is null.
InputHook *createInputHook(QObject *parent);
