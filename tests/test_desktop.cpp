#include "app/mouse_notices.h"
#include "platform/autostart.h"
#include "platform/dbus_notifier.h"
#include "platform/desktop_session.h"
#include "platform/local_osd_messenger.h"
#include "support/private_bus.h"
#include "support/test_tree.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// A notification service of the test's own: records every Notify call as
// "replacesId|summary|body|actions|timeout" and answers with ids 1, 2, 3...
class NotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList calls;

public slots:
    uint Notify(const QString &, uint replacesId, const QString &, const QString &summary,
                const QString &body, const QStringList &actions, const QVariantMap &, int timeout) {
        calls << QString("%1|%2|%3|%4|%5").arg(replacesId).arg(summary, body, actions.join(',')).arg(timeout);
        return replacesId != 0 ? replacesId : ++m_lastId;
    }
    QString GetServerInformation(QString &vendor, QString &version, QString &specVersion) {
        vendor = "test";
        version = "1.0";
        specVersion = "1.2";
        return QStringLiteral("test-notifications");
    }

private:
    uint m_lastId = 0;
};

// Records what reaches it, as the window's fallback to the tray's messages does.
class RecordingNotifier : public DesktopNotifier {
public:
    QStringList shown;
    void show(Topic topic, const DesktopNotice &notice) override {
        shown << QString("%1|%2").arg(topic).arg(notice.summary);
    }
};
} // namespace

class TestDesktop : public QObject {
    Q_OBJECT
private slots:
    // The session's kind from its variables, and what each kind leaves to the desktop.
    void sessionKinds() {
        using desktopsession::Kind;
        const struct {
            const char *type, *wayland, *display;
            Kind kind;
        } cases[] = {{"wayland", "wayland-0", ":0", Kind::Wayland},
                     {"x11", "", ":0", Kind::X11},
                     {"X11", "wayland-0", ":1", Kind::X11},
                     {"", "wayland-0", "", Kind::Wayland},
                     {"", "wayland-0", ":0", Kind::X11},
                     {"tty", "", "", Kind::Other},
                     {"", "", ":0", Kind::X11},
                     {"", "", "", Kind::Other}};
        for (const auto &c : cases)
            QVERIFY2(desktopsession::kindOf(c.type, c.wayland, c.display) == c.kind,
                     qPrintable(QString("%1/%2/%3").arg(c.type, c.wayland, c.display)));
        QVERIFY(!desktopsession::osdProgramUsable(Kind::Wayland) &&
                desktopsession::osdProgramUsable(Kind::X11));
        QVERIFY(!desktopsession::pointerControlUsable(Kind::Wayland) &&
                desktopsession::pointerControlUsable(Kind::X11));
    }

    // The entry lands under XDG_CONFIG_HOME (under ~/.config when it is unset or relative), starts the
    // program minimized with its path quoted and escaped where needed, and is removed again.
    void autostartEntryWrittenAndRemoved() {
        QTemporaryDir home, config;
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        const QString path = config.path() + "/autostart/korvane-config.desktop";
        QCOMPARE(autostart::entryPath(), path);
        QVERIFY(!autostart::enabled());
        QVERIFY(autostart::setEnabled(true, "/opt/Korvane Config/korvane-config"));
        QVERIFY(autostart::enabled());
        const QByteArray text = readFile(path);
        QVERIFY(text.startsWith("[Desktop Entry]\nType=Application\n"));
        QVERIFY(text.contains("\nExec=\"/opt/Korvane Config/korvane-config\" --minimized\n"));
        QVERIFY(autostart::setEnabled(true, "/usr/bin/korvane-config"));
        QVERIFY(autostart::entryText("/usr/bin/korvane-config")
                    .contains("\nExec=/usr/bin/korvane-config --minimized\n"));
        // Quoting first, then the entry's string escapes: a backslash reaches the file four times, and a
        // line break in the path stays inside the Exec line.
        QVERIFY(autostart::entryText("/a/$x`%").contains("\nExec=\"/a/\\\\$x\\\\`%%\" --minimized\n"));
        const QByteArray odd = autostart::entryText("/a\nb\\c\t");
        QVERIFY(odd.contains("\nExec=\"/a\\nb\\\\\\\\c\\t\" --minimized\n"));
        QCOMPARE(odd.count('\n'), autostart::entryText("/a").count('\n'));
        QVERIFY(autostart::setEnabled(false, QString()) && !QFile::exists(path) && !autostart::enabled());
        QVERIFY(autostart::setEnabled(false, QString()));
        qputenv("XDG_CONFIG_HOME", "relative/dir");
        QCOMPARE(autostart::entryPath(), home.path() + "/.config/autostart/korvane-config.desktop");
        qunsetenv("XDG_CONFIG_HOME");
        QCOMPARE(autostart::entryPath(), home.path() + "/.config/autostart/korvane-config.desktop");
        // A folder that cannot be made is a failure, not a silent success.
        QFile blocker(home.path() + "/.config");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY(!autostart::setEnabled(true, "/usr/bin/korvane-config"));
    }

    // On Wayland the OSD program cannot place its window, and on X11 it may not start: an on-mouse change is
    // then a desktop notice with the same text.
    void onMouseChangesWithoutTheOsd() {
        MouseNotices shown(QDir::tempPath());
        auto recorder = std::make_unique<RecordingNotifier>();
        const RecordingNotifier &recorded = *recorder;
        shown.setDesktopNotifier(std::move(recorder));
        shown.setSessionKind(desktopsession::Kind::Wayland);
        shown.showRate(4);
        QCOMPARE(recorded.shown, QStringList{"1|250 HZ"});
        shown.setSessionKind(desktopsession::Kind::X11);
        auto missing = std::make_unique<LocalOsdMessenger>(QDir::tempPath());
        int starts = 0;
        missing->setServerName("korvane-test-no-osd");
        missing->setStarter([&starts](const QString &) { return ++starts, false; });
        missing->setStartPause(1);
        shown.setOsdMessenger(std::move(missing));
        shown.showStage(2, 2400);
        QTRY_COMPARE(recorded.shown.last(), QString("1|DPI 3:2400"));
        QCOMPARE(starts, LocalOsdMessenger::kMaxStarts);
    }

    // Against a notification service on a private session bus: each topic's notice replaces its previous
    // one, an action comes back as the topic's, and without a service the fallback shows the notice.
    void notificationsThroughTheSessionBus() {
        PrivateBus bus;
        QVERIFY2(bus.start(), "dbus-daemon did not start");
        QDBusConnection serviceConnection = QDBusConnection::connectToBus(bus.address, "service");
        QDBusConnection clientConnection = QDBusConnection::connectToBus(bus.address, "client");
        QVERIFY(serviceConnection.isConnected() && clientConnection.isConnected());

        RecordingNotifier fallback;
        DbusNotifier notifier(clientConnection);
        notifier.setFallback(&fallback);
        // No service yet: the notice goes to the fallback.
        notifier.show(DesktopNotifier::Battery, {"Mouse battery low", "10%", -1, {}, {}});
        QTRY_COMPARE(fallback.shown, QStringList{"0|Mouse battery low"});
        QVERIFY(DbusNotifier::serverName(clientConnection, 1000).isEmpty());

        NotificationService service;
        QVERIFY(
            serviceConnection.registerObject(DbusNotifier::kPath, &service, QDBusConnection::ExportAllSlots));
        QVERIFY(serviceConnection.registerService(DbusNotifier::kService));
        QCOMPARE(DbusNotifier::serverName(clientConnection, 1000), QString("test-notifications 1.0"));
        QSignalSpy actions(&notifier, &DesktopNotifier::actionInvoked);
        notifier.show(DesktopNotifier::MouseChange, {"DPI 2:1600", {}, 1500, {}, {}});
        QTRY_COMPARE(service.calls.size(), 1);
        notifier.show(DesktopNotifier::Resend, {"Korvane", "Send again?", -1, "resend", "Send again"});
        QTRY_COMPARE(service.calls.size(), 2);
        notifier.show(DesktopNotifier::MouseChange, {"DPI 3:3200", {}, 1500, {}, {}});
        QTRY_COMPARE(notifier.delivered(), 3);
        QCOMPARE(service.calls,
                 (QStringList{"0|DPI 2:1600|||1500", "0|Korvane|Send again?|resend,Send again|-1",
                              "1|DPI 3:3200|||1500"}));
        QCOMPARE(fallback.shown.size(), 1);

        QDBusMessage invoked =
            QDBusMessage::createSignal(DbusNotifier::kPath, DbusNotifier::kService, "ActionInvoked");
        invoked << uint(2) << QString("resend");
        QVERIFY(serviceConnection.send(invoked));
        QTRY_COMPARE(actions.size(), 1);
        QCOMPARE(actions.first().value(0).toInt(), int(DesktopNotifier::Resend));
        QCOMPARE(actions.first().value(1).toString(), QString("resend"));

        // Closed by the user: the topic's next notice is a new one.
        QDBusMessage closed =
            QDBusMessage::createSignal(DbusNotifier::kPath, DbusNotifier::kService, "NotificationClosed");
        closed << uint(1) << uint(2);
        QVERIFY(serviceConnection.send(closed));
        QTest::qWait(100);
        notifier.show(DesktopNotifier::MouseChange, {"DPI 1:800", {}, 1500, {}, {}});
        QTRY_COMPARE(service.calls.size(), 4);
        QCOMPARE(service.calls.last(), QString("0|DPI 1:800|||1500"));
        serviceConnection.unregisterService(DbusNotifier::kService);
        QDBusConnection::disconnectFromBus("service");
        QDBusConnection::disconnectFromBus("client");
    }
};

QTEST_GUILESS_MAIN(TestDesktop)
#include "test_desktop.moc"
