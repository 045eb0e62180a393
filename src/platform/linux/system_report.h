#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// What korvanectl's doctor reports about the system around the mouse. Each function reads only, and gives
// an empty answer where the system has none to give.
namespace systemreport {

// PRETTY_NAME of /etc/os-release (else /usr/lib/os-release).
QString distribution();
// For each of names, whether the X server of $DISPLAY offers that extension. Empty when DISPLAY is unset
// (no server is asked) or no server answers.
QMap<QString, bool> xExtensions(const QStringList &names);
// Whether a system tray is there for the program's icon: an X tray that owns the screen's
// _NET_SYSTEM_TRAY_S0 selection (asked only with DISPLAY), or a status notifier host on the session bus.
// The answer names which, or is empty when there is none.
QString systemTray();
// The desktop's notification service ("name version"); empty when none answers on the session bus.
QString notificationService();
// The named entries of a file's access control list ("user:alice:rw-"): getfacl's when it is installed,
// else those of the file's system.posix_acl_access attribute.
QStringList aclEntries(const QString &path);
// The other processes that hold path open, each as "PID (name)"; processes this user may not look into
// are left out.
QStringList processesHolding(const QString &path);

} // namespace systemreport
