#include "app/connection_monitor.h"

#include "app/app_log.h"
#include "device/battery_thread_controller.h"
#include "device/device_access.h"
#include "device/device_presence.h"
#include "device/mouse_device.h"
#include "device/sensor_dpi.h"
#include "platform/device_notifier.h"
#include "storage/app_config_store.h"
#include "storage/config_file.h"
#include "storage/profile_file.h"

#include <QTimer>

namespace {
constexpr int kMaxDpiStatus = 6; // stage numbers the mouse reports
} // namespace

ConnectionMonitor::ConnectionMonitor(HidBackend &backend, std::unique_ptr<DeviceNotifier> notifier,
                                     QObject *parent)
    : QObject(parent), m_presence(std::make_unique<DevicePresence>(backend, std::move(notifier))),
      m_readers(new BatteryThreadController(this)) {
    connect(m_readers, &BatteryThreadController::RefreshBatteryStatus, this,
            &ConnectionMonitor::batteryReading);
    connect(m_readers, &BatteryThreadController::RefreshStatus, this, &ConnectionMonitor::statusReport);
    connect(m_readers, &BatteryThreadController::RefreshWriteStatus, this,
            &ConnectionMonitor::writeStatusReport);
    DevicePresence *presence = m_presence.get();
    connect(presence, &DevicePresence::firstMouseArrived, this,
            [this] { QTimer::singleShot(kWarningDelayMs, this, &ConnectionMonitor::reconnect); });
    connect(presence, &DevicePresence::reopenRequested, this, &ConnectionMonitor::reopen);
    connect(presence, &DevicePresence::lastMouseRemoved, this, &ConnectionMonitor::onLastMouseRemoved);
    connect(presence, &DevicePresence::currentMouseSwitched, this,
            &ConnectionMonitor::onCurrentMouseSwitched);
    connect(presence, &DevicePresence::mouseListChanged, this, &ConnectionMonitor::mouseListChanged);
    connect(presence, &DevicePresence::connectionChanged, this, [this] {
        updateConnectionState();
        startReader();
        if (mouseCount() != 0)
            mouseCameBack();
    });
    m_batteryFull = config::batteryFull();
    m_alert.setNoticeLevel(config::batteryNoticeLevel());
}

ConnectionMonitor::~ConnectionMonitor() {
    // The readers end before the handles they read from are closed.
    delete m_readers;
    m_readers = nullptr;
    m_presence.reset();
}

void ConnectionMonitor::start() {
    if (!m_presence->startNotifications())
        qCDebug(lcApp) << "hot-plug notifications unavailable";
    m_presence->start();
    m_connection = m_presence->connectionState(m_charging);
    // Until the mouse reports, the level the last run stored (the first report of a fresh start would
    // otherwise be preceded by a made-up 10 % that also replaced the stored level).
    m_level = qBound(0, config::batteryValue(), 100);
    m_resendWanted = config::configDiff() == 1;
}

void ConnectionMonitor::scheduleStartupWarning() {
    // The warning looks at the mouse's access, which only an open link knows.
    QTimer::singleShot(kWarningDelayMs, this, [this] {
        openLink();
        if (m_startupWarning)
            requestWarning();
    });
}

void ConnectionMonitor::openLink() {
    if (m_linkOpened)
        return;
    m_linkOpened = true;
    m_presence->openCurrent();
    startReader();
}

void ConnectionMonitor::startReader() {
    if (m_linkOpened)
        m_readers->startBatteryThread();
}

void ConnectionMonitor::restartReader() {
    m_readers->stopBatteryThread();
    startReader();
}

void ConnectionMonitor::closeLink() {
    m_readers->stopBatteryThread();
    // A stopped reader may still be inside its last read of the handles about to close.
    m_readers->waitForStoppedReaders();
    m_presence->close();
}

void ConnectionMonitor::holdChanges() {
    m_presence->holdChanges();
}

void ConnectionMonitor::releaseChanges() {
    m_presence->releaseChanges();
    // Queued, so that the write's result is told before a warning that waited takes the screen.
    if (m_warningPending)
        QTimer::singleShot(0, this, &ConnectionMonitor::requestWarning);
    if (m_reconnectPending)
        QTimer::singleShot(0, this, &ConnectionMonitor::reconnect);
    if (m_reopenPending)
        QTimer::singleShot(0, this, &ConnectionMonitor::openAfterPause);
    m_warningPending = m_reconnectPending = m_reopenPending = false;
}

int ConnectionMonitor::mouseCount() const {
    return m_presence->mouseCount();
}

QStringList ConnectionMonitor::mouseNames() const {
    return m_presence->mouseNames();
}

bool ConnectionMonitor::chooseMouse(const QString &name) {
    if (!config::setCurrentProductName(name))
        return false;
    closeLink();
    m_presence->openCurrent();
    emit currentMouseChanged();
    updateConnectionState();
    startReader();
    return true;
}

void ConnectionMonitor::reopen() {
    closeLink();
    // The mouse needs a moment on its new connection; a timer waits for it, so the window goes on.
    m_reopening = true;
    QTimer::singleShot(kReopenPauseMs, this, &ConnectionMonitor::openAfterPause);
}

void ConnectionMonitor::openAfterPause() {
    // A write started meanwhile found no mouse and ends by itself; the link is opened after it.
    if (m_presence->changesHeld()) {
        m_reopenPending = true;
        return;
    }
    m_reopening = false;
    m_presence->openCurrent();
    startReader();
}

void ConnectionMonitor::onLastMouseRemoved() {
    closeLink();
    m_alert.mouseLost();
    m_batteryKnown = false;
    emit mouseLost();
    setReconnected(false);
    m_warningShowing = true;
    QTimer::singleShot(kWarningDelayMs, this, &ConnectionMonitor::requestWarning);
}

void ConnectionMonitor::onCurrentMouseSwitched() {
    closeLink();
    m_presence->openCurrent();
    startReader();
    emit currentMouseChanged();
    updateConnectionState();
}

void ConnectionMonitor::reconnect() {
    // The window's reload rewrites the configuration the mouse is being written from.
    if (m_presence->changesHeld()) {
        m_reconnectPending = true;
        return;
    }
    m_presence->openCurrent();
    startReader();
    emit currentMouseChanged();
    updateConnectionState();
    setReconnected(true);
    // Plugged in, but refused to this user: the window says why once this reconnection has settled.
    if (m_presence->device().access() == DeviceAccess::Denied)
        QTimer::singleShot(0, this, &ConnectionMonitor::requestWarning);
    mouseCameBack();
}

void ConnectionMonitor::setReconnected(bool reconnected) {
    m_reconnected = reconnected;
    emit reconnectedChanged(reconnected);
}

ConnectionMonitor::Warning ConnectionMonitor::warningDue() const {
    if (mouseCount() == 0)
        return Warning::ReceiverMissing;
    return describeAccess(m_presence->device()).state == DeviceAccess::Denied ? Warning::AccessDenied
                                                                              : Warning::None;
}

void ConnectionMonitor::requestWarning() {
    if (m_presence->changesHeld()) {
        m_warningPending = true;
        return;
    }
    emit warningNeeded(warningDue());
}

void ConnectionMonitor::updateConnectionState() {
    const battery::ConnectionState state = m_presence->connectionState(m_charging);
    if (state == m_connection)
        return;
    m_connection = state;
    emit connectionChanged(state);
}

void ConnectionMonitor::setNoticeLevel(int percent) {
    // The level holds for this run whether or not Config.ini keeps it for the next.
    (void)config::setBatteryNoticeLevel(percent);
    m_alert.setNoticeLevel(percent);
}

void ConnectionMonitor::batteryReading(quint8 charge, quint8 lowByte, quint8 highByte) {
    if (charge == 0 && lowByte == 0 && highByte == 0) {
        m_alert.mouseLost();
        setMouseOff(true);
        return;
    }
    m_charging = charge != 0;
    m_millivolts = battery::millivolts(highByte * 256 + lowByte);
    const int level = battery::level(highByte * 256 + lowByte, m_batteryFull);
    if (level != m_level) {
        m_level = level;
        // Only the level shown at the next start, before the mouse reports, depends on it.
        (void)config::setBatteryValue(level);
    }
    m_batteryKnown = true;
    updateConnectionState();
    const bool woke = m_mouseOff;
    setMouseOff(false);
    emit batteryChanged(m_level, m_charging);
    if (m_alert.reading(level, m_charging))
        emit lowBattery(level);
    if (woke)
        mouseCameBack();
}

void ConnectionMonitor::setMouseOff(bool off) {
    if (off == m_mouseOff)
        return;
    m_mouseOff = off;
    emit mouseOffChanged(off);
}

void ConnectionMonitor::mouseCameBack() {
    if (!m_resendWanted || m_resendScheduled)
        return;
    // After the reconnection settled: the warning timers, the reopen and the first battery report.
    m_resendScheduled = true;
    QTimer::singleShot(kWarningDelayMs, this, &ConnectionMonitor::offerResend);
}

void ConnectionMonitor::offerResend() {
    m_resendScheduled = false;
    if (!m_resendWanted || mouseCount() == 0)
        return;
    // A warning still on screen, a write under way or the link not yet open again: offered once they are
    // over.
    if (m_warningShowing || m_reopening || m_presence->changesHeld()) {
        mouseCameBack();
        return;
    }
    emit resendOffered();
}

void ConnectionMonitor::statusReport(quint8 profile, quint8 stage, quint8 rate, quint8 mode) {
    qCDebug(lcApp, "Test data:profile =%x, dpi= %x, iRate= %x, mode= %x", profile, stage, rate, mode);
    AppConfig &working = workingConfig();
    if (stage < kMaxDpiStatus && stage != working.profile.dpiStage) {
        working.profile.dpiStage = stage;
        // The stage the mouse chose; when its file cannot take it, the next Apply stores it with the rest.
        (void)profile::setProfileDpiStage(working.profileNames[0], stage);
        const int raw = static_cast<int>(working.profile.dpiStages[stage % ProfileData::kStageCount].x);
        emit stageChangedOnMouse(stage, positionToDpi(config::sensorType(), raw));
    }
    if (rate != working.profile.pollRate) {
        working.profile.pollRate = rate;
        emit rateChangedOnMouse(rate);
    }
}

void ConnectionMonitor::writeStatusReport(quint8 status) {
    // A Config.ini that cannot take the mark cannot take the profile either: the next Apply tells it.
    if (status == 0)
        (void)config::setConfigDiff(1);
}

MouseCondition ConnectionMonitor::condition() const {
    return {m_mouseOff, m_readers->capabilityByte()};
}
