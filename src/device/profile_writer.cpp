#include "device/profile_writer.h"

#include "device/profile_write.h"

ResultCode writeProfileToMouse(const AppConfig &config, int flags, uint8_t capability) {
    return writeProfile(config, flags, capability);
}
