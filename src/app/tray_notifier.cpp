#include "app/tray_notifier.h"

#include "app/app_log.h"

#include <QSystemTrayIcon>

TrayNotifier::TrayNotifier(QSystemTrayIcon *tray, QObject *parent) : DesktopNotifier(parent), m_tray(tray) {
    connect(m_tray, &QSystemTrayIcon::messageClicked, this, [this] {
        if (m_topic >= 0 && !m_actionKey.isEmpty())
            emit actionInvoked(m_topic, m_actionKey);
    });
}

void TrayNotifier::show(Topic topic, const DesktopNotice &notice) {
    m_topic = topic;
    m_actionKey = notice.actionKey;
    if (!m_tray->isVisible() || !QSystemTrayIcon::supportsMessages()) {
        qCDebug(lcApp) << "notice not shown:" << notice.summary << notice.body;
        return;
    }
    QString body = notice.body;
    if (!notice.actionLabel.isEmpty())
        body += "\n" + tr("Click here: %1").arg(notice.actionLabel);
    m_tray->showMessage(notice.summary, body, QSystemTrayIcon::Information,
                        notice.timeoutMs > 0 ? notice.timeoutMs : 10000);
}
