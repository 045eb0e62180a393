#pragma once

#include "platform/pointer_settings.h"

#include <cstdint>
#include <memory>

// The system pointer speed a profile carries. One PointerSettings object serves the process: the one
// installed, else the X server's when the program runs on X, else a stored value.
void installPointerSettings(std::unique_ptr<PointerSettings> settings);
PointerSettings &pointerSettings();

// Sets the system pointer speed to speed (1..20); 0, a profile that carries none, leaves it as it is.
void applyPointerSpeed(uint8_t speed);
// The system pointer speed, 0 when it cannot be read (at start-up, into the working profile).
int readPointerSpeed();
