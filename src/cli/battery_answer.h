#pragma once

#include "device/command_report.h"
#include "device/hid/hid_backend.h"

#include <QElapsedTimer>

// What came back for one status request.
enum class BatteryAnswer {
    Received,   // reply holds the battery report
    ReadFailed, // the link failed to read: the mouse is gone or its node broke
    Silent,     // nothing within the wait: the mouse is asleep or out of reach
};

// Waits up to waitMs for the battery report answering a status request on handle, reading in steps of
// readMs and skipping other reports. A failed read ends the wait at once: a link that cannot be read
// will not answer later, and it is a different fault from a sleeping mouse.
inline BatteryAnswer awaitBatteryReport(HidBackend &backend, HidHandle *handle, CommandReport &reply,
                                        int waitMs, int readMs) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < waitMs) {
        reply.fill(0);
        const int read = backend.readTimeout(handle, reply.data(), reply.size(), readMs);
        if (read < 0)
            return BatteryAnswer::ReadFailed;
        if (read > 0 && reply[report::kCommand] == report::kCmdBattery)
            return BatteryAnswer::Received;
    }
    return BatteryAnswer::Silent;
}
