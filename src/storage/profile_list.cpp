#include "storage/profile_list.h"

#include "storage/app_config_file.h"
#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "storage/factory_profile.h"
#include "storage/file_name.h"
#include "storage/file_replace.h"
#include "storage/profile_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {
bool profileExists(const QString &name) {
    const QString path = profile::profileFilePath(name);
    return !path.isEmpty() && QFileInfo::exists(path);
}

// A profile file that can be opened for reading; a folder or a file without read access is not one.
bool readableFile(const QString &path) {
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly);
}
} // namespace

void ProfileList::loadStoredConfig(AppConfig &config) {
    config::loadAppConfig(config);
    if (config.profileNames[0].isEmpty()) {
        config.profileNames[0] = QString::fromLatin1(kDefaultProfile);
        profile::loadProfileByName(config.profile, config.profileNames[0]);
    }
}

void ProfileList::load() {
    m_names = config::loadProfileList();
}

ProfileListResult ProfileList::store() {
    return config::storeProfileList(m_names) ? ProfileListResult::Ok : ProfileListResult::WriteFailed;
}

ProfileListResult ProfileList::create(const QString &name) {
    const QString factory = profile::factoryProfilePath();
    // The factory file is part of the installed tree; when it is gone it is made again, not skipped.
    if (!QFileInfo::exists(factory) && profile::writeFactoryProfileFile() != FileResult::Ok)
        return ProfileListResult::WriteFailed;
    if (!filereplace::copy(factory, profile::profileFilePath(name)))
        return ProfileListResult::WriteFailed;
    m_names << name;
    return store();
}

ProfileListResult ProfileList::add(QString &newName) {
    int n = 1;
    while (profileExists(QString::asprintf("Profile %d", n)))
        ++n;
    const QString name = QString::asprintf("Profile %d", n);
    const ProfileListResult result = create(name);
    if (result == ProfileListResult::Ok)
        newName = name;
    return result;
}

ProfileListResult ProfileList::addNamed(const QString &name) {
    if (profile::profileFilePath(name).isEmpty())
        return ProfileListResult::InvalidName;
    if (m_names.contains(name) || profileExists(name))
        return ProfileListResult::Exists;
    return create(name);
}

ProfileListResult ProfileList::copy(const QString &name, QString &newName) {
    const QString source = profile::profileFilePath(name);
    if (source.isEmpty())
        return ProfileListResult::InvalidName;
    QString candidate = name + " copy";
    for (int n = 2; profileExists(candidate); ++n)
        candidate = name + " copy" + QString::asprintf("%d", n);
    if (!filename::isSafe(candidate))
        return ProfileListResult::InvalidName;
    if (!QFileInfo::exists(source))
        return ProfileListResult::NotFound;
    if (!filereplace::copy(source, profile::profileFilePath(candidate)))
        return ProfileListResult::WriteFailed;
    m_names << candidate;
    newName = candidate;
    return store();
}

ProfileListResult ProfileList::rename(const QString &oldName, const QString &newName) {
    if (oldName == QLatin1String(kDefaultProfile))
        return ProfileListResult::DefaultProtected;
    // A name outside the list has no profile behind it; renaming it would list a profile without a file.
    const int index = m_names.indexOf(oldName);
    if (index < 0)
        return ProfileListResult::NotFound;
    if (newName == oldName)
        return ProfileListResult::Ok;
    if (!filename::isSafe(newName) || profile::profileFilePath(oldName).isEmpty())
        return ProfileListResult::InvalidName;
    if (m_names.contains(newName) || profileExists(newName))
        return ProfileListResult::Exists;
    const QString from = profile::profileFilePath(oldName);
    if (QFileInfo::exists(from) && !QFile::rename(from, profile::profileFilePath(newName)))
        return ProfileListResult::WriteFailed;
    m_names[index] = newName;
    return store();
}

ProfileListResult ProfileList::remove(const QString &name, QString &next, int slot,
                                      const QString &firstSlotName) {
    if (m_names.size() <= 1)
        return ProfileListResult::LastProfile;
    if (name == QLatin1String(kDefaultProfile))
        return ProfileListResult::DefaultProtected;
    const int index = m_names.indexOf(name);
    if (index < 0)
        return ProfileListResult::NotFound;
    m_names.removeAt(index);
    int pick = index < m_names.size() ? index : m_names.size() - 1;
    while (pick > 0 && slot != 0 && m_names.at(pick) == firstSlotName)
        --pick;
    next = m_names.at(pick);
    const ProfileListResult stored = store();
    if (stored != ProfileListResult::Ok)
        return stored;
    const QString path = profile::profileFilePath(name);
    if (!path.isEmpty() && QFileInfo::exists(path) && !QFile::remove(path))
        return ProfileListResult::WriteFailed;
    return ProfileListResult::Ok;
}

ProfileListResult ProfileList::importFile(const QString &path, const QString &productName, QString &name) {
    if (!QFileInfo::exists(path))
        return ProfileListResult::NotFound;
    if (profile::readProductMark(path) != productName)
        return ProfileListResult::OtherProduct;
    name = QFileInfo(path).completeBaseName();
    if (!filename::isSafe(name))
        return ProfileListResult::InvalidName;
    if (profileExists(name))
        return ProfileListResult::Exists;
    if (!filereplace::copy(path, profile::profileFilePath(name)))
        return ProfileListResult::WriteFailed;
    m_names << name;
    return store();
}

ProfileListResult ProfileList::exportFile(const QString &name, const QString &path,
                                          const QString &productName) {
    const QString source = profile::profileFilePath(name);
    if (source.isEmpty())
        return ProfileListResult::InvalidName;
    if (!QFileInfo::exists(source))
        return ProfileListResult::NotFound;
    if (!profile::writeProductMark(source, productName))
        return ProfileListResult::WriteFailed;
    // The user confirmed overwriting path in the save dialog; it is replaced once the copy is whole.
    return filereplace::copy(source, path) ? ProfileListResult::Ok : ProfileListResult::WriteFailed;
}

ProfileListResult ProfileList::exportConfigFile(const AppConfig &config, const QString &path,
                                                const QString &productName) {
    // Written beside path first: the settings layer would otherwise merge into an existing file's keys,
    // and a failed write would leave half a file.
    const QString part = filereplace::partPath(path);
    if (!AppPaths::ensureParentDir(path) || !filereplace::clearPart(path))
        return ProfileListResult::WriteFailed;
    if (config::exportConfig(config, part) != FileResult::Ok ||
        !profile::writeProductMark(part, productName)) {
        QFile::remove(part);
        return ProfileListResult::WriteFailed;
    }
    return filereplace::commitPart(path) ? ProfileListResult::Ok : ProfileListResult::WriteFailed;
}

ProfileListResult ProfileList::importConfigFile(AppConfig &config, const QString &path,
                                                const QString &productName) {
    if (!QFileInfo::exists(path))
        return ProfileListResult::NotFound;
    if (profile::readProductMark(path) != productName)
        return ProfileListResult::OtherProduct;
    const QString name = config.profileNames[0];
    if (config::importConfig(config, path) != FileResult::Ok)
        return ProfileListResult::NotFound;
    config.profileNames[0] = name;
    config.profile.profileName = name;
    return ProfileListResult::Ok;
}

ProfileListResult ProfileList::select(const QString &name, int slot, AppConfig &config) {
    if (slot != 0 && name == config.profileNames[0])
        return ProfileListResult::AlreadyUsed;
    const QString path = profile::profileFilePath(name);
    if (path.isEmpty())
        return ProfileListResult::InvalidName;
    ProfileData loaded;
    if (!readableFile(path) || profile::readProfileFile(loaded, path) != FileResult::Ok)
        return ProfileListResult::FileMissing;
    config.profileNames[slot] = name;
    config.profile = loaded;
    return ProfileListResult::Ok;
}

const char *ProfileList::message(ProfileListResult result) {
    switch (result) {
    case ProfileListResult::Ok:
        return "";
    case ProfileListResult::AlreadyUsed:
        return QT_TRANSLATE_NOOP("ProfileList", "Profile is Already Used!");
    case ProfileListResult::DefaultProtected:
        return QT_TRANSLATE_NOOP("ProfileList", "The default Profile cannot be deleted or renamed.");
    case ProfileListResult::Exists:
        return QT_TRANSLATE_NOOP("ProfileList", "Profile Exist!");
    case ProfileListResult::LastProfile:
        return QT_TRANSLATE_NOOP("ProfileList", "AT LEAST ONE PROFILE TO BE RETAINED.");
    case ProfileListResult::OtherProduct:
        return QT_TRANSLATE_NOOP("ProfileList", "The file is not match current mouse!");
    case ProfileListResult::InvalidName:
        return QT_TRANSLATE_NOOP("ProfileList", "This name cannot be used for a profile.");
    case ProfileListResult::NotFound:
        return QT_TRANSLATE_NOOP("ProfileList", "The profile file was not found.");
    case ProfileListResult::FileMissing:
        return QT_TRANSLATE_NOOP("ProfileList", "The profile file could not be found.");
    case ProfileListResult::WriteFailed:
        return QT_TRANSLATE_NOOP("ProfileList", "The profile file could not be written.");
    }
    return "";
}
