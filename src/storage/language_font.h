#pragma once

#include <QString>

// Font of one language before the display scale is applied.
struct LanguageFont {
    QString family;
    unsigned pixelSize = 0;
};
