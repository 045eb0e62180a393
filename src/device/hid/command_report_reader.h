#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

// One read of the raw interface: byte count, 0 on time-out, negative on error.
using RawHidRead = std::function<int(uint8_t *data, std::size_t length, int timeoutMs)>;
// Monotonic milliseconds.
using MillisecondClock = std::function<int64_t()>;

// Reads on until an input report with the command report ID (0x05) arrives, skipping any other
// report, all within one time-out (timeoutMs < 0: no limit). Returns like a raw read; data is only
// touched when a command report is delivered, so a time-out leaves the caller's previous reply intact.
int readCommandReport(const RawHidRead &read, uint8_t *data, std::size_t length, int timeoutMs,
                      const MillisecondClock &now);
