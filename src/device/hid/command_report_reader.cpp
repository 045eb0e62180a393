#include "device/hid/command_report_reader.h"

#include "device/command_report.h"

#include <algorithm>
#include <cstring>
#include <vector>

int readCommandReport(const RawHidRead &read, uint8_t *data, std::size_t length, int timeoutMs,
                      const MillisecondClock &now) {
    std::vector<uint8_t> scratch(std::max<std::size_t>(length, 1));
    const int64_t start = now();
    int remaining = timeoutMs;
    for (;;) {
        std::fill(scratch.begin(), scratch.end(), 0);
        const int got = read(scratch.data(), length, remaining);
        if (got <= 0)
            return got;
        if (scratch[report::kReportId] == report::kReportIdValue) {
            std::memcpy(data, scratch.data(), length);
            return got;
        }
        if (timeoutMs >= 0) {
            remaining = static_cast<int>(timeoutMs - (now() - start));
            if (remaining <= 0)
                return 0;
        }
    }
}
