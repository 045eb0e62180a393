#pragma once

#include "storage/profile_data.h"

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
// Reads the same keys; a missing key gives its read default. Fields outside the key set stay as they were.
void readProfileKeys(const QSettings &settings, const QString &group, ProfileData &profile,
                     ProfileKeySet set);

// What reading a file without any key gives: every field 0, empty or invalid, LedMoveOFF 255 and
// LedSleepTime 1.
void setReadDefaults(ProfileData &profile);

} // namespace profile
