#include "storage/config_file.h"

#include "storage/app_paths.h"
#include "storage/description_file.h"
#include "storage/file_name.h"
#include "storage/file_replace.h"
#include "storage/settings_sync.h"

#include <QSet>
#include <QSettings>
#include <algorithm>

namespace config {
namespace {

QVariant readValue(const QString &file, const QString &key, const QVariant &fallback) {
    QSettings settings(file, QSettings::IniFormat);
    return settings.value(key, fallback);
}

// A settings file may be written when it is not a link to a place outside the configuration folder and
// its folder exists or can be made.
bool mayWrite(const QString &file) {
    return filereplace::linkStaysInside(file, AppPaths::configDir()) && AppPaths::ensureParentDir(file);
}

// A write counts only when the settings layer reports it reached the disk.
bool writeValue(const QString &file, const QString &key, const QVariant &value) {
    if (!mayWrite(file))
        return false;
    QSettings settings(file, QSettings::IniFormat);
    settings.setValue(key, value);
    return syncSettings(settings) == FileResult::Ok;
}

QString macroKey(int slot) {
    return QString("MACRO_LIST/%1").arg(slot);
}

} // namespace

QString currentProductName() {
    const QString name =
        readValue(AppPaths::mainConfigFile(), "Config/CurrentProductName", QString()).toString();
    // The name becomes a folder of the configuration: one that would leave it counts as no name at all.
    return filename::isSafe(name) ? name : QString();
}

bool setCurrentProductName(const QString &name) {
    return writeValue(AppPaths::mainConfigFile(), "Config/CurrentProductName", name);
}

QString profileProductName() {
    const QString current = currentProductName();
    if (!current.isEmpty())
        return current;
    const QString described = description::productName();
    return filename::isSafe(described) ? described : QString();
}

int languageIndex() {
    return readValue(AppPaths::languageConfigFile(), "Config/LangID", 0).toInt();
}

bool setLanguageIndex(int index) {
    return writeValue(AppPaths::languageConfigFile(), "Config/LangID", index);
}

void readLanguageTable(LanguageTable &table) {
    QSettings settings(AppPaths::mainConfigFile(), QSettings::IniFormat);
    table.count = settings.value("FONT_LIST/LANGNUM", 0).toInt();
    for (int i = 0; i < LanguageTable::kMaxLanguages; ++i) {
        table.names[i] = settings.value("FONT_LIST/LangName_" + QString::number(i)).toString();
        table.files[i] = settings.value("FONT_LIST/LangFile_" + QString::number(i)).toString();
    }
}

LanguageFont fontForLanguage(int index) {
    QSettings settings(AppPaths::mainConfigFile(), QSettings::IniFormat);
    LanguageFont font;
    font.family = settings.value(QString("FONT_LIST/FONT_%1").arg(index)).toString();
    const unsigned size = settings.value(QString("FONT_LIST/FONT_SIZE_%1").arg(index), 0u).toUInt();
    // A size beyond any window's is no size: scaled, it would not even fit an int.
    font.pixelSize = size <= LanguageFont::kMaxPixelSize ? size : 0;
    return font;
}

int macroCount() {
    return listMacros().size();
}

QStringList listMacros() {
    QSettings settings(AppPaths::mainConfigFile(), QSettings::IniFormat);
    QStringList names;
    for (int i = 0; i < kMacroSlots; ++i) {
        const QString name = settings.value(macroKey(i)).toString();
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

bool addMacroName(const QString &name) {
    const QString file = AppPaths::mainConfigFile();
    if (!mayWrite(file))
        return false;
    QSettings settings(file, QSettings::IniFormat);
    for (int i = 0; i < kMacroSlots; ++i) {
        if (settings.value(macroKey(i)).toString().isEmpty()) {
            settings.setValue(macroKey(i), name);
            return syncSettings(settings) == FileResult::Ok;
        }
    }
    return false;
}

bool removeMacroName(const QString &name) {
    return renameMacroName(name, QString());
}

bool renameMacroName(const QString &oldName, const QString &newName) {
    if (!mayWrite(AppPaths::mainConfigFile()))
        return false;
    QSettings settings(AppPaths::mainConfigFile(), QSettings::IniFormat);
    for (int i = 0; i < kMacroSlots; ++i) {
        if (settings.value(macroKey(i)).toString() == oldName) {
            settings.setValue(macroKey(i), newName);
            return syncSettings(settings) == FileResult::Ok;
        }
    }
    return false;
}

bool storeProfileList(const QStringList &names) {
    const QString file = AppPaths::productConfigFile(profileProductName());
    if (!mayWrite(file))
        return false;
    QSettings settings(file, QSettings::IniFormat);
    settings.setValue("PROFILE_LIST/Count", names.size());
    for (int k = 1; k <= names.size(); ++k)
        settings.setValue(QString("PROFILE_LIST/%1").arg(k), names.at(k - 1));
    return syncSettings(settings) == FileResult::Ok;
}

QStringList loadProfileList() {
    QSettings settings(AppPaths::productConfigFile(profileProductName()), QSettings::IniFormat);
    // The file can hold no more names than it has keys: a count beyond them is not a list to walk.
    settings.beginGroup("PROFILE_LIST");
    const qlonglong stored = settings.value("Count", 0).toLongLong();
    const int count = static_cast<int>(std::clamp<qlonglong>(stored, 0, settings.childKeys().size()));
    QStringList names;
    QSet<QString> seen;
    for (int k = 1; k <= count; ++k) {
        const QString name = settings.value(QString::number(k)).toString();
        // An empty or repeated entry names no profile of its own.
        if (!name.isEmpty() && !seen.contains(name)) {
            seen.insert(name);
            names << name;
        }
    }
    return names;
}

ProfileLinks loadProfileLinks() {
    QSettings settings(AppPaths::productConfigFile(profileProductName()), QSettings::IniFormat);
    settings.beginGroup("LINKS");
    ProfileLinks stored;
    stored.defaultProfile = settings.value("Default").toString();
    stored.automatic = settings.value("Automatic", true).toBool();
    const int count = settings.beginReadArray("Link");
    for (int i = 0; i < count; ++i) {
        settings.setArrayIndex(i);
        ProfileLink link{settings.value("Program").toString(), settings.value("Profile").toString(),
                         settings.value("Focus", false).toBool(), settings.value("WindowClass").toString()};
        if (!link.program.isEmpty() && !link.profile.isEmpty() && !stored.find(link.program))
            stored.links.append(link);
    }
    settings.endArray();
    return stored;
}

bool storeProfileLinks(const ProfileLinks &links) {
    const QString file = AppPaths::productConfigFile(profileProductName());
    if (!mayWrite(file))
        return false;
    QSettings settings(file, QSettings::IniFormat);
    settings.remove("LINKS");
    settings.beginGroup("LINKS");
    settings.setValue("Default", links.defaultProfile);
    settings.setValue("Automatic", links.automatic);
    settings.beginWriteArray("Link", links.links.size());
    for (int i = 0; i < links.links.size(); ++i) {
        const ProfileLink &link = links.links.at(i);
        settings.setArrayIndex(i);
        settings.setValue("Program", link.program);
        settings.setValue("Profile", link.profile);
        settings.setValue("Focus", link.focus);
        settings.setValue("WindowClass", link.windowClass);
    }
    settings.endArray();
    settings.endGroup();
    return syncSettings(settings) == FileResult::Ok;
}

int configDiff() {
    return readValue(AppPaths::mainConfigFile(), "Config/Diff", 0).toInt();
}

int batteryNoticeLevel() {
    return readValue(AppPaths::mainConfigFile(), "Config/BatteryNotice", kDefaultBatteryNotice).toInt();
}

bool setBatteryNoticeLevel(int percent) {
    return writeValue(AppPaths::mainConfigFile(), "Config/BatteryNotice", percent);
}

bool setConfigDiff(int diff) {
    return writeValue(AppPaths::mainConfigFile(), "Config/Diff", diff);
}

int batteryValue() {
    return readValue(AppPaths::mainConfigFile(), "Config/Battery", 0).toInt();
}

bool setBatteryValue(int percent) {
    return writeValue(AppPaths::mainConfigFile(), "Config/Battery", percent);
}

int batteryFull() {
    return readValue(AppPaths::mainConfigFile(), "Config/BatteryFull", kDefaultBatteryFull).toInt();
}

QString modelText() {
    return readValue(AppPaths::mainConfigFile(), "Config/Model", QString()).toString();
}

int accentColorIndex() {
    return readValue(AppPaths::mainConfigFile(), "Config/GColorID", 0).toInt();
}

int sensorType() {
    return readValue(AppPaths::mainConfigFile(), "MouseSenSor/1", 0).toInt();
}

QString mouseListEntry() {
    return readValue(AppPaths::mainConfigFile(), "Mouse_List/0", QString()).toString();
}

} // namespace config
