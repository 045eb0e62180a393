#include "storage/profile_file.h"

#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "storage/file_name.h"
#include "storage/file_replace.h"
#include "storage/profile_keys.h"
#include "storage/settings_sync.h"

#include <QFileInfo>
#include <QSettings>

namespace profile {
namespace {

const QString kGroup = QStringLiteral("PROFILE");

bool productNameUsable(const QString &product) {
    return filename::isSafe(product);
}

} // namespace

QString profileDir() {
    return AppPaths::productDir(config::profileProductName()) + "/Profile/";
}

QString profileFilePath(const QString &name) {
    if (!filename::isSafe(name) || !productNameUsable(config::profileProductName()))
        return QString();
    return profileDir() + name + ".prof";
}

QString factoryProfilePath() {
    return profileFilePath(kFactoryProfileName);
}

FileResult writeProfileFile(const ProfileData &profile, const QString &path) {
    if (!filereplace::linkStaysInside(path, AppPaths::configDir()))
        return FileResult::OutsideLink;
    if (!AppPaths::ensureParentDir(path))
        return FileResult::WriteFailed;
    QSettings settings(path, QSettings::IniFormat);
    writeProfileKeys(settings, kGroup, profile, ProfileKeySet::Full);
    return syncSettings(settings);
}

FileResult readProfileFile(ProfileData &profile, const QString &path) {
    if (!QFileInfo(path).isFile()) {
        setReadDefaults(profile);
        return FileResult::NotFound;
    }
    bool readable = true;
    const KeyReadReport report = readFileProfileKeys(path, kGroup, profile, ProfileKeySet::Full, readable);
    // A file cut short, emptied or of another kind would give a record without a single click: it is not
    // taken as a profile at all.
    if (!readable || !report.complete()) {
        setReadDefaults(profile);
        return FileResult::Incomplete;
    }
    profile.filled = true;
    return FileResult::Ok;
}

FileResult saveProfileByName(const ProfileData &profile, const QString &name) {
    const QString path = profileFilePath(name);
    if (path.isEmpty())
        return FileResult::InvalidName;
    return writeProfileFile(profile, path);
}

FileResult loadProfileByName(ProfileData &profile, const QString &name) {
    const QString path = profileFilePath(name);
    if (path.isEmpty())
        return FileResult::InvalidName;
    return readProfileFile(profile, path);
}

FileResult setProfileDpiStage(const QString &name, int stage) {
    const QString path = profileFilePath(name);
    if (path.isEmpty())
        return FileResult::InvalidName;
    if (!filereplace::linkStaysInside(path, AppPaths::configDir()))
        return FileResult::OutsideLink;
    if (!AppPaths::ensureParentDir(path))
        return FileResult::WriteFailed;
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue(kGroup + "/dpi", stage);
    return syncSettings(settings);
}

bool writeProductMark(const QString &path, const QString &productName) {
    // Exports mark a part file or a profile of the configuration folder; never a file a link leads to.
    if (!filereplace::linkStaysInside(path, AppPaths::configDir()) || !AppPaths::ensureParentDir(path))
        return false;
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue("MouseName/Name", productName);
    return syncSettings(settings) == FileResult::Ok;
}

QString readProductMark(const QString &path) {
    QSettings settings(path, QSettings::IniFormat);
    return settings.value("MouseName/Name").toString();
}

} // namespace profile
