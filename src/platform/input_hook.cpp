#include "platform/input_hook.h"

#include "platform/linux/x_record_input_hook.h"
#include "platform/widget_key_hook.h"
#include "platform/x_keycode_mapping.h"

#include <QGuiApplication>

namespace {
constexpr int kAltScanCode = 0x38;
}

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

InputHook *createInputHook(QObject *parent) {
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        auto *record = new XRecordInputHook(parent);
        if (record->isOpen())
            return record;
        delete record;
    }
    return new WidgetKeyHook(parent, parent);
}
