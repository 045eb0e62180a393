#pragma once

#include "storage/profile_data.h"
#include "storage/settings_snapshot.h"

#include <QSettings>
#include <QString>

// The keys of one profile inside a settings group, shared by profile files (group "PROFILE") and
// configuration exports (group "PROFILE_0").
namespace profile {

enum class ProfileKeySet {
    Full,   // profile files
    Export, // configuration exports: without stage colours, LedMoveOFF and LedSleepTime
};

// Writes the keys in their fixed order; the caller syncs and checks the status.
void writeProfileKeys(QSettings &settings, const QString &group, const ProfileData &profile,
                      ProfileKeySet set);
// What reading a profile's keys found: how many a profile needs were missing, and how many values lay
// outside their field's range and were brought back into it.
struct KeyReadReport {
    int missing = 0;
    int clamped = 0;
    bool complete() const { return missing == 0; }
};

// Reads the same keys; a missing key gives its read default, a value outside its range the nearest value
// inside it (a report rate that is no rate: the factory's 1000 Hz). Fields outside the key set stay as
// they were. The names, colours, LedMoveOFF and LedSleepTime may be missing: older files lack them.
KeyReadReport readProfileKeys(const QSettings &settings, const QString &group, ProfileData &profile,
                              ProfileKeySet set);
// The same from a file read in one pass, for a file in the plain form.
KeyReadReport readProfileKeys(const SettingsSnapshot &settings, const QString &group, ProfileData &profile,
                              ProfileKeySet set);
// The same from the file at path: in one pass where it is in the plain form, else through the settings
// layer. readable is false when the settings layer could not read the file or found it malformed.
KeyReadReport readFileProfileKeys(const QString &path, const QString &group, ProfileData &profile,
                                  ProfileKeySet set, bool &readable);

// What reading a file without any key gives: every field 0, empty or invalid, LedMoveOFF 255 and
// LedSleepTime 1.
void setReadDefaults(ProfileData &profile);

} // namespace profile
