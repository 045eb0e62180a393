#pragma once

#include "platform/osd_record.h"

#include <functional>

// Sends notifications to the on-screen-display program, starting it when it is not running.
class OsdMessenger {
public:
    static constexpr const char *kOsdName = "Wireless Mouse OSD";
    virtual ~OsdMessenger() = default;
    // Hands record on without waiting for the OSD program. done(true) follows once the program took it,
    // done(false) once it cannot be reached; done may run inside send or later from the event loop.
    virtual void send(const OsdRecord &record, std::function<void(bool taken)> done) = 0;
};
