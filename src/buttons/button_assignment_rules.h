#pragma once

#include "keys/key_tables.h"
#include "storage/file_result.h"
#include "storage/profile_data.h"

#include <QString>
#include <QVector>
#include <cstdint>

// What becomes of a function chosen for a button.
enum class ChoiceResult {
    Ok,              // a function without parameters, now set
    OpenDialog,      // the function's dialog collects its parameters; nothing is set yet
    LastLeftClick,   // refused: the button holds the profile's last left click
    GunOnLeftButton, // refused: the left button never fires a gun file
    NoMacros,        // no macro exists yet: the user is sent to the macro page
};

// The rules of giving a button record a function. The page calls chooseFunction() for a menu choice and,
// when that asks for a dialog, the assign function of the dialog on OK; a cancelled dialog changes nothing.
namespace buttonrules {

// record: 0..41. Refuses taking the last left click from the profile (every choice but "Left"), a gun file on
// the left button and macro functions while no macro exists; sets a function without parameters.
ChoiceResult chooseFunction(ProfileData &profile, int record, int function);

void assignSingleKey(ButtonAssignment &record, KeyCode key);
// keys: the combination's keys in the order Shift, Ctrl, Win, Alt, key. The key list gets a press of each
// in that order, then the releases in reverse order.
void assignCombo(ButtonAssignment &record, const QVector<KeyCode> &keys);
// key: a keyboard key, or 240, 241, 242 for the left, right and middle button.
void assignFireKey(ButtonAssignment &record, KeyCode key, int times, int delay);
// The fire key a record's fire target stands for (what assignFireKey took): 240, 241, 242 for the buttons
// (0 counts as the left one), else the key of the HID usage (0 for a usage without a key).
KeyCode fireKeyOf(uint8_t target);
void assignSniper(ButtonAssignment &record, uint8_t value);
// function: 200 (macro) or 510 (gun file); loopMode 0, 1 or 2. Copies at most 63 steps of the macro file
// into the key list; a missing file leaves it empty. An invalid name (empty, or leaving the macro folder)
// changes nothing and gives FileResult::InvalidName.
FileResult assignMacro(ButtonAssignment &record, int function, const QString &name, int loopCount,
                       uint8_t loopMode);

} // namespace buttonrules
