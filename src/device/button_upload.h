#pragma once

#include "device/result_code.h"
#include "storage/profile_data.h"

// The button table (command 0x03) and the macro images (command 0x05) of a profile write, packed from the
// device copy of the configuration. sendButtonTable() fills the macro numbers that sendMacros() uses, so
// it must come first. Both return the first nonzero report result, else 0.
ResultCode sendButtonTable();

// Packs the button table of the device copy and numbers its macros, without sending anything; returns
// how many different macros the buttons name. sendButtonTable() packs the same way.
int packButtonTable();

// Whether a profile's button record reaches the mouse: the model's buttons (as many as the description
// names, at most the button matrix) and the two wheel steps. The others are kept in the profile only.
bool recordReachesMouse(int record);

// Whether a button the mouse receives gives the left click: a profile without one would leave the mouse
// without a click, so it is never sent.
bool sendsLeftClick(const ProfileData &profile);

// kResultTooManyMacros, with nothing sent, when the buttons name more macros than kMaxMacroImages.
ResultCode sendMacros();

// Macro numbers the mouse plays; a button table naming more macros cannot be served.
constexpr int kMaxMacroImages = 12;
