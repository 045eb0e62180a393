#pragma once

#include "device/command_report.h"
#include "device/result_code.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Block writes (command codes 0x01 to 0x05): one or more data reports, the first at position 0xD1 and the
// rest at 0xD2, then a closing report that tells the mouse the block is complete.
namespace blockwrite {

constexpr uint16_t kClosingAddress = 0x007F;
constexpr uint8_t kClosingLength = 1;

// A data report: address in bytes 4 (low) and 5 (high), length bytes of data from byte 8 (at most 25).
CommandReport dataReport(uint8_t code, uint16_t address, uint8_t position, const uint8_t *data,
                         std::size_t length);
CommandReport closingReport(uint8_t code, uint16_t address = kClosingAddress);

// Sends the reports in order through the process-wide device; the first nonzero result ends the
// sending and is returned, 0 when all were accepted.
ResultCode sendReports(const std::vector<CommandReport> &reports);

} // namespace blockwrite
