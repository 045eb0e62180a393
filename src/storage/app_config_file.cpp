#include "storage/app_config_file.h"

#include "storage/app_paths.h"
#include "storage/description_file.h"
#include "storage/file_replace.h"
#include "storage/profile_file.h"
#include "storage/profile_keys.h"
#include "storage/settings_sync.h"

#include <QFileInfo>
#include <QSettings>
#include <algorithm>

namespace config {
namespace {

const QString kExportGroup = QString::asprintf("PROFILE_%d", 0);
const QString kProfileNameKey = QString::asprintf("Config/Profile%d", 1);

constexpr int kByteMax = 255;

// A byte of the Config group; a value beyond a byte is brought to its nearest end, never wrapped. A key
// that is missing (or no number) reads 0 and, where the caller needs every key, counts as missing.
uint8_t readU8(const QSettings &settings, const char *key, int &missing) {
    bool ok = false;
    const qlonglong value = settings.value(key).toLongLong(&ok);
    if (!ok) {
        ++missing;
        return 0;
    }
    return static_cast<uint8_t>(std::clamp<qlonglong>(value, 0, kByteMax));
}

// The Config keys of Config.ini and of an export.
void writeConfigKeys(QSettings &settings, const AppConfig &config) {
    settings.setValue("Config/ProfileID", int(config.profileId));
    settings.setValue("Config/AngleValue", int(config.angleValue));
    settings.setValue("Config/LiftHigh", int(config.liftHigh));
    settings.setValue("Config/Sync", int(config.sync));
    settings.setValue("Config/Jitter", int(config.jitter));
    settings.setValue("Config/Debounce", int(config.debounce));
    settings.setValue("Config/Wake", int(config.wake));
    settings.setValue("Config/SensorMode", int(config.sensorMode));
    settings.setValue("Config/Count", int(config.count));
}

// Shared by Config.ini and the import; an export carries no Profile1, so the name reads empty. Returns how
// many of the nine keys were missing.
int readConfigKeys(const QSettings &settings, AppConfig &config) {
    int missing = 0;
    config.profileId = readU8(settings, "Config/ProfileID", missing);
    // The slot indexes the profile names: one the mouse does not have is the first slot.
    if (config.profileId >= AppConfig::kProfileNameCount)
        config.profileId = 0;
    config.angleValue = readU8(settings, "Config/AngleValue", missing);
    config.liftHigh = readU8(settings, "Config/LiftHigh", missing);
    config.sync = readU8(settings, "Config/Sync", missing);
    config.count = readU8(settings, "Config/Count", missing);
    config.jitter = readU8(settings, "Config/Jitter", missing);
    config.debounce = readU8(settings, "Config/Debounce", missing);
    config.wake = readU8(settings, "Config/Wake", missing);
    config.sensorMode = readU8(settings, "Config/SensorMode", missing);
    config.profileNames[0] = settings.value(kProfileNameKey).toString();
    return missing;
}

} // namespace

FileResult loadAppConfig(AppConfig &config, ButtonMatrix &matrix) {
    {
        QSettings settings(AppPaths::mainConfigFile(), QSettings::IniFormat);
        // Config.ini may lack any of its keys: they read 0.
        readConfigKeys(settings, config);
    }
    const FileResult result = profile::loadProfileByName(config.profile, config.profileNames[0]);
    if (result == FileResult::InvalidName)
        profile::setReadDefaults(config.profile);
    description::readButtonMatrix(matrix.table());
    return result;
}

FileResult saveAppConfig(const AppConfig &config) {
    // A name that is no file name is refused before Config.ini names it as the current profile.
    if (profile::profileFilePath(config.profileNames[0]).isEmpty())
        return FileResult::InvalidName;
    const QString file = AppPaths::mainConfigFile();
    if (!filereplace::linkStaysInside(file, AppPaths::configDir()))
        return FileResult::OutsideLink;
    if (!AppPaths::ensureParentDir(file))
        return FileResult::WriteFailed;
    QSettings settings(file, QSettings::IniFormat);
    writeConfigKeys(settings, config);
    settings.setValue(kProfileNameKey, config.profileNames[0]);
    const FileResult written = syncSettings(settings);
    if (written != FileResult::Ok)
        return written;
    return profile::saveProfileByName(config.profile, config.profileNames[0]);
}

FileResult saveProfileSlotState(const AppConfig &config) {
    const QString file = AppPaths::mainConfigFile();
    if (!filereplace::linkStaysInside(file, AppPaths::configDir()))
        return FileResult::OutsideLink;
    if (!AppPaths::ensureParentDir(file))
        return FileResult::WriteFailed;
    QSettings settings(file, QSettings::IniFormat);
    settings.setValue("Config/ProfileID", int(config.profileId));
    settings.setValue("Config/Count", int(config.count));
    settings.setValue(kProfileNameKey, config.profileNames[0]);
    return syncSettings(settings);
}

FileResult exportConfig(const AppConfig &config, const QString &path) {
    if (!AppPaths::ensureParentDir(path))
        return FileResult::WriteFailed;
    QSettings settings(path, QSettings::IniFormat);
    writeConfigKeys(settings, config);
    profile::writeProfileKeys(settings, kExportGroup, config.profile, profile::ProfileKeySet::Export);
    return syncSettings(settings);
}

FileResult importConfig(AppConfig &config, const QString &path) {
    if (!QFileInfo(path).isFile())
        return FileResult::NotFound;
    QSettings settings(path, QSettings::IniFormat);
    // Read into a copy: a file cut short or of another kind must not reach the configuration in use.
    AppConfig imported = config;
    const int missing = readConfigKeys(settings, imported);
    const profile::KeyReadReport report =
        profile::readProfileKeys(settings, kExportGroup, imported.profile, profile::ProfileKeySet::Export);
    if (settings.status() != QSettings::NoError || missing > 0 || !report.complete())
        return FileResult::Incomplete;
    imported.profile.filled = true;
    config = imported;
    return FileResult::Ok;
}

} // namespace config
