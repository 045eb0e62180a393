#include "keys/key_tables.h"

#include <QStringList>
#include <atomic>

namespace {

struct KeyNameRow {
    KeyCode code;
    const char *english;
    const char *french;
    const char *german;
};

// Display names by layout, UTF-8; an empty text means the layout has no name for the code.
constexpr KeyNameRow kKeyNames[] = {
    {1, "Esc", "Echap", "ESC"},
    {2, "1", "&", "1"},
    {3, "2", "é", "2"},
    {4, "3", "\"", "3"},
    {5, "4", "'", "4"},
    {6, "5", "(", "5"},
    {7, "6", "-", "6"},
    {8, "7", "è", "7"},
    {9, "8", "_", "8"},
    {10, "9", "ç", "9"},
    {11, "0", "à", "0"},
    {12, "-", ")", "ß"},
    {13, "=", "=", "AKUT"},
    {14, "Backspace", "Ret.arr", "RÜCK"},
    {15, "Tab", "Tab", "TABULATOR"},
    {16, "Q", "a", "Q"},
    {17, "W", "z", "W"},
    {18, "E", "e", "E"},
    {19, "R", "r", "R"},
    {20, "T", "t", "T"},
    {21, "Y", "y", "Z"},
    {22, "U", "u", "U"},
    {23, "I", "i", "I"},
    {24, "O", "o", "O"},
    {25, "P", "p", "P"},
    {26, "[", "^", "Ü"},
    {27, "]", "$", "+"},
    {28, "Enter", "Entree", "EINGABE"},
    {29, "LCtr", "LCtrl", "Strg"},
    {30, "A", "q", "A"},
    {31, "S", "s", "S"},
    {32, "D", "d", "D"},
    {33, "F", "f", "F"},
    {34, "G", "g", "G"},
    {35, "H", "h", "H"},
    {36, "J", "j", "J"},
    {37, "K", "k", "K"},
    {38, "L", "l", "L"},
    {39, ";", "m", "Ö"},
    {40, "'", "ù", "Ä"},
    {41, "`", "²", "ZIRKUMFLEX"},
    {42, "LShift", "LShift", "Umschalt"},
    {43, "\\", "*", "#"},
    {44, "Z", "w", "Y"},
    {45, "X", "x", "X"},
    {46, "C", "c", "C"},
    {47, "V", "v", "V"},
    {48, "B", "b", "B"},
    {49, "N", "n", "N"},
    {50, "M", ",", "M"},
    {51, ",", ";", ","},
    {52, ".", ":", "."},
    {53, "/", "!", "-"},
    {54, "RShift", "RShift", "Umschalt"},
    {55, "Print Screen", "Print Screen", "Druck/S-Abf"},
    {56, "LAlt", "LAlt", "Alt"},
    {57, "Space", "espace", "LEER"},
    {58, "CapsLock", "Verr.maj", "FESTSTE"},
    {59, "F1", "F1", "F1"},
    {60, "F2", "F2", "F2"},
    {61, "F3", "F3", "F3"},
    {62, "F4", "F4", "F4"},
    {63, "F5", "F5", "F5"},
    {64, "F6", "F6", "F6"},
    {65, "F7", "F7", "F7"},
    {66, "F8", "F8", "F8"},
    {67, "F9", "F9", "F9"},
    {68, "F10", "F10", "F10"},
    {69, "Pause Break", "Pause Break", "Pause/Untbr"},
    {70, "Scroll Lock", "Scroll Lock", "Rollen"},
    {71, "Home", "Home", "Pos1"},
    {72, "Up", "Up", "Up"},
    {73, "Page Up", "Page Up", "Pageup"},
    {74, "Num -", "Num -", "Num -"},
    {75, "Left", "Left", "Links"},
    {76, "Num 5", "Num 5", "Num 5"},
    {77, "Right", "Right", "Rechts"},
    {78, "Num +", "Num +", "Num +"},
    {79, "End", "End", "Ende"},
    {80, "Down", "Down", "Unten"},
    {81, "Page Down", "Page Down", "Pagedown"},
    {82, "Insert", "Insert", "Einfg"},
    {83, "Delete", "Delete", "Entf"},
    {87, "F11", "F11", "F11"},
    {88, "F12", "F12", "F12"},
    {91, "LWindows", "LWindows", "Win"},
    {92, "RWindows", "RWindows", "Win"},
    {93, "App", "App", "App"},
    {100, "", "", "F13"},
    {101, "", "", "F14"},
    {102, "", "", "F15"},
    {103, "", "", "F16"},
    {104, "", "", "F17"},
    {105, "", "", "F18"},
    {106, "", "", "F19"},
    {107, "", "", "F20"},
    {108, "", "", "F21"},
    {109, "", "", "F22"},
    {110, "", "", "F23"},
    {118, "", "", "F24"},
    {224, "Num De", "Num Del", "Num entf"},
    {225, "Num Lock", "Num Lock", "Num Lock"},
    {226, "Num /", "Num /", "Num /"},
    {227, "Num *", "Num *", "Num *"},
    {228, "Num 9", "Num 9", "Num 9"},
    {229, "Num Enter", "Num Enter", "Num Enter"},
    {230, "Num 1", "Num 1", "Num 1"},
    {231, "Num 2", "Num 2", "Num 2"},
    {232, "Num 3", "Num 3", "Num 3"},
    {233, "Num 4", "Num 4", "Num 4"},
    {234, "Num 6", "Num 6", "Num 6"},
    {235, "Num 7", "Num 7", "Num 7"},
    {236, "Num 8", "Num 8", "Num 8"},
    {237, "Num 0", "Num 0", "Num 0"},
    {238, "RCtr", "RCtrl", ""},
    {239, "RAlt", "RAlt", ""},
    {240, "Left Button", "Left Button", "Left Button"},
    {241, "Right Button", "Right Button", "Right Button"},
    {242, "Middle Button", "Middle Button", "Middle Button"},
};
static_assert(sizeof(kKeyNames) / sizeof(kKeyNames[0]) == 119, "one row per named key code");

// Rows where a combination text uses a shorter or different name than the single-key caption.
constexpr KeyNameRow kComboNameOverrides[] = {
    {29, "Ctrl", "Ctrl", nullptr}, {42, "Shift", "Shift", nullptr}, {56, "Alt", nullptr, nullptr},
    {91, "Win", "Win", nullptr},   {238, "RCtrl", "Ctrl", nullptr}, {26, nullptr, nullptr, "ü"},
    {39, nullptr, nullptr, "ö"},   {40, nullptr, nullptr, "ä"},
};

std::atomic<int> g_frenchLanguage{-1};
std::atomic<int> g_germanLanguage{-1};
std::atomic<int> g_languageIndex{0};

const char *layoutColumn(const KeyNameRow &row, KeyLayout layout) {
    switch (layout) {
    case KeyLayout::French:
        return row.french;
    case KeyLayout::German:
        return row.german;
    case KeyLayout::English:
        break;
    }
    return row.english;
}

} // namespace

const std::array<KeyHidPair, kKeyHidPairCount> KeyHidMap = {{
    {30, 0x04},  {48, 0x05},  {46, 0x06},  {32, 0x07},  {18, 0x08},  {33, 0x09},  {34, 0x0A},  {35, 0x0B},
    {23, 0x0C},  {36, 0x0D},  {37, 0x0E},  {38, 0x0F},  {50, 0x10},  {49, 0x11},  {24, 0x12},  {25, 0x13},
    {16, 0x14},  {19, 0x15},  {31, 0x16},  {20, 0x17},  {22, 0x18},  {47, 0x19},  {17, 0x1A},  {45, 0x1B},
    {21, 0x1C},  {44, 0x1D},  {2, 0x1E},   {3, 0x1F},   {4, 0x20},   {5, 0x21},   {6, 0x22},   {7, 0x23},
    {8, 0x24},   {9, 0x25},   {10, 0x26},  {11, 0x27},  {28, 0x28},  {1, 0x29},   {14, 0x2A},  {15, 0x2B},
    {57, 0x2C},  {12, 0x2D},  {13, 0x2E},  {26, 0x2F},  {27, 0x30},  {43, 0x31},  {39, 0x33},  {40, 0x34},
    {41, 0x35},  {51, 0x36},  {52, 0x37},  {53, 0x38},  {58, 0x39},  {59, 0x3A},  {60, 0x3B},  {61, 0x3C},
    {62, 0x3D},  {63, 0x3E},  {64, 0x3F},  {65, 0x40},  {66, 0x41},  {67, 0x42},  {68, 0x43},  {87, 0x44},
    {88, 0x45},  {55, 0x46},  {70, 0x47},  {69, 0x48},  {82, 0x49},  {71, 0x4A},  {73, 0x4B},  {83, 0x4C},
    {79, 0x4D},  {81, 0x4E},  {77, 0x4F},  {75, 0x50},  {80, 0x51},  {72, 0x52},  {225, 0x53}, {226, 0x54},
    {227, 0x55}, {74, 0x56},  {78, 0x57},  {229, 0x58}, {230, 0x59}, {231, 0x5A}, {232, 0x5B}, {233, 0x5C},
    {76, 0x5D},  {234, 0x5E}, {235, 0x5F}, {236, 0x60}, {228, 0x61}, {237, 0x62}, {224, 0x63}, {93, 0x65},
    {29, 0xE0},  {42, 0xE1},  {56, 0xE2},  {91, 0xE3},  {238, 0xE4}, {54, 0xE5},  {239, 0xE6}, {92, 0xE7},
}};

std::optional<HidUsage> KeyCodeToHid(KeyCode code) {
    for (const KeyHidPair &pair : KeyHidMap) {
        if (pair.code == code)
            return pair.usage;
    }
    return std::nullopt;
}

std::optional<KeyCode> HidToKeyCode(HidUsage usage) {
    for (const KeyHidPair &pair : KeyHidMap) {
        if (pair.usage == usage)
            return pair.code;
    }
    return std::nullopt;
}

void SetKeyLayoutLanguages(int frenchLanguage, int germanLanguage) {
    g_frenchLanguage = frenchLanguage;
    g_germanLanguage = germanLanguage;
}

void SetKeyLayoutLanguageIndex(int languageIndex) {
    g_languageIndex = languageIndex;
}

KeyLayout CurrentKeyLayout() {
    const int language = g_languageIndex;
    if (g_germanLanguage != -1 && g_germanLanguage == language)
        return KeyLayout::German;
    if (g_frenchLanguage != -1 && g_frenchLanguage == language)
        return KeyLayout::French;
    return KeyLayout::English;
}

QString KeyName(KeyCode code, KeyLayout layout) {
    for (const KeyNameRow &row : kKeyNames) {
        if (row.code == code)
            return QString::fromUtf8(layoutColumn(row, layout));
    }
    return QString();
}

QString KeyName(KeyCode code) {
    return KeyName(code, CurrentKeyLayout());
}

QString ComboKeyName(KeyCode code, KeyLayout layout) {
    for (const KeyNameRow &row : kComboNameOverrides) {
        const char *name = layoutColumn(row, layout);
        if (row.code == code && name)
            return QString::fromUtf8(name);
    }
    return KeyName(code, layout);
}

QString ComboKeyName(KeyCode code) {
    return ComboKeyName(code, CurrentKeyLayout());
}

ComboParts SplitCombo(const uint8_t entries[kComboEntryBytes]) {
    ComboParts parts;
    for (int entry = 0; entry < kComboEntryBytes / 3; ++entry) {
        const HidUsage usage = entries[entry * 3];
        if (usage == 0)
            continue;
        const KeyCode code = HidToKeyCode(usage).value_or(0);
        bool isModifier = false;
        for (int m = 0; m < kComboModifierCount; ++m) {
            if (code == kComboModifiers[m].left) {
                parts.modifiers[m] += 1;
                isModifier = true;
            } else if (code == kComboModifiers[m].right) {
                parts.modifiers[m] += 2;
                isModifier = true;
            }
        }
        if (!isModifier) {
            parts.key = code;
            parts.hasKey = true;
        }
    }
    return parts;
}

QString ComboKeyText(const uint8_t entries[kComboEntryBytes]) {
    const ComboParts combo = SplitCombo(entries);
    QStringList parts;
    for (int m = 0; m < kComboModifierCount; ++m) {
        if (combo.modifiers[m] == 0)
            continue;
        // A stored combination holds every key twice (press and release), so a right-hand modifier
        // counts 4 and a left-hand one 2.
        parts << ComboKeyName(combo.modifiers[m] > 2 ? kComboModifiers[m].right : kComboModifiers[m].left);
    }
    if (combo.hasKey)
        parts << ComboKeyName(combo.key);
    return parts.join(" + ");
}

KeyCode RemapHookScanCode(uint32_t scanCode, uint32_t flags) {
    constexpr uint32_t kExtended = 0x01;
    constexpr uint32_t kAltDown = 0x20;
    constexpr uint32_t kKeyUp = 0x80;
    const bool plain = (flags & ~kKeyUp) == 0;
    const bool extended = (flags & ~kKeyUp) == kExtended;
    struct Remap {
        uint32_t scanCode;
        bool extended;
        KeyCode code;
    };
    constexpr Remap kRemaps[] = {
        {83, false, 224}, {69, true, 225},  {53, true, 226},  {28, true, 229},  {29, true, 238},
        {55, false, 227}, {73, false, 228}, {79, false, 230}, {80, false, 231}, {81, false, 232},
        {75, false, 233}, {77, false, 234}, {71, false, 235}, {72, false, 236}, {82, false, 237},
    };
    for (const Remap &remap : kRemaps) {
        if (remap.scanCode == scanCode && (remap.extended ? extended : plain))
            return remap.code;
    }
    if (scanCode == 56 && ((flags & ~kAltDown) == kExtended || flags == (kKeyUp | kExtended)))
        return 239;
    return static_cast<KeyCode>(scanCode);
}

KeyCode RemapRecordedScanCode(uint32_t scanCode, uint32_t flags) {
    constexpr uint32_t kExtended = 0x01;
    constexpr uint32_t kAltDown = 0x20;
    constexpr uint32_t kAltScanCode = 56;
    // Right Alt by its key alone: its press carries the Alt flag, and its release may too (left Alt held).
    if (scanCode == kAltScanCode && (flags & kExtended))
        return 239;
    // With Alt held, right Ctrl, keypad Enter and slash and Num Lock keep the codes of their plain keys, on
    // the press as on the release, so that the macro releases what it pressed.
    if ((flags & kAltDown) && (flags & kExtended) &&
        (scanCode == 29 || scanCode == 28 || scanCode == 53 || scanCode == 69))
        return static_cast<KeyCode>(scanCode);
    // Every other key reads the same with or without Alt: an arrow stays an arrow and a keypad digit a
    // keypad digit, pressed and released.
    return RemapHookScanCode(scanCode, flags & ~kAltDown);
}
