#pragma once

#include "platform/launcher.h"

// Starts programs with the operating system. A Windows program (its file starts with "MZ") is refused
// on Linux instead of being handed to the system, which would fail without telling.
class ProcessLauncher : public Launcher {
public:
    Result startDetached(const QString &program, const QStringList &arguments = QStringList()) override;
    bool openMouseSettings() override;

    static Result checkProgram(const QString &program);
};
