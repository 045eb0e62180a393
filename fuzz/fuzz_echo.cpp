// The mouse's echo of a command report as the report transaction judges it: the transaction ends within
// its budgets with one of its results, and a report counts as taken only when a whole reply repeated it
// (or the mouse stayed silent throughout, the one rule that accepts without an echo).
#include "device/command_report.h"
#include "device/link_hooks.h"
#include "device/mouse_device.h"
#include "device/send_report.h"
#include "support/fuzz_check.h"
#include "support/fuzz_tree.h"
#include "support/input_bytes.h"
#include "support/scripted_backend.h"

#include <algorithm>

namespace {

// The command codes the program sends, and one it does not know.
constexpr uint8_t kCodes[] = {report::kCmdSettings,
                              report::kCmdDpiStages,
                              report::kCmdButtons,
                              report::kCmdLighting,
                              report::kCmdMacros,
                              report::kCmdStore,
                              report::kCmdSelectProfile,
                              report::kCmdWriteBracket,
                              0x0A,
                              0x77};

// What the transaction's budgets allow: 29 read errors before the rewrites, 19 wrong commands before them,
// three rewrites in all; between two wrong replies a run of at most six all-zero replies, each of the first
// five rewritten at once. So at most 3 + 19 + 3 + 1 = 26 runs of zeros, each of 6 reads and 5 writes.
constexpr int kMaxWrites = 1 + 3 + 26 * 5;
constexpr std::size_t kMaxReads = 29 + 3 + 19 + 3 + 3 + 1 + 26 * 6;

// Whether a reply delivered whole repeats the sent report where an echo must.
bool echoes(const CommandReport &sent, const ScriptedBackend::Reply &reply) {
    if (reply.result < int(report::kSize))
        return false;
    for (std::size_t i : {report::kReportId, report::kMagic, report::kCommand, report::kAddressLow,
                          report::kAddressHigh, report::kLength}) {
        if (reply.bytes[i] != sent[i])
            return false;
    }
    if (!report::isDataCompared(sent[report::kCommand]))
        return true;
    const std::size_t n = std::min<std::size_t>(sent[report::kLength], report::kMaxData);
    return std::equal(sent.begin() + report::kData, sent.begin() + report::kData + n,
                      reply.bytes.begin() + report::kData);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    InputBytes in(data, size);
    CommandReport sent = report::makeCommand(kCodes[in.byte() % std::size(kCodes)], in.byte(), in.byte());
    sent[report::kLength] = in.byte() % (report::kMaxData + 1);
    sent[report::kPosition] = in.byte();
    for (std::size_t i = 0; i < sent[report::kLength]; ++i)
        sent[report::kData + i] = in.byte();
    sent[report::kChecksum] = report::checksum(sent.data());

    FuzzTree tree;
    ScriptedBackend backend;
    backend.loadScript(in);
    MouseDevice device(backend);
    fuzz::openMouse(device);
    devicelink::setPauseFunction([](int) {});

    bool silent = false;
    const ResultCode result = sendReport(device, sent.data(), int(sent.size()), &silent);
    devicelink::setPauseFunction({});

    fuzz::require(result == kResultOk || result == kResultGaveUp || result == kResultWriteError,
                  "a transaction ends accepted, given up or with a write error");
    fuzz::require(backend.writes <= kMaxWrites && backend.delivered.size() <= kMaxReads,
                  "a transaction stays within its budgets");
    fuzz::require(!silent || result == kResultOk, "only an accepted report can be accepted by silence");
    if (result == kResultOk && !silent && report::isEchoed(sent[report::kCommand]))
        fuzz::require(std::any_of(backend.delivered.begin(), backend.delivered.end(),
                                  [&](const ScriptedBackend::Reply &r) { return echoes(sent, r); }),
                      "a report is taken only when a whole reply echoed it");
    return 0;
}
