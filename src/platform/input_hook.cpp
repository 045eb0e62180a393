#include "platform/input_hook.h"

#include "platform/desktop_session.h"
#include "platform/linux/x_record_input_hook.h"
#include "platform/widget_key_hook.h"
#include "platform/x_keycode_mapping.h"

#include <QGuiApplication>
#include <iterator>

namespace {
constexpr int kAltScanCode = 0x38;
// A macro's up/down code: a release carries the release bit, as the flags of a key do.
constexpr int kButtonDown = 0x01, kButtonUp = 0x81;
} // namespace

InputHook::InputHook(QObject *parent) : QObject(parent) {}

void InputHook::deliverXKeycode(unsigned keycode, bool release) {
    // An Alt press carries the Alt flag itself, its release no longer does.
    const HookKey plain = hookKeyForXKeycode(keycode, release, false);
    if (plain.scanCode == kAltScanCode) {
        const unsigned bit = (plain.flags & HookKey::kExtended) ? 2 : 1;
        m_altKeysDown = release ? m_altKeysDown & ~bit : m_altKeysDown | bit;
    }
    const HookKey key = hookKeyForXKeycode(keycode, release, m_altKeysDown != 0);
    if (key.scanCode != 0)
        emit keyEvent(key.scanCode, key.flags);
}

void InputHook::deliverXButton(unsigned button, bool release) {
    constexpr int kLeft = 240, kRight = 241, kMiddle = 242;
    constexpr int kCodes[] = {0, kLeft, kMiddle, kRight};
    if (button == 0 || button >= std::size(kCodes))
        return;
    emit mouseButtonEvent(kCodes[button], release ? kButtonUp : kButtonDown);
}

InputHook *createInputHook(QObject *parent) {
    // Qt may well run on xcb in a Wayland session (Xwayland), where the X server's recording would miss
    // every key typed into a Wayland window: the session decides, not the platform Qt uses.
    if (QGuiApplication::platformName() == QLatin1String("xcb") &&
        desktopsession::systemWideCaptureUsable(desktopsession::current())) {
        auto *record = new XRecordInputHook(parent);
        if (record->isOpen())
            return record;
        delete record;
    }
    return new WidgetKeyHook(parent, parent);
}
