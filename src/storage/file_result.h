#pragma once

#include <cstdint>

// Outcome of a profile or macro file operation, for the caller to turn into a message.
enum class FileResult : uint8_t {
    Ok = 0,
    InvalidName = 1, // the name would leave its folder or is no file name at all; nothing was touched
    WriteFailed = 2, // the settings layer could not store the file
    NotFound = 3,    // the file to read does not exist
};
