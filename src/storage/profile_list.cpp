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

FileResult ProfileList::loadStoredConfig(AppConfig &config) {
    const FileResult loaded = config::loadAppConfig(config);
    if (!config.profileNames[0].isEmpty())
        return loaded;
    config.profileNames[0] = QString::fromLatin1(kDefaultProfile);
    return profile::loadProfileByName(config.profile, config.profileNames[0]);
}

void ProfileList::load() {
    m_names = config::loadProfileList();
}

ProfileListResult ProfileList::store() {
    return config::storeProfileList(m_names) ? ProfileListResult::Ok : ProfileListResult::WriteFailed;
}

ProfileListResult ProfileList::append(const QString &name) {
    m_names << name;
    const ProfileListResult stored = store();
    if (stored != ProfileListResult::Ok) {
        // A file the list does not name would be "Profile Exist!" and "does not exist" at once.
        m_names.removeLast();
        QFile::remove(profile::profileFilePath(name));
    }
    return stored;
}

ProfileListResult ProfileList::create(const QString &name) {
    const QString factory = profile::factoryProfilePath();
    // The factory file is part of the installed tree; when it is gone it is made again, not skipped.
    if (!QFileInfo::exists(factory) && profile::writeFactoryProfileFile() != FileResult::Ok)
        return ProfileListResult::WriteFailed;
    if (!filereplace::copy(factory, profile::profileFilePath(name)))
        return ProfileListResult::WriteFailed;
    return append(name);
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
    // The profile folder also holds the factory profile's file, which is no profile of the list.
    if (!m_names.contains(name))
        return ProfileListResult::NotFound;
    QString candidate = name + " copy";
    for (int n = 2; profileExists(candidate); ++n)
        candidate = name + " copy" + QString::asprintf("%d", n);
    if (!filename::isSafe(candidate))
        return ProfileListResult::InvalidName;
    if (!QFileInfo::exists(source))
        return ProfileListResult::NotFound;
    if (!filereplace::copy(source, profile::profileFilePath(candidate)))
        return ProfileListResult::WriteFailed;
    const ProfileListResult result = append(candidate);
    if (result == ProfileListResult::Ok)
        newName = candidate;
    return result;
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
    const QString to = profile::profileFilePath(newName);
    const bool moved = QFileInfo::exists(from);
    if (moved && !QFile::rename(from, to))
        return ProfileListResult::WriteFailed;
    m_names[index] = newName;
    const ProfileListResult stored = store();
    if (stored != ProfileListResult::Ok) {
        m_names[index] = oldName;
        if (moved)
            QFile::rename(to, from);
    }
    return stored;
}

QString ProfileList::successor(const QString &name, int slot, const QString &firstSlotName) const {
    QStringList rest = m_names;
    const int index = rest.indexOf(name);
    if (index < 0 || rest.size() <= 1)
        return QString();
    rest.removeAt(index);
    int pick = index < rest.size() ? index : rest.size() - 1;
    while (pick > 0 && slot != 0 && rest.at(pick) == firstSlotName)
        --pick;
    return rest.at(pick);
}

ProfileListResult ProfileList::remove(const QString &name) {
    if (m_names.size() <= 1)
        return ProfileListResult::LastProfile;
    if (name == QLatin1String(kDefaultProfile))
        return ProfileListResult::DefaultProtected;
    if (!m_names.contains(name))
        return ProfileListResult::NotFound;
    return discard(name);
}

ProfileListResult ProfileList::discard(const QString &name) {
    const int index = m_names.indexOf(name);
    if (index < 0)
        return ProfileListResult::NotFound;
    m_names.removeAt(index);
    ProfileListResult result = store();
    const QString path = profile::profileFilePath(name);
    if (result == ProfileListResult::Ok && !path.isEmpty() && QFileInfo::exists(path) &&
        !QFile::remove(path)) {
        // The list must go on naming a file that is still there.
        result = ProfileListResult::WriteFailed;
        m_names.insert(index, name);
        if (store() != ProfileListResult::Ok)
            m_names.removeAt(index);
        return result;
    }
    if (result != ProfileListResult::Ok)
        m_names.insert(index, name);
    return result;
}

ProfileListResult ProfileList::importFile(const QString &path, const QString &productName, QString &name) {
    if (!QFileInfo::exists(path))
        return ProfileListResult::NotFound;
    if (profile::readProductMark(path) != productName)
        return ProfileListResult::OtherProduct;
    const QString base = QFileInfo(path).completeBaseName();
    if (!filename::isSafe(base))
        return ProfileListResult::InvalidName;
    if (m_names.contains(base) || profileExists(base))
        return ProfileListResult::Exists;
    ProfileData checked;
    if (profile::readProfileFile(checked, path) != FileResult::Ok)
        return ProfileListResult::Damaged;
    if (!filereplace::copy(path, profile::profileFilePath(base)))
        return ProfileListResult::WriteFailed;
    const ProfileListResult result = append(base);
    if (result == ProfileListResult::Ok)
        name = base;
    return result;
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
    const FileResult imported = config::importConfig(config, path);
    if (imported != FileResult::Ok)
        return fromFileResult(imported);
    config.profileNames[0] = name;
    config.profile.profileName = name;
    return ProfileListResult::Ok;
}

ProfileListResult ProfileList::select(const QString &name, int slot, AppConfig &config) {
    if (slot < 0 || slot >= AppConfig::kProfileNameCount)
        slot = 0;
    if (slot != 0 && name == config.profileNames[0])
        return ProfileListResult::AlreadyUsed;
    const QString path = profile::profileFilePath(name);
    if (path.isEmpty())
        return ProfileListResult::InvalidName;
    if (!readableFile(path))
        return ProfileListResult::FileMissing;
    ProfileData loaded;
    const FileResult read = profile::readProfileFile(loaded, path);
    if (read != FileResult::Ok)
        return fromFileResult(read);
    config.profileNames[static_cast<std::size_t>(slot)] = name;
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
    case ProfileListResult::Damaged:
        return QT_TRANSLATE_NOOP("ProfileList",
                                 "The file %1 is incomplete or damaged: it holds no whole profile.");
    case ProfileListResult::LinkOutside:
        return QT_TRANSLATE_NOOP("ProfileList",
                                 "The file %1 is a link to a place outside the configuration folder; it "
                                 "was not written.");
    }
    return "";
}

QString ProfileList::describe(ProfileListResult result, const QString &file) {
    const QString text = QCoreApplication::translate("ProfileList", message(result));
    return text.contains(QLatin1String("%1")) ? text.arg(file) : text;
}

ProfileListResult ProfileList::fromFileResult(FileResult result) {
    switch (result) {
    case FileResult::Ok:
        return ProfileListResult::Ok;
    case FileResult::InvalidName:
        return ProfileListResult::InvalidName;
    case FileResult::WriteFailed:
        return ProfileListResult::WriteFailed;
    case FileResult::NotFound:
        return ProfileListResult::NotFound;
    case FileResult::Incomplete:
        return ProfileListResult::Damaged;
    case FileResult::OutsideLink:
        return ProfileListResult::LinkOutside;
    }
    return ProfileListResult::WriteFailed;
}
