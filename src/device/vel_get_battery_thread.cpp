#include "device/vel_get_battery_thread.h"

#include "device/battery_status.h"
#include "device/device_log.h"
#include "device/link_hooks.h"
#include "device/mouse_device.h"

std::atomic<int> VelGetBatteryThread::s_liveObjects{0};

VelGetBatteryThread::VelGetBatteryThread(QObject *parent)
    : QThread(parent), m_readingDone(m_readingFinished.get_future().share()) {
    ++s_liveObjects;
}

VelGetBatteryThread::~VelGetBatteryThread() {
    --s_liveObjects;
}

void VelGetBatteryThread::run() {
    readLoop();
    m_readingFinished.set_value();
}

void VelGetBatteryThread::readLoop() {
    qCDebug(lcDevice, "VelGetBatteryThread.\n");
    const CommandReport statusRequest = report::makeCommand(report::kCmdBattery, 0);
    CommandReport reply{};
    int cycle = 0;
    for (;;) {
        if (m_bStop.load()) {
            qCDebug(lcDevice, "VelGetBatteryThread Stop.\n");
            return;
        }
        MouseDevice *device = MouseDevice::instance();
        HidHandle *handle = device ? device->commandHandle() : nullptr;
        if (!handle)
            return;
        HidBackend &backend = device->backend();
        reply.fill(0);
        // Bytes of the report the buffer holds: a read that times out leaves both as they were.
        int held = 0;

        if (cycle == 0) {
            if (backend.write(handle, statusRequest.data(), report::kSize) < 0)
                qCDebug(lcDevice, "Unable to send a feature report.\n");
            devicelink::pause(kRequestReadDelayMs);
            const int got = backend.readTimeout(handle, reply.data(), report::kSize, kReadTimeoutMs);
            if (got < 0) {
                // An unanswered request reads as 0, 0, 0, which the window takes for a mouse that is off.
                emit RefreshBatteryStatus(0, 0, 0);
            } else {
                held = got;
                qCDebug(lcDevice, "Threadread bat - %x %x %x %x %x %x %x %x\n", reply[0], reply[1], reply[2],
                        reply[3], reply[4], reply[5], reply[6], reply[7]);
                // A report cut short or with a voltage no cell has is no answer: it is not taken for one.
                if (reply[report::kCommand] == report::kCmdBattery && battery::isPlausibleReport(reply, held))
                    handleBatteryReport(reply);
            }
            // The first passive read follows without a look at the stop flag and on the request's
            // buffer, so a read that gets nothing new sees the battery report again.
            cycle = kFirstPassiveRead;
            devicelink::pause(kAfterRequestMs);
        } else {
            ++cycle;
        }

        reply[report::kReportId] = 4;
        const int got = backend.readTimeout(handle, reply.data(), report::kSize, kReadTimeoutMs);
        if (got < 0) {
            qCDebug(lcDevice, "Unable to read a feature report 1.\n");
            devicelink::pause(kAfterReadErrorMs);
        } else {
            held = got > 0 ? got : held;
            if (reply[report::kCommand] == report::kCmdStatusReport) {
                if (battery::isPlausibleStatus(reply, held))
                    emit RefreshStatus(reply[report::kStatusProfile], reply[report::kStatusDpi],
                                       reply[report::kStatusRate], reply[report::kStatusMode]);
            } else if (reply[report::kCommand] == report::kCmdBattery &&
                       battery::isPlausibleReport(reply, held)) {
                handleBatteryReport(reply);
            }
            devicelink::pause(kAfterReadMs);
        }
        if (cycle == kLastPassiveRead)
            cycle = 0;
    }
}

void VelGetBatteryThread::handleBatteryReport(const CommandReport &reply) {
    const BatteryReport decoded = battery::decodeReport(reply);
    emit RefreshCapability(decoded.capability);
    emit RefreshBatteryStatus(decoded.charging ? 1 : 0, static_cast<quint8>(decoded.raw & 0xFF),
                              static_cast<quint8>(decoded.raw >> 8));
    // The mouse-off reading carries no write status.
    if (!decoded.off)
        emit RefreshWriteStatus(decoded.writeStatus);
}
