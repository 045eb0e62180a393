#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// One vendor command report as hidapi sees it: byte 0 is the report ID. Builders fill the named
// fields; the transaction fills the checksum.
using CommandReport = std::array<uint8_t, 33>;

namespace report {

constexpr std::size_t kSize = 33;
static_assert(std::tuple_size<CommandReport>::value == kSize, "a command report is 33 bytes");

// Field offsets.
constexpr std::size_t kReportId = 0;
constexpr std::size_t kChecksum = 1;
constexpr std::size_t kMagic = 2;
constexpr std::size_t kCommand = 3;
constexpr std::size_t kAddressLow = 4;
constexpr std::size_t kAddressHigh = 5;
constexpr std::size_t kLength = 6;
constexpr std::size_t kPosition = 7;
constexpr std::size_t kData = 8;
constexpr std::size_t kMaxData = kSize - kData; // 25 data bytes

// Fixed values.
constexpr uint8_t kReportIdValue = 0x05;
constexpr uint8_t kMagicValue = 0xFA;
constexpr uint8_t kChecksumXor = 0x66;
constexpr uint8_t kBlockFirst = 0xD1;
constexpr uint8_t kBlockNext = 0xD2;
constexpr uint8_t kBlockClose = 0xD3;
constexpr uint8_t kBlockCloseData = 0x1A;

// Command codes.
constexpr uint8_t kCmdSettings = 0x01;
constexpr uint8_t kCmdDpiStages = 0x02;
constexpr uint8_t kCmdButtons = 0x03;
constexpr uint8_t kCmdLighting = 0x04;
constexpr uint8_t kCmdMacros = 0x05;
constexpr uint8_t kCmdLastDataCompared = 0x0A; // 0x01 to 0x0A: echo with data compare
constexpr uint8_t kCmdStore = 0x40;
constexpr uint8_t kCmdSelectProfile = 0x44;
constexpr uint8_t kCmdWriteBracket = 0x46;
constexpr uint8_t kCmdBattery = 0x48;      // status request, answered by a battery report
constexpr uint8_t kCmdStatusReport = 0x49; // sent by the mouse when a button on it changes a setting

// Battery report fields (code 0x48 from the mouse).
constexpr std::size_t kBatteryLow = 4;
constexpr std::size_t kBatteryHigh = 5;
constexpr std::size_t kBatteryCharge = 6;
constexpr std::size_t kBatteryStatus = 7;
constexpr std::size_t kBatteryCapability = 10;

// Status report fields (code 0x49 from the mouse).
constexpr std::size_t kStatusProfile = 4;
constexpr std::size_t kStatusDpi = 5;
constexpr std::size_t kStatusRate = 6;
constexpr std::size_t kStatusMode = 7;

// (bytes 2..7 summed mod 256) XOR 0x66; the data bytes are not covered.
inline uint8_t checksum(const uint8_t *bytes) {
    unsigned sum = 0;
    for (std::size_t i = kMagic; i <= kPosition; ++i)
        sum += bytes[i];
    return static_cast<uint8_t>((sum & 0xFF) ^ kChecksumXor);
}

// Whether the mouse echoes a command, and whether the echo's data bytes are compared too.
inline bool isEchoed(uint8_t code) {
    return code <= kCmdLastDataCompared || code == kCmdStore || code == kCmdWriteBracket;
}
inline bool isDataCompared(uint8_t code) {
    return code <= kCmdLastDataCompared;
}

// A header-only report (no data) with its checksum filled in.
inline CommandReport makeCommand(uint8_t code, uint8_t addressLow, uint8_t addressHigh = 0) {
    CommandReport r{};
    r[kReportId] = kReportIdValue;
    r[kMagic] = kMagicValue;
    r[kCommand] = code;
    r[kAddressLow] = addressLow;
    r[kAddressHigh] = addressHigh;
    r[kChecksum] = checksum(r.data());
    return r;
}

} // namespace report
