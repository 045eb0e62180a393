#pragma once

#include <QSystemTrayIcon>

class QAction;
class QActionGroup;
class QMenu;

// The program's tray icon, where it lives on while the window is closed. Its tool tip names the current
// mouse with its battery level; its menu brings the window back ("&Load Config"), starts the program at
// login, sets the battery level the user is warned at, and ends the program ("&Quit").
class KorvaneTray : public QSystemTrayIcon {
    Q_OBJECT
public:
    explicit KorvaneTray(const QIcon &icon, QObject *parent = nullptr);

    void retranslate();
    // The checked states, as the files hold them; setting them emits nothing.
    void setStartAtLogin(bool on);
    void setNoticeLevel(int percent);
    bool startAtLogin() const;
    int noticeLevel() const;
    // The tool tip: the mouse's name, and its battery level (-1: not known) and whether it charges.
    void showStatus(const QString &productName, int level, bool charging);

    QMenu *menu() const { return m_menu; }

signals:
    void loadConfigRequested();
    void startAtLoginToggled(bool on);
    void noticeLevelChosen(int percent);

private:
    void updateToolTip();

    QMenu *m_menu = nullptr;
    QMenu *m_noticeMenu = nullptr;
    QAction *m_loadConfigAction = nullptr;
    QAction *m_startAtLoginAction = nullptr;
    QActionGroup *m_noticeGroup = nullptr;
    QAction *m_quitAction = nullptr;
    QString m_productName;
    int m_level = -1;
    bool m_charging = false;
};
