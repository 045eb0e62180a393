#include "storage/macro_links.h"

#include "storage/app_config_store.h"
#include "storage/config_file.h"
#include "storage/factory_profile.h"
#include "storage/macro_file.h"
#include "storage/profile_file.h"

#include <QFileInfo>
#include <algorithm>

namespace macrolinks {
namespace {

bool playsThis(const ButtonAssignment &button, const QString &name) {
    return playsMacro(button) && button.macroName == name;
}

// Reads each listed profile file that uses name, lets change edit it and writes it back.
FileResult changeProfileFiles(const QString &name, const std::function<bool(ProfileData &)> &change) {
    FileResult result = FileResult::Ok;
    for (const QString &profileName : config::loadProfileList()) {
        const QString path = profile::profileFilePath(profileName);
        ProfileData stored;
        if (path.isEmpty() || profile::readProfileFile(stored, path) != FileResult::Ok || !uses(stored, name))
            continue;
        if (change(stored) && profile::writeProfileFile(stored, path) != FileResult::Ok)
            result = FileResult::WriteFailed;
    }
    return result;
}

} // namespace

bool playsMacro(const ButtonAssignment &button) {
    return button.function == kMacroFunction || button.function == kGunFileFunction;
}

bool uses(const ProfileData &profile, const QString &name) {
    return std::any_of(profile.buttons.begin(), profile.buttons.end(),
                       [&name](const ButtonAssignment &button) { return playsThis(button, name); });
}

bool renameIn(ProfileData &profile, const QString &oldName, const QString &newName) {
    bool changed = false;
    for (ButtonAssignment &button : profile.buttons) {
        if (playsThis(button, oldName)) {
            button.macroName = newName;
            changed = true;
        }
    }
    return changed;
}

bool resetIn(ProfileData &profile, const QString &name, const ProfileData &factory) {
    bool changed = false;
    for (std::size_t record = 0; record < profile.buttons.size(); ++record) {
        ButtonAssignment &button = profile.buttons[record];
        if (!playsThis(button, name))
            continue;
        const int32_t id = button.id;
        button = factory.buttons[record];
        button.id = id;
        changed = true;
    }
    return changed;
}

QStringList profilesUsing(const QString &name) {
    QStringList users;
    for (const QString &profileName : config::loadProfileList()) {
        const QString path = profile::profileFilePath(profileName);
        ProfileData stored;
        if (!path.isEmpty() && profile::readProfileFile(stored, path) == FileResult::Ok && uses(stored, name))
            users << profileName;
    }
    return users;
}

FileResult renameEverywhere(const QString &oldName, const QString &newName) {
    renameIn(workingConfig().profile, oldName, newName);
    return changeProfileFiles(oldName,
                              [&](ProfileData &stored) { return renameIn(stored, oldName, newName); });
}

FileResult resetEverywhere(const QString &name) {
    ProfileData factory;
    profile::makeFactoryProfile(factory);
    resetIn(workingConfig().profile, name, factory);
    return changeProfileFiles(name, [&](ProfileData &stored) { return resetIn(stored, name, factory); });
}

int missingMacroRecord(const ProfileData &profile, const std::function<bool(int record)> &sent) {
    for (std::size_t record = 0; record < profile.buttons.size(); ++record) {
        const ButtonAssignment &button = profile.buttons[record];
        if (!playsMacro(button) || !sent(int(record)))
            continue;
        const QString path = macrofile::macroFilePath(button.macroName);
        if (button.macroName.isEmpty() || path.isEmpty() || !QFileInfo(path).isFile())
            return int(record);
    }
    return -1;
}

} // namespace macrolinks
