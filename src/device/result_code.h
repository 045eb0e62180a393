#pragma once

#include <cstdint>

// Results of device operations; the first nonzero one ends a multi-report operation. Never dropped
// silently: a caller that has nothing to do with one says why where it discards it.
// clang-format off
enum [[nodiscard]] ResultCode : uint8_t {
    // clang-format on
    kResultOk = 0,
    kResultNoDevice = 1,
    kResultGaveUp = 2,
    kResultWriteError = 4,
    // The mouse is marked as off, or stayed silent where it must echo: asleep or out of reach.
    kResultMouseOff = 5,
    // More different macros among the buttons than the mouse has room for; nothing is sent.
    kResultTooManyMacros = 6,
    // The profile to send was never read whole from its file (or made from the factory defaults), or none
    // of the buttons the mouse receives gives the left click; nothing is sent, so a mouse is never
    // programmed with an empty record or left without a click.
    kResultNoProfile = 7,
    // A button plays a macro whose file is gone (renamed or deleted outside the program); nothing is sent,
    // so the mouse never gets an empty macro in its place.
    kResultMacroMissing = 8,
};

// The text the window and korvanectl show for a nonzero result (untranslated; front ends translate it in
// the "ResultCode" context). Empty for kResultOk.
const char *resultMessage(ResultCode result);
