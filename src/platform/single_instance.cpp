#include "platform/single_instance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A running holder keeps an exclusive lock on its open lock file for as long as it lives; the file's
// contents only name it. A file that no process keeps locked was left behind by a process that is gone:
// one killed between creating the file and writing it leaves it empty, and one whose process id now belongs
// to another process still names a live program. Either would shut the program out until the next boot.
// Removes such a file and returns true; false while a process holds it.
bool removeAbandonedLock(const QString &path) {
    const QByteArray name = QFile::encodeName(path);
    // A holder creates the file and locks it a moment later, and writes its name after that: a file that
    // names nobody is given that moment before it is judged.
    if (!QLockFile(path).getLockInfo(nullptr, nullptr, nullptr))
        QThread::msleep(100);
    const int fd = ::open(name.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT;
    bool removed = false;
    struct stat opened {};
    struct stat current {};
    // Removed only while locked here and only when the name still leads to the file locked, so that two
    // programs starting together never remove the lock one of them has just taken.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 &&
        ::stat(name.constData(), &current) == 0 && opened.st_ino == current.st_ino &&
        opened.st_dev == current.st_dev)
        removed = ::unlink(name.constData()) == 0;
    ::close(fd);
    return removed;
}

} // namespace

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
    if (m_lock->tryLock(0))
        return true;
    return removeAbandonedLock(m_path) && m_lock->tryLock(0);
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
