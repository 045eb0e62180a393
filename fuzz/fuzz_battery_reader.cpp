// The reports the battery reader takes from the mouse, asked for or sent on its own: every battery
// status it passes on comes from a report read whole, with a voltage a cell can have or none (a mouse
// off), or from a read that failed; every status report names a DPI stage the profile has and a rate code;
// the write status comes only with a voltage or charging.
#include "device/command_report.h"
#include "device/link_hooks.h"
#include "device/mouse_device.h"
#include "device/vel_get_battery_thread.h"
#include "support/fuzz_check.h"
#include "support/fuzz_tree.h"
#include "support/input_bytes.h"
#include "support/scripted_backend.h"

#include <algorithm>

namespace {

// The reader's loop, run on the calling thread: the signals reach the checks at once and in order.
class Reader : public VelGetBatteryThread {
public:
    using VelGetBatteryThread::run;
};

constexpr int kMaxPauses = 400;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    InputBytes in(data, size);
    FuzzTree tree;
    ScriptedBackend backend;
    backend.loadScript(in);
    MouseDevice device(backend);
    fuzz::openMouse(device);
    MouseDevice::setInstance(&device);

    Reader reader;
    int pauses = 0;
    bool lastHadVoltage = false;
    devicelink::setPauseFunction([&](int) {
        if (backend.replies.empty() || ++pauses == kMaxPauses)
            reader.stop();
    });
    QObject::connect(&reader, &VelGetBatteryThread::RefreshBatteryStatus,
                     [&](quint8 charge, quint8 low, quint8 high) {
                         const int millivolts = (high * 256 + low) * 990 / 240;
                         fuzz::require(millivolts == 0 || (millivolts >= 2500 && millivolts <= 4500),
                                       "a battery status passed on has a voltage a cell can have, or none");
                         lastHadVoltage = millivolts != 0 || charge != 0;
                         // A failed read tells 0, 0, 0; anything else comes from the last report read whole
                         // (a read that times out leaves that report in the buffer, and it is told again).
                         const auto last = std::find_if(backend.delivered.rbegin(), backend.delivered.rend(),
                                                        [](const auto &reply) { return reply.result != 0; });
                         fuzz::require(last != backend.delivered.rend() &&
                                           (last->result < 0 ? millivolts == 0 && charge == 0
                                                             : last->result == int(report::kSize)),
                                       "a battery status comes from a whole report, or from a failed read");
                     });
    QObject::connect(&reader, &VelGetBatteryThread::RefreshWriteStatus, [&](quint8) {
        fuzz::require(lastHadVoltage,
                      "the write status comes with a battery status that has a voltage or charges");
    });
    QObject::connect(&reader, &VelGetBatteryThread::RefreshStatus,
                     [](quint8, quint8 dpi, quint8 rate, quint8) {
                         fuzz::require(dpi < 8, "a status report passed on names a stage the profile has");
                         fuzz::require(rate == 1 || rate == 2 || rate == 4 || rate == 8,
                                       "a status report passed on names a rate");
                     });
    reader.run();

    devicelink::setPauseFunction({});
    MouseDevice::setInstance(nullptr);
    return 0;
}
