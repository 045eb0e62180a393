#pragma once

#include "device/hid/hid_backend.h"

#include <cstdint>
#include <deque>
#include <vector>

class InputBytes;
class MouseDevice;

// The receiver of the shipped model (248A:8373) with its mouse and command collections on one node, as
// Linux shows them, answering from a script: each raw read takes the next reply (some bytes, a time-out
// or a read error) and writes fail where the script says. Once the script is spent every read fails, as
// for a mouse that was unplugged, so that no reader waits out its time-outs. Command handles read through the
// device layer's own command-report filter, as the real backends' do, so that a reply of another report ID is
// skipped the same way.
class ScriptedBackend : public HidBackend {
public:
    static constexpr uint16_t kVendorId = 0x248A;
    static constexpr uint16_t kReceiverId = 0x8373;
    static constexpr uint16_t kCableId = 0xFB01;

    struct Reply {
        int result = 0; // bytes delivered, 0 time-out, -1 read error
        std::vector<uint8_t> bytes;
    };

    ScriptedBackend();

    // One byte of failing writes (bit n: the n-th write fails), then replies until the input ends, each
    // from a lead byte: 0xFF a read error, 0xFE a time-out, else that many bytes (at most 33) that follow.
    void loadScript(InputBytes &in);

    int init() override { return 0; }
    int exit() override { return 0; }
    std::vector<HidDeviceInfo> enumerate() override { return interfaces; }
    HidHandle *open(const std::string &path, HidReportFilter filter) override;
    void close(HidHandle *handle) override;
    int write(HidHandle *handle, const uint8_t *data, std::size_t length) override;
    int readTimeout(HidHandle *handle, uint8_t *data, std::size_t length, int timeoutMs) override;
    uint16_t releaseNumber(const std::string &) override { return 0; }

    std::vector<HidDeviceInfo> interfaces;
    std::deque<Reply> replies;
    uint8_t failingWrites = 0;
    int writes = 0;
    int reads = 0;
    int openHandles = 0;
    // What each read gave its caller: the byte count (0 time-out, -1 error) and the bytes read.
    std::vector<Reply> delivered;

private:
    int rawRead(uint8_t *data, std::size_t length);
};

namespace fuzz {

// Prepares device as the programs do: the device table from the description and Config.ini, enumeration,
// and the described mouse opened by its configured name.
void openMouse(MouseDevice &device);

} // namespace fuzz
