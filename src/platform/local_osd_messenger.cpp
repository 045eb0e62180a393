#include "platform/local_osd_messenger.h"

#include "platform/platform_log.h"

#include <QLocalSocket>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

namespace {
constexpr int kConnectTimeoutMs = 100;
constexpr int kWriteTimeoutMs = 500;
} // namespace

LocalOsdMessenger::LocalOsdMessenger(const QString &applicationDir)
    : m_program(applicationDir + "/korvane-osd"), m_serverName(defaultServerName()),
      m_starter([](const QString &program) { return QProcess::startDetached(program, QStringList()); }),
      m_pause([](int ms) { QThread::msleep(static_cast<unsigned long>(ms)); }) {}

QString LocalOsdMessenger::defaultServerName() {
    // Qt makes the folder (0700) when the session names none.
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return dir.isEmpty() ? QString() : dir + '/' + QString::fromLatin1(kOsdName);
}

bool LocalOsdMessenger::deliver(const QByteArray &data) {
    if (m_serverName.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    socket.write(data);
    const bool written = socket.waitForBytesWritten(kWriteTimeoutMs) || socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    if (!written)
        qCDebug(lcPlatform, "SendMessage failed\n");
    return written;
}

bool LocalOsdMessenger::send(const OsdRecord &record) {
    const QByteArray data = record.encode();
    for (int starts = 0;; ++starts) {
        if (deliver(data))
            return true;
        if (starts == kMaxStarts)
            return false;
        m_starter(m_program);
        m_pause(kStartPauseMs);
    }
}
