#pragma once

#include "storage/file_result.h"
#include "storage/profile_data.h"

#include <QString>

// Profile files (".prof", INI, group "PROFILE"). Every profile file, the factory one included, lives in
// the current product's folder: Configs/<product>/Profile/. Names are file names; a name that would
// leave that folder is refused with FileResult::InvalidName and nothing is touched.
namespace profile {

constexpr const char *kFactoryProfileName = "DefaultProfile";

// Configs + "/" + config::profileProductName() + "/Profile/": the description's product while no mouse is
// present.
QString profileDir();
// profileDir() + name + ".prof"; empty when the name (or the product name) is not a safe file name.
QString profileFilePath(const QString &name);
QString factoryProfilePath();

// Writes the full key set; missing folders are created. WriteFailed when the settings layer fails.
FileResult writeProfileFile(const ProfileData &profile, const QString &path);
// Reads the full key set; every field is overwritten, values outside their range with the nearest one
// inside it. NotFound when the file is missing, Incomplete when it lacks a key a profile needs (only the
// names, colours, LedMoveOFF and LedSleepTime may be missing); the record then holds the read defaults
// (LedMoveOFF 255, LedSleepTime 1, invalid colours, empty strings, else 0) and is not marked filled.
FileResult readProfileFile(ProfileData &profile, const QString &path);

FileResult saveProfileByName(const ProfileData &profile, const QString &name);
FileResult loadProfileByName(ProfileData &profile, const QString &name);
// Stores only the active stage ("PROFILE/dpi") into the named profile's file.
FileResult setProfileDpiStage(const QString &name, int stage);

// "MouseName/Name": the product an exported ".prof" or ".conf" file was made for.
[[nodiscard]] bool writeProductMark(const QString &path, const QString &productName);
QString readProductMark(const QString &path);

} // namespace profile
