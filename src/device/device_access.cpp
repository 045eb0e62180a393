#include "device/device_access.h"

#include "device/battery_request.h"
#include "device/mouse_device.h"
#include "device/udev_rule.h"

#include <QCoreApplication>

AccessReport describeAccess(const MouseDevice &device) {
    AccessReport report;
    report.state = device.access();
    const int slot = device.deniedSlot();
    if (report.state == DeviceAccess::Denied && slot >= 0) {
        report.node = device.table().entries[0].path[slot].data();
        report.status = device.backend().nodeStatus(report.node);
        report.rulePath = udevrule::installedPath();
    }
    return report;
}

DeviceAccess probeAccess(MouseDevice &device) {
    const DeviceAccess opened = device.access();
    if (opened != DeviceAccess::Ready)
        return opened;
    BatteryReport reading;
    switch (requestBatteryReport(device, reading)) {
    case BatteryAnswer::Received:
        return DeviceAccess::Ready;
    case BatteryAnswer::Silent:
        return DeviceAccess::Silent;
    default:
        return DeviceAccess::Failed;
    }
}

const char *accessName(DeviceAccess access) {
    static const char *const kNames[] = {"absent", "denied", "failed", "silent", "ready"};
    return kNames[static_cast<int>(access)];
}

QString accessMessage(const AccessReport &report, const QString &applicationDir) {
    const bool installed = !report.rulePath.isEmpty();
    const char *text =
        installed ? QT_TRANSLATE_NOOP("DeviceAccess",
                                      "The mouse is connected, but this user may not open it (%1, owner %2, "
                                      "mode %3). The udev rule that allows it is installed but was not "
                                      "applied to it. Apply it with:\n%4\nthen plug the mouse in again.")
                  : QT_TRANSLATE_NOOP("DeviceAccess",
                                      "The mouse is connected, but this user may not open it (%1, owner %2, "
                                      "mode %3). The udev rule that allows it is not installed. Install it "
                                      "with:\n%4\nthen plug the mouse in again.");
    return QCoreApplication::translate("DeviceAccess", text)
        .arg(QString::fromStdString(report.node), report.status.owner,
             QString::number(report.status.mode, 8).rightJustified(4, '0'),
             udevrule::fixCommand(installed, applicationDir));
}
