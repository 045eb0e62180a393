#pragma once

#include "device/result_code.h"
#include "storage/app_config.h"

#include <cstdint>

// Section flags of writeProfile(); the profile-write thread always passes kWriteAll.
namespace writeflags {
constexpr int kDpiStages = 2;
constexpr int kButtons = 4; // button table and macro names
constexpr int kLighting = 8;
constexpr int kWriteAll = 15;
} // namespace writeflags

// Sends a whole configuration to the mouse: stops the battery reader, packs a write session of its own
// from config (write_session.h), then sends the write bracket, settings block, buttons, DPI stages,
// lighting, store commands, macro images and the closing bracket, and restarts the battery reader. The
// first nonzero report result ends the write and is returned (the reader then stays stopped); 0 when
// every report was accepted. Refused before anything is sent: kResultNoProfile for a profile record never
// filled, kResultTooManyMacros when the buttons name more macros than the mouse holds, kResultMacroMissing
// when a button's macro file is gone. capability is the byte of the mouse's last battery report; the DPI
// stages are encoded for it.
ResultCode writeProfile(const AppConfig &config, int flags, uint8_t capability);
