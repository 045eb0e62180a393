#include "device/send_report.h"

#include "device/command_report.h"
#include "device/device_log.h"
#include "device/link_hooks.h"
#include "device/mouse_device.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kBufferSize = 64;
constexpr int kPauseAfterWriteMs = 10;
constexpr int kPauseBeforeRereadMs = 50;
constexpr int kReadTimeoutMs = 150;
constexpr int kReadErrorsBeforeRewrite = 29; // the 30th read error asks for a rewrite
constexpr int kMismatchesBeforeRewrite = 19; // the 20th command mismatch asks for a rewrite
constexpr int kZeroRepliesRewritten = 5;     // the 6th all-zero reply ends the rereading
constexpr int kMaxRewrites = 2;              // the third rewrite request gives up

// The header bytes an echo must repeat: 1 (checksum) and 7 (block position) may differ.
constexpr std::size_t kComparedBytes[] = {report::kReportId,   report::kMagic,       report::kCommand,
                                          report::kAddressLow, report::kAddressHigh, report::kLength};

enum Outcome { kMatch = 0, kCommandMismatch = 1, kDataMismatch = 2 };

const QString kSeparator = QStringLiteral("--------------------------------------");

void trace(const char *text) {
    devicelink::trace(QString::fromUtf8(text));
}

void traceWithSeparator(const char *text) {
    devicelink::trace(QString::fromUtf8(text) + kSeparator);
}

// A closing text followed by the two blank traces that end a transaction.
void traceEnd(const char *text) {
    traceWithSeparator(text);
    trace(" ");
    trace(" ");
}

void traceBytes(const char *what, int length, const uint8_t *bytes) {
    QString text = QString::fromUtf8(what) + QString::asprintf(" length=%d data=", length);
    for (std::size_t i = 0; i < report::kSize; ++i)
        text += QString::asprintf(i == 0 ? "%02x" : " %02x", bytes[i]);
    devicelink::trace(text);
}

Outcome compare(const uint8_t *sent, const uint8_t *reply) {
    for (std::size_t i : kComparedBytes) {
        if (sent[i] != reply[i])
            return kCommandMismatch;
    }
    if (report::isDataCompared(sent[report::kCommand])) {
        const std::size_t n = std::min<std::size_t>(sent[report::kLength], kBufferSize - report::kData);
        if (std::memcmp(sent + report::kData, reply + report::kData, n) != 0)
            return kDataMismatch;
    }
    return kMatch;
}

bool headerIsZero(const uint8_t *reply) {
    return std::all_of(reply, reply + report::kData, [](uint8_t b) { return b == 0; });
}

} // namespace

ResultCode sendReport(MouseDevice &device, const uint8_t *report, int length, bool *acceptedBySilence) {
    if (acceptedBySilence)
        *acceptedBySilence = false;
    trace("开始发送--------------------------------------");
    HidHandle *handle = device.commandHandle();
    if (!handle || !report) {
        traceEnd("没找到设备，失败返回");
        return kResultNoDevice;
    }
    HidBackend &hid = device.backend();

    // The copies are 64 bytes; a longer length would overrun them and a shorter one than the header
    // would leave the checksum reading zeros, so the length is bounded to the copy.
    const std::size_t size =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(length, 0)), kBufferSize);
    uint8_t out[kBufferSize] = {};
    uint8_t reply[kBufferSize] = {};
    std::memcpy(out, report, size);
    out[report::kChecksum] = report::checksum(out);
    const uint8_t code = out[report::kCommand];

    int readErrors = 0;
    int mismatches = 0;
    int zeroReplies = 0;
    int rewrites = 0;
    Outcome last = kMatch;
    bool write = true;
    // Whether the reply in the buffer came whole. A read cut short of a report leaves part of an answer
    // over zeros or an older reply: that is no echo, even where the bytes compared happen to match.
    const std::size_t replySize = std::min(size, report::kSize);
    bool whole = true;

    for (;;) {
        if (write) {
            const int written = hid.write(handle, out, size);
            traceBytes("hid_write", length, out);
            if (written < 0) {
                qCDebug(lcDevice, "Unable to send a feature report.\n");
                traceEnd("hid_write发送失败");
                return kResultWriteError;
            }
            devicelink::pause(kPauseAfterWriteMs);
            if (!report::isEchoed(code)) {
                traceEnd("发送成功");
                return kResultOk;
            }
            write = false;
        }

        trace("hid_read开始");
        const int got = hid.readTimeout(handle, reply, size, kReadTimeoutMs);
        if (got < 0) {
            devicelink::trace(QString::fromUtf8("hid_read开始读失败 %1").arg(readErrors));
            ++readErrors;
            if (readErrors <= kReadErrorsBeforeRewrite) {
                devicelink::pause(kPauseBeforeRereadMs);
                trace("重新读");
                continue;
            }
            devicelink::trace(QString::fromUtf8("写失败 %1").arg(rewrites));
            ++rewrites;
            if (rewrites > kMaxRewrites) {
                traceEnd("多次读失败，返回");
                return kResultGaveUp;
            }
            trace("重新写");
            write = true;
            continue;
        }
        traceBytes("hid_read", length, reply);
        if (got > 0)
            whole = static_cast<std::size_t>(got) >= replySize;

        // A read that timed out leaves the buffer as it was: the previous reply is judged again, and a reply
        // cut short stays no echo.
        if (whole && headerIsZero(reply)) {
            ++zeroReplies;
            if (zeroReplies <= kZeroRepliesRewritten) {
                trace("对比位全为0，跳转到重新写");
                write = true;
                continue;
            }
            traceWithSeparator("对比位全为0多次，返回");
            if (last == kMatch && acceptedBySilence)
                *acceptedBySilence = true;
        } else {
            last = whole ? compare(out, reply) : kCommandMismatch;
        }

        if (last == kDataMismatch) {
            ++rewrites;
            if (rewrites > kMaxRewrites) {
                traceEnd("数据位多次对比失败，返回");
                return kResultGaveUp;
            }
            devicelink::trace(QString::fromUtf8("数据位对比失败，重新写 %1").arg(rewrites));
            zeroReplies = 0;
            write = true;
        } else if (last == kCommandMismatch) {
            ++mismatches;
            if (mismatches <= kMismatchesBeforeRewrite) {
                devicelink::trace(QString::fromUtf8("指令位对比失败，重新读 %1").arg(rewrites));
                devicelink::pause(kPauseBeforeRereadMs);
                zeroReplies = 0;
                continue;
            }
            ++rewrites;
            if (rewrites > kMaxRewrites) {
                traceEnd("指令位多次对比失败，返回");
                return kResultGaveUp;
            }
            devicelink::trace(QString::fromUtf8("指令位对比失败，重新写 %1").arg(rewrites));
            zeroReplies = 0;
            write = true;
        } else {
            traceEnd("发送成功");
            return kResultOk;
        }
    }
}

ResultCode sendReport(const uint8_t *report, int length, bool *acceptedBySilence) {
    if (acceptedBySilence)
        *acceptedBySilence = false;
    MouseDevice *device = MouseDevice::instance();
    if (!device) {
        trace("开始发送--------------------------------------");
        traceEnd("没找到设备，失败返回");
        return kResultNoDevice;
    }
    return sendReport(*device, report, length, acceptedBySilence);
}

ResultCode sendCommand(const CommandReport &report) {
    bool silent = false;
    const ResultCode result = sendReport(report.data(), static_cast<int>(report.size()), &silent);
    return result == kResultOk && silent ? kResultMouseOff : result;
}
