#pragma once

#include "device/result_code.h"
#include "device/write_session.h"
#include "storage/profile_data.h"

// The button table (command 0x03) and the macro images (command 0x05) of a profile write, packed from the
// session's device copy. packButtonTable() numbers the macros that packMacroImages() reads, so it comes
// first. The send steps return the first nonzero report result, else 0.

// Packs the button table of the session's device copy and numbers its macros, without sending anything;
// returns how many different macros the buttons name.
int packButtonTable(WriteSession &session);

// Sends the session's packed button table.
ResultCode sendButtonTable(const WriteSession &session);

// Whether a profile's button record reaches the mouse: the model's buttons (as many as the description
// names, at most the button matrix) and the two wheel steps. The others are kept in the profile only.
bool recordReachesMouse(int record);

// Whether a button the mouse receives gives the left click: a profile without one would leave the mouse
// without a click, so it is never sent.
bool sendsLeftClick(const ProfileData &profile);

// Reads the macro file of every numbered macro button into the image of its number, pausing after each;
// nothing is sent. kResultTooManyMacros, and nothing read on, for a number past kMaxMacroImages.
ResultCode packMacroImages(WriteSession &session);

// Sends every image of the session that holds a macro, then the closing report; nothing when none does.
ResultCode sendMacros(const WriteSession &session);

// Macro numbers the mouse plays; a button table naming more macros cannot be served.
constexpr int kMaxMacroImages = 12;
