#pragma once

#include "app/tray_battery_icon.h"

#include <QSystemTrayIcon>
#include <functional>

class ConnectionMonitor;
class QAction;
class QActionGroup;
class QMenu;

// The program's tray icon, where it lives on while the window is closed. Its tool tip names the current
// mouse with its battery level and the icon shows that level (TrayBatteryIcon); its menu brings the window
// back ("&Load Config"), starts the program at login (the XDG autostart entry), sets the battery level the
// user is warned at, and ends the program ("&Quit"). A tray that comes after the program (a panel started
// later) gets the icon when it appears.
class KorvaneTray : public QSystemTrayIcon {
    Q_OBJECT
public:
    static constexpr int kPollMs = 500;   // looks for a tray that is not there yet
    static constexpr int kWatchMs = 2000; // looks for a tray that comes after the icon was shown
    static constexpr int kWaitMs = 10000; // a program started hidden waits this long for a tray

    explicit KorvaneTray(const QIcon &icon, QObject *parent = nullptr);

    // Whether a system tray is there to live on in; tests replace the check.
    static void setAvailableCheck(std::function<bool()> check);
    static bool available();
    // Shows the icon, and shows it again once a tray appears where there was none.
    void dock();
    // For a program started hidden: trayMissing() when no tray has come within kWaitMs.
    void waitForTray();

    void retranslate();
    // The checked states, as the files hold them; setting them emits nothing.
    void setStartAtLogin(bool on);
    void setNoticeLevel(int percent);
    void setAutomaticSwitch(bool on);
    // The tool tip names the profile a linked program asks for while the window is busy (empty: none).
    void setWaitingProfile(const QString &profile);
    bool startAtLogin() const;
    int noticeLevel() const;
    // The tool tip names the current mouse with the battery the monitor reports, and the icon shows it while
    // the mouse is on.
    void follow(const ConnectionMonitor &monitor);

    QMenu *menu() const { return m_menu; }

signals:
    void loadConfigRequested();
    // The autostart entry (at entryPath) could not be written or removed.
    void startAtLoginFailed(const QString &entryPath);
    void noticeLevelChosen(int percent);
    // "Switch profiles automatically" was checked or cleared.
    void automaticSwitchChosen(bool on);
    void trayMissing();

private:
    // The tool tip: the mouse's name, and its battery level (-1: not known) and whether it charges.
    void showStatus(const QString &productName, int level, bool charging, bool mouseOff);
    void updateToolTip();
    // Sets the icon again only when what it shows changed.
    void updateIcon();

    QMenu *m_menu = nullptr;
    QMenu *m_noticeMenu = nullptr;
    QAction *m_loadConfigAction = nullptr;
    QAction *m_startAtLoginAction = nullptr;
    QAction *m_automaticAction = nullptr;
    QActionGroup *m_noticeGroup = nullptr;
    QAction *m_quitAction = nullptr;
    QString m_productName;
    QString m_waitingProfile;
    int m_level = -1;
    bool m_charging = false;
    bool m_mouseOff = false;
    QIcon m_plainIcon;
    TrayBatteryIcon::Battery m_shownBattery; // what the icon shows now; level -1: the plain icon
};
