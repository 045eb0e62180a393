#include "device/battery_request.h"

#include "device/mouse_device.h"

#include <QElapsedTimer>

BatteryAnswer requestBatteryReport(MouseDevice &device, BatteryReport &out, int waitMs, int readMs) {
    HidHandle *handle = device.commandHandle();
    HidBackend &backend = device.backend();
    const CommandReport request = report::makeCommand(report::kCmdBattery, 0);
    if (!handle || backend.write(handle, request.data(), request.size()) < 0)
        return BatteryAnswer::WriteFailed;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < waitMs) {
        CommandReport reply{};
        const int read = backend.readTimeout(handle, reply.data(), reply.size(), readMs);
        if (read < 0)
            return BatteryAnswer::ReadFailed;
        if (read > 0 && reply[report::kCommand] == report::kCmdBattery) {
            if (!battery::isPlausibleReport(reply, read))
                return BatteryAnswer::Invalid;
            out = battery::decodeReport(reply, config::batteryFull());
            return BatteryAnswer::Received;
        }
    }
    return BatteryAnswer::Silent;
}
