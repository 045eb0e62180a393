#pragma once

#include "platform/osd_messenger.h"

#include <QString>
#include <functional>

// The OSD program listens on a local socket named after its window, in the user's runtime folder. When nobody
// listens, the program (application directory + "/korvane-osd") is started up to five times, 500 ms apart;
// then the text is dropped.
class LocalOsdMessenger : public OsdMessenger {
public:
    static constexpr int kMaxStarts = 5;
    static constexpr int kStartPauseMs = 500;

    explicit LocalOsdMessenger(const QString &applicationDir);
    // The OSD program's socket, OsdMessenger::kOsdName in the user's runtime folder: another user's OSD
    // program can neither receive this user's notices nor block them. Empty without a runtime folder.
    static QString defaultServerName();
    bool send(const OsdRecord &record) override;

    // Tests replace the program start and the pause.
    void setStarter(std::function<bool(const QString &program)> starter) { m_starter = std::move(starter); }
    void setPause(std::function<void(int ms)> pause) { m_pause = std::move(pause); }
    void setServerName(const QString &name) { m_serverName = name; }

private:
    bool deliver(const QByteArray &data);

    QString m_program;
    QString m_serverName;
    std::function<bool(const QString &)> m_starter;
    std::function<void(int)> m_pause;
};
