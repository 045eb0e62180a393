#include "platform/device_notifier.h"

DeviceNotifier::DeviceNotifier(QObject *parent) : QObject(parent) {
    // Receivers may sit behind queued connections.
    qRegisterMetaType<DeviceEvent>("DeviceEvent");
}
