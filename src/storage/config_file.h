#pragma once

#include "storage/language_font.h"
#include "storage/language_table.h"

#include "storage/profile_links.h"

#include <QString>
#include <QStringList>

// Accessors of the application's own settings: Configs/Config.ini, Configs/LangConfig.ini and the
// product folder's Config.ini with its profile list. Every call opens its file, works and closes it;
// nothing is cached. Missing keys give fixed defaults; writes create a missing folder first.
namespace config {

constexpr int kMacroSlots = 50;
constexpr int kDefaultBatteryFull = 4200; // millivolts

QString currentProductName();
[[nodiscard]] bool setCurrentProductName(const QString &name);
// The product whose folder holds the profile list and profiles: the current product, or while no mouse
// is present (the current product name is then empty) the product the device description names.
QString profileProductName();

int languageIndex();
[[nodiscard]] bool setLanguageIndex(int index);
void readLanguageTable(LanguageTable &table);
// "FONT_LIST/FONT_<index>" and "FONT_LIST/FONT_SIZE_<index>"; a size above LanguageFont::kMaxPixelSize
// reads as 0.
LanguageFont fontForLanguage(int index);

// The macro list keeps 50 named slots; an empty slot is free.
int macroCount();
QStringList listMacros();
// Stores name in the first free slot; false when all slots are taken or the write failed.
[[nodiscard]] bool addMacroName(const QString &name);
// Empties the lowest slot holding exactly name; false when no slot holds it.
[[nodiscard]] bool removeMacroName(const QString &name);
// Puts newName into the lowest slot holding exactly oldName, so the macro keeps its place in the list.
[[nodiscard]] bool renameMacroName(const QString &oldName, const QString &newName);

// Profile list of the current product. Entries beyond a shorter new list stay in the file, unread.
[[nodiscard]] bool storeProfileList(const QStringList &names);
QStringList loadProfileList();

// The programs joined to profiles (group "LINKS" of the product configuration). Entries without a
// program or a profile, and a second entry for the same program, are left out.
ProfileLinks loadProfileLinks();
[[nodiscard]] bool storeProfileLinks(const ProfileLinks &links);

// "Config/Diff": 1 while the mouse may hold other settings than the files (a write failed or did not
// reach it, a connection arrived), 0 after a write the mouse took.
int configDiff();
[[nodiscard]] bool setConfigDiff(int diff);
// "Config/BatteryNotice": the battery level in percent at which the user is told to charge; 0 is off.
constexpr int kDefaultBatteryNotice = 15;
int batteryNoticeLevel();
[[nodiscard]] bool setBatteryNoticeLevel(int percent);
int batteryValue();
[[nodiscard]] bool setBatteryValue(int percent);
int batteryFull();
QString modelText();
int accentColorIndex();
int sensorType();
// "Mouse_List/0": the product name of the one mouse entry the program looks for.
QString mouseListEntry();

} // namespace config
