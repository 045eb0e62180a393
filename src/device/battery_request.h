#pragma once

#include "device/battery_status.h"

class MouseDevice;

// What came back for one status request.
enum class BatteryAnswer {
    Received,    // the battery report arrived
    Invalid,     // a battery report arrived, but cut short or with a voltage no cell has: no valid answer
    WriteFailed, // the request could not be sent
    ReadFailed,  // the link failed to read: the mouse is gone or its node broke
    Silent,      // nothing within the wait: the mouse is asleep or out of reach
};

// Sends the status request on the device's command handle and waits up to waitMs for the battery report
// that answers it, reading in steps of readMs and skipping other reports; out is decoded against the
// configured full mark, and left as it was for an answer that cannot be believed. A failed read ends the wait
// at once: a link that cannot be read will not answer later, and it is a different fault from a sleeping
// mouse.
BatteryAnswer requestBatteryReport(MouseDevice &device, BatteryReport &out, int waitMs = 1500,
                                   int readMs = 50);
