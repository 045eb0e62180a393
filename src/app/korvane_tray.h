#pragma once

#include <QSystemTrayIcon>

class QAction;
class QMenu;

// The program's tray icon, where it lives on while the window is closed: its tool tip names the current
// mouse, its menu brings the window back ("&Load Config") or ends the program ("&Quit").
class KorvaneTray : public QSystemTrayIcon {
    Q_OBJECT
public:
    explicit KorvaneTray(const QIcon &icon, QObject *parent = nullptr);

    void retranslate();

signals:
    void loadConfigRequested();

private:
    QMenu *m_menu = nullptr;
    QAction *m_loadConfigAction = nullptr;
    QAction *m_quitAction = nullptr;
};
