#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// A program joined to a profile: while it runs, or while its window has focus, the mouse holds that
// profile.
struct ProfileLink {
    QString program;     // the executable's file name, or its path
    QString profile;     // a profile of the list
    bool focus = false;  // only while its window has focus, where the desktop tells; else while it runs
    QString windowClass; // where focus is followed on X11, the window's class may name it instead

    bool operator==(const ProfileLink &other) const {
        return program == other.program && profile == other.profile && focus == other.focus &&
               windowClass == other.windowClass;
    }
};

// The links of the current mouse, kept in its product configuration beside the profile list.
struct ProfileLinks {
    QVector<ProfileLink> links;
    // Restored when no linked program is active; empty: the profile in use stays.
    QString defaultProfile;
    // The tray menu's "Switch profiles automatically".
    bool automatic = true;

    // The link of program; nullptr when it has none. One link per program.
    const ProfileLink *find(const QString &program) const;
    // Adds the link, or replaces the one of the same program.
    void set(const ProfileLink &link);
    // False when program had no link.
    bool remove(const QString &program);
    // The links follow a renamed profile, and the default with them.
    void profileRenamed(const QString &oldName, const QString &newName);
    // The links to profiles no longer in names go (a deleted profile); returned, so that the user can be
    // told once. A default that is gone is cleared.
    QVector<ProfileLink> keepOnly(const QStringList &names);
};
