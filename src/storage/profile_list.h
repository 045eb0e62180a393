#pragma once

#include "storage/app_config.h"
#include "storage/file_result.h"

#include <QString>
#include <QStringList>

// Outcome of a profile-list operation. Every refusal or failure leaves files, list and slot as they were.
enum class [[nodiscard]] ProfileListResult{
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
    Damaged,          // the file lacks keys a profile needs, or is no profile at all; nothing was taken
    LinkOutside,      // the file is a link to a place outside the configuration folder; nothing written
};

// The user's named profiles of the current mouse: the ordered list in the product configuration and a
// ".prof" file per name in the product's profile folder. Each operation either completes or leaves the
// files and the stored list as they were. ProfileSession runs them for the window and the command line.
class ProfileList {
public:
    static constexpr const char *kDefaultProfile = "Profile 1";

    // Reads Config.ini and the profile it names into config, as the window and korvanectl start from. A
    // configuration that names no profile uses the default one instead of a file called ".prof". The result
    // is the profile file's: Ok, NotFound, Incomplete or InvalidName (config.profile then not filled).
    static FileResult loadStoredConfig(AppConfig &config);

    // Reads the stored list.
    void load();
    QStringList names() const { return m_names; }

    // A new profile from the factory profile, named "Profile N" with the lowest free N.
    ProfileListResult add(QString &newName);
    // A new profile from the factory profile under the given name; a taken or unusable name is refused
    // before anything is made.
    ProfileListResult addNamed(const QString &name);
    // A copy of name, a profile of the list, called name + " copy", or name + " copy2", " copy3" ... when
    // taken.
    ProfileListResult copy(const QString &name, QString &newName);
    // Only a profile of the list is renamed; NotFound for any other name.
    ProfileListResult rename(const QString &oldName, const QString &newName);
    // The profile that would take name's place in the slot when it is removed: the next entry, or the
    // previous one for the last, stepping back past firstSlotName while another slot is current.
    QString successor(const QString &name, int slot = 0, const QString &firstSlotName = QString()) const;
    // Removes name from the list and deletes its file.
    ProfileListResult remove(const QString &name);
    // Takes back an add, copy or import just made: name leaves the list and its file is deleted, with no
    // rule asked (the default profile too).
    ProfileListResult discard(const QString &name);
    // Copies a ".prof" file made for productName into the list; name is the profile's new name. A file
    // that is no complete profile is refused (Damaged) before anything is copied.
    ProfileListResult importFile(const QString &path, const QString &productName, QString &name);
    // Marks the profile's file with productName and copies it to path; path is replaced only once the copy
    // is complete. Exporting a profile onto its own file only marks it.
    ProfileListResult exportFile(const QString &name, const QString &path, const QString &productName);
    // The whole configuration as a ".conf" file marked with productName, replacing path once complete.
    static ProfileListResult exportConfigFile(const AppConfig &config, const QString &path,
                                              const QString &productName);
    // Loads a ".conf" made for productName into config. An export carries no profile name, so the
    // imported settings go into the profile config already uses rather than into a nameless file. A
    // file without a complete Config group and profile is refused (Damaged), config untouched.
    static ProfileListResult importConfigFile(AppConfig &config, const QString &path,
                                              const QString &productName);
    // Checks that name may become the profile of slot (0..4), and loads it into config. When its file
    // cannot be read config stays exactly as it was (FileMissing, or Damaged for an incomplete file), so
    // the current profile is never swapped for an empty record.
    ProfileListResult select(const QString &name, int slot, AppConfig &config);

    // The text shown for a result (untranslated; front ends translate it in the "ProfileList" context).
    static const char *message(ProfileListResult result);
    // The translated text of a result; file fills the place of the file in the texts that name one.
    static QString describe(ProfileListResult result, const QString &file = QString());
    // What a profile file's read result means to the user.
    static ProfileListResult fromFileResult(FileResult result);

private:
    ProfileListResult store();
    // Copies the factory profile to name's file and appends name to the list.
    ProfileListResult create(const QString &name);
    // Appends name, whose file was just made, to the stored list; the file is removed when the list
    // cannot be stored.
    ProfileListResult append(const QString &name);

    QStringList m_names;
};
