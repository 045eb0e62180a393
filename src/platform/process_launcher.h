#pragma once

#include "platform/launcher.h"

#include <QList>

// Starts programs with the operating system. A Windows program (its file starts with "MZ") is refused
// on Linux instead of being handed to the system, which would fail without telling.
class ProcessLauncher : public Launcher {
public:
    Result startDetached(const QString &program, const QStringList &arguments = QStringList()) override;
    bool openMouseSettings() override;

    static Result checkProgram(const QString &program);
};

// A desktop's mouse settings program and the arguments that open it on its mouse page.
struct MouseSettingsProgram {
    QString path;
    QStringList arguments;
};

// The mouse settings programs of the common desktops installed in the folders of searchPath (the PATH when
// empty), best first: the one of the running desktop (XDG_CURRENT_DESKTOP, given as desktop) leads, the
// others follow in a fixed order.
QList<MouseSettingsProgram> mouseSettingsPrograms(const QStringList &searchPath, const QString &desktop);
