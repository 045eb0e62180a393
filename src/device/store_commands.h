#pragma once

#include "device/command_report.h"
#include "device/result_code.h"

#include <array>
#include <cstdint>

// The short commands around a profile write: the write bracket, the store commands that make the mouse
// keep what it received, and the profile selection.
namespace storecommands {

constexpr uint8_t kBracketBegin = 0;
constexpr uint8_t kBracketEnd = 1;

constexpr uint8_t kStoreTarget = 0xF3; // byte 4 of every store command
// What each store command keeps (byte 5), in the order they are sent.
constexpr std::array<uint8_t, 5> kStoreOrder = {0x04, 0x01, 0x02, 0x08, 0x10};
constexpr uint8_t kStoreProfile = 0x01; // the one selectProfile() follows with

CommandReport writeBracket(uint8_t which);
CommandReport store(uint8_t what);
CommandReport selectProfile(uint8_t profile);

} // namespace storecommands

// which: 0 opens, 1 closes the write. The report's result.
ResultCode sendWriteBracket(uint8_t which);
// The five store commands in order; the first nonzero result ends them and is returned (kResultMouseOff
// for a store that only silence accepted).
ResultCode storeAll();
// Makes profile 0 to 4 current and stores the profile setting. The mouse does not echo the selection, so
// its result tells only a selection that could not be written (nothing more is sent then); the store's
// result is left to the storeAll() that follows it.
ResultCode selectProfile(uint8_t profile);
// The slot menu's switch: with the battery reader stopped, selectProfile() and, when the selection was
// written, storeAll(); the reader is started again afterwards. The first failing result (kResultMouseOff
// when only silence accepted a store).
ResultCode switchProfile(uint8_t profile);
