#include "storage/profile_list.h"

#include "storage/app_config_file.h"
#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "storage/factory_profile.h"
#include "storage/file_name.h"
#include "storage/profile_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {
bool profileExists(const QString &name) {
    const QString path = profile::profileFilePath(name);
    return !path.isEmpty() && QFileInfo::exists(path);
}

// Copies a file over a target that must not exist yet; the target's folder is made when missing.
bool copyFile(const QString &from, const QString &to) {
    AppPaths::ensureParentDir(to);
    return QFile::copy(from, to);
}
} // namespace

void ProfileList::load() {
    m_names = config::loadProfileList();
}

ProfileListResult ProfileList::store() {
    return config::storeProfileList(m_names) ? ProfileListResult::Ok : ProfileListResult::WriteFailed;
}

ProfileListResult ProfileList::add(QString &newName) {
    int n = 1;
    while (profileExists(QString::asprintf("Profile %d", n)))
        ++n;
    const QString name = QString::asprintf("Profile %d", n);
    const QString factory = profile::factoryProfilePath();
    // The factory file is part of the installed tree; when it is gone it is made again, not skipped.
    if (!QFileInfo::exists(factory) && profile::writeFactoryProfileFile() != FileResult::Ok)
        return ProfileListResult::WriteFailed;
    if (!copyFile(factory, profile::profileFilePath(name)))
        return ProfileListResult::WriteFailed;
    m_names << name;
    newName = name;
    return store();
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
    if (!copyFile(source, profile::profileFilePath(candidate)))
        return ProfileListResult::WriteFailed;
    m_names << candidate;
    newName = candidate;
    return store();
}

ProfileListResult ProfileList::rename(const QString &oldName, const QString &newName) {
    if (oldName == QLatin1String(kDefaultProfile))
        return ProfileListResult::DefaultProtected;
    if (newName == oldName)
        return ProfileListResult::Ok;
    if (!filename::isSafe(newName) || profile::profileFilePath(oldName).isEmpty())
        return ProfileListResult::InvalidName;
    if (profileExists(newName))
        return ProfileListResult::Exists;
    const QString from = profile::profileFilePath(oldName);
    if (QFileInfo::exists(from) && !QFile::rename(from, profile::profileFilePath(newName)))
        return ProfileListResult::WriteFailed;
    const int index = m_names.indexOf(oldName);
    if (index >= 0)
        m_names[index] = newName;
    else
        m_names << newName;
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
    if (!copyFile(path, profile::profileFilePath(name)))
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
    // Copying onto an existing file fails; the user confirmed overwriting it in the save dialog.
    if (QFileInfo::exists(path) && !QFile::remove(path))
        return ProfileListResult::WriteFailed;
    return copyFile(source, path) ? ProfileListResult::Ok : ProfileListResult::WriteFailed;
}

ProfileListResult ProfileList::exportConfigFile(const AppConfig &config, const QString &path,
                                                const QString &productName) {
    if (config::exportConfig(config, path) != FileResult::Ok || !profile::writeProductMark(path, productName))
        return ProfileListResult::WriteFailed;
    return ProfileListResult::Ok;
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
    if (!filename::isSafe(name))
        return ProfileListResult::InvalidName;
    config.profileNames[slot] = name;
    profile::loadProfileByName(config.profile, name);
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
    case ProfileListResult::WriteFailed:
        return QT_TRANSLATE_NOOP("ProfileList", "The profile file could not be written.");
    }
    return "";
}
