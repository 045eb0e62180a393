#pragma once

#include "keys/key_tables.h"
#include "storage/button_assignment.h"

#include <QString>
#include <QVector>

// The menu that offers a button function. ProfileMenu and PollingRate are built with their titles but
// attached nowhere; None marks functions that profiles may hold but no menu offers.
enum class FunctionMenu { Main, Basic, Windows, Advance, Media, Dpi, Wheel, ProfileMenu, PollingRate, None };

// One function of the catalog. label is the menu text and the caption, translated in the "VelBtnWindow"
// context. wheelPlace is the function's place in the wheel menu, -1 when the wheel menu leaves it out.
struct ButtonFunction {
    int code;
    const char *label;
    FunctionMenu menu;
    int wheelPlace;
};

// One line of the main menu: a function, or (function 0) one of its sub-menus.
struct MenuEntry {
    int function = 0;
    FunctionMenu subMenu = FunctionMenu::None;
};

namespace buttoncatalog {

// Button groups of the assignment page: records 0-19, 20-39 and 40-41 (the wheel's up and down steps).
constexpr int kGroupNone = 0xFF;
constexpr int kWheelGroup = 2;

const QVector<ButtonFunction> &functions();
// The catalog row of a code; nullptr for 0 and codes outside the catalog.
const ButtonFunction *findFunction(int code);
// The translated label; empty for codes outside the catalog.
QString functionLabel(int code);
// True for the functions whose parameters a dialog collects (single key, combo, fire, sniper, macro,
// gun file).
bool takesParameters(int code);

// The translated title of a sub-menu; empty for Main, Wheel and None.
QString menuTitle(FunctionMenu menu);
// "Left" to "Back", the sub-menus Basic, Windows, Advance, Media and DPI, "Macro Manager" unless the
// device description disables macros, "Button Off".
QVector<MenuEntry> mainMenu();
// The functions of a sub-menu in menu order; for Wheel the whole wheel menu.
QVector<int> menuFunctions(FunctionMenu menu);

// Index into ProfileData::buttons of button `index` of `group`; -1 when the group has no such button.
int recordIndex(int group, int index);
// The first five entries of a record's key list as bytes (usage, low, high each), as a combination's caption
// and the combo key dialog read them.
std::array<uint8_t, kComboEntryBytes> comboEntries(const ButtonAssignment &record);
// What the button of `group` shows for its record; empty for 0 and codes outside the catalog, and for
// the scroll functions outside the wheel group.
QString buttonCaption(const ButtonAssignment &record, int group);

} // namespace buttoncatalog
