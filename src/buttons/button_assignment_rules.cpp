#include "buttons/button_assignment_rules.h"

#include "buttons/button_catalog.h"
#include "device/button_upload.h"
#include "device/device_code_table.h"
#include "storage/config_file.h"
#include "storage/macro_file.h"

#include <algorithm>

namespace buttonrules {
namespace {

constexpr int kLeft = 1;
constexpr int kLeftButtonRecord = 0;
constexpr uint8_t kKeyEntryLow = 0x05;
constexpr uint8_t kPressHigh = 0x80;
constexpr uint8_t kReleaseHigh = 0x00;

struct FireButton {
    KeyCode key;
    uint8_t target; // the fire target that stands for the button
};
constexpr FireButton kFireButtons[] = {{240, 0x81}, {241, 0x82}, {242, 0x84}};

// Only the records the mouse receives count: a left click kept on a record it never gets would let the
// mouse lose its last one.
bool holdsLastLeftClick(const ProfileData &profile, int record) {
    if (profile.buttons[static_cast<std::size_t>(record)].function != kLeft || !recordReachesMouse(record))
        return false;
    int leftClicks = 0;
    for (int r = 0; r < ProfileData::kButtonCount; ++r)
        leftClicks += recordReachesMouse(r) && profile.buttons[static_cast<std::size_t>(r)].function == kLeft;
    return leftClicks == 1;
}

// Moves the entries from position on two places back (the last two drop off) and writes a press and a
// release of key there, so that keys inserted at 0, 1, 2 nest: their releases follow in reverse order.
void insertPressRelease(ButtonAssignment &record, int position, KeyCode key) {
    const HidUsage usage = KeyCodeToHid(key).value_or(0);
    auto at = record.keys.begin() + position;
    std::move_backward(at, record.keys.end() - 2, record.keys.end());
    at[0] = {usage, kKeyEntryLow, kPressHigh};
    at[1] = {usage, kKeyEntryLow, kReleaseHigh};
}

// The fire target of a key: the mouse button's code, else the key's HID usage (0 for a key without one).
uint8_t fireTarget(KeyCode key) {
    for (const FireButton &button : kFireButtons) {
        if (button.key == key)
            return button.target;
    }
    return KeyCodeToHid(key).value_or(0);
}

} // namespace

ChoiceResult chooseFunction(ProfileData &profile, int record, int function) {
    Q_ASSERT(record >= 0 && record < ProfileData::kButtonCount);
    if (function != kLeft && holdsLastLeftClick(profile, record))
        return ChoiceResult::LastLeftClick;
    if (function == devicecode::kGunFile && record == kLeftButtonRecord)
        return ChoiceResult::GunOnLeftButton;
    if ((function == devicecode::kMacro || function == devicecode::kGunFile) && config::macroCount() == 0)
        return ChoiceResult::NoMacros;
    if (buttoncatalog::takesParameters(function))
        return ChoiceResult::OpenDialog;
    profile.buttons[static_cast<std::size_t>(record)].function = function;
    return ChoiceResult::Ok;
}

void assignSingleKey(ButtonAssignment &record, KeyCode key) {
    record.setSingleKey(key);
    record.function = devicecode::kSingleKey;
}

void assignCombo(ButtonAssignment &record, const QVector<KeyCode> &keys) {
    record.keys.fill({});
    const int count = std::min(static_cast<int>(keys.size()), ButtonAssignment::kMaxKeys / 2);
    for (int n = 0; n < count; ++n)
        insertPressRelease(record, n, keys[n]);
    record.keyNumber = 2 * count;
    record.function = devicecode::kCombo;
}

void assignFireKey(ButtonAssignment &record, KeyCode key, int times, int delay) {
    record.setFireTarget(fireTarget(key));
    record.setFireTimes(times);
    record.setFireDelay(delay);
    record.function = devicecode::kFire;
}

KeyCode fireKeyOf(uint8_t target) {
    if (target == 0)
        return kFireButtons[0].key;
    for (const FireButton &button : kFireButtons) {
        if (button.target == target)
            return button.key;
    }
    return HidToKeyCode(target).value_or(0);
}

void assignSniper(ButtonAssignment &record, uint8_t value) {
    record.setSniperStep(value);
    record.function = devicecode::kSniper;
}

FileResult assignMacro(ButtonAssignment &record, int function, const QString &name, int loopCount,
                       uint8_t loopMode) {
    if (macrofile::macroFilePath(name).isEmpty())
        return FileResult::InvalidName;
    record.function = function;
    record.loopNumber = loopCount;
    record.setLoopMode(loopMode);
    record.macroName = name;
    record.keys.fill({});
    record.keyNumber = 0;
    return macrofile::readMacroForButton(name, record);
}

} // namespace buttonrules
