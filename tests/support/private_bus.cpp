#include "support/private_bus.h"

#include <QFile>

bool PrivateBus::start() {
    const QString config = m_dir.filePath("bus.conf");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
               " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
               "<busconfig><type>session</type><listen>unix:dir=" +
               m_dir.path().toUtf8() +
               "</listen><auth>EXTERNAL</auth><policy context=\"default\"><allow send_destination=\"*\"/>"
               "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n");
    file.close();
    m_daemon.start("dbus-daemon", {"--config-file=" + config, "--nofork", "--print-address=1"});
    if (!m_daemon.waitForStarted(5000))
        return false;
    while (!m_daemon.canReadLine() && m_daemon.waitForReadyRead(5000)) {
    }
    address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    return !address.isEmpty();
}

PrivateBus::~PrivateBus() {
    m_daemon.terminate();
    m_daemon.waitForFinished(3000);
}
