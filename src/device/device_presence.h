#pragma once

#include "device/battery_status.h"
#include "platform/device_event.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <memory>

class DeviceNotifier;
class HidBackend;
class MouseDevice;

// Which supported mice are present and which one the program talks to. Owns the device link and the
// hot-plug notifier for the whole run (the HID backend under them belongs to the program's main()), and
// turns arrivals and removals into the few things the main window reacts to.
class DevicePresence : public QObject {
    Q_OBJECT
public:
    // notifier may be null where the system offers no hot-plug notifications.
    DevicePresence(HidBackend &backend, std::unique_ptr<DeviceNotifier> notifier, QObject *parent = nullptr);
    ~DevicePresence() override;

    // Builds the device table, enumerates the interfaces and refreshes the mouse list.
    void start();
    // Starts hot-plug notifications; false when the system offers none.
    bool startNotifications();

    int mouseCount() const { return m_names.size(); }
    QStringList mouseNames() const { return m_names; }
    // Recounts the present mice and settles the current product name: kept when present, else the first
    // present mouse, else empty.
    void refreshMouseList();
    // Opens the mouse named by the current product name.
    void openCurrent();
    void close();

    // While the mouse is written to, hot-plug changes wait: reopening or closing the mouse would pull
    // the handle from under the write. Released changes are applied in the order they came.
    void holdChanges();
    void releaseChanges();
    bool changesHeld() const { return m_held; }

    bool cablePresent() const;
    bool receiverPresent() const;
    battery::ConnectionState connectionState(bool charging) const;
    MouseDevice &device() const { return *m_device; }

signals:
    void mouseListChanged();
    // A mouse arrived while none was present: the window reopens it after a short delay.
    void firstMouseArrived();
    // Another connection of the current mouse came or went: its handles should be reopened.
    void reopenRequested();
    // The last mouse went away.
    void lastMouseRemoved();
    // The current mouse went away while another stays: the window switches to it.
    void currentMouseSwitched();
    // A connection of a supported mouse came or went (events of other devices are not reported).
    void connectionChanged();

private:
    void onDeviceChanged(const DeviceEvent &event);
    bool modelPresent(int entry) const;
    QString entryName(int entry) const;

    std::unique_ptr<MouseDevice> m_device;
    std::unique_ptr<DeviceNotifier> m_notifier;
    QStringList m_names;
    bool m_held = false;
    QList<DeviceEvent> m_heldEvents;
};
