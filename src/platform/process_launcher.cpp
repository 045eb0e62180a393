#include "platform/process_launcher.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

Launcher::Result ProcessLauncher::checkProgram(const QString &program) {
    const QFileInfo info(program);
    if (!info.exists() || !info.isFile())
        return Missing;
    QFile file(program);
    if (file.open(QIODevice::ReadOnly) && file.read(2) == "MZ")
        return ForeignProgram;
    if (!info.isExecutable())
        return NotExecutable;
    return Started;
}

Launcher::Result ProcessLauncher::startDetached(const QString &program, const QStringList &arguments) {
    const Result check = checkProgram(program);
    if (check != Started)
        return check;
    return QProcess::startDetached(program, arguments) ? Started : StartFailed;
}

bool ProcessLauncher::openMouseSettings() {
    // The settings programs of the common desktops, each opened on its mouse page.
    const struct {
        const char *program;
        const char *argument;
    } kCandidates[] = {
        {"gnome-control-center", "mouse"},  {"kcmshell5", "kcm_mouse"},     {"xfce4-mouse-settings", nullptr},
        {"mate-mouse-properties", nullptr}, {"cinnamon-settings", "mouse"}, {"lxinput", nullptr},
    };
    for (const auto &candidate : kCandidates) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(candidate.program));
        if (path.isEmpty())
            continue;
        QStringList arguments;
        if (candidate.argument)
            arguments << QString::fromLatin1(candidate.argument);
        if (QProcess::startDetached(path, arguments))
            return true;
    }
    return false;
}
