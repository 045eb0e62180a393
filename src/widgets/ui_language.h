#pragma once

#include <QFont>

// The current language and its font, shared by every widget that paints text. The main window sets the
// index at start-up and when the user picks a language.
class UiLanguage {
public:
    static int index();
    static void setIndex(int index);

    // Family and pixel size of the current language from the configuration, the size multiplied by
    // the display scale factor and truncated. Read once per language and factor.
    static QFont font();
};
