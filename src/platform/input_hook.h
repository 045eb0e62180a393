#pragma once

#include <QObject>

// Captures keyboard keys while a key dialog is open and reports each press, auto-repeated press and release
// as (scan code, flags) with the flags of HookKey (x_keycode_mapping.h). Events arrive on the thread the
// hook lives in.
class InputHook : public QObject {
    Q_OBJECT
public:
    enum class Mode {
        PassOn, // the keys also reach the window that has the focus
        Grab,   // no other program sees the keys while capturing
    };

    explicit InputHook(QObject *parent = nullptr);
    // Starts capturing (a running capture is stopped first); false when keys cannot be captured.
    virtual bool start(Mode mode) = 0;
    // Ends capturing and any grab; no keyEvent follows.
    virtual void stop() = 0;
    // True when keys typed in other programs' windows are seen too, false when only those typed into the
    // program's own window are.
    virtual bool systemWide() const = 0;

signals:
    void keyEvent(int scanCode, int flags);

protected:
    // Reports a key by its X keycode, keeping track of the Alt keys for the flags.
    void deliverXKeycode(unsigned keycode, bool release);
    void forgetHeldKeys() { m_altKeysDown = 0; }

private:
    unsigned m_altKeysDown = 0; // bit 0 left Alt, bit 1 right Alt
};

// The system-wide capture where the X server offers it (X11 with the RECORD extension), else one that sees
// the keys typed into parent's window (parent and its children), or into any of the program's windows when
// parent is null.
InputHook *createInputHook(QObject *parent);
