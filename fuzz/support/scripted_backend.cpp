#include "support/scripted_backend.h"

#include "device/command_report.h"
#include "device/hid/command_report_reader.h"
#include "device/mouse_device.h"
#include "support/input_bytes.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint8_t kReadError = 0xFF;
constexpr uint8_t kTimeOut = 0xFE;
constexpr uint16_t kGenericDesktop = 1;
constexpr uint16_t kMouseUsage = 2;
constexpr uint16_t kCommandUsage = 0;

struct ScriptedHandle : HidHandle {
    HidReportFilter filter = HidReportFilter::AllReports;
};

} // namespace

ScriptedBackend::ScriptedBackend() {
    const HidDeviceInfo command{"/dev/hidraw-fuzz", kVendorId,    kReceiverId, {}, 0,
                                kGenericDesktop,    kCommandUsage};
    HidDeviceInfo mouse = command;
    mouse.usage = kMouseUsage;
    interfaces = {mouse, command};
}

void ScriptedBackend::loadScript(InputBytes &in) {
    failingWrites = in.byte();
    while (!in.empty()) {
        const uint8_t lead = in.byte();
        Reply reply;
        if (lead == kReadError) {
            reply.result = -1;
        } else if (lead != kTimeOut) {
            reply.bytes = in.take(std::min<std::size_t>(lead, report::kSize));
            reply.result = static_cast<int>(reply.bytes.size());
        }
        replies.push_back(reply);
    }
}

HidHandle *ScriptedBackend::open(const std::string &, HidReportFilter filter) {
    auto *handle = new ScriptedHandle;
    handle->filter = filter;
    ++openHandles;
    return handle;
}

void ScriptedBackend::close(HidHandle *handle) {
    --openHandles;
    delete handle;
}

int ScriptedBackend::write(HidHandle *, const uint8_t *, std::size_t length) {
    const bool fails = writes < 8 && (failingWrites >> writes & 1);
    ++writes;
    return fails ? -1 : static_cast<int>(length);
}

int ScriptedBackend::rawRead(uint8_t *data, std::size_t length) {
    ++reads;
    if (replies.empty())
        return -1;
    Reply reply = replies.front();
    replies.pop_front();
    if (reply.result > 0) {
        reply.bytes.resize(std::min(reply.bytes.size(), length));
        reply.result = static_cast<int>(reply.bytes.size());
        std::memcpy(data, reply.bytes.data(), reply.bytes.size());
    }
    return reply.result;
}

int ScriptedBackend::readTimeout(HidHandle *handle, uint8_t *data, std::size_t length, int timeoutMs) {
    const auto *scripted = static_cast<ScriptedHandle *>(handle);
    const auto raw = [this](uint8_t *buffer, std::size_t size, int) { return rawRead(buffer, size); };
    const int got = scripted->filter == HidReportFilter::AllReports
                        ? raw(data, length, timeoutMs)
                        : readCommandReport(raw, data, length, timeoutMs, [] { return int64_t{0}; });
    Reply reply;
    reply.result = got;
    if (got > 0)
        reply.bytes.assign(data, data + got);
    delivered.push_back(reply);
    return got;
}

namespace fuzz {

void openMouse(MouseDevice &device) {
    device.initDeviceTable();
    device.enumerateDevices();
    device.openByName(device.table().entries[0].name.data());
}

} // namespace fuzz
