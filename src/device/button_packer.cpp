#include "device/button_packer.h"

#include "device/device_code_table.h"
#include "device/dpi_encoding.h"
#include "keys/key_tables.h"
#include "storage/button_matrix.h"
#include "storage/config_file.h"
#include "storage/description_file.h"

namespace {

constexpr int kComboEntriesRead = 10;
constexpr int kFireKeyNumberFloor = 20; // a fire delay below this is sent as the shortest, 2
// A fire key without a chosen button: the left button (0x81), three shots, the shortest delay.
constexpr uint8_t kFireDefault[3] = {0x81, 3, 2};
constexpr uint8_t kMacroLoopWhileDown = 0x80;  // loop mode 1
constexpr uint8_t kMacroLoopUntilPress = 0x40; // loop mode 2
constexpr uint8_t kNoLoopCount = 0xFF;         // bytes 2 and 3 of a macro that repeats by the key
constexpr uint8_t kSniperMarker = 1;
constexpr uint8_t kSniperFallback = 4; // sensors without a sniper encoding

uint8_t lowByte(int value) {
    return static_cast<uint8_t>(value & 0xFF);
}
uint8_t secondByte(int value) {
    return static_cast<uint8_t>((value >> 8) & 0xFF);
}

// Byte 0 of a function's entry, the kind of function the mouse sees.
uint8_t kindOf(int function) {
    ButtonEntry row{};
    devicecode::entryOf(function, row);
    return row[0];
}

// Bit of a modifier key in the combo entry's modifier byte; 0 for any other key.
int modifierBit(KeyCode code) {
    switch (code) {
    case 29:
    case 238:
        return 1; // Ctrl
    case 42:
    case 54:
        return 2; // Shift
    case 56:
    case 239:
        return 4; // Alt
    case 91:
    case 92:
        return 8; // Win
    default:
        return 0;
    }
}

// The key list holds a press and a release of every modifier, so the bits are counted twice.
ButtonEntry comboEntry(const ButtonAssignment &button) {
    int modifiers = 0;
    uint8_t key = 0;
    for (int i = 0; i < kComboEntriesRead; ++i) {
        const uint8_t usage = button.keys[static_cast<std::size_t>(i)].type;
        if (usage == 0)
            continue;
        const int bit = modifierBit(HidToKeyCode(usage).value_or(0));
        if (bit != 0)
            modifiers += bit;
        else
            key = usage;
    }
    return {kindOf(devicecode::kCombo), static_cast<uint8_t>(modifiers / 2), key, 0};
}

ButtonEntry fireEntry(const ButtonAssignment &button) {
    if (button.fireTarget() == 0)
        return {kindOf(devicecode::kFire), kFireDefault[0], kFireDefault[1], kFireDefault[2]};
    // The fire delay goes to the mouse divided by ten.
    const uint8_t step = button.fireDelay() < kFireKeyNumberFloor ? 2 : lowByte(button.fireDelay() / 10);
    return {kindOf(devicecode::kFire), button.fireTarget(), lowByte(button.fireTimes()), step};
}

// The sniper DPI in the register form of the configured sensor.
uint8_t sniperValue(uint8_t value) {
    switch (config::sensorType()) {
    case 3325:
        return registerTable('A').at(value);
    case 3327:
        return registerTable('F').at(value);
    case 3360:
        return static_cast<uint8_t>(value - 1);
    case 3389:
    case 3212:
    case 3104:
        return value;
    case 3335:
        return registerTable('L').at(value);
    default:
        return kSniperFallback;
    }
}

// Loop mode 0 sends the loop count; 1 and 2 flag the macro number and repeat without count; any other
// mode leaves byte 1 as the table held it.
void packMacro(WriteSession &session, ButtonAssignment &button, int function, uint8_t *entry) {
    QMap<QString, int> &numbers = session.macroNumbers;
    int number = macroNumberOf(session, button.macroName);
    if (number == buttontable::kNoMacroMapped || number == buttontable::kMacroNotMapped) {
        number = numbers.size();
        numbers.insert(button.macroName, number);
    }
    entry[0] = kindOf(function);
    const uint8_t m = lowByte(number);
    switch (button.loopMode()) {
    case 0:
        entry[1] = m;
        entry[2] = lowByte(button.loopNumber);
        entry[3] = secondByte(button.loopNumber);
        break;
    case 1:
        entry[1] = m | kMacroLoopWhileDown;
        entry[2] = kNoLoopCount;
        entry[3] = kNoLoopCount;
        break;
    case 2:
        entry[1] = m | kMacroLoopUntilPress;
        entry[2] = kNoLoopCount;
        entry[3] = kNoLoopCount;
        break;
    default:
        entry[2] = lowByte(button.loopNumber);
        entry[3] = secondByte(button.loopNumber);
        break;
    }
    button.setMacroNumber(m);
}

} // namespace

std::optional<int> buttonSlot(int selector) {
    using namespace buttontable;
    if (selector == kWheelUpSelector || selector == kWheelDownSelector) {
        const bool reversed = description::scrollReverse() == 1;
        return reversed ? kWheelUpSelector + kWheelDownSelector - selector : selector;
    }
    // The matrix covers the first 16 buttons only; a model with more must not read past it.
    if (selector < 0 || selector >= ButtonMatrix::kSize)
        return std::nullopt;
    const int value = ButtonMatrix::instance().table()[static_cast<std::size_t>(selector)];
    if (value > kLastSlot)
        return std::nullopt;
    return value;
}

void packButton(WriteSession &session, int record, int selector) {
    if (record < 0 || record >= ProfileData::kButtonCount)
        return;
    const std::optional<int> slotOfSelector = buttonSlot(selector);
    if (!slotOfSelector)
        return;
    const int slot = *slotOfSelector;
    WriteSession::ButtonTable &table = session.buttonTable;
    table[0] = buttontable::kHeader0;
    table[1] = buttontable::kHeader1;
    uint8_t *entry = table.data() + buttontable::entryOffset(slot);
    ButtonAssignment &button = session.deviceCopy.profile.buttons[static_cast<std::size_t>(record)];

    ButtonEntry packed{};
    switch (button.function) {
    case devicecode::kMacro:
    case devicecode::kGunFile:
        packMacro(session, button, button.function, entry);
        return;
    case devicecode::kSingleKey: {
        const HidUsage usage = KeyCodeToHid(button.singleKey()).value_or(0);
        packed = {kindOf(devicecode::kSingleKey), 0, usage, 0};
        break;
    }
    case devicecode::kCombo:
        packed = comboEntry(button);
        break;
    case devicecode::kFire:
        packed = fireEntry(button);
        break;
    case devicecode::kSniper: {
        const uint8_t value = sniperValue(button.sniperStep());
        packed = {kindOf(devicecode::kSniper), kSniperMarker, value, value};
        break;
    }
    default:
        devicecode::entryOf(button.function, packed);
        break;
    }
    std::copy(packed.begin(), packed.end(), entry);
}

int macroNumberOf(const WriteSession &session, const QString &name) {
    const QMap<QString, int> &numbers = session.macroNumbers;
    if (numbers.isEmpty())
        return buttontable::kNoMacroMapped;
    const auto it = numbers.constFind(name);
    if (it == numbers.constEnd() || *it < 0 || *it >= buttontable::kMacroNotMapped)
        return buttontable::kMacroNotMapped;
    return *it;
}
