#include "buttons/button_catalog.h"

#include "device/device_code_table.h"
#include "keys/key_tables.h"
#include "storage/description_file.h"

#include <QCoreApplication>
#include <algorithm>

namespace buttoncatalog {
namespace {

constexpr char kContext[] = "VelBtnWindow";
constexpr int kBack = 5;
constexpr int kScrollUp = 52;
constexpr int kScrollDown = 53;
constexpr int kGroupSizes[] = {20, 20, 2};
constexpr int kGroupFirstRecord[] = {0, 20, 40};

using M = FunctionMenu;

// The rows of one menu stand in the order that menu shows them.
const QVector<ButtonFunction> kFunctions = {
    {1, QT_TRANSLATE_NOOP("VelBtnWindow", "Left"), M::Main, 4},
    {2, QT_TRANSLATE_NOOP("VelBtnWindow", "Right"), M::Main, 5},
    {3, QT_TRANSLATE_NOOP("VelBtnWindow", "Middle"), M::Main, 6},
    {4, QT_TRANSLATE_NOOP("VelBtnWindow", "Forward"), M::Main, 7},
    {5, QT_TRANSLATE_NOOP("VelBtnWindow", "Back"), M::Main, 8},
    {17, QT_TRANSLATE_NOOP("VelBtnWindow", "Cut"), M::Basic, -1},
    {18, QT_TRANSLATE_NOOP("VelBtnWindow", "Copy"), M::Basic, -1},
    {19, QT_TRANSLATE_NOOP("VelBtnWindow", "Paste"), M::Basic, -1},
    {20, QT_TRANSLATE_NOOP("VelBtnWindow", "All"), M::Basic, -1},
    {21, QT_TRANSLATE_NOOP("VelBtnWindow", "Find"), M::Basic, -1},
    {22, QT_TRANSLATE_NOOP("VelBtnWindow", "New"), M::Basic, -1},
    {23, QT_TRANSLATE_NOOP("VelBtnWindow", "Print"), M::Basic, -1},
    {24, QT_TRANSLATE_NOOP("VelBtnWindow", "Save"), M::Basic, -1},
    {25, QT_TRANSLATE_NOOP("VelBtnWindow", "Switch Window"), M::Windows, -1},
    {26, QT_TRANSLATE_NOOP("VelBtnWindow", "Close Window"), M::Windows, -1},
    {27, QT_TRANSLATE_NOOP("VelBtnWindow", "My Computer"), M::Windows, -1},
    {28, QT_TRANSLATE_NOOP("VelBtnWindow", "Run"), M::Windows, -1},
    {29, QT_TRANSLATE_NOOP("VelBtnWindow", "Show Desktop"), M::Windows, -1},
    {30, QT_TRANSLATE_NOOP("VelBtnWindow", "Lock PC"), M::Windows, -1},
    {31, QT_TRANSLATE_NOOP("VelBtnWindow", "Browser Home"), M::Windows, -1},
    {32, QT_TRANSLATE_NOOP("VelBtnWindow", "Browser Backward"), M::Windows, -1},
    {33, QT_TRANSLATE_NOOP("VelBtnWindow", "Browser Forward"), M::Windows, -1},
    {34, QT_TRANSLATE_NOOP("VelBtnWindow", "Browser Stop"), M::Windows, -1},
    {35, QT_TRANSLATE_NOOP("VelBtnWindow", "Browser Refresh"), M::Windows, -1},
    {36, QT_TRANSLATE_NOOP("VelBtnWindow", "Browser Search"), M::Windows, -1},
    {37, QT_TRANSLATE_NOOP("VelBtnWindow", "Browser Favorite"), M::Windows, -1},
    {38, QT_TRANSLATE_NOOP("VelBtnWindow", "Mail"), M::Windows, -1},
    {6, QT_TRANSLATE_NOOP("VelBtnWindow", "SINGLE KEY"), M::Advance, 9},
    {7, QT_TRANSLATE_NOOP("VelBtnWindow", "COMBO KEY"), M::Advance, 10},
    {12, QT_TRANSLATE_NOOP("VelBtnWindow", "FIRE KEY"), M::Advance, -1},
    {39, QT_TRANSLATE_NOOP("VelBtnWindow", "Play/Pause"), M::Media, -1},
    {40, QT_TRANSLATE_NOOP("VelBtnWindow", "Stop"), M::Media, -1},
    {41, QT_TRANSLATE_NOOP("VelBtnWindow", "Previous Track"), M::Media, -1},
    {42, QT_TRANSLATE_NOOP("VelBtnWindow", "Next Track"), M::Media, -1},
    {43, QT_TRANSLATE_NOOP("VelBtnWindow", "Volume Up"), M::Media, 2},
    {44, QT_TRANSLATE_NOOP("VelBtnWindow", "Volume Down"), M::Media, 3},
    {45, QT_TRANSLATE_NOOP("VelBtnWindow", "Mute"), M::Media, -1},
    {46, QT_TRANSLATE_NOOP("VelBtnWindow", "Media Player"), M::Media, -1},
    {47, QT_TRANSLATE_NOOP("VelBtnWindow", "DPI Switch"), M::Dpi, -1},
    {48, QT_TRANSLATE_NOOP("VelBtnWindow", "DPI +"), M::Dpi, -1},
    {49, QT_TRANSLATE_NOOP("VelBtnWindow", "DPI -"), M::Dpi, -1},
    {200, QT_TRANSLATE_NOOP("VelBtnWindow", "Macro Manager"), M::Main, -1},
    {16, QT_TRANSLATE_NOOP("VelBtnWindow", "Button Off"), M::Main, -1},
    {52, QT_TRANSLATE_NOOP("VelBtnWindow", "Scroll Up"), M::Wheel, 0},
    {53, QT_TRANSLATE_NOOP("VelBtnWindow", "Scroll Down"), M::Wheel, 1},
    {59, QT_TRANSLATE_NOOP("VelBtnWindow", "Profile Switch"), M::ProfileMenu, -1},
    {57, QT_TRANSLATE_NOOP("VelBtnWindow", "Profile +"), M::ProfileMenu, -1},
    {58, QT_TRANSLATE_NOOP("VelBtnWindow", "Profile -"), M::ProfileMenu, -1},
    {63, QT_TRANSLATE_NOOP("VelBtnWindow", "Rate Switch"), M::PollingRate, -1},
    {50, QT_TRANSLATE_NOOP("VelBtnWindow", "Rate +"), M::PollingRate, -1},
    {51, QT_TRANSLATE_NOOP("VelBtnWindow", "Rate -"), M::PollingRate, -1},
    {54, QT_TRANSLATE_NOOP("VelBtnWindow", "Led Switch"), M::None, -1},
    {55, QT_TRANSLATE_NOOP("VelBtnWindow", "SNIPER"), M::None, -1},
    {62, QT_TRANSLATE_NOOP("VelBtnWindow", "Boss Key"), M::None, -1},
    {510, QT_TRANSLATE_NOOP("VelBtnWindow", "GunFile Manager"), M::None, -1},
};

struct SubMenuTitle {
    FunctionMenu menu;
    const char *title;
};

// The main menu's sub-menus in its order, then the two that no menu holds.
const SubMenuTitle kSubMenus[] = {
    {M::Basic, QT_TRANSLATE_NOOP("VelBtnWindow", "Basic")},
    {M::Windows, QT_TRANSLATE_NOOP("VelBtnWindow", "Windows")},
    {M::Advance, QT_TRANSLATE_NOOP("VelBtnWindow", "Advance")},
    {M::Media, QT_TRANSLATE_NOOP("VelBtnWindow", "Media")},
    {M::Dpi, QT_TRANSLATE_NOOP("VelBtnWindow", "DPI")},
    {M::ProfileMenu, QT_TRANSLATE_NOOP("VelBtnWindow", "Profile Menu")},
    {M::PollingRate, QT_TRANSLATE_NOOP("VelBtnWindow", "Polling Rate")},
};
constexpr int kMainSubMenus = 5;

} // namespace

std::array<uint8_t, kComboEntryBytes> comboEntries(const ButtonAssignment &record) {
    std::array<uint8_t, kComboEntryBytes> entries{};
    for (int i = 0; i < kComboEntryBytes / 3; ++i) {
        const KeyAction &key = record.keys[static_cast<std::size_t>(i)];
        entries[3 * i] = key.type;
        entries[3 * i + 1] = key.low;
        entries[3 * i + 2] = key.high;
    }
    return entries;
}

const QVector<ButtonFunction> &functions() {
    return kFunctions;
}

const ButtonFunction *findFunction(int code) {
    const auto row = std::find_if(kFunctions.begin(), kFunctions.end(),
                                  [code](const ButtonFunction &function) { return function.code == code; });
    return row == kFunctions.end() ? nullptr : &*row;
}

QString functionLabel(int code) {
    const ButtonFunction *row = findFunction(code);
    return row ? QCoreApplication::translate(kContext, row->label) : QString();
}

bool takesParameters(int code) {
    switch (code) {
    case devicecode::kSingleKey:
    case devicecode::kCombo:
    case devicecode::kFire:
    case devicecode::kSniper:
    case devicecode::kMacro:
    case devicecode::kGunFile:
        return true;
    default:
        return false;
    }
}

QString menuTitle(FunctionMenu menu) {
    for (const SubMenuTitle &subMenu : kSubMenus) {
        if (subMenu.menu == menu)
            return QCoreApplication::translate(kContext, subMenu.title);
    }
    return QString();
}

QVector<MenuEntry> mainMenu() {
    const bool macros = description::disableMacro() == 0;
    QVector<MenuEntry> entries;
    for (const ButtonFunction &row : kFunctions) {
        if (row.menu != M::Main || (row.code == devicecode::kMacro && !macros))
            continue;
        entries.append({row.code, M::None});
        if (row.code == kBack) {
            for (int i = 0; i < kMainSubMenus; ++i)
                entries.append({0, kSubMenus[i].menu});
        }
    }
    return entries;
}

QVector<int> menuFunctions(FunctionMenu menu) {
    QVector<const ButtonFunction *> rows;
    for (const ButtonFunction &row : kFunctions) {
        if (menu == M::Wheel ? row.wheelPlace >= 0 : row.menu == menu)
            rows.append(&row);
    }
    if (menu == M::Wheel) {
        std::sort(rows.begin(), rows.end(), [](const ButtonFunction *a, const ButtonFunction *b) {
            return a->wheelPlace < b->wheelPlace;
        });
    }
    QVector<int> codes;
    for (const ButtonFunction *row : rows)
        codes.append(row->code);
    return codes;
}

int recordIndex(int group, int index) {
    if (group < 0 || group > kWheelGroup || index < 0 || index >= kGroupSizes[group])
        return -1;
    return kGroupFirstRecord[group] + index;
}

QString buttonCaption(const ButtonAssignment &record, int group) {
    switch (record.function) {
    case devicecode::kSingleKey:
        return KeyName(record.singleKey());
    case devicecode::kCombo:
        return ComboKeyText(comboEntries(record).data());
    case devicecode::kMacro:
    case devicecode::kGunFile:
        return record.macroName;
    case kScrollUp:
    case kScrollDown:
        return group == kWheelGroup ? functionLabel(record.function) : QString();
    default:
        return functionLabel(record.function);
    }
}

} // namespace buttoncatalog
