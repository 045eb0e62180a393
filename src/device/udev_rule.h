#pragma once

#include <QString>
#include <QStringList>

// The udev rule that lets the logged-in user open the mouse's hidraw nodes, as the program installs it
// (beside the program, and under the install prefix's lib/udev/rules.d).
namespace udevrule {

extern const char *const kFileName;

// The folders udev reads rules from, or those KORVANE_UDEV_RULES_DIRS names (separated by ':').
QStringList folders();
// The rule's path in the first of folders() that holds it; empty when none does.
QString installedPath();
// The one command that gives the user access: without an installed rule it copies the one beside the
// program into /etc/udev/rules.d and loads it, else it has udev apply the rules to the nodes again.
QString fixCommand(bool installed, const QString &applicationDir);

} // namespace udevrule
