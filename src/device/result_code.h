#pragma once

#include <cstdint>

// Results of device operations; the first nonzero one ends a multi-report operation.
enum ResultCode : uint8_t {
    kResultOk = 0,
    kResultNoDevice = 1,
    kResultGaveUp = 2,
    kResultWriteError = 4,
    kResultMouseOff = 5,
    // More macros among the buttons than the mouse has image slots for; nothing of them is sent.
    kResultTooManyMacros = 6,
};
