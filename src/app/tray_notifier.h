#pragma once

#include "platform/desktop_notifier.h"

class QSystemTrayIcon;

// Where the desktop has no notification service: the notice as the tray icon's message. Clicking the
// message takes its action.
class TrayNotifier : public DesktopNotifier {
    Q_OBJECT
public:
    explicit TrayNotifier(QSystemTrayIcon *tray, QObject *parent = nullptr);

    void show(Topic topic, const DesktopNotice &notice) override;

private:
    QSystemTrayIcon *m_tray;
    int m_topic = -1;
    QString m_actionKey;
};
