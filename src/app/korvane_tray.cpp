#include "app/korvane_tray.h"

#include "app/battery_alert.h"
#include "app/connection_monitor.h"
#include "platform/autostart.h"
#include "storage/config_file.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMenu>
#include <QTimer>

namespace {
std::function<bool()> &availableCheck() {
    static std::function<bool()> check;
    return check;
}
} // namespace

KorvaneTray::KorvaneTray(const QIcon &icon, QObject *parent)
    : QSystemTrayIcon(icon, parent), m_plainIcon(icon) {
    m_menu = new QMenu;
    m_loadConfigAction = m_menu->addAction(QString());
    connect(m_loadConfigAction, &QAction::triggered, this, &KorvaneTray::loadConfigRequested);
    m_menu->addSeparator();
    m_startAtLoginAction = m_menu->addAction(QString());
    m_startAtLoginAction->setObjectName(QStringLiteral("startAtLogin"));
    m_startAtLoginAction->setCheckable(true);
    connect(m_startAtLoginAction, &QAction::triggered, this, [this](bool on) {
        if (!autostart::setEnabled(on, QCoreApplication::applicationFilePath()))
            emit startAtLoginFailed(autostart::entryPath());
        setStartAtLogin(autostart::enabled());
    });
    m_automaticAction = m_menu->addAction(QString());
    m_automaticAction->setObjectName(QStringLiteral("switchAutomatically"));
    m_automaticAction->setCheckable(true);
    connect(m_automaticAction, &QAction::triggered, this, &KorvaneTray::automaticSwitchChosen);
    m_noticeMenu = m_menu->addMenu(QString());
    m_noticeGroup = new QActionGroup(m_noticeMenu);
    for (const int percent : BatteryAlert::kChoices) {
        QAction *action = m_noticeMenu->addAction(QString());
        action->setObjectName(QStringLiteral("notice%1").arg(percent));
        action->setData(percent);
        action->setCheckable(true);
        m_noticeGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, percent] { emit noticeLevelChosen(percent); });
    }
    m_menu->addSeparator();
    m_quitAction = m_menu->addAction(QString());
    connect(m_quitAction, &QAction::triggered, qApp, &QCoreApplication::quit);
    connect(this, &QObject::destroyed, m_menu, &QObject::deleteLater);
    setContextMenu(m_menu);
    m_productName = config::currentProductName();
    setStartAtLogin(autostart::enabled());
    retranslate();
}

void KorvaneTray::setAvailableCheck(std::function<bool()> check) {
    availableCheck() = std::move(check);
}

bool KorvaneTray::available() {
    return availableCheck() ? availableCheck()() : QSystemTrayIcon::isSystemTrayAvailable();
}

void KorvaneTray::dock() {
    setVisible(true);
    auto *watch = new QTimer(this);
    connect(watch, &QTimer::timeout, this, [this, watch] {
        if (!available())
            return;
        watch->stop();
        // Shown again, the icon docks into the tray that is there now.
        setVisible(false);
        setVisible(true);
    });
    watch->start(kWatchMs);
}

void KorvaneTray::waitForTray() {
    if (available())
        return;
    const QDeadlineTimer deadline(kWaitMs);
    auto *poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [this, poll, deadline] {
        if (!available() && !deadline.hasExpired())
            return;
        poll->deleteLater();
        if (!available())
            emit trayMissing();
    });
    poll->start(kPollMs);
}

void KorvaneTray::retranslate() {
    m_loadConfigAction->setText(tr("&Load Config"));
    m_startAtLoginAction->setText(tr("Start at login"));
    m_automaticAction->setText(tr("Switch profiles automatically"));
    m_noticeMenu->setTitle(tr("Low battery notice"));
    for (QAction *action : m_noticeGroup->actions()) {
        const int percent = action->data().toInt();
        action->setText(percent == 0 ? tr("Off") : tr("At %1%").arg(percent));
    }
    m_quitAction->setText(tr("&Quit"));
    updateToolTip();
}

void KorvaneTray::setAutomaticSwitch(bool on) {
    m_automaticAction->setChecked(on);
}

void KorvaneTray::setWaitingProfile(const QString &profile) {
    m_waitingProfile = profile;
    updateToolTip();
}

void KorvaneTray::setStartAtLogin(bool on) {
    m_startAtLoginAction->setChecked(on);
}

bool KorvaneTray::startAtLogin() const {
    return m_startAtLoginAction->isChecked();
}

void KorvaneTray::setNoticeLevel(int percent) {
    for (QAction *action : m_noticeGroup->actions())
        action->setChecked(action->data().toInt() == percent);
    updateIcon();
}

int KorvaneTray::noticeLevel() const {
    const QAction *checked = m_noticeGroup->checkedAction();
    return checked ? checked->data().toInt() : -1;
}

void KorvaneTray::showStatus(const QString &productName, int level, bool charging, bool mouseOff) {
    m_productName = productName;
    m_level = level;
    m_charging = charging;
    m_mouseOff = mouseOff;
    updateToolTip();
    updateIcon();
}

void KorvaneTray::follow(const ConnectionMonitor &monitor) {
    const auto update = [this, &monitor] {
        showStatus(config::currentProductName(), monitor.batteryKnown() ? monitor.batteryLevel() : -1,
                   monitor.charging(), monitor.mouseOff());
    };
    connect(&monitor, &ConnectionMonitor::mouseListChanged, this, update);
    connect(&monitor, &ConnectionMonitor::batteryChanged, this, update);
    connect(&monitor, &ConnectionMonitor::mouseLost, this, update);
    connect(&monitor, &ConnectionMonitor::mouseOffChanged, this, update);
}

void KorvaneTray::updateToolTip() {
    QString tip = m_productName.isEmpty() ? tr("No mouse connected") : m_productName;
    if (!m_productName.isEmpty() && m_level >= 0)
        tip += '\n' + (m_charging ? tr("Battery %1%, charging") : tr("Battery %1%")).arg(m_level);
    if (!m_waitingProfile.isEmpty())
        tip += '\n' + tr("Profile %1 waits until the window is free").arg(m_waitingProfile);
    setToolTip(tip);
}

void KorvaneTray::updateIcon() {
    // A mouse that is off, gone or not yet heard from has no level to show.
    TrayBatteryIcon::Battery battery;
    if (!m_productName.isEmpty() && m_level >= 0 && !m_mouseOff)
        battery = {m_level, m_charging, qMax(0, noticeLevel())};
    if (battery == m_shownBattery)
        return;
    m_shownBattery = battery;
    setIcon(TrayBatteryIcon::icon(m_plainIcon, battery));
}
