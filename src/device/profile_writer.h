#pragma once

#include "device/result_code.h"
#include "storage/app_config.h"

#include <cstdint>
#include <functional>

// Sends a configuration to the mouse: (configuration, section flags, capability byte the mouse last
// reported) -> result code (result_code.h).
using ProfileWriteFunction =
    std::function<ResultCode(const AppConfig &config, int flags, uint8_t capability)>;

// The profile write the program uses: the whole write of the device link.
ResultCode writeProfileToMouse(const AppConfig &config, int flags, uint8_t capability);
