#pragma once

#include "device/result_code.h"

#include <QString>

// What one profile write did. The files and the mouse are written one after the other and either may fail
// alone: the mouse is still written when the configuration could not be stored.
struct ProfileWriteOutcome {
    ResultCode result = kResultOk; // the mouse's result code
    bool saved = true;             // the configuration and the profile file were stored

    bool done() const { return result == kResultOk && saved; }
};

// The text the window and korvanectl show for an outcome, translated; empty when everything was done. A
// configuration that was not stored is told first, with whether the mouse was written.
QString outcomeMessage(const ProfileWriteOutcome &outcome);
