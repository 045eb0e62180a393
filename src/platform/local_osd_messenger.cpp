#include "platform/local_osd_messenger.h"

#include "platform/platform_log.h"

#include <QLocalSocket>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace {
// A try that neither connects nor hands its bytes over in this time counts as failed.
constexpr int kTryTimeoutMs = 500;
} // namespace

LocalOsdMessenger::LocalOsdMessenger(const QString &applicationDir, QObject *parent)
    : QObject(parent), m_program(applicationDir + "/korvane-osd"), m_serverName(defaultServerName()),
      m_starter([](const QString &program) { return QProcess::startDetached(program, QStringList()); }) {}

LocalOsdMessenger::~LocalOsdMessenger() = default;

QString LocalOsdMessenger::defaultServerName() {
    // Qt makes the folder (0700) when the session names none.
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return dir.isEmpty() ? QString() : dir + '/' + QString::fromLatin1(kOsdName);
}

void LocalOsdMessenger::send(const OsdRecord &record, std::function<void(bool taken)> done) {
    const bool onItsWay = !m_pending.isEmpty();
    m_pending = record.encode();
    m_done = std::move(done);
    // The try or pause under way goes on and takes the new record.
    if (!onItsWay)
        tryDeliver();
}

void LocalOsdMessenger::tryDeliver() {
    const quint64 attempt = ++m_generation;
    const QByteArray data = m_pending;
    m_socket = new QLocalSocket(this);
    QLocalSocket *socket = m_socket;
    const auto end = [this, socket] {
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
        m_socket = nullptr;
    };
    // Handed over at once: the record fits the socket's buffer, so the OSD program finds it whole when it
    // reads, and nothing waits for the program to read.
    connect(socket, &QLocalSocket::connected, this, [socket, data] {
        socket->write(data);
        socket->flush();
    });
    connect(socket, &QLocalSocket::bytesWritten, this, [this, socket, data, end] {
        if (socket->bytesToWrite() > 0)
            return;
        // Every byte is with the OSD program's socket; closing now loses none of them.
        end();
        // A newer record came while this one went out: it goes too.
        if (data != m_pending)
            tryDeliver();
        else
            finish(true);
    });
    connect(socket, &QLocalSocket::errorOccurred, this, [this, end] {
        end();
        failed();
    });
    QTimer::singleShot(kTryTimeoutMs, this, [this, attempt, end] {
        if (attempt != m_generation || !m_socket)
            return;
        qCDebug(lcPlatform, "SendMessage failed\n");
        end();
        failed();
    });
    if (m_serverName.isEmpty()) {
        end();
        failed();
        return;
    }
    socket->connectToServer(m_serverName);
}

void LocalOsdMessenger::failed() {
    if (m_starts == kMaxStarts) {
        finish(false);
        return;
    }
    ++m_starts;
    m_starter(m_program);
    QTimer::singleShot(m_pauseMs, this, [this] { tryDeliver(); });
}

void LocalOsdMessenger::finish(bool taken) {
    m_pending.clear();
    m_starts = 0;
    const std::function<void(bool)> done = std::move(m_done);
    m_done = nullptr;
    if (done)
        done(taken);
}
