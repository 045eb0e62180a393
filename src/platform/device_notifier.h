#pragma once

#include "platform/device_event.h"

#include <QObject>

// Tells the program when a HID interface arrives or is removed. Events are delivered on the thread
// the notifier lives in.
class DeviceNotifier : public QObject {
    Q_OBJECT
public:
    explicit DeviceNotifier(QObject *parent = nullptr);
    // False when the system's notifications cannot be had; the program then runs without hot-plug.
    virtual bool start() = 0;

signals:
    void deviceChanged(const DeviceEvent &event);
};
