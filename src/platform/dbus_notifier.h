#pragma once

#include "platform/desktop_notifier.h"

#include <QDBusConnection>
#include <QString>
#include <array>

// Notifications through the desktop's notification service (org.freedesktop.Notifications on the session
// bus). Calls are asynchronous, so a slow or missing service never holds up the window. A notice the
// service does not take (none running, an error) goes to the fallback notifier, if one is set.
class DbusNotifier : public DesktopNotifier {
    Q_OBJECT
public:
    static constexpr const char *kService = "org.freedesktop.Notifications";
    static constexpr const char *kPath = "/org/freedesktop/Notifications";
    static constexpr int kCallTimeoutMs = 3000;

    explicit DbusNotifier(const QDBusConnection &connection = QDBusConnection::sessionBus(),
                          QObject *parent = nullptr);

    void show(Topic topic, const DesktopNotice &notice) override;
    // Not owned; must outlive this notifier or be reset first.
    void setFallback(DesktopNotifier *fallback) { m_fallback = fallback; }
    // Notices handed to the service and not refused.
    int delivered() const { return m_delivered; }

    // The name and version the service gives of itself; empty when no service answers on connection.
    static QString serverName(const QDBusConnection &connection, int timeoutMs = kCallTimeoutMs);

private slots:
    void onActionInvoked(uint id, const QString &actionKey);
    void onClosed(uint id, uint reason);

private:
    void fallBack(Topic topic, const DesktopNotice &notice);

    QDBusConnection m_connection;
    std::array<uint, TopicCount> m_ids{};
    DesktopNotifier *m_fallback = nullptr;
    int m_delivered = 0;
};
