#pragma once

#include "storage/app_config.h"

#include <cstdint>
#include <functional>

// Sends a configuration to the mouse: (configuration, section flags) -> result code (result_code.h).
using ProfileWriteFunction = std::function<uint8_t(const AppConfig &config, int flags)>;

// The profile write the program uses: the whole write of the device link.
uint8_t writeProfileToMouse(const AppConfig &config, int flags);
