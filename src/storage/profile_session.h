#pragma once

#include "storage/app_config.h"
#include "storage/profile_links.h"
#include "storage/profile_list.h"

#include <QString>
#include <QStringList>

// The profile operations as the user sees them, for the window's profile bar and korvanectl alike: each
// list operation together with what follows it (the profile that becomes current, the one that takes a
// deleted one's place, the slot state stored in Config.ini). An operation either completes, files and
// configuration stored, or leaves the files, the list and the configuration in memory as they were.
class ProfileSession {
public:
    // config is the working configuration the operations edit; it must outlive the session.
    explicit ProfileSession(AppConfig &config);

    // Reads the stored profile list.
    void load();
    QStringList names() const { return m_list.names(); }
    // The profile being edited: the name the first slot holds.
    QString currentName() const;
    // The file the last refusal or warning speaks of, for the texts that name one.
    QString failedFile() const { return m_failedFile; }
    // Set by a delete that completed, but whose profile taking the deleted one's place could not be read
    // and starts from the factory settings; Ok otherwise.
    ProfileListResult warning() const { return m_warning; }
    // The links of programs to the profile the last delete removed; they went with it.
    QVector<ProfileLink> droppedLinks() const { return m_droppedLinks; }

    // A new profile from the factory profile, "Profile N" with the lowest free N, or the given name; it
    // becomes the current one.
    ProfileListResult add(QString &made);
    ProfileListResult addNamed(const QString &name);
    // A copy of name that becomes the current one. A copy of the current profile is made from the record
    // being edited, so that edits not yet sent go with it.
    ProfileListResult copy(const QString &name, QString &made);
    // Renames a profile of the list; the current one keeps being current under its new name.
    ProfileListResult rename(const QString &oldName, const QString &newName);
    // Deletes a profile of the list. When it was the current one, the profile that takes its place is
    // loaded (from the factory settings when its own file cannot be read).
    ProfileListResult remove(const QString &name);
    // Makes name, a profile of the list, the current profile, loaded from its file.
    ProfileListResult switchTo(const QString &name);
    // Copies a ".prof" made for productName into the list and makes it the current profile.
    ProfileListResult importFile(const QString &path, const QString &productName, QString &made);
    // The current profile's file, marked with productName, copied to path.
    ProfileListResult exportFile(const QString &path, const QString &productName);

private:
    ProfileListResult renameListed(const QString &oldName, const QString &newName);
    ProfileListResult removeListed(const QString &name);
    // Stores the slot state of candidate; on success candidate becomes the configuration in use.
    ProfileListResult commit(const AppConfig &candidate);
    // Loads name into a copy of the configuration as the current profile and commits it.
    ProfileListResult becomeCurrent(const QString &name);
    // Makes a profile just added current; when that fails, the profile is taken back again.
    ProfileListResult adopt(const QString &name);
    ProfileListResult fail(ProfileListResult result, const QString &file);

    AppConfig &m_config;
    ProfileList m_list;
    QString m_failedFile;
    ProfileListResult m_warning = ProfileListResult::Ok;
    QVector<ProfileLink> m_droppedLinks;
};
