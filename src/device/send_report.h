#pragma once

#include "device/command_report.h"
#include "device/result_code.h"

#include <cstdint>

class MouseDevice;

// One command exchange: frames the report (checksum into byte 1), writes it to the device's command
// handle, reads the echo and compares it, retrying within fixed budgets; a reply shorter than the report
// (up to its 33 bytes) counts as a wrong echo. report holds length bytes (33 for every command) and is
// not modified. Returns kResultOk, kResultNoDevice, kResultGaveUp or
// kResultWriteError. Waits go through devicelink::pause, texts through devicelink::trace.
// A reply read cut short of a whole report is treated as an echo of another command.
// A mouse that answers none of six writes counts as having accepted the report; acceptedBySilence, when
// given, is set to tell that case from a real echo (false for every other outcome).
ResultCode sendReport(MouseDevice &device, const uint8_t *report, int length,
                      bool *acceptedBySilence = nullptr);

// The same on the process-wide MouseDevice; kResultNoDevice when none is set.
ResultCode sendReport(const uint8_t *report, int length, bool *acceptedBySilence = nullptr);

// One command of a multi-report operation on the process-wide MouseDevice: sendReport's result, except
// that a report the mouse must echo but only silence accepted gives kResultMouseOff, so that a sleeping
// mouse ends the operation at its first report instead of being reported as programmed.
ResultCode sendCommand(const CommandReport &report);
