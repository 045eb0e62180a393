#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// What a desktop's menus call a program and which icon they give it, read from the program's desktop entry
// (a *.desktop file of an "applications" folder). The linked-programs dialog shows programs by it.
struct DesktopEntry {
    QString name;         // the entry's Name, in the user's language where it has one
    QString icon;         // an icon name of the theme, or an image's path
    QStringList programs; // the program Exec starts and TryExec's: each a file name or a path
    bool shown = true;    // false for NoDisplay: not in the menus, but it still names its program
};

// How a program is shown: its entry's name and icon, or its file name and no icon.
struct ProgramLook {
    QString name;
    QString icon;
    bool fromEntry = false;
};

// The folders of the desktop entries, the user's first: $XDG_DATA_HOME (~/.local/share) and then each of
// $XDG_DATA_DIRS (/usr/local/share:/usr/share), each with "/applications".
QStringList desktopEntryDirs();

// The entries of dirs, in the order of the folders. An entry of a folder listed earlier hides the entry of
// the same id further on, and a Hidden one hides it without taking its place. locale: "de_DE" and the like,
// for the entries' translated names.
QVector<DesktopEntry> readDesktopEntries(const QStringList &dirs, const QString &locale);

// The program Exec starts: its first word, quotes and an "env NAME=value" before it taken away; empty when
// there is none.
QString execProgram(const QString &exec);

// The look of program (a file name or a path): the entry that starts the same path, else one that starts
// a program of the same file name; a shown entry before one for NoDisplay, an earlier before a later one.
ProgramLook lookOfProgram(const QVector<DesktopEntry> &entries, const QString &program);
