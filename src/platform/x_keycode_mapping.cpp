#include "platform/x_keycode_mapping.h"

namespace {
constexpr unsigned kXKeycodeOffset = 8;
constexpr unsigned kLastPlainCode = 88; // F12: every input code up to here is its own scan code
constexpr unsigned kNumLock = 69;
constexpr unsigned kF13 = 183, kF23 = 193, kF24 = 194;

struct ExtendedKey {
    unsigned inputCode;
    int scanCode;
    bool extended;
};

constexpr ExtendedKey kExtendedKeys[] = {
    {96, 0x1C, true},   // keypad Enter
    {97, 0x1D, true},   // right Ctrl
    {98, 0x35, true},   // keypad slash
    {99, 0x37, true},   // Print Screen
    {100, 0x38, true},  // right Alt
    {102, 0x47, true},  // Home
    {103, 0x48, true},  // Up
    {104, 0x49, true},  // Page Up
    {105, 0x4B, true},  // Left
    {106, 0x4D, true},  // Right
    {107, 0x4F, true},  // End
    {108, 0x50, true},  // Down
    {109, 0x51, true},  // Page Down
    {110, 0x52, true},  // Insert
    {111, 0x53, true},  // Delete
    {119, 0x45, false}, // Pause
    {125, 0x5B, true},  // left Windows
    {126, 0x5C, true},  // right Windows
    {127, 0x5D, true},  // menu
};
} // namespace

HookKey hookKeyForXKeycode(unsigned keycode, bool release, bool altDown) {
    const int state = (release ? HookKey::kKeyUp : 0) | (altDown ? HookKey::kAltDown : 0);
    const unsigned code = keycode - kXKeycodeOffset;
    if (keycode < kXKeycodeOffset)
        return {0, state};
    if (code == kNumLock)
        return {0x45, state | HookKey::kExtended};
    if (code <= kLastPlainCode)
        return {int(code), state};
    if (code >= kF13 && code <= kF23)
        return {int(code - kF13) + 0x64, state};
    if (code == kF24)
        return {0x76, state};
    for (const ExtendedKey &key : kExtendedKeys) {
        if (key.inputCode == code)
            return {key.scanCode, state | (key.extended ? HookKey::kExtended : 0)};
    }
    return {0, state};
}
