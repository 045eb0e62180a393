#include "platform/single_instance.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString &productName, const QString &lockDir) {
    QString dir = lockDir;
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    m_path = dir + "/" + lockFileName(productName);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire() {
    if (m_lock && m_lock->isLocked())
        return true;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    m_lock = std::make_unique<QLockFile>(m_path);
    // A lock is stale only when its process is gone; a running instance never times out.
    m_lock->setStaleLockTime(0);
    return m_lock->tryLock(0);
}

SingleInstance::Holder SingleInstance::holder() const {
    Holder holder;
    QString hostName;
    if (!QLockFile(m_path).getLockInfo(&holder.pid, &hostName, &holder.program))
        return Holder();
    return holder;
}

QString SingleInstance::lockFileName(const QString &productName) {
    QString name = productName;
    for (QChar &c : name) {
        if (c == '/' || c == '\\' || c.unicode() < 0x20)
            c = '_';
    }
    return name + ".korvane-config.lock";
}
