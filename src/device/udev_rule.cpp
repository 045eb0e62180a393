#include "device/udev_rule.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace udevrule {

const char *const kFileName = "70-korvane-config.rules";

namespace {
const char *const kTrigger = "sudo udevadm trigger --subsystem-match=hidraw";

// A path as a shell reads it back: quoted when it holds anything but the plain characters of a path.
QString shellWord(const QString &path) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./+-]+$"));
    if (plain.match(path).hasMatch())
        return path;
    return "'" + QString(path).replace("'", "'\\''") + "'";
}
} // namespace

QStringList folders() {
    const QString chosen = qEnvironmentVariable("KORVANE_UDEV_RULES_DIRS");
    if (!chosen.isEmpty())
        return chosen.split(':', Qt::SkipEmptyParts);
    return {"/etc/udev/rules.d", "/run/udev/rules.d", "/usr/local/lib/udev/rules.d", "/usr/lib/udev/rules.d",
            "/lib/udev/rules.d"};
}

QString installedPath() {
    for (const QString &folder : folders()) {
        const QString path = folder + "/" + kFileName;
        if (QFileInfo::exists(path))
            return path;
    }
    return QString();
}

QString fixCommand(bool installed, const QString &applicationDir) {
    if (installed)
        return kTrigger;
    return QStringLiteral("sudo cp %1 /etc/udev/rules.d/ && sudo udevadm control --reload-rules && %2")
        .arg(shellWord(applicationDir + "/" + kFileName), kTrigger);
}

} // namespace udevrule
