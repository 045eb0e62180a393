#pragma once

#include <QString>

// Font of one language before the display scale is applied.
struct LanguageFont {
    // The largest size a window can lay out once the display scale (up to 5.0) multiplies it.
    static constexpr unsigned kMaxPixelSize = 200;

    QString family;
    unsigned pixelSize = 0; // 0: the default size
};
