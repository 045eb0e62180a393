#include "app/korvane_tray.h"

#include "storage/config_file.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

KorvaneTray::KorvaneTray(const QIcon &icon, QObject *parent) : QSystemTrayIcon(icon, parent) {
    m_menu = new QMenu;
    m_loadConfigAction = m_menu->addAction(QString());
    connect(m_loadConfigAction, &QAction::triggered, this, &KorvaneTray::loadConfigRequested);
    m_quitAction = m_menu->addAction(QString());
    connect(m_quitAction, &QAction::triggered, qApp, &QCoreApplication::quit);
    connect(this, &QObject::destroyed, m_menu, &QObject::deleteLater);
    setContextMenu(m_menu);
    setToolTip(config::currentProductName());
    retranslate();
}

void KorvaneTray::retranslate() {
    m_loadConfigAction->setText(tr("&Load Config"));
    m_quitAction->setText(tr("&Quit"));
}
