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
    NotFound,         // the file to read, or the profile to rename, does not exist
    FileMissing,      // the profile's own file is missing or unreadable; nothing was loaded
    WriteFailed,      // a file could not be written, copied, renamed or removed
};

// The user's named profiles of the current mouse: the ordered list in the product configuration and a
// ".prof" file per name in the product's profile folder. The window and the command line both run the
// operations here and show the same message for each result.
class ProfileList {
public:
    static constexpr const char *kDefaultProfile = "Profile 1";

    // Reads Config.ini and the profile it names into config, as the window and korvanectl start from. A
    // configuration that names no profile uses the default one instead of a file called ".prof".
    static void loadStoredConfig(AppConfig &config);

    // Reads the stored list.
    void load();
    QStringList names() const { return m_names; }

    // A new profile from the factory profile, named "Profile N" with the lowest free N.
    ProfileListResult add(QString &newName);
    // A new profile from the factory profile under the given name; a taken or unusable name is refused
    // before anything is made.
    ProfileListResult addNamed(const QString &name);
    // A copy of name, called name + " copy", or name + " copy2", " copy3" ... when taken.
    ProfileListResult copy(const QString &name, QString &newName);
    // Only a profile of the list is renamed; NotFound for any other name.
    ProfileListResult rename(const QString &oldName, const QString &newName);
    // Removes name; next is the profile that takes its place in the slot. firstSlotName and slot tell
    // which name the first slot holds while another slot is current, so that it is stepped over.
    ProfileListResult remove(const QString &name, QString &next, int slot = 0,
                             const QString &firstSlotName = QString());
    // Copies a ".prof" file made for productName into the list; name is the profile's new name.
    ProfileListResult importFile(const QString &path, const QString &productName, QString &name);
    // Marks the profile's file with productName and copies it to path; path is replaced only once the copy
    // is complete. Exporting a profile onto its own file only marks it.
    ProfileListResult exportFile(const QString &name, const QString &path, const QString &productName);
    // The whole configuration as a ".conf" file marked with productName, replacing path once complete.
    static ProfileListResult exportConfigFile(const AppConfig &config, const QString &path,
                                              const QString &productName);
    // Loads a ".conf" made for productName into config. An export carries no profile name, so the
    // imported settings go into the profile config already uses rather than into a nameless file.
    static ProfileListResult importConfigFile(AppConfig &config, const QString &path,
                                              const QString &productName);
    // Checks that name may become the profile of slot, and loads it into config. When its file cannot be
    // read config stays exactly as it was (FileMissing), so the current profile is never swapped for an
    // empty record.
    ProfileListResult select(const QString &name, int slot, AppConfig &config);

    // The text shown for a result (untranslated; front ends translate it in the "ProfileList" context).
    static const char *message(ProfileListResult result);

private:
    ProfileListResult store();
    // Copies the factory profile to name's file and appends name to the list.
    ProfileListResult create(const QString &name);

    QStringList m_names;
};
