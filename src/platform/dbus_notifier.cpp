#include "platform/dbus_notifier.h"

#include "platform/platform_log.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace {
constexpr const char *kInterface = "org.freedesktop.Notifications";
constexpr const char *kAppName = "Korvane Config";
constexpr const char *kIconName = "korvane-config";
} // namespace

DbusNotifier::DbusNotifier(const QDBusConnection &connection, QObject *parent)
    : DesktopNotifier(parent), m_connection(connection) {
    if (!m_connection.isConnected())
        return;
    m_connection.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                         SLOT(onActionInvoked(uint, QString)));
    m_connection.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                         SLOT(onClosed(uint, uint)));
}

void DbusNotifier::show(Topic topic, const DesktopNotice &notice) {
    if (!m_connection.isConnected()) {
        fallBack(topic, notice);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    QStringList actions;
    if (!notice.actionKey.isEmpty())
        actions << notice.actionKey << notice.actionLabel;
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QString::fromLatin1(kIconName)}};
    call << QString::fromLatin1(kAppName) << m_ids[topic] << QString::fromLatin1(kIconName) << notice.summary
         << notice.body << actions << hints << notice.timeoutMs;
    auto *watcher = new QDBusPendingCallWatcher(m_connection.asyncCall(call, kCallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, topic, notice](QDBusPendingCallWatcher *w) {
                const QDBusPendingReply<uint> reply = *w;
                w->deleteLater();
                if (reply.isError()) {
                    qCDebug(lcPlatform) << "notification not shown:" << reply.error().name();
                    fallBack(topic, notice);
                    return;
                }
                m_ids[topic] = reply.value();
                ++m_delivered;
            });
}

void DbusNotifier::fallBack(Topic topic, const DesktopNotice &notice) {
    if (m_fallback)
        m_fallback->show(topic, notice);
}

void DbusNotifier::onActionInvoked(uint id, const QString &actionKey) {
    for (int topic = 0; topic < TopicCount; ++topic) {
        if (id != 0 && m_ids[topic] == id)
            emit actionInvoked(topic, actionKey);
    }
}

// A closed notification's id is not replaced any more: the next notice of its topic is a new one.
void DbusNotifier::onClosed(uint id, uint) {
    for (uint &known : m_ids) {
        if (known == id)
            known = 0;
    }
}

QString DbusNotifier::serverName(const QDBusConnection &connection, int timeoutMs) {
    if (!connection.isConnected())
        return QString();
    const QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("GetServerInformation"));
    const QDBusMessage reply = QDBusConnection(connection).call(call, QDBus::BlockWithGui, timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() < 3)
        return QString();
    const QList<QVariant> values = reply.arguments();
    return values.at(0).toString() + ' ' + values.at(2).toString();
}
