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
    const QString desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    for (const MouseSettingsProgram &program : mouseSettingsPrograms(QStringList(), desktop)) {
        if (startDetached(program.path, program.arguments) == Started)
            return true;
    }
    return false;
}

QList<MouseSettingsProgram> mouseSettingsPrograms(const QStringList &searchPath, const QString &desktop) {
    // Each desktop's settings program opened on its mouse page; desktop is how XDG_CURRENT_DESKTOP names
    // the desktop (a colon-separated list there).
    const struct {
        const char *desktop;
        const char *program;
        const char *argument;
    } kCandidates[] = {
        {"GNOME", "gnome-control-center", "mouse"}, {"KDE", "systemsettings", "kcm_mouse"},
        {"KDE", "kcmshell5", "kcm_mouse"},          {"XFCE", "xfce4-mouse-settings", nullptr},
        {"MATE", "mate-mouse-properties", nullptr}, {"X-Cinnamon", "cinnamon-settings", "mouse"},
        {"LXQt", "lxqt-config-input", nullptr},     {"LXDE", "lxinput", nullptr},
    };
    const QStringList running = desktop.split(':', Qt::SkipEmptyParts);
    QList<MouseSettingsProgram> own, others;
    for (const auto &candidate : kCandidates) {
        const QString path =
            QStandardPaths::findExecutable(QString::fromLatin1(candidate.program), searchPath);
        if (path.isEmpty())
            continue;
        MouseSettingsProgram program{path, {}};
        if (candidate.argument)
            program.arguments << QString::fromLatin1(candidate.argument);
        (running.contains(QLatin1String(candidate.desktop), Qt::CaseInsensitive) ? own : others) << program;
    }
    return own + others;
}
