#pragma once

#include "storage/app_config.h"

#include <QMap>
#include <QString>
#include <array>
#include <cstdint>

// What one profile write builds and hands from step to step: the copy of the configuration being sent
// (the button packer records macro numbers in its buttons), the packed button table, the macro numbers
// and the macro images. writeProfile() makes one for each write, so no two writes share any of it, and a
// step can be run alone on a session a test has filled.
struct WriteSession {
    static constexpr int kButtonTableSize = 128;
    static constexpr int kMacroSlots = 20;
    static constexpr int kMacroImageSize = 200;

    using ButtonTable = std::array<uint8_t, kButtonTableSize>;
    using MacroImage = std::array<uint8_t, kMacroImageSize>;

    AppConfig deviceCopy;
    ButtonTable buttonTable{};
    // Macro name -> macro number, in the order the button packer met the names.
    QMap<QString, int> macroNumbers;
    std::array<MacroImage, kMacroSlots> macroImages{};
};
