// What the window does with what its ConnectionMonitor reports (the status row and the tray follow the
// monitor themselves): the mouse list, the profiles and pages of a mouse opened anew, the warnings, the
// resend question, on-mouse changes and low-battery notices (shown through MouseNotices), and the firmware
// update.
#include "app/korvane_widget.h"

#include "app/firmware_update.h"
#include "app/link_switcher.h"
#include "app/mouse_menu.h"
#include "app/mouse_notices.h"
#include "app/profile_bar.h"
#include "app/status_row.h"
#include "device/device_access.h"
#include "device/device_presence.h"
#include "platform/desktop_session.h"
#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "storage/factory_profile.h"
#include "storage/file_replace.h"
#include "widgets/vel_message_box.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>

void KorvaneWidget::connectMonitor() {
    ConnectionMonitor *monitor = m_monitor;
    connect(monitor, &ConnectionMonitor::mouseListChanged, this, &KorvaneWidget::refreshMouseList);
    connect(monitor, &ConnectionMonitor::lowBattery, this,
            [this](int level) { m_notices->showLowBattery(config::currentProductName(), level); });
    connect(monitor, &ConnectionMonitor::reconnectedChanged, this, &VelMessageBox::setReconnected);
    connect(monitor, &ConnectionMonitor::currentMouseChanged, this, &KorvaneWidget::reloadForCurrentMouse);
    connect(monitor, &ConnectionMonitor::warningNeeded, this, &KorvaneWidget::showWarning);
    connect(monitor, &ConnectionMonitor::resendOffered, this, &KorvaneWidget::offerResend);
    connect(m_notices, &MouseNotices::resendRequested, this, [this] {
        if (m_monitor->mouseCount() != 0)
            sendToDevice();
    });
    connect(monitor, &ConnectionMonitor::stageChangedOnMouse, this, [this](int stage, int dpi) {
        refreshAllPages();
        m_notices->showStage(stage, dpi);
    });
    connect(monitor, &ConnectionMonitor::rateChangedOnMouse, this, [this](int rateCode) {
        refreshAllPages();
        m_notices->showRate(rateCode);
    });
}

// What start-up leaves until the window has painted its first frame (or, for a window that starts hidden,
// until the event loop runs), so as not to delay it: opening the mouse and starting its battery reader (the
// first frame shows the stored battery level anyway), clearing away what saves cut short by a killed process
// left, and making sure the factory profile file, which only new and reset profiles read, holds the factory
// profile.
void KorvaneWidget::finishStartUp() {
    if (m_startUpFinished)
        return;
    m_startUpFinished = true;
    m_monitor->openLink();
    // The window holds the single-instance lock: what a killed save left is cleared away.
    filereplace::removeLeftovers(AppPaths::configDir());
    // ADD makes the factory file again when it finds it missing; nothing depends on it before then.
    (void)profile::writeFactoryProfileFile();
    // Profiles that follow the programs: focus is followed where the window runs on an X11 desktop.
    const bool x11 = desktopsession::current() == desktopsession::Kind::X11 &&
                     QGuiApplication::platformName() == QLatin1String("xcb");
    m_linkSwitcher = new LinkSwitcher(*this, QStringLiteral("/proc"), x11, this);
    m_trayIcon->setAutomaticSwitch(m_linkSwitcher->links().automatic);
    connect(m_linkSwitcher, &LinkSwitcher::waitingChanged, m_trayIcon, &KorvaneTray::setWaitingProfile);
    connect(m_trayIcon, &KorvaneTray::automaticSwitchChosen, this, [this](bool on) {
        if (!m_linkSwitcher->setAutomatic(on))
            VelMessageBox::inform(this, tr("The choice could not be stored in the configuration."));
        m_trayIcon->setAutomaticSwitch(m_linkSwitcher->links().automatic);
    });
    emit startUpFinished();
}

void KorvaneWidget::refreshMouseList() {
    m_mouseMenu->showMice(m_monitor->mouseNames(), config::currentProductName());
}

void KorvaneWidget::chooseMouse(const QString &name) {
    if (!m_monitor->chooseMouse(name)) {
        VelMessageBox::inform(this, tr("The configuration could not be written, so the other mouse was not "
                                       "chosen."));
        return;
    }
    m_mouseMenu->setText(name);
}

// Everything that depends on which mouse is current: its pictures, stored profiles and pages.
void KorvaneWidget::reloadForCurrentMouse() {
    m_profileBar->loadStoredConfig();
    // ADD makes the factory file again when it finds it missing; nothing depends on it before then.
    (void)profile::writeFactoryProfileFile();
    m_profileBar->showCurrentName();
    m_profileBar->reload();
    switchPage(PageStack::kLightingPage);
    refreshAllPages();
}

// The window, with the warning due: "Dongle Disconnect!" (which closes itself when the receiver is back,
// and hides the window into the tray when confirmed while no mouse is there), or why a mouse that is
// plugged in cannot be used, with the command that gives this user access.
void KorvaneWidget::showWarning(ConnectionMonitor::Warning warning) {
    if (qEnvironmentVariableIntValue("KORVANE_REPORT_SHOWN") == 1) {
        std::fputs("korvane: warning timer\n", stderr);
        std::fflush(stderr);
    }
    setWindowOpacity(1.0);
    showNormal();
    const bool missing = warning == ConnectionMonitor::Warning::ReceiverMissing;
    if (!missing) {
        raise();
        activateWindow();
    }
    if (warning == ConnectionMonitor::Warning::None)
        return;
    m_monitor->setWarningShowing(true);
    const QString text = missing ? tr("Dongle Disconnect!")
                                 : accessMessage(describeAccess(m_monitor->presence().device()), m_appDir);
    VelMessageBox box(VelMessageBox::ReceiverWarning, QString(), tr("Warning"), text, this, missing);
    if (box.exec() == QDialog::Accepted && missing && m_monitor->mouseCount() == 0)
        closeWindow();
    m_monitor->setWarningShowing(false);
}

// The mouse is back while the last write did not reach it: in the window, a question; else a notice whose
// action sends. Declined, it is not offered again until another write fails.
void KorvaneWidget::offerResend() {
    if (m_resendAsking)
        return;
    if (!isVisible()) {
        m_notices->offerResend(config::currentProductName());
        return;
    }
    m_resendAsking = true;
    const bool yes = VelMessageBox::ask(this, MouseNotices::resendQuestion());
    m_resendAsking = false;
    if (yes)
        sendToDevice();
    else
        m_monitor->declineResend();
}

void KorvaneWidget::startFirmwareUpdate() {
    m_firmwareButton->setChecked(false);
    if (!startFirmwareUpdater(this, m_monitor->presence().cablePresent()))
        return;
    m_monitor->closeLink();
    QCoreApplication::exit(0);
}
