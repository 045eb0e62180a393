#pragma once

#include "storage/file_result.h"
#include "storage/profile_data.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

// Buttons name the macro they play (ButtonAssignment::macroName); these keep the names right when a macro
// is renamed or deleted, in the working configuration and in every profile file of the product's profile
// list, and find a button whose macro is gone before a write sends it empty.
namespace macrolinks {

// Button functions that play a macro file: a macro and a gun file.
constexpr int kMacroFunction = 200;
constexpr int kGunFileFunction = 510;

bool playsMacro(const ButtonAssignment &button);
// Whether a button of profile plays the macro name.
bool uses(const ProfileData &profile, const QString &name);

// Gives every button of profile that plays oldName newName instead; true when one changed.
bool renameIn(ProfileData &profile, const QString &oldName, const QString &newName);
// Gives every button of profile that plays name the factory profile's button of the same record; true when
// one changed.
bool resetIn(ProfileData &profile, const QString &name, const ProfileData &factory);

// The profiles of the product's profile list whose files have a button that plays name, in list order.
QStringList profilesUsing(const QString &name);

// renameIn() in the working configuration and in each profile file of the list that uses oldName.
// WriteFailed when a file could not be written; the others are changed all the same.
FileResult renameEverywhere(const QString &oldName, const QString &newName);
// resetIn() with the factory profile, in the working configuration and in the profile files.
FileResult resetEverywhere(const QString &name);

// The first record, among those `sent` accepts, whose button plays a macro without a file (or without a
// name); -1 when every macro is there.
int missingMacroRecord(const ProfileData &profile, const std::function<bool(int record)> &sent);

} // namespace macrolinks
