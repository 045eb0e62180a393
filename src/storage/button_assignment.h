#pragma once

#include "storage/key_action.h"

#include <QString>
#include <array>
#include <cstdint>

// The function of one button. keys holds key combinations and macros in uploadable form; only the first
// keyNumber entries are in use, but all of them are kept and stored.
struct ButtonAssignment {
    static constexpr int kMaxKeys = 63;

    int32_t id = 0;
    int32_t function = 0; // button function code
    int32_t loopNumber = 0;
    int32_t keyNumber = 0; // entries of keys in use, 0..63
    std::array<KeyAction, kMaxKeys> keys{};
    uint8_t res1 = 0; // loop mode (0, 1 or 2) when a macro is assigned
    uint8_t res2 = 0;
    uint8_t res3 = 0;
    uint8_t res4 = 0;
    QString macroName; // empty when no macro is assigned

    // What the shared fields mean for the functions that carry a parameter, so that no caller reads a bare
    // res1: the single key's key code, the fire key's target (0x81, 0x82, 0x84 for the mouse buttons, else
    // a HID usage), the sniper step, a macro's loop mode (0 count, 1 while held, 2 until pressed again). A
    // fire key keeps its shots in loopNumber and its delay (milliseconds) in keyNumber; res4 is the number
    // the mouse plays a macro button's macro under, set when the button table is packed.
    uint8_t singleKey() const { return res1; }
    void setSingleKey(uint8_t key) { res1 = key; }
    uint8_t fireTarget() const { return res1; }
    void setFireTarget(uint8_t target) { res1 = target; }
    int fireTimes() const { return loopNumber; }
    void setFireTimes(int times) { loopNumber = times; }
    int fireDelay() const { return keyNumber; }
    void setFireDelay(int milliseconds) { keyNumber = milliseconds; }
    uint8_t sniperStep() const { return res1; }
    void setSniperStep(uint8_t step) { res1 = step; }
    uint8_t loopMode() const { return res1; }
    void setLoopMode(uint8_t mode) { res1 = mode; }
    uint8_t macroNumber() const { return res4; }
    void setMacroNumber(uint8_t number) { res4 = number; }

    bool operator==(const ButtonAssignment &other) const;
    bool operator!=(const ButtonAssignment &other) const { return !(*this == other); }
};
