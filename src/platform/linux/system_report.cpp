#include "platform/linux/system_report.h"

#include "platform/dbus_notifier.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtEndian>
#include <X11/Xlib.h>
#include <grp.h>
#include <pwd.h>
#include <sys/xattr.h>

namespace systemreport {

namespace {
// The entries of a named user or group, as getfacl writes them.
const QRegularExpression kNamedEntry(QStringLiteral("^(user|group):[^:]+:[-rwx]{3}"));

// The access control list's binary form (posix_acl_xattr): a 4-byte version, then 8-byte entries of tag,
// permission bits and id, little-endian.
QStringList attributeEntries(const QString &path) {
    constexpr uint16_t kUser = 0x02, kGroup = 0x08;
    char data[1024];
    const ssize_t size =
        ::getxattr(QFile::encodeName(path).constData(), "system.posix_acl_access", data, sizeof data);
    QStringList entries;
    for (ssize_t at = 4; at + 8 <= size; at += 8) {
        const uint16_t tag = qFromLittleEndian<uint16_t>(data + at);
        const uint16_t bits = qFromLittleEndian<uint16_t>(data + at + 2);
        const uint32_t id = qFromLittleEndian<uint32_t>(data + at + 4);
        QString name = QString::number(id);
        if (tag == kUser) {
            if (const passwd *user = ::getpwuid(id))
                name = QString::fromLocal8Bit(user->pw_name);
        } else if (tag == kGroup) {
            if (const group *owners = ::getgrgid(id))
                name = QString::fromLocal8Bit(owners->gr_name);
        } else {
            continue;
        }
        entries << QStringLiteral("%1:%2:%3%4%5")
                       .arg(tag == kUser ? "user" : "group", name, bits & 4 ? "r" : "-", bits & 2 ? "w" : "-",
                            bits & 1 ? "x" : "-");
    }
    return entries;
}
} // namespace

QString distribution() {
    for (const char *file : {"/etc/os-release", "/usr/lib/os-release"}) {
        QFile release(QString::fromLatin1(file));
        if (!release.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        while (!release.atEnd()) {
            const QString line = QString::fromUtf8(release.readLine()).trimmed();
            if (line.startsWith(QLatin1String("PRETTY_NAME=")))
                return line.mid(12).remove('"');
        }
    }
    return QString();
}

QMap<QString, bool> xExtensions(const QStringList &names) {
    QMap<QString, bool> offered;
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return offered;
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return offered;
    for (const QString &name : names) {
        int opcode = 0, event = 0, error = 0;
        offered.insert(name, XQueryExtension(display, name.toLatin1().constData(), &opcode, &event, &error) !=
                                 False);
    }
    XCloseDisplay(display);
    return offered;
}

QString systemTray() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected() && bus.interface() &&
        bus.interface()->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher")))
        return QStringLiteral("status notifier");
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return QString();
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return QString();
    const QByteArray name = "_NET_SYSTEM_TRAY_S" + QByteArray::number(DefaultScreen(display));
    const Window owner = XGetSelectionOwner(display, XInternAtom(display, name.constData(), False));
    XCloseDisplay(display);
    return owner != None ? QStringLiteral("X tray") : QString();
}

QString notificationService() {
    return DbusNotifier::serverName(QDBusConnection::sessionBus());
}

QStringList aclEntries(const QString &path) {
    const QString getfacl = QStandardPaths::findExecutable(QStringLiteral("getfacl"));
    if (getfacl.isEmpty())
        return attributeEntries(path);
    QProcess process;
    process.start(getfacl, {"-p", "--omit-header", path});
    process.waitForFinished(2000);
    QStringList entries;
    for (const QString &line : QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n')) {
        if (kNamedEntry.match(line).hasMatch())
            entries << line.section('\t', 0, 0).trimmed();
    }
    return entries;
}

QStringList processesHolding(const QString &path) {
    const QString target = QFileInfo(path).canonicalFilePath();
    const QString self = QString::number(QCoreApplication::applicationPid());
    static const QRegularExpression number(QStringLiteral("^\\d+$"));
    QStringList holders;
    if (target.isEmpty())
        return holders;
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (pid == self || !number.match(pid).hasMatch())
            continue;
        const QDir fds("/proc/" + pid + "/fd");
        for (const QString &fd : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
            if (QFile::symLinkTarget(fds.filePath(fd)) != target)
                continue;
            QFile comm("/proc/" + pid + "/comm");
            comm.open(QIODevice::ReadOnly);
            holders << QStringLiteral("%1 (%2)").arg(pid, QString::fromLocal8Bit(comm.readAll()).trimmed());
            break;
        }
    }
    return holders;
}

} // namespace systemreport
