#include "storage/app_config_file.h"

#include "storage/app_paths.h"
#include "storage/description_file.h"
#include "storage/profile_file.h"
#include "storage/profile_keys.h"
#include "storage/settings_sync.h"

#include <QFileInfo>
#include <QSettings>

namespace config {
namespace {

const QString kExportGroup = QString::asprintf("PROFILE_%d", 0);
const QString kProfileNameKey = QString::asprintf("Config/Profile%d", 1);

uint8_t readU8(const QSettings &settings, const char *key) {
    return static_cast<uint8_t>(settings.value(key, 0).toInt());
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

// Shared by Config.ini and the import; an export carries no Profile1, so the name reads empty.
void readConfigKeys(const QSettings &settings, AppConfig &config) {
    config.profileId = readU8(settings, "Config/ProfileID");
    config.angleValue = readU8(settings, "Config/AngleValue");
    config.liftHigh = readU8(settings, "Config/LiftHigh");
    config.sync = readU8(settings, "Config/Sync");
    config.count = readU8(settings, "Config/Count");
    config.jitter = readU8(settings, "Config/Jitter");
    config.debounce = readU8(settings, "Config/Debounce");
    config.wake = readU8(settings, "Config/Wake");
    config.sensorMode = readU8(settings, "Config/SensorMode");
    config.profileNames[0] = settings.value(kProfileNameKey).toString();
}

} // namespace

FileResult loadAppConfig(AppConfig &config, ButtonMatrix &matrix) {
    {
        QSettings settings(AppPaths::mainConfigFile(), QSettings::IniFormat);
        readConfigKeys(settings, config);
    }
    FileResult result = profile::loadProfileByName(config.profile, config.profileNames[0]);
    if (result == FileResult::InvalidName)
        profile::setReadDefaults(config.profile);
    else
        result = FileResult::Ok;
    description::readButtonMatrix(matrix.table());
    return result;
}

FileResult saveAppConfig(const AppConfig &config) {
    const QString file = AppPaths::mainConfigFile();
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
    readConfigKeys(settings, config);
    profile::readProfileKeys(settings, kExportGroup, config.profile, profile::ProfileKeySet::Export);
    config.profile.filled = true;
    return FileResult::Ok;
}

} // namespace config
