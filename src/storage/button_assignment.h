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

    bool operator==(const ButtonAssignment &other) const;
    bool operator!=(const ButtonAssignment &other) const { return !(*this == other); }
};
