#pragma once

#include <QString>
#include <QStringList>

// Starts other programs detached from this one (the firmware updater, the desktop's mouse settings).
class Launcher {
public:
    enum Result { Started, Missing, NotExecutable, ForeignProgram, StartFailed };

    virtual ~Launcher() = default;
    virtual Result startDetached(const QString &program, const QStringList &arguments = QStringList()) = 0;
    // The desktop's own mouse settings program; false when none is installed.
    virtual bool openMouseSettings() = 0;
};
