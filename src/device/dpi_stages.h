#pragma once

#include "device/command_report.h"
#include "device/result_code.h"
#include "device/write_session.h"
#include "storage/profile_data.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The DPI stages (command 0x02): the number of stages the mouse cycles through, then one report per
// stage with its on/off flag and its resolution encoded for the sensor.
namespace dpistages {

constexpr uint16_t kCountAddress = 0x00;
constexpr uint16_t kFirstStageAddress = 0x01;
constexpr uint16_t kStageStride = 5;
constexpr std::size_t kStageLength = 5;

// Offsets inside a stage report's data (report byte 8 onwards).
constexpr std::size_t kUsed = 0;
constexpr std::size_t kDpiBytes = 1; // four bytes, see encodeStageDpi()

constexpr int kMaxStages = ProfileData::kStageCount;

// The description's stage count; 0 or more than eight means all eight.
int stageCountToSend(int described);

// The reports of one DPI write: stage count, eight stages, closing report. Stages at or past the count
// go with used 0 but keep their encoded resolution.
std::vector<CommandReport> reports(const ProfileData &profile, int described, int sensorId,
                                   uint8_t capability);

} // namespace dpistages

// Writes the DPI stages of the session's profile for the configured sensor, encoded for the capability
// byte the mouse last reported. The first nonzero report result, else 0.
ResultCode sendDpiStages(const WriteSession &session, uint8_t capability);
