#include "device/profile_writer.h"

#include "device/result_code.h"

// Sends nothing yet and says so: no device was written. Becomes writeProfile(config, flags).
uint8_t writeProfileToMouse(const AppConfig &, int) {
    return kResultNoDevice;
}
