#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

// The program's one key code space. 1-93 are keyboard scan codes (set 1 make codes); 100-110 and 118 are
// F13-F24; 224-237 keypad keys that share a scan code with another key; 238 and 239 right Ctrl and Alt;
// 240-242 the left, right and middle mouse buttons. 0 means no key.
using KeyCode = uint8_t;
// Usage ID on the USB HID Keyboard/Keypad page, the code the mouse works with.
using HidUsage = uint8_t;

enum class KeyLayout { English, French, German };

struct KeyHidPair {
    KeyCode code;
    HidUsage usage;
};

constexpr int kKeyHidPairCount = 104;
extern const std::array<KeyHidPair, kKeyHidPairCount> KeyHidMap;

// The other side of a pair of KeyHidMap; nothing for a value without a pair.
std::optional<HidUsage> KeyCodeToHid(KeyCode code);
std::optional<KeyCode> HidToKeyCode(HidUsage usage);

// Which language numbers name keys after the French and German layouts (-1: none), as the device
// description gives them, and the current interface language. Set at start-up and on a language change.
void SetKeyLayoutLanguages(int frenchLanguage, int germanLanguage);
void SetKeyLayoutLanguageIndex(int languageIndex);

// German when the German language is current, else French when the French one is, else English.
KeyLayout CurrentKeyLayout();

// Name of a single key in the current layout; empty for codes without a name.
QString KeyName(KeyCode code);
QString KeyName(KeyCode code, KeyLayout layout);
// Name of a key inside a combination text (shorter modifier names).
QString ComboKeyName(KeyCode code);
QString ComboKeyName(KeyCode code, KeyLayout layout);

// The modifiers of a key combination in the order combinations list them (Shift, Ctrl, Win, Alt), each
// with its left and right key.
struct ComboModifier {
    KeyCode left;
    KeyCode right;
};
constexpr int kComboModifierCount = 4;
constexpr std::array<ComboModifier, kComboModifierCount> kComboModifiers = {
    {{42, 54}, {29, 238}, {91, 92}, {56, 239}}};

constexpr int kComboEntryBytes = 15;

// What the first five 3-byte entries of a button's key list hold (byte 0 of each entry is a HID usage):
// per modifier the sum of 1 for each left and 2 for each right key, and the last other key (hasKey also
// for a usage without a key code, which leaves key 0).
struct ComboParts {
    std::array<int, kComboModifierCount> modifiers{};
    KeyCode key = 0;
    bool hasKey = false;
};
ComboParts SplitCombo(const uint8_t entries[kComboEntryBytes]);

// Caption of a key combination from the first five 3-byte entries of a button's key list; byte 0 of
// each entry is a HID usage. Modifiers come first (Shift, Ctrl, Win, Alt), then the key, joined by " + ".
QString ComboKeyText(const uint8_t entries[kComboEntryBytes]);

// Key code of a key event as the system's keyboard capture reports it: scan code and flags (bit 0
// extended key, bit 5 Alt down, bit 7 key up). Keypad keys that share a scan code get their own codes.
KeyCode RemapHookScanCode(uint32_t scanCode, uint32_t flags);

// Key code of a key event recorded into a macro, by the rule above with three changes: an Alt key held does
// not change a key's code; with Alt held, right Ctrl, keypad Enter, keypad slash and Num Lock give the codes
// of their plain keys (29, 28, 53, 69) on press and release alike; and right Alt is known by its scan code
// and extended bit alone, so it stays 239 whatever else the flags carry.
KeyCode RemapRecordedScanCode(uint32_t scanCode, uint32_t flags);
