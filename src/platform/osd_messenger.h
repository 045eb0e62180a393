#pragma once

#include "platform/osd_record.h"

// Sends notifications to the on-screen-display program, starting it when it is not running.
class OsdMessenger {
public:
    static constexpr const char *kOsdName = "Wireless Mouse OSD";
    virtual ~OsdMessenger() = default;
    // True when the OSD program took the record.
    virtual bool send(const OsdRecord &record) = 0;
};
