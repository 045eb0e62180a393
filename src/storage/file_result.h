#pragma once

#include <cstdint>

// Outcome of a profile or macro file operation, for the caller to turn into a message. Never dropped
// silently: a caller that has nothing to do with it says why where it discards it.
// clang-format off
enum class [[nodiscard]] FileResult : uint8_t {
    // clang-format on
    Ok = 0,
    InvalidName = 1, // the name would leave its folder or is no file name at all; nothing was touched
    WriteFailed = 2, // the settings layer could not store the file
    NotFound = 3,    // the file to read does not exist
    Incomplete = 4,  // the file lacks keys the record needs, or is no such file at all; nothing was taken
    OutsideLink = 5, // the file is a link to somewhere outside the configuration folder; nothing written
};
