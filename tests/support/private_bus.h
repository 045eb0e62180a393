#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A session bus of the test's own: dbus-daemon with a configuration that lets every client own any name.
class PrivateBus {
public:
    PrivateBus() = default;
    ~PrivateBus();
    PrivateBus(const PrivateBus &) = delete;
    PrivateBus &operator=(const PrivateBus &) = delete;

    // False when dbus-daemon cannot be started or names no address.
    bool start();
    // The address for DBUS_SESSION_BUS_ADDRESS.
    QString address;

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
};
