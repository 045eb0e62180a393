#include "storage/profile_session.h"

#include "storage/app_config_file.h"
#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "storage/factory_profile.h"
#include "storage/profile_file.h"

ProfileSession::ProfileSession(AppConfig &config) : m_config(config) {}

void ProfileSession::load() {
    m_list.load();
}

QString ProfileSession::currentName() const {
    return m_config.profileNames[0];
}

ProfileListResult ProfileSession::fail(ProfileListResult result, const QString &file) {
    m_warning = ProfileListResult::Ok;
    m_failedFile = file;
    return result;
}

ProfileListResult ProfileSession::commit(const AppConfig &candidate) {
    const FileResult stored = config::saveProfileSlotState(candidate);
    if (stored != FileResult::Ok)
        return fail(ProfileList::fromFileResult(stored), AppPaths::mainConfigFile());
    m_config = candidate;
    return ProfileListResult::Ok;
}

ProfileListResult ProfileSession::becomeCurrent(const QString &name) {
    AppConfig candidate = m_config;
    // The program edits the profile of the first slot; the other slots' names are never stored.
    const ProfileListResult selected = m_list.select(name, 0, candidate);
    if (selected != ProfileListResult::Ok)
        return fail(selected, profile::profileFilePath(name));
    return commit(candidate);
}

ProfileListResult ProfileSession::adopt(const QString &name) {
    const ProfileListResult result = becomeCurrent(name);
    if (result != ProfileListResult::Ok && m_list.discard(name) != ProfileListResult::Ok)
        return ProfileListResult::WriteFailed;
    return result;
}

ProfileListResult ProfileSession::add(QString &made) {
    QString name;
    const ProfileListResult added = m_list.add(name);
    if (added != ProfileListResult::Ok)
        return added;
    const ProfileListResult result = adopt(name);
    if (result == ProfileListResult::Ok)
        made = name;
    return result;
}

ProfileListResult ProfileSession::addNamed(const QString &name) {
    const ProfileListResult added = m_list.addNamed(name);
    return added == ProfileListResult::Ok ? adopt(name) : added;
}

ProfileListResult ProfileSession::copy(const QString &name, QString &made) {
    QString copyName;
    const ProfileListResult copied = m_list.copy(name, copyName);
    if (copied != ProfileListResult::Ok)
        return copied;
    if (name == currentName()) {
        ProfileData edited = m_config.profile;
        edited.profileName = copyName;
        if (profile::saveProfileByName(edited, copyName) != FileResult::Ok) {
            if (m_list.discard(copyName) != ProfileListResult::Ok)
                return ProfileListResult::WriteFailed;
            return fail(ProfileListResult::WriteFailed, profile::profileFilePath(copyName));
        }
    }
    const ProfileListResult result = adopt(copyName);
    if (result == ProfileListResult::Ok)
        made = copyName;
    return result;
}

// The programs joined to a profile follow it when it is renamed; a link store that fails leaves a link to a
// name no longer listed, which is dropped, and told, when the links are next used.
ProfileListResult ProfileSession::rename(const QString &oldName, const QString &newName) {
    const ProfileListResult result = renameListed(oldName, newName);
    if (result != ProfileListResult::Ok || oldName == newName)
        return result;
    ProfileLinks links = config::loadProfileLinks();
    const ProfileLinks before = links;
    links.profileRenamed(oldName, newName);
    if (links.links != before.links || links.defaultProfile != before.defaultProfile)
        (void)config::storeProfileLinks(links);
    return result;
}

ProfileListResult ProfileSession::remove(const QString &name) {
    m_droppedLinks.clear();
    const ProfileListResult result = removeListed(name);
    if (result != ProfileListResult::Ok)
        return result;
    ProfileLinks links = config::loadProfileLinks();
    const QString defaultBefore = links.defaultProfile;
    m_droppedLinks = links.keepOnly(m_list.names());
    if (!m_droppedLinks.isEmpty() || links.defaultProfile != defaultBefore)
        (void)config::storeProfileLinks(links);
    return result;
}

ProfileListResult ProfileSession::renameListed(const QString &oldName, const QString &newName) {
    const ProfileListResult renamed = m_list.rename(oldName, newName);
    if (renamed != ProfileListResult::Ok || oldName != currentName() || newName == oldName)
        return renamed;
    AppConfig candidate = m_config;
    candidate.profileNames[0] = newName;
    candidate.profile.profileName = newName;
    const ProfileListResult result = commit(candidate);
    // The configuration must not go on naming a file that no longer exists: the rename is taken back.
    if (result != ProfileListResult::Ok && m_list.rename(newName, oldName) != ProfileListResult::Ok)
        return ProfileListResult::WriteFailed;
    return result;
}

ProfileListResult ProfileSession::removeListed(const QString &name) {
    m_warning = ProfileListResult::Ok;
    const QString next = m_list.successor(name);
    // Not the current profile, or one the list's rules refuse: nothing else changes.
    if (name != currentName() || next.isEmpty() || name == QLatin1String(ProfileList::kDefaultProfile))
        return m_list.remove(name);
    const AppConfig before = m_config;
    AppConfig candidate = m_config;
    const ProfileListResult selected = m_list.select(next, 0, candidate);
    if (selected != ProfileListResult::Ok) {
        // The deleted profile cannot stay current: the one after it starts from the factory settings.
        m_warning = selected;
        m_failedFile = profile::profileFilePath(next);
        candidate.profileNames[0] = next;
        profile::makeFactoryProfile(candidate.profile);
        candidate.profile.profileName = next;
    }
    // The slot state goes first: should the list then fail, the old state is stored again.
    const ProfileListResult stored = commit(candidate);
    if (stored != ProfileListResult::Ok)
        return stored;
    const ProfileListResult removed = m_list.remove(name);
    if (removed != ProfileListResult::Ok) {
        m_warning = ProfileListResult::Ok;
        if (commit(before) != ProfileListResult::Ok)
            return ProfileListResult::WriteFailed;
    }
    return removed;
}

ProfileListResult ProfileSession::switchTo(const QString &name) {
    // Only a profile of the list: the folder also holds the factory profile's file.
    if (!m_list.names().contains(name))
        return fail(ProfileListResult::NotFound, profile::profileFilePath(name));
    return becomeCurrent(name);
}

ProfileListResult ProfileSession::importFile(const QString &path, const QString &productName, QString &made) {
    QString name;
    const ProfileListResult imported = m_list.importFile(path, productName, name);
    if (imported != ProfileListResult::Ok)
        return fail(imported, path);
    const ProfileListResult result = adopt(name);
    if (result == ProfileListResult::Ok)
        made = name;
    return result;
}

ProfileListResult ProfileSession::exportFile(const QString &path, const QString &productName) {
    return m_list.exportFile(currentName(), path, productName);
}
