#include "device/lighting_blocks.h"

#include "device/block_write.h"

namespace lightingblocks {

namespace {

enum class Colour { None, Own };

// What each lighting entry puts into its block besides the enabled flag. bright and speed come from the
// entry unless the mode has a fixed value there.
struct EntryRule {
    int block;
    Colour colour;
    uint8_t effect;
    int speed; // -1: the entry's breath
    uint8_t pattern;
    int bright; // -1: the entry's bright
};

constexpr int kFromEntry = -1;

constexpr EntryRule kRules[ProfileData::kLedModeCount] = {
    {0, Colour::None, 0, 0, 0, 0},
    {1, Colour::Own, 1, 0, 2, kFromEntry},
    {2, Colour::Own, 1, kFromEntry, 4, 3},
    {3, Colour::None, 1, kFromEntry, 1, 3},
    {4, Colour::None, 1, kFromEntry, 8, kFromEntry},
    {kNoBlock, Colour::None, 0, 0, 0, 0},
    {kNoBlock, Colour::None, 0, 0, 0, 0},
    {kNoBlock, Colour::None, 0, 0, 0, 0},
    {kNoBlock, Colour::None, 0, 0, 0, 0},
    {5, Colour::None, 5, kFromEntry, 1, kFromEntry},
    {7, Colour::None, 6, kFromEntry, 0, kFromEntry},
    {6, Colour::None, 7, 0, 0, kFromEntry},
    {8, Colour::None, 8, kFromEntry, 0, kFromEntry},
    {9, Colour::None, 9, kFromEntry, 0, kFromEntry},
};

constexpr uint16_t kReportAddresses[] = {0x00, 0x18, 0x30, 0x48};
constexpr int kBlocksPerReport = 3;

uint8_t pick(int rule, uint32_t entryValue) {
    return static_cast<uint8_t>(rule == kFromEntry ? entryValue : static_cast<uint32_t>(rule));
}

} // namespace

Blocks build(const ProfileData &profile) {
    Blocks blocks{};
    for (int entry = 0; entry < ProfileData::kLedModeCount; ++entry) {
        const EntryRule &rule = kRules[entry];
        if (rule.block == kNoBlock)
            continue;
        const LedModeSetting &led = profile.ledModes[entry];
        Block &b = blocks[rule.block];
        b[kEnabled] = kEnabledValue;
        if (rule.colour == Colour::Own) {
            b[kRed] = static_cast<uint8_t>(led.color.red());
            b[kGreen] = static_cast<uint8_t>(led.color.green());
            b[kBlue] = static_cast<uint8_t>(led.color.blue());
        }
        b[kEffect] = rule.effect;
        b[kSpeed] = pick(rule.speed, led.breath);
        b[kPattern] = rule.pattern;
        b[kBright] = pick(rule.bright, led.bright);
    }
    return blocks;
}

std::vector<CommandReport> reports(const ProfileData &profile) {
    const Blocks blocks = build(profile);
    std::vector<CommandReport> out;
    int next = 0;
    for (uint16_t address : kReportAddresses) {
        std::array<uint8_t, kBlocksPerReport * kBlockSize> data{};
        std::size_t length = 0;
        for (int i = 0; i < kBlocksPerReport && next < kBlockCount; ++i, ++next) {
            std::copy(blocks[next].begin(), blocks[next].end(), data.begin() + length);
            length += kBlockSize;
        }
        const uint8_t position = address == kReportAddresses[0] ? report::kBlockFirst : report::kBlockNext;
        out.push_back(blockwrite::dataReport(report::kCmdLighting, address, position, data.data(), length));
    }
    out.push_back(blockwrite::closingReport(report::kCmdLighting));
    return out;
}

} // namespace lightingblocks

ResultCode sendLighting(const WriteSession &session) {
    return blockwrite::sendReports(lightingblocks::reports(session.deviceCopy.profile));
}
