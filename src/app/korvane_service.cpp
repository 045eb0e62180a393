#include "app/korvane_service.h"

#include "app/connection_monitor.h"
#include "app/korvane_widget.h"
#include "app/link_switcher.h"
#include "device/device_presence.h"
#include "storage/config_file.h"
#include "storage/profile_file.h"
#include "storage/profile_list.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QMetaProperty>

namespace {
// The connection as korvanectl status names it, by battery::ConnectionState.
const char *const kConnectionNames[] = {"cable", "receiver and cable", "receiver", "none"};
} // namespace

QDBusArgument &operator<<(QDBusArgument &argument, const KorvaneService::Link &link) {
    argument.beginStructure();
    argument << link.program << link.profile << link.focus;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, KorvaneService::Link &link) {
    argument.beginStructure();
    argument >> link.program >> link.profile >> link.focus;
    argument.endStructure();
    return argument;
}

KorvaneService::KorvaneService(KorvaneWidget &window, QObject *parent)
    : QObject(parent), m_window(window), m_bus(QString()) {
    qDBusRegisterMetaType<Link>();
    qDBusRegisterMetaType<QList<Link>>();
    const ConnectionMonitor &monitor = window.monitor();
    connect(&monitor, &ConnectionMonitor::mouseListChanged, this, &KorvaneService::announceChanges);
    connect(&monitor, &ConnectionMonitor::connectionChanged, this, &KorvaneService::announceChanges);
    connect(&monitor, &ConnectionMonitor::batteryChanged, this, &KorvaneService::announceChanges);
    connect(&monitor, &ConnectionMonitor::mouseOffChanged, this, &KorvaneService::announceChanges);
    connect(&monitor, &ConnectionMonitor::mouseLost, this, &KorvaneService::announceChanges);
    connect(&monitor, &ConnectionMonitor::currentMouseChanged, this, &KorvaneService::announceChanges);
    connect(&window, &KorvaneWidget::profilesChanged, this, &KorvaneService::announceChanges);
    connect(&window, &KorvaneWidget::writeFinished, this, [this](int result, const QString &message) {
        announceChanges();
        emit WriteEnded(result, message);
    });
}

bool KorvaneService::publish(const QDBusConnection &bus) {
    m_bus = bus;
    m_announced = currentValues();
    if (!m_bus.isConnected() ||
        !m_bus.registerObject(sessionbus::kObjectPath, this,
                              QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                                  QDBusConnection::ExportAllProperties))
        return false;
    if (m_bus.registerService(sessionbus::kServiceName))
        return true;
    m_bus.unregisterObject(sessionbus::kObjectPath);
    return false;
}

QString KorvaneService::product() const {
    return m_window.monitor().mouseCount() != 0 ? config::currentProductName() : QString();
}

bool KorvaneService::receiver() const {
    return m_window.monitor().presence().receiverPresent();
}

bool KorvaneService::cable() const {
    return m_window.monitor().presence().cablePresent();
}

QString KorvaneService::connection() const {
    if (receiver() && cable())
        return kConnectionNames[battery::kReceiverCharging];
    return kConnectionNames[receiver() ? battery::kReceiverOnly
                            : cable()  ? battery::kCableOnly
                                       : battery::kDisconnected];
}

int KorvaneService::batteryLevel() const {
    const ConnectionMonitor &monitor = m_window.monitor();
    return monitor.batteryKnown() && !monitor.mouseOff() && monitor.mouseCount() != 0 ? monitor.batteryLevel()
                                                                                      : -1;
}

int KorvaneService::batteryMillivolts() const {
    return batteryLevel() < 0 ? 0 : m_window.monitor().millivolts();
}

bool KorvaneService::charging() const {
    return batteryLevel() >= 0 && m_window.monitor().charging();
}

bool KorvaneService::mouseOff() const {
    return m_window.monitor().mouseCount() != 0 && m_window.monitor().mouseOff();
}

QString KorvaneService::currentProfile() const {
    return m_window.currentProfileName();
}

QStringList KorvaneService::profiles() const {
    return m_window.profileNames();
}

bool KorvaneService::settingsMayDiffer() const {
    return config::configDiff() == 1;
}

QList<KorvaneService::Link> KorvaneService::links() const {
    QList<Link> links;
    if (const LinkSwitcher *switcher = m_window.linkSwitcher()) {
        for (const ProfileLink &link : switcher->links().links)
            links << Link{link.program, link.profile, link.focus};
    }
    return links;
}

QVariantMap KorvaneService::currentValues() const {
    QVariantMap values;
    const QMetaObject *meta = metaObject();
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i)
        values.insert(QString::fromLatin1(meta->property(i).name()), meta->property(i).read(this));
    return values;
}

void KorvaneService::announceChanges() {
    if (!m_bus.isConnected())
        return;
    const QVariantMap now = currentValues();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        const QVariant before = m_announced.value(it.key());
        // The links are compared as links: Qt 5 cannot compare variants of the program's own types.
        const bool same = it.value().userType() == qMetaTypeId<QList<Link>>()
                              ? before.value<QList<Link>>() == it.value().value<QList<Link>>()
                              : before == it.value();
        if (!same)
            changed.insert(it.key(), it.value());
    }
    m_announced = now;
    if (changed.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(sessionbus::kObjectPath,
                                                     "org.freedesktop.DBus.Properties", "PropertiesChanged");
    signal << QString::fromLatin1(sessionbus::kInterface) << changed << QStringList();
    m_bus.send(signal);
}

bool KorvaneService::refusedAsBusy() {
    const QString reason = m_window.busyReason();
    if (reason.isEmpty())
        return false;
    sendErrorReply(sessionbus::kBusyError, reason);
    return true;
}

bool KorvaneService::switchForCall(const QString &name) {
    // A name that could never be a profile's file is told apart from one that is merely not in the list.
    if (profile::profileFilePath(name).isEmpty()) {
        sendErrorReply(sessionbus::kInvalidNameError, ProfileList::describe(ProfileListResult::InvalidName));
        return false;
    }
    if (!m_window.profileNames().contains(name)) {
        sendErrorReply(sessionbus::kUnknownProfileError, tr("This profile does not exist."));
        return false;
    }
    QString failedFile;
    const ProfileListResult result = m_window.switchProfile(name, failedFile);
    if (result != ProfileListResult::Ok) {
        sendErrorReply(sessionbus::kRefusedError, ProfileList::describe(result, failedFile));
        return false;
    }
    return true;
}

void KorvaneService::SwitchProfile(const QString &name) {
    if (refusedAsBusy() || !switchForCall(name))
        return;
    announceChanges();
}

int KorvaneService::Apply(const QString &name, bool &stored, QString &message) {
    if (refusedAsBusy() || (!name.isEmpty() && !switchForCall(name)))
        return 0;
    const ProfileWriteOutcome outcome = m_window.applyWithoutDialog(message);
    stored = outcome.saved;
    return outcome.result;
}

void KorvaneService::Reload() {
    if (refusedAsBusy())
        return;
    m_window.reloadProfiles();
    announceChanges();
}

void KorvaneService::Show() {
    m_window.showFromOutside();
}

void KorvaneService::AddLink(const QString &program, const QString &profile, bool focus) {
    if (refusedAsBusy())
        return;
    // A program is named by its file name or by its whole path.
    if (program.isEmpty() || (program.contains(QLatin1Char('/')) && !program.startsWith(QLatin1Char('/')))) {
        sendErrorReply(sessionbus::kInvalidNameError,
                       tr("A program is named by its file name or its whole path."));
        return;
    }
    if (!m_window.profileNames().contains(profile)) {
        sendErrorReply(sessionbus::kUnknownProfileError, tr("This profile does not exist."));
        return;
    }
    LinkSwitcher *switcher = m_window.linkSwitcher();
    if (!switcher || !switcher->setLink(ProfileLink{program, profile, focus, QString()})) {
        sendErrorReply(sessionbus::kWriteFailedError,
                       tr("The links could not be stored in the configuration."));
        return;
    }
    announceChanges();
}

void KorvaneService::RemoveLink(const QString &program) {
    if (refusedAsBusy())
        return;
    LinkSwitcher *switcher = m_window.linkSwitcher();
    if (!switcher || !switcher->links().find(program)) {
        sendErrorReply(sessionbus::kUnknownLinkError, tr("This program has no link."));
        return;
    }
    if (!switcher->removeLink(program)) {
        sendErrorReply(sessionbus::kWriteFailedError,
                       tr("The links could not be stored in the configuration."));
        return;
    }
    announceChanges();
}

void KorvaneService::ReportFocus(const QString &program, const QString &windowClass) {
    if (LinkSwitcher *switcher = m_window.linkSwitcher())
        switcher->reportFocus(program, windowClass);
}
