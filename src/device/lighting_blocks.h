#pragma once

#include "device/command_report.h"
#include "device/result_code.h"
#include "device/write_session.h"
#include "storage/profile_data.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The lighting blocks (command 0x04): one 8-byte block per lighting mode of the mouse (modes 1 to 10),
// filled from the profile's fourteen lighting entries.
namespace lightingblocks {

constexpr int kBlockCount = 10;
constexpr std::size_t kBlockSize = 8;
using Block = std::array<uint8_t, kBlockSize>;
using Blocks = std::array<Block, kBlockCount>;

// Offsets inside a block.
constexpr std::size_t kEnabled = 0;
constexpr std::size_t kRed = 1;
constexpr std::size_t kGreen = 2;
constexpr std::size_t kBlue = 3;
constexpr std::size_t kEffect = 4;
constexpr std::size_t kSpeed = 5;
constexpr std::size_t kPattern = 6;
constexpr std::size_t kBright = 7;

constexpr uint8_t kEnabledValue = 0x80;
constexpr int kNoBlock = -1;

Blocks build(const ProfileData &profile);

// Reports of one lighting write: blocks 0-2, 3-5, 6-8, 9, then the closing report.
std::vector<CommandReport> reports(const ProfileData &profile);

} // namespace lightingblocks

// Writes the lighting blocks of the session's profile. The first nonzero report result, else 0.
ResultCode sendLighting(const WriteSession &session);
