#pragma once

#include "device/result_code.h"

#include <cstdint>

class MouseDevice;

// One command exchange: frames the report (checksum into byte 1), writes it to the device's command
// handle, reads the echo and compares it, retrying within fixed budgets. report holds length bytes
// (33 for every command) and is not modified. Returns kResultOk, kResultNoDevice, kResultGaveUp or
// kResultWriteError. Waits go through devicelink::pause, texts through devicelink::trace.
uint8_t sendReport(MouseDevice &device, const uint8_t *report, int length);

// The same on the process-wide MouseDevice; kResultNoDevice when none is set.
uint8_t sendReport(const uint8_t *report, int length);
