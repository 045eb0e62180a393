#pragma once

#include "storage/app_config.h"
#include "storage/button_matrix.h"
#include "storage/file_result.h"

#include <QString>

// The AppConfig record on disk: its fields in Configs/Config.ini, its profile in the profile file named
// by "Config/Profile1", and the ".conf" export that carries both in one file.
namespace config {

// Reads the Config keys (missing = 0; a slot beyond the fifth is the first), the named profile (a refused,
// missing or incomplete file gives the profile's read defaults, not marked filled) and the description's
// button Matrix table into matrix. The result is the profile's: Ok, InvalidName, NotFound or Incomplete.
FileResult loadAppConfig(AppConfig &config, ButtonMatrix &matrix = ButtonMatrix::instance());
// Writes the Config keys and then the profile to the file named by profileNames[0].
FileResult saveAppConfig(const AppConfig &config);
// Writes only "Config/ProfileID", "Config/Count" and "Config/Profile1".
FileResult saveProfileSlotState(const AppConfig &config);

// A whole configuration in one file: group "Config" and the profile in group "PROFILE_0", without stage
// colours, LedMoveOFF and LedSleepTime.
FileResult exportConfig(const AppConfig &config, const QString &path);
// Reads an export; stage colours, ledMoveOff and ledSleepTime stay as they were, profileNames[0] reads
// empty from an export. NotFound when the file does not exist, Incomplete when it lacks any key of the
// Config group or the profile: config is then untouched.
FileResult importConfig(AppConfig &config, const QString &path);

} // namespace config
