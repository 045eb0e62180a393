#pragma once

#include "storage/app_config.h"

#include <QString>
#include <QStringList>

// Outcome of a profile-list operation. Every refusal leaves files, list and slot as they were.
enum class ProfileListResult {
    Ok,
    AlreadyUsed,      // the profile is already used by the first slot
    DefaultProtected, // "Profile 1" cannot be deleted or renamed
    Exists,           // a profile of that name already exists
    LastProfile,      // at least one profile must remain
    OtherProduct,     // the file was made for another mouse
    InvalidName,      // the name cannot be a file name
    NotFound,         // the file to read does not exist
    WriteFailed,      // a file could not be written, copied, renamed or removed
};

// The user's named profiles of the current mouse: the ordered list in the product configuration and a
// ".prof" file per name in the product's profile folder. The window and the command line both run the
// operations here and show the same message for each result.
class ProfileList {
public:
    static constexpr const char *kDefaultProfile = "Profile 1";

    // Reads the stored list.
    void load();
    QStringList names() const { return m_names; }

    // A new profile from the factory profile, named "Profile N" with the lowest free N.
    ProfileListResult add(QString &newName);
    // A copy of name, called name + " copy", or name + " copy2", " copy3" ... when taken.
    ProfileListResult copy(const QString &name, QString &newName);
    ProfileListResult rename(const QString &oldName, const QString &newName);
    // Removes name; next is the profile that takes its place in the slot. firstSlotName and slot tell
    // which name the first slot holds while another slot is current, so that it is stepped over.
    ProfileListResult remove(const QString &name, QString &next, int slot = 0,
                             const QString &firstSlotName = QString());
    // Copies a ".prof" file made for productName into the list; name is the profile's new name.
    ProfileListResult importFile(const QString &path, const QString &productName, QString &name);
    // Marks the profile's file with productName and copies it to path.
    ProfileListResult exportFile(const QString &name, const QString &path, const QString &productName);
    // The whole configuration as a ".conf" file marked with productName.
    static ProfileListResult exportConfigFile(const AppConfig &config, const QString &path,
                                              const QString &productName);
    // Loads a ".conf" made for productName into config. An export carries no profile name, so the
    // imported settings go into the profile config already uses rather than into a nameless file.
    static ProfileListResult importConfigFile(AppConfig &config, const QString &path,
                                              const QString &productName);
    // Checks that name may become the profile of slot, and loads it into config.
    ProfileListResult select(const QString &name, int slot, AppConfig &config);

    // The text shown for a result (untranslated; front ends translate it in the "ProfileList" context).
    static const char *message(ProfileListResult result);

private:
    ProfileListResult store();

    QStringList m_names;
};
