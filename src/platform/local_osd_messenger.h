#pragma once

#include "platform/osd_messenger.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

class QLocalSocket;

// The OSD program listens on a local socket named after its window, in the user's runtime folder. When
// nobody listens, the program (application directory + "/korvane-osd") is started up to five times,
// 500 ms apart, and the record offered again after each start; then it is dropped. Nothing waits on the
// caller's thread: the tries run from the event loop. A record sent while an earlier one is still on its
// way replaces it (only the latest change is worth showing), and the earlier one's done is never called.
class LocalOsdMessenger : public QObject, public OsdMessenger {
    Q_OBJECT
public:
    static constexpr int kMaxStarts = 5;
    static constexpr int kStartPauseMs = 500;

    explicit LocalOsdMessenger(const QString &applicationDir, QObject *parent = nullptr);
    ~LocalOsdMessenger() override;
    // The OSD program's socket, OsdMessenger::kOsdName in the user's runtime folder: another user's OSD
    // program can neither receive this user's notices nor block them. Empty without a runtime folder.
    static QString defaultServerName();

    void send(const OsdRecord &record, std::function<void(bool taken)> done) override;

    // Tests replace the program start, the pause between starts and the socket.
    void setStarter(std::function<bool(const QString &program)> starter) { m_starter = std::move(starter); }
    void setStartPause(int ms) { m_pauseMs = ms; }
    void setServerName(const QString &name) { m_serverName = name; }

private:
    void tryDeliver();
    void failed();
    void finish(bool taken);

    QString m_program;
    QString m_serverName;
    std::function<bool(const QString &)> m_starter;
    int m_pauseMs = kStartPauseMs;
    // The record on its way, its callback, the starts made for it and the try in progress.
    QByteArray m_pending;
    std::function<void(bool)> m_done;
    int m_starts = 0;
    QLocalSocket *m_socket = nullptr;
    quint64 m_generation = 0;
};
