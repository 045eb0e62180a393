// How the main window follows the mouse: presence and hot-plug, the receiver warning, battery and
// connection display, on-mouse changes with their on-screen notifications, and the firmware update.
#include "app/korvane_widget.h"

#include "app/app_log.h"
#include "app/firmware_update.h"
#include "app/korvane_tray.h"
#include "app/profile_bar.h"
#include "app/status_row.h"
#include "device/battery_status.h"
#include "device/battery_thread_controller.h"
#include "device/device_access.h"
#include "device/device_presence.h"
#include "device/mouse_device.h"
#include "device/sensor_dpi.h"
#include "platform/desktop_notifier.h"
#include "platform/osd_messenger.h"
#include "storage/app_config_store.h"
#include "storage/config_file.h"
#include "storage/factory_profile.h"
#include "storage/profile_file.h"
#include "widgets/accent_color.h"
#include "widgets/config_page.h"
#include "widgets/vel_line_edit.h"
#include "widgets/vel_menu.h"
#include "widgets/vel_message_box.h"
#include "widgets/vel_push_button.h"

#include <QApplication>
#include <QStackedWidget>
#include <QThread>
#include <QTimer>
#include <cstdio>

namespace {
constexpr int kOsdDisplayMs = 1500;
constexpr int kOsdFontSize = 60;
constexpr int kMaxDpiStatus = 6; // stage numbers the mouse reports

} // namespace

void KorvaneWidget::startDeviceLink() {
    connect(m_presence.get(), &DevicePresence::firstMouseArrived, this,
            [this] { QTimer::singleShot(kWarningDelayMs, this, &KorvaneWidget::slotWarnClose); });
    connect(m_presence.get(), &DevicePresence::reopenRequested, this, &KorvaneWidget::reopenCurrentMouse);
    connect(m_presence.get(), &DevicePresence::lastMouseRemoved, this, &KorvaneWidget::onLastMouseRemoved);
    connect(m_presence.get(), &DevicePresence::currentMouseSwitched, this,
            &KorvaneWidget::onCurrentMouseSwitched);
    connect(m_presence.get(), &DevicePresence::mouseListChanged, this, &KorvaneWidget::refreshMouseList);
    connect(m_presence.get(), &DevicePresence::connectionChanged, this, [this] {
        updateConnectionState();
        startBatteryThread();
        if (m_iMouseCount != 0)
            mouseCameBack();
    });
}

// What start-up leaves until the window has painted its first frame (or, for a window that starts hidden,
// until the event loop runs), so as not to delay it: opening the mouse and starting its battery reader (the
// first frame shows the stored battery level anyway), and making sure the factory profile file, which only
// new and reset profiles read, holds the factory profile.
void KorvaneWidget::finishStartUp() {
    if (m_linkOpened)
        return;
    m_linkOpened = true;
    m_presence->openCurrent();
    startBatteryThread();
    // ADD makes the factory file again when it finds it missing; nothing depends on it before then.
    (void)profile::writeFactoryProfileFile();
}

void KorvaneWidget::refreshMouseList() {
    m_iMouseCount = m_presence->mouseCount();
    const QStringList names = m_presence->mouseNames();
    m_mouseMenu->clear();
    for (const QString &name : names)
        m_mouseMenu->addAction(name);
    m_mouseButton->setVisible(names.size() > 1);
    m_mouseButton->setText(config::currentProductName());
    if (m_trayIcon)
        updateTrayStatus();
}

void KorvaneWidget::reopenCurrentMouse() {
    closeDevice();
    QThread::msleep(kReopenPauseMs);
    m_presence->openCurrent();
    startBatteryThread();
}

void KorvaneWidget::onLastMouseRemoved() {
    closeDevice();
    m_batteryAlert.mouseLost();
    m_batteryKnown = false;
    updateTrayStatus();
    m_bReconnected = false;
    VelMessageBox::setReconnected(false);
    s_bWarningShowing = true;
    QTimer::singleShot(kWarningDelayMs, this, &KorvaneWidget::slotWarning);
}

void KorvaneWidget::onCurrentMouseSwitched() {
    closeDevice();
    m_presence->openCurrent();
    startBatteryThread();
    reloadForCurrentMouse();
}

void KorvaneWidget::slotWarning() {
    if (m_presence->changesHeld()) {
        m_bWarningPending = true;
        return;
    }
    if (qEnvironmentVariableIntValue("KORVANE_REPORT_SHOWN") == 1) {
        std::fputs("korvane: warning timer\n", stderr);
        std::fflush(stderr);
    }
    setWindowOpacity(1.0);
    showNormal();
    if (m_iMouseCount != 0) {
        raise();
        activateWindow();
        showAccessWarning();
        return;
    }
    s_bWarningShowing = true;
    VelMessageBox box(VelMessageBox::ReceiverWarning, QString(), tr("Warning"), tr("Dongle Disconnect!"),
                      this, true);
    if (box.exec() == QDialog::Accepted && m_iMouseCount == 0)
        closeWindow();
    s_bWarningShowing = false;
}

// The warning after start-up; a program started hidden (at login) stays quiet in the tray.
void KorvaneWidget::startupWarning() {
    finishStartUp();
    if (!m_startHidden)
        slotWarning();
}

// A mouse plugged in whose nodes this user may not open: the program cannot use it, and the user learns
// why and the command that gives access, instead of a window that silently does nothing.
void KorvaneWidget::showAccessWarning() {
    const AccessReport access = describeAccess(m_presence->device());
    if (access.state != DeviceAccess::Denied)
        return;
    s_bWarningShowing = true;
    VelMessageBox box(VelMessageBox::ReceiverWarning, QString(), tr("Warning"),
                      accessMessage(access, m_appDir), this);
    box.exec();
    s_bWarningShowing = false;
}

void KorvaneWidget::slotWarnClose() {
    // The reload rewrites the configuration the mouse is being written from.
    if (m_presence->changesHeld()) {
        m_bWarnClosePending = true;
        return;
    }
    m_presence->openCurrent();
    startBatteryThread();
    reloadForCurrentMouse();
    m_bReconnected = true;
    VelMessageBox::setReconnected(true);
    // Plugged in, but refused to this user: say why once this reconnection has settled.
    if (m_presence->device().access() == DeviceAccess::Denied)
        QTimer::singleShot(0, this, &KorvaneWidget::slotWarning);
    mouseCameBack();
}

void KorvaneWidget::mouseCameBack() {
    if (!m_resendWanted || m_resendScheduled)
        return;
    // After the reconnection settled: the warning timers, the reopen and the first battery report.
    m_resendScheduled = true;
    QTimer::singleShot(kWarningDelayMs, this, &KorvaneWidget::offerResend);
}

// The mouse is back while the last write did not reach it: in the window, a question; else a notice whose
// action sends. Declined, it is not offered again until another write fails.
void KorvaneWidget::offerResend() {
    m_resendScheduled = false;
    if (!m_resendWanted || m_resendAsking || m_iMouseCount == 0)
        return;
    // A warning still on screen or a write under way: asked once they are over.
    if (s_bWarningShowing || m_presence->changesHeld()) {
        mouseCameBack();
        return;
    }
    const QString question =
        tr("The mouse is back, but the last settings did not reach it. Send the current profile again?");
    if (isVisible()) {
        m_resendAsking = true;
        const bool yes = VelMessageBox::ask(this, question);
        m_resendAsking = false;
        if (yes)
            sendToDevice();
        else
            m_resendWanted = false;
        return;
    }
    DesktopNotice notice;
    notice.summary = config::currentProductName();
    notice.body = question;
    notice.actionKey = QStringLiteral("resend");
    notice.actionLabel = tr("Send again");
    notifier()->show(DesktopNotifier::Resend, notice);
}

// Everything that depends on which mouse is current: its pictures, stored profiles and pages.
void KorvaneWidget::reloadForCurrentMouse() {
    m_profileBar->loadStoredConfig();
    // ADD makes the factory file again when it finds it missing; nothing depends on it before then.
    (void)profile::writeFactoryProfileFile();
    m_profileBar->showCurrentName();
    m_profileBar->reload();
    switchPage(kLightingPage);
    refreshAllPages();
    updateConnectionState();
}

void KorvaneWidget::slot_show_mousename(QAction *action) {
    // The device link opens the mouse Config.ini names: a choice it cannot keep would open the old one.
    if (!config::setCurrentProductName(action->text())) {
        VelMessageBox::inform(this, tr("The configuration could not be written, so the other mouse was not "
                                       "chosen."));
        return;
    }
    closeDevice();
    m_mouseButton->setText(action->text());
    m_presence->openCurrent();
    reloadForCurrentMouse();
    startBatteryThread();
}

void KorvaneWidget::slotRefreshBatteryStatus(quint8 iCharge, quint8 iLowByte, quint8 iHiByte) {
    if (iCharge == 0 && iLowByte == 0 && iHiByte == 0) {
        m_statusRow->showMouseOff();
        m_batteryAlert.mouseLost();
        m_mouseOff = true;
        return;
    }
    m_bCharging = iCharge != 0;
    const int level = battery::level(iHiByte * 256 + iLowByte, m_iBatteryFull);
    if (level != m_iBatteryLevel) {
        m_iBatteryLevel = level;
        // Only the level shown at the next start, before the mouse reports, depends on it.
        (void)config::setBatteryValue(level);
    }
    m_batteryKnown = true;
    showBatteryLevel();
    updateTrayStatus();
    if (m_batteryAlert.reading(level, m_bCharging))
        notifyLowBattery();
    if (m_mouseOff) {
        m_mouseOff = false;
        mouseCameBack();
    }
}

void KorvaneWidget::notifyLowBattery() {
    DesktopNotice notice;
    notice.summary = tr("Mouse battery low");
    notice.body = tr("%1 has %2% battery left. Connect the cable to charge it.")
                      .arg(config::currentProductName())
                      .arg(m_iBatteryLevel);
    notifier()->show(DesktopNotifier::Battery, notice);
}

void KorvaneWidget::updateTrayStatus() {
    if (m_trayIcon)
        m_trayIcon->showStatus(config::currentProductName(), m_batteryKnown ? m_iBatteryLevel : -1,
                               m_bCharging);
}

// The level last known (reported, or stored by the last run until the mouse reports) in the accent colour.
void KorvaneWidget::showBatteryLevel() {
    updateConnectionState();
    m_statusRow->showLevel(m_iBatteryLevel, battery::ConnectionState(m_iConnectState));
}

void KorvaneWidget::updateConnectionState() {
    const battery::ConnectionState state = m_presence->connectionState(m_bCharging);
    m_iConnectState = state;
    m_statusRow->showConnection(state);
    update();
}

void KorvaneWidget::slotRefreshStatus(quint8 iProfile, quint8 iDPI, quint8 iRate, quint8 iMode) {
    qCDebug(lcApp, "Test data:profile =%x, dpi= %x, iRate= %x, mode= %x", iProfile, iDPI, iRate, iMode);
    if (iDPI < kMaxDpiStatus && iDPI != workingConfig().profile.dpiStage)
        slotRefreshDPIStage(iDPI);
    if (iRate != workingConfig().profile.pollRate)
        slotRefreshRate(iRate);
}

void KorvaneWidget::slotRefreshWriteStatus(quint8 iStatus) {
    // A Config.ini that cannot take the mark cannot take the profile either: the next Apply tells it.
    if (iStatus == 0)
        (void)config::setConfigDiff(1);
}

void KorvaneWidget::slotRefreshDPIStage(quint8 iDPI) {
    ProfileData &profile = workingConfig().profile;
    profile.dpiStage = iDPI;
    // The stage the mouse chose; when its file cannot take it, the next Apply stores it with the rest.
    (void)profile::setProfileDpiStage(workingConfig().profileNames[0], iDPI);
    const int raw = static_cast<int>(profile.dpiStages[iDPI % ProfileData::kStageCount].x);
    const int dpi = positionToDpi(config::sensorType(), raw);
    refreshAllPages();
    showOsdText(tr("DPI") + QString::asprintf(" %d:%d", iDPI + 1, dpi));
}

void KorvaneWidget::slotRefreshRate(quint8 iRate) {
    workingConfig().profile.pollRate = iRate;
    refreshAllPages();
    showOsdText(battery::rateText(iRate));
}

// While a page records (a macro), everything else of the window waits; the page's own controls stay.
void KorvaneWidget::slotEnableButtons(bool bEnable) {
    for (VelPushButton *button : findChildren<VelPushButton *>()) {
        if (button != m_closeButton && button != m_minButton && !m_pageStack->isAncestorOf(button))
            button->setEnabled(bEnable);
    }
    m_profileBar->nameEdit()->setEnabled(bEnable);
}

void KorvaneWidget::slotGotoMacro(quint8 iBtn) {
    switchPage(iBtn);
}

// An on-mouse change is shown by the OSD program; on Wayland, where it cannot place its window, or when it
// cannot be started, as a desktop notification with the same text and time.
void KorvaneWidget::showOsdText(const QString &text) {
    OsdRecord record;
    record.text = text;
    record.displayMs = kOsdDisplayMs;
    const QColor color = AccentColor::current();
    record.color = OsdRecord::colorRef(color.red(), color.green(), color.blue());
    record.fontSize = kOsdFontSize;
    if (desktopsession::osdProgramUsable(m_sessionKind) && m_osd && m_osd->send(record))
        return;
    DesktopNotice notice;
    notice.summary = text;
    notice.timeoutMs = kOsdDisplayMs;
    notifier()->show(DesktopNotifier::MouseChange, notice);
}

void KorvaneWidget::startFirmwareUpdate() {
    m_firmwareButton->setChecked(false);
    if (!startFirmwareUpdater(this, m_presence->cablePresent()))
        return;
    closeDevice();
    QCoreApplication::exit(0);
}

void KorvaneWidget::startBatteryThread() {
    if (m_batteryThreads && m_linkOpened)
        m_batteryThreads->startBatteryThread();
}

void KorvaneWidget::stopBatteryThread() {
    if (m_batteryThreads)
        m_batteryThreads->stopBatteryThread();
}

void KorvaneWidget::closeDevice() {
    stopBatteryThread();
    // A stopped reader may still be inside its last read of the handles about to close.
    if (m_batteryThreads)
        m_batteryThreads->waitForStoppedReaders();
    m_presence->close();
}
