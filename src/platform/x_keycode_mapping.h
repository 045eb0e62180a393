#pragma once

// A key event as the system's low-level keyboard capture reports it: the keyboard's scan code (set 1 make
// code) and its flags.
struct HookKey {
    static constexpr int kExtended = 0x01; // the key sends an E0 prefix
    static constexpr int kAltDown = 0x20;  // an Alt key is held
    static constexpr int kKeyUp = 0x80;    // a release

    int scanCode; // 0: the key has no scan code the program knows
    int flags;
};

// The key of an X keycode (the kernel's input code + 8, as X servers and Wayland compositors number keys):
// the kernel's codes up to F12 are the scan codes themselves; the extended keys (right Ctrl and Alt, the
// navigation block, arrows, keypad Enter and slash, Num Lock, Print Screen, the Windows and menu keys)
// carry kExtended with the scan code they share with a plain key; Pause is 0x45 and F13-F24 0x64-0x6E,
// 0x76. Other keys have none.
HookKey hookKeyForXKeycode(unsigned keycode, bool release, bool altDown);
