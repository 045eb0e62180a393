#include "sim/backend_choice.h"

#include "device/device_entry.h"
#include "device/hid/hidapi_backend.h"
#include "device/hid/tracing_backend.h"
#include "platform/linux/udev_device_notifier.h"
#include "sim/virtual_device_notifier.h"
#include "sim/virtual_mouse.h"
#include "storage/description_file.h"

#include <QCoreApplication>
#include <QTimer>
#include <QtGlobal>
#include <cerrno>
#include <utility>

namespace {
constexpr int kBatteryStepMs = 5000;

// The raw voltage count the mouse reports at about percent (10..100 in steps of 10): the middle of the
// level's voltage band, 990 mV per 240 counts.
uint16_t rawVoltageForLevel(int percent) {
    static const int kMillivolts[] = {3100, 3300, 3450, 3600, 3750, 3850, 3950, 4050, 4150, 4250};
    const int index = qBound(0, percent / 10 - 1, 9);
    return static_cast<uint16_t>(kMillivolts[index] * 240 / 990);
}

// KORVANE_VIRTUAL_BATTERY="60,10": the battery's levels in percent, one after the other every five
// seconds, the last one kept; a way to watch the program meet a falling battery by hand.
void followBatteryLevels(VirtualMouse *mouse) {
    const QStringList levels = qEnvironmentVariable("KORVANE_VIRTUAL_BATTERY").split(',', Qt::SkipEmptyParts);
    if (levels.isEmpty())
        return;
    const auto setLevel = [mouse](int percent) {
        VirtualMouse::Battery battery = mouse->battery();
        battery.voltage = rawVoltageForLevel(percent);
        mouse->setBattery(battery);
    };
    setLevel(levels.first().toInt());
    for (int i = 1; i < levels.size(); ++i) {
        const int percent = levels.at(i).toInt();
        QTimer::singleShot(kBatteryStepMs * i, QCoreApplication::instance(),
                           [setLevel, percent] { setLevel(percent); });
    }
}

// KORVANE_VIRTUAL_FAULT="wrong-echo,5": that fault (unplug, silent, wrong-echo, short-read, write-error) at
// the fifth report written, to watch the program meet it by hand or from a test.
void faultFromEnvironment(VirtualMouse &mouse) {
    using Fault = VirtualMouse::Fault;
    static const std::pair<const char *, Fault> kKinds[] = {{"unplug", Fault::Unplug},
                                                            {"silent", Fault::Silent},
                                                            {"wrong-echo", Fault::WrongEcho},
                                                            {"short-read", Fault::ShortRead},
                                                            {"write-error", Fault::WriteError}};
    const QStringList fields = qEnvironmentVariable("KORVANE_VIRTUAL_FAULT").split(',');
    for (const auto &[name, fault] : kKinds) {
        if (fields.size() == 2 && fields[0] == QLatin1String(name))
            mouse.faultAt(fault, fields[1].toInt());
    }
}
} // namespace

bool virtualMouseRequested(const QStringList &arguments) {
    return qEnvironmentVariableIntValue("KORVANE_VIRTUAL_MOUSE") == 1 ||
           arguments.contains(QStringLiteral("--virtual"));
}

HidBackendChoice chooseHidBackend(bool useVirtual) {
    HidBackendChoice choice = chooseUntracedBackend(useVirtual);
    const QString tracePath = qEnvironmentVariable("KORVANE_HID_TRACE");
    if (!tracePath.isEmpty()) {
        int vid1 = 0, pid1 = 0, vid2 = 0, pid2 = 0;
        description::deviceIds(vid1, pid1, vid2, pid2);
        choice.backend =
            std::make_unique<TracingBackend>(std::move(choice.backend), tracePath, vid1, pid1, vid2, pid2);
    }
    return choice;
}

HidBackendChoice chooseUntracedBackend(bool useVirtual) {
    HidBackendChoice choice;
    if (!useVirtual) {
        choice.backend = std::make_unique<HidapiBackend>();
        return choice;
    }
    int vid1 = 0, pid1 = 0, vid2 = 0, pid2 = 0;
    description::deviceIds(vid1, pid1, vid2, pid2);
    auto mouse = std::make_unique<VirtualMouse>(static_cast<uint16_t>(vid1), static_cast<uint16_t>(pid1),
                                                static_cast<uint16_t>(vid2), static_cast<uint16_t>(pid2));
    // The program's virtual mouse runs on its battery through the receiver, the usual way it is used;
    // KORVANE_VIRTUAL_CABLE=1 plugs its cable in as well.
    if (qEnvironmentVariableIntValue("KORVANE_VIRTUAL_CABLE") != 1)
        mouse->unplug(kCable);
    // KORVANE_VIRTUAL_ASLEEP=1: a mouse that is there but answers nothing, as one asleep does.
    mouse->setAsleep(qEnvironmentVariableIntValue("KORVANE_VIRTUAL_ASLEEP") == 1);
    // KORVANE_VIRTUAL_NO_ACCESS=1: a mouse plugged in whose nodes this user may not open.
    if (qEnvironmentVariableIntValue("KORVANE_VIRTUAL_NO_ACCESS") == 1)
        mouse->refuseOpens(EACCES);
    faultFromEnvironment(*mouse);
    followBatteryLevels(mouse.get());
    choice.virtualMouse = mouse.get();
    choice.backend = std::move(mouse);
    return choice;
}

std::unique_ptr<DeviceNotifier> createDeviceNotifier(VirtualMouse *virtualMouse, QObject *parent) {
    if (virtualMouse)
        return std::make_unique<VirtualDeviceNotifier>(*virtualMouse, parent);
    return std::make_unique<UdevDeviceNotifier>(parent);
}
