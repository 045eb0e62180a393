#include "device/block_write.h"

#include "device/send_report.h"

#include <algorithm>

namespace blockwrite {

CommandReport dataReport(uint8_t code, uint16_t address, uint8_t position, const uint8_t *data,
                         std::size_t length) {
    const std::size_t n = std::min(length, report::kMaxData);
    CommandReport r = report::makeCommand(code, address & 0xFF, address >> 8);
    r[report::kLength] = static_cast<uint8_t>(n);
    r[report::kPosition] = position;
    std::copy(data, data + n, r.begin() + report::kData);
    r[report::kChecksum] = report::checksum(r.data());
    return r;
}

CommandReport closingReport(uint8_t code, uint16_t address) {
    const uint8_t data = report::kBlockCloseData;
    return dataReport(code, address, report::kBlockClose, &data, kClosingLength);
}

ResultCode sendReports(const std::vector<CommandReport> &reports) {
    for (const CommandReport &r : reports) {
        if (const ResultCode result = sendCommand(r))
            return result;
    }
    return kResultOk;
}

} // namespace blockwrite
