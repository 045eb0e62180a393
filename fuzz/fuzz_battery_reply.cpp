// The mouse's answer to the status request as `korvanectl status` and the access probe take it: a level
// told is 10..100 from a whole report with a voltage a cell can have, a mouse told off sent a whole report
// without voltage, and every other answer ends in one of the status command's exit codes.
#include "cli/korvane_ctl.h"
#include "device/battery_request.h"
#include "device/command_report.h"
#include "device/device_access.h"
#include "device/mouse_device.h"
#include "support/fuzz_check.h"
#include "support/fuzz_tree.h"
#include "support/input_bytes.h"
#include "support/scripted_backend.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

// The last battery report a read gave its caller; null when none did.
const ScriptedBackend::Reply *lastBatteryReport(const ScriptedBackend &backend) {
    const ScriptedBackend::Reply *last = nullptr;
    for (const ScriptedBackend::Reply &reply : backend.delivered) {
        if (reply.result > int(report::kCommand) && reply.bytes[report::kCommand] == report::kCmdBattery)
            last = &reply;
    }
    return last;
}

bool wholeWithVoltage(const ScriptedBackend::Reply *reply, bool voltage) {
    if (!reply || reply->result != int(report::kSize))
        return false;
    const int raw = reply->bytes[report::kBatteryHigh] * 256 + reply->bytes[report::kBatteryLow];
    const int millivolts = raw * 990 / 240;
    return voltage ? millivolts >= 2500 && millivolts <= 4500 : raw == 0;
}

void korvanectlStatus(const QByteArray &script) {
    ScriptedBackend *backend = nullptr;
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    {
        KorvaneCtl ctl(outStream, errStream, [&] {
            auto made = std::make_unique<ScriptedBackend>();
            InputBytes in(reinterpret_cast<const uint8_t *>(script.constData()), std::size_t(script.size()));
            made->loadScript(in);
            backend = made.get();
            return made;
        });
        const int code = ctl.run({"--json", "status"});
        fuzz::require(backend, "status opens the mouse");
        outStream.flush();
        const QJsonObject result = QJsonDocument::fromJson(out.toUtf8()).object();
        fuzz::require(result.value("exit").toInt(-1) == code, "status prints its exit code");
        const ScriptedBackend::Reply *answer = lastBatteryReport(*backend);
        switch (code) {
        case 0: {
            const int level = result.value("level").toInt(-1);
            fuzz::require(level >= 10 && level <= 100 && level % 10 == 0, "a level told is 10..100 in tens");
            fuzz::require(wholeWithVoltage(answer, true) ||
                              (wholeWithVoltage(answer, false) && result.value("charging").toBool()),
                          "a level is told only from a whole report with a voltage a cell can have");
            break;
        }
        case 5:
            fuzz::require(wholeWithVoltage(answer, false), "a mouse is told off only from a whole report");
            break;
        case 2:  // the answer could not be read, or was no valid one
        case 4:  // the request could not be sent
        case 14: // no answer
            break;
        default:
            fuzz::require(false, "status ends in one of its exit codes");
        }
    }
    fuzz::require(MouseDevice::instance() == nullptr, "korvanectl leaves no device link behind");
}

void probe(const QByteArray &script) {
    ScriptedBackend backend;
    InputBytes in(reinterpret_cast<const uint8_t *>(script.constData()), std::size_t(script.size()));
    backend.loadScript(in);
    MouseDevice device(backend);
    fuzz::openMouse(device);
    const DeviceAccess access = probeAccess(device);
    fuzz::require(access != DeviceAccess::Ready || wholeWithVoltage(lastBatteryReport(backend), true) ||
                      wholeWithVoltage(lastBatteryReport(backend), false),
                  "a mouse is ready only when it answered with a whole battery report");
    device.closeAll();
    fuzz::require(backend.openHandles == 0, "every handle opened is closed");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    const QByteArray script(reinterpret_cast<const char *>(data), static_cast<int>(size));
    FuzzTree tree;
    korvanectlStatus(script);
    probe(script);
    return 0;
}
