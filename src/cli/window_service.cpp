#include "cli/window_service.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>

namespace {
WindowService::Reply send(QDBusMessage message, const QVariantList &arguments, int timeoutMs) {
    message.setArguments(arguments);
    const QDBusMessage answer = QDBusConnection::sessionBus().call(message, QDBus::Block, timeoutMs);
    WindowService::Reply reply;
    if (answer.type() == QDBusMessage::ReplyMessage) {
        reply.values = answer.arguments();
    } else {
        // QtDBus wakes the caller before it is done with an error reply: its own thread then announces
        // the failure, copying the error into types that korvanectl's end tears down, and warns into the
        // command's output when the program ends meanwhile. One more round trip to the bus lets it finish.
        (void)QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping")));
        reply.errorName = answer.errorName().isEmpty() ? QStringLiteral("org.freedesktop.DBus.Error.Failed")
                                                       : answer.errorName();
    }
    reply.errorText = answer.errorMessage();
    return reply;
}
} // namespace

bool WindowService::reachable() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    const QDBusReply<bool> registered = bus.interface()->isServiceRegistered(sessionbus::kServiceName);
    return registered.isValid() && registered.value();
}

WindowService::Reply WindowService::call(const QString &method, const QVariantList &arguments,
                                         int timeoutMs) {
    return send(QDBusMessage::createMethodCall(sessionbus::kServiceName, sessionbus::kObjectPath,
                                               sessionbus::kInterface, method),
                arguments, timeoutMs);
}

QVariantMap WindowService::properties(Reply &reply) {
    reply = send(QDBusMessage::createMethodCall(sessionbus::kServiceName, sessionbus::kObjectPath,
                                                QStringLiteral("org.freedesktop.DBus.Properties"),
                                                QStringLiteral("GetAll")),
                 {QString::fromLatin1(sessionbus::kInterface)}, -1);
    if (!reply.ok() || reply.values.isEmpty())
        return QVariantMap();
    return qdbus_cast<QVariantMap>(reply.values.first());
}
