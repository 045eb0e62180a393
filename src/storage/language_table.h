#pragma once

#include <QString>
#include <array>

// The languages an installation offers: their display names and translation file base names.
struct LanguageTable {
    static constexpr int kMaxLanguages = 10;

    int count = 0;
    std::array<QString, kMaxLanguages> names;
    std::array<QString, kMaxLanguages> files;
};
