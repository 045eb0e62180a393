#pragma once

#include <QByteArray>
#include <QString>

// The desktop's autostart entry that starts the program hidden in the tray at login
// ($XDG_CONFIG_HOME/autostart/korvane-config.desktop, ~/.config when XDG_CONFIG_HOME is unset or not
// absolute). Only the program writes or removes it; a file of that name is taken as on.
namespace autostart {

constexpr const char *kFileName = "korvane-config.desktop";
constexpr const char *kMinimizedArgument = "--minimized";

QString entryPath();
// The entry's text: a desktop entry that starts program with --minimized.
QByteArray entryText(const QString &program);
bool enabled();
// Writes the entry for program (replacing an older one) or removes it; false when that failed.
bool setEnabled(bool on, const QString &program);

} // namespace autostart
