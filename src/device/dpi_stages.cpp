#include "device/dpi_stages.h"

#include "device/block_write.h"
#include "device/dpi_encoding.h"
#include "storage/config_file.h"
#include "storage/description_file.h"

#include <algorithm>
#include <array>

namespace dpistages {

int stageCountToSend(int described) {
    return described <= 0 || described > kMaxStages ? kMaxStages : described;
}

std::vector<CommandReport> reports(const ProfileData &profile, int described, int sensorId,
                                   uint8_t capability) {
    const int count = stageCountToSend(described);
    std::vector<CommandReport> out;
    const uint8_t countByte = static_cast<uint8_t>(count);
    out.push_back(
        blockwrite::dataReport(report::kCmdDpiStages, kCountAddress, report::kBlockFirst, &countByte, 1));
    for (int i = 0; i < kMaxStages; ++i) {
        const DpiStage &stage = profile.dpiStages[i];
        std::array<uint8_t, kStageLength> data{};
        data[kUsed] = i < count ? stage.used : 0;
        const StageDpiBytes dpi =
            encodeStageDpi(sensorId, static_cast<int>(stage.x), static_cast<int>(stage.y), capability);
        std::copy(dpi.begin(), dpi.end(), data.begin() + kDpiBytes);
        const uint16_t address = static_cast<uint16_t>(kFirstStageAddress + kStageStride * i);
        out.push_back(blockwrite::dataReport(report::kCmdDpiStages, address, report::kBlockNext, data.data(),
                                             data.size()));
    }
    out.push_back(blockwrite::closingReport(report::kCmdDpiStages));
    return out;
}

} // namespace dpistages

ResultCode sendDpiStages(const WriteSession &session, uint8_t capability) {
    return blockwrite::sendReports(dpistages::reports(
        session.deviceCopy.profile, description::dpiStageCount(), config::sensorType(), capability));
}
