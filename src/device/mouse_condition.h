#pragma once

#include <cstdint>

// What the battery reports last told of the mouse, as the window hands it to a profile write. A front
// end that reads no battery report (korvanectl) passes the defaults: the mouse counts as on, with no
// capability reported.
struct MouseCondition {
    // The last battery report read as off or asleep: the write is refused before anything is stored.
    bool off = false;
    // What the firmware says it supports; the DPI stage encoding depends on it.
    uint8_t capability = 0;
};
