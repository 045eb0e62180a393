#pragma once

#include "storage/app_config.h"
#include "storage/file_result.h"
#include "storage/profile_data.h"

// The factory profile and configuration, built from the device description when it exists and from
// built-in values when it does not.
namespace profile {

// Overwrites every field; true when the device description was found and used.
bool makeFactoryProfile(ProfileData &profile);
// Factory sensor settings, factory profile and the names "Profile 1" to "Profile 5"; count is kept.
void makeFactoryConfig(AppConfig &config);
// Writes the factory profile to profileDir() + "DefaultProfile.prof" unless the file already holds it.
FileResult writeFactoryProfileFile();

} // namespace profile
