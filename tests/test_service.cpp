#include "app/korvane_service.h"
#include "app/link_switcher.h"
#include "app/page_stack.h"
#include "device/battery_thread_controller.h"
#include "device/link_hooks.h"
#include "macro/macro_dialog.h"
#include "macro/macro_editor.h"
#include "sim/virtual_mouse.h"
#include "storage/app_config_store.h"
#include "storage/config_file.h"
#include "storage/profile_file.h"
#include "storage/profile_list.h"
#include "storage/profile_session.h"
#include "support/private_bus.h"
#include "support/test_tree.h"
#include "support/virtual_window.h"
#include "widgets/vel_message_box.h"
#include "widgets/vel_push_button.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDialog>
#include <QProcess>
#include <QThread>
#include <QXmlStreamReader>
#include <QtTest>

namespace {
const QString kService = sessionbus::kServiceName;
const QString kPath = sessionbus::kObjectPath;
const QString kInterface = sessionbus::kInterface;

// The interface's members as one line each ("method Apply s -> ibs", "property Profiles as read",
// "signal WriteEnded is"), from introspection data, so that the installed description and what the
// program serves can be compared whatever the order, names and comments.
QStringList members(const QString &xml) {
    QStringList lines;
    QXmlStreamReader reader(xml);
    bool inside = false;
    QString line, in, out;
    while (!reader.atEnd()) {
        reader.readNext();
        const auto attribute = [&reader](const char *name) {
            return reader.attributes().value(name).toString();
        };
        if (reader.isStartElement() && reader.name() == QLatin1String("interface"))
            inside = attribute("name") == kInterface;
        if (!inside)
            continue;
        if (reader.isStartElement() && reader.name() == QLatin1String("property"))
            lines << "property " + attribute("name") + " " + attribute("type") + " " + attribute("access");
        if (reader.isStartElement() &&
            (reader.name() == QLatin1String("method") || reader.name() == QLatin1String("signal")))
            line = reader.name().toString() + " " + attribute("name"), in.clear(), out.clear();
        if (reader.isStartElement() && reader.name() == QLatin1String("arg"))
            (attribute("direction") == "out" ? out : in) += attribute("type");
        if (reader.isEndElement() && reader.name() == QLatin1String("method"))
            lines << line + " " + in + " -> " + out;
        if (reader.isEndElement() && reader.name() == QLatin1String("signal"))
            lines << line + " " + in + out; // a signal's arguments may be marked "out"
        if (reader.isEndElement() && reader.name() == QLatin1String("interface"))
            inside = false;
    }
    lines.sort();
    return lines;
}
} // namespace

// What a client on the bus sees of the window: PropertiesChanged and WriteEnded as they come.
class BusListener : public QObject {
    Q_OBJECT
public:
    QList<QVariantMap> changes;
    QList<QPair<int, QString>> writes;

    // The value the last announcement gave a property; invalid when none named it.
    QVariant lastChange(const QString &property) const {
        for (auto it = changes.crbegin(); it != changes.crend(); ++it) {
            if (it->contains(property))
                return it->value(property);
        }
        return QVariant();
    }

public slots:
    void propertiesChanged(const QString &interface, const QVariantMap &changed, const QStringList &) {
        if (interface == kInterface)
            changes << changed;
    }
    void writeEnded(int result, const QString &message) { writes << qMakePair(result, message); }
};

class TestService : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void servesItsDescription();
    void propertiesFollowTheMouse();
    void switchAndApplyAsTheWindow();
    void callsThatClashAreRefused();
    void reloadAndShow();
    void linksThroughTheBus();

private:
    // Calls a method of the service from the client while the window goes on serving events, as a program
    // outside would; the reply (or error) once it came.
    QDBusMessage call(const QString &method, const QVariantList &arguments = {},
                      const QString &interface = kInterface);
    QVariantMap properties();
    // gdbus run with arguments while the window serves events; what it printed.
    QString gdbus(const QStringList &arguments);

    std::unique_ptr<PrivateBus> m_bus;
    std::unique_ptr<TestTree> m_tree;
    std::unique_ptr<VirtualWindow> m_rig;
    std::unique_ptr<KorvaneService> m_service;
    std::unique_ptr<QDBusConnection> m_client;
    BusListener m_listener;
    int m_connections = 0;
};

void TestService::initTestCase() {
    // The protocol's pauses, cut short: the battery reader reports within a fraction of a second.
    devicelink::setPauseFunction([](int ms) { QThread::msleep(static_cast<unsigned long>(qMin(ms, 5))); });
    m_bus = std::make_unique<PrivateBus>();
    QVERIFY2(m_bus->start(), "dbus-daemon did not start");
}

void TestService::init() {
    m_tree = std::make_unique<TestTree>();
    m_rig = std::make_unique<VirtualWindow>();
    m_rig->window->show();
    QTRY_VERIFY(m_rig->window->isVisible());
    // Each window gets connections of its own: a name released by the last one is free again.
    const QString id = QString::number(++m_connections);
    const QDBusConnection serving = QDBusConnection::connectToBus(m_bus->address, "service" + id);
    m_service = std::make_unique<KorvaneService>(*m_rig->window);
    QVERIFY(m_service->publish(serving));
    m_client =
        std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(m_bus->address, "client" + id));
    m_listener.changes.clear();
    m_listener.writes.clear();
    QVERIFY(m_client->connect(kService, kPath, "org.freedesktop.DBus.Properties", "PropertiesChanged",
                              &m_listener, SLOT(propertiesChanged(QString, QVariantMap, QStringList))));
    QVERIFY(m_client->connect(kService, kPath, kInterface, "WriteEnded", &m_listener,
                              SLOT(writeEnded(int, QString))));
}

void TestService::cleanup() {
    VelMessageBox::setNextAnswers({});
    m_client.reset();
    m_service.reset();
    QDBusConnection::disconnectFromBus("service" + QString::number(m_connections));
    QDBusConnection::disconnectFromBus("client" + QString::number(m_connections));
    m_rig.reset();
    m_tree.reset();
}

QDBusMessage TestService::call(const QString &method, const QVariantList &arguments,
                               const QString &interface) {
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, interface, method);
    message.setArguments(arguments);
    QDBusPendingCall pending = m_client->asyncCall(message, 60000);
    QDeadlineTimer deadline(60000);
    while (!pending.isFinished() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return pending.reply();
}

QString TestService::gdbus(const QStringList &arguments) {
    QProcess process;
    process.start("gdbus", arguments);
    [&] { QVERIFY2(process.waitForStarted(), "gdbus did not start"); }();
    QDeadlineTimer deadline(20000);
    while (process.state() != QProcess::NotRunning && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError()).trimmed();
}

QVariantMap TestService::properties() {
    const QDBusMessage reply = call("GetAll", {kInterface}, "org.freedesktop.DBus.Properties");
    if (reply.type() != QDBusMessage::ReplyMessage)
        return QVariantMap();
    return qdbus_cast<QVariantMap>(reply.arguments().at(0).value<QDBusArgument>());
}

// What the program serves is what the installed description says, member for member.
void TestService::servesItsDescription() {
    QFile file(QStringLiteral(KORVANE_SOURCE_DIR "/data/dbus/io.github.korvane.KorvaneConfig1.xml"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList described = members(QString::fromUtf8(file.readAll()));
    QVERIFY(described.contains("method Apply s -> ibs") && described.contains("property Profiles as read"));
    const QDBusMessage reply = call("Introspect", {}, "org.freedesktop.DBus.Introspectable");
    QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
    QCOMPARE(members(reply.arguments().at(0).toString()), described);
}

// Every property as the window knows it, and a battery report of the mouse announced with the properties
// it changed; an unplugged receiver takes the product and the battery with it.
void TestService::propertiesFollowTheMouse() {
    QTRY_VERIFY_WITH_TIMEOUT(properties().value("BatteryLevel").toInt() > 0, 10000);
    QVariantMap values = properties();
    // The links come as the bus's structures, which do not compare as variants (their test is below).
    QVERIFY(values.take("Links").canConvert<QDBusArgument>());
    QCOMPARE(values, (QVariantMap{{"Product", "Korvane M7 Wireless"},
                                  {"Receiver", true},
                                  {"Cable", false},
                                  {"Connection", "receiver"},
                                  {"BatteryLevel", 70},
                                  {"BatteryMillivolts", 3960},
                                  {"Charging", false},
                                  {"MouseOff", false},
                                  {"CurrentProfile", "Profile 1"},
                                  {"Profiles", QStringList{"Profile 1"}},
                                  {"SettingsMayDiffer", false}}));

    VirtualMouse::Battery battery = m_rig->mouse().battery();
    battery.voltage = 1000;
    battery.charging = 1;
    m_rig->mouse().setBattery(battery);
    QTRY_COMPARE_WITH_TIMEOUT(m_listener.lastChange("Charging"), QVariant(true), 10000);
    QCOMPARE(m_listener.lastChange("BatteryMillivolts"), QVariant(4125));
    QCOMPARE(properties().value("Charging"), QVariant(true));
    // Nothing is announced that did not change.
    for (const QVariantMap &change : m_listener.changes)
        QVERIFY2(!change.contains("Product") && !change.contains("Profiles"),
                 qPrintable(change.keys().join(',')));

    m_rig->mouse().unplug(kReceiver);
    QTRY_COMPARE_WITH_TIMEOUT(m_listener.lastChange("Product"), QVariant(QString()), 10000);
    values = properties();
    QCOMPARE((QVariantList{values["Receiver"], values["Connection"], values["BatteryLevel"]}),
             (QVariantList{false, "none", -1}));
}

// SwitchProfile is the profile menu and Apply the Apply button: the same profile becomes current, and the end
// of a write, the button's too, is announced with its result. Names that are not profiles of the list are
// refused before anything changes. (That Apply sends what korvanectl apply sends is korvanectl's test.)
void TestService::switchAndApplyAsTheWindow() {
    ProfileList list;
    list.load();
    QString made;
    QCOMPARE(list.add(made), ProfileListResult::Ok);
    QVERIFY(call("Reload").type() == QDBusMessage::ReplyMessage);
    QTRY_COMPARE(m_listener.lastChange("Profiles"), QVariant(QStringList{"Profile 1", made}));

    QCOMPARE(call("SwitchProfile", {made}).type(), QDBusMessage::ReplyMessage);
    QCOMPARE(m_rig->window->currentProfileName(), made);
    QTRY_COMPARE(m_listener.lastChange("CurrentProfile"), QVariant(made));

    // A write that failed would ask in a box: answered, so that the result below says what happened.
    VelMessageBox::setNextAnswers({false});
    m_rig->window->findChild<VelPushButton *>("applyButton")->click();
    QTRY_COMPARE(m_listener.writes, (QList<QPair<int, QString>>{{0, QString()}}));
    QCOMPARE(call("Apply", {QString()}).arguments(), (QVariantList{0, true, QString()}));
    QTRY_COMPARE(m_listener.writes.size(), 2);
    QCOMPARE(m_listener.writes.last(), qMakePair(0, QString()));

    // A named profile is switched to first; a mouse that is not there is told with its result code. (The
    // battery reader stops first: a reading cut short by the unplugging would mark the mouse as off.)
    auto *readers = m_rig->window->findChild<BatteryThreadController *>();
    readers->stopBatteryThread();
    readers->waitForStoppedReaders();
    m_rig->mouse().unplug(kReceiver);
    QTRY_COMPARE(m_rig->window->monitor().mouseCount(), 0);
    const QDBusMessage absent = call("Apply", {QStringLiteral("Profile 1")});
    QCOMPARE(absent.arguments().mid(0, 2), (QVariantList{1, true}));
    QVERIFY(!absent.arguments().value(2).toString().isEmpty());
    QCOMPARE(m_rig->window->currentProfileName(), QString("Profile 1"));
    QTRY_COMPARE(m_listener.writes.size(), 3);
    QCOMPARE(m_listener.writes.last().first, 1);

    const struct {
        QString method, name, error;
    } refusals[] = {{"SwitchProfile", "Raid", sessionbus::kUnknownProfileError},
                    {"Apply", "Raid", sessionbus::kUnknownProfileError},
                    {"SwitchProfile", "../Config", sessionbus::kInvalidNameError},
                    {"SwitchProfile", made, sessionbus::kRefusedError}};
    QVERIFY(QFile::remove(profile::profileFilePath(made)));
    for (const auto &refusal : refusals) {
        const QDBusMessage reply = call(refusal.method, {refusal.name});
        QCOMPARE(reply.errorName(), refusal.error);
        QVERIFY(!reply.errorMessage().isEmpty());
        QCOMPARE(m_rig->window->currentProfileName(), QString("Profile 1"));
    }
}

// While a write runs, a macro is recorded or a dialog is open, every call that changes something is refused
// with why; reading the properties goes on.
void TestService::callsThatClashAreRefused() {
    // Two writes asked for at once: the second comes while the first runs.
    QDBusMessage first = QDBusMessage::createMethodCall(kService, kPath, kInterface, "Apply");
    first.setArguments({QString()});
    QDBusPendingCall running = m_client->asyncCall(first, 60000);
    const QDBusMessage second = call("Apply", {QString()});
    QCOMPARE(second.errorName() + ": " + second.errorMessage(),
             QString(sessionbus::kBusyError) + ": A write to the mouse is running.");
    QTRY_VERIFY(running.isFinished());
    QCOMPARE(running.reply().arguments().value(0), QVariant(0));

    auto *macros = qobject_cast<MacroDialog *>(m_rig->window->page(PageStack::kMacroPage));
    macros->findChild<VelPushButton *>("newMacroButton")->click();
    macros->editor().startRecording(false);
    QVERIFY(macros->editor().recording());
    for (const QString method : {"SwitchProfile", "Apply", "Reload"}) {
        const QDBusMessage reply =
            call(method, method == "Reload" ? QVariantList() : QVariantList{QStringLiteral("Profile 1")});
        QCOMPARE(reply.errorName() + ": " + reply.errorMessage(),
                 QString(sessionbus::kBusyError) + ": A macro is being recorded.");
    }
    QCOMPARE(properties().value("CurrentProfile"), QVariant("Profile 1"));
    macros->editor().stopRecording();

    QDialog dialog(m_rig->window.get());
    dialog.setModal(true);
    dialog.show();
    QCOMPARE(call("Reload").errorMessage(), QString("A dialog is open in Korvane Config."));
    dialog.hide();
    QCOMPARE(call("Reload").type(), QDBusMessage::ReplyMessage);
}

// Reload takes the list and current profile from the files another program changed; the edits of a current
// profile that stayed current are kept. Show, called from a shell as a script would, brings a window in the
// tray up.
void TestService::reloadAndShow() {
    workingConfig().profile.mouseSpeed = 3;
    ProfileList list;
    list.load();
    QString made;
    QCOMPARE(list.add(made), ProfileListResult::Ok);
    QCOMPARE(call("Reload").type(), QDBusMessage::ReplyMessage);
    QCOMPARE(m_rig->window->profileNames(), (QStringList{"Profile 1", made}));
    QCOMPARE(workingConfig().profile.mouseSpeed, uint8_t(3));

    AppConfig elsewhere;
    (void)ProfileList::loadStoredConfig(elsewhere);
    ProfileSession session(elsewhere);
    session.load();
    QCOMPARE(session.switchTo(made), ProfileListResult::Ok);
    QCOMPARE(call("Reload").type(), QDBusMessage::ReplyMessage);
    QCOMPARE(m_rig->window->currentProfileName(), made);
    QTRY_COMPARE(m_listener.lastChange("CurrentProfile"), QVariant(made));

    m_rig->window->hide();
    const QStringList target{"call", "--address", m_bus->address, "--dest", kService, "--object-path", kPath};
    QCOMPARE(gdbus(target + QStringList{"--method", kInterface + ".Show"}), QString("()"));
    QTRY_VERIFY(m_rig->window->isVisible());
    QCOMPARE(gdbus(target + QStringList{"--method", "org.freedesktop.DBus.Properties.Get", kInterface,
                                        "CurrentProfile"}),
             "(<'" + made + "'>,)");
}

// Links are added and removed as korvanectl's commands do, stored and announced; the refusals name why. A
// focus reported by a desktop script makes a focus link's profile due.
void TestService::linksThroughTheBus() {
    QTRY_VERIFY(m_rig->window->linkSwitcher());
    const struct {
        QString method;
        QVariantList arguments;
        QString error; // empty: done
    } calls[] = {{"AddLink", {"shooter", "Profile 1", false}, QString()},
                 {"AddLink", {"/opt/game/racer", "Profile 1", true}, QString()},
                 {"AddLink", {"shooter", "Profile 1", true}, QString()},
                 {"AddLink", {"", "Profile 1", false}, sessionbus::kInvalidNameError},
                 {"AddLink", {"bin/racer", "Profile 1", false}, sessionbus::kInvalidNameError},
                 {"AddLink", {"racer", "Raid", false}, sessionbus::kUnknownProfileError},
                 {"RemoveLink", {"/opt/game/racer"}, QString()},
                 {"RemoveLink", {"/opt/game/racer"}, sessionbus::kUnknownLinkError}};
    for (const auto &c : calls) {
        const QDBusMessage reply = call(c.method, c.arguments);
        QCOMPARE(reply.errorName(), c.error);
    }
    const ProfileLinks stored = config::loadProfileLinks();
    QCOMPARE(stored.links.size(), 1);
    QVERIFY(stored.links[0] == (ProfileLink{"shooter", "Profile 1", true, QString()}));
    QTRY_VERIFY(m_listener.lastChange("Links").isValid());
    const QDBusArgument announced = m_listener.lastChange("Links").value<QDBusArgument>();
    QList<KorvaneService::Link> links;
    announced >> links;
    QCOMPARE(links, (QList<KorvaneService::Link>{{"shooter", "Profile 1", true}}));

    QVERIFY(!m_rig->window->linkSwitcher()->followsFocus());
    QCOMPARE(call("ReportFocus", {"/usr/games/shooter", "Shooter"}).type(), QDBusMessage::ReplyMessage);
    QVERIFY(m_rig->window->linkSwitcher()->followsFocus());
}

QTEST_MAIN(TestService)
#include "test_service.moc"
