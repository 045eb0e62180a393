#pragma once

#include "device/result_code.h"
#include "storage/app_config.h"

#include <functional>

// Sends a configuration to the mouse: (configuration, section flags) -> result code (result_code.h).
using ProfileWriteFunction = std::function<ResultCode(const AppConfig &config, int flags)>;

// The profile write the program uses: the whole write of the device link.
ResultCode writeProfileToMouse(const AppConfig &config, int flags);
