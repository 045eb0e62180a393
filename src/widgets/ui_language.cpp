#include "widgets/ui_language.h"

#include "keys/key_tables.h"
#include "storage/config_file.h"
#include "widgets/display_scale.h"

namespace {
struct FontCache {
    int index = 0;
    bool valid = false;
    double factor = 0.0;
    QFont font;
};

FontCache &cache() {
    static FontCache c;
    return c;
}
} // namespace

int UiLanguage::index() {
    return cache().index;
}

void UiLanguage::setIndex(int index) {
    cache().index = index;
    cache().valid = false;
    SetKeyLayoutLanguageIndex(index);
}

QFont UiLanguage::font() {
    FontCache &c = cache();
    const double factor = DisplayScale::factor();
    if (!c.valid || c.factor != factor) {
        const LanguageFont entry = config::fontForLanguage(c.index);
        QFont font;
        if (!entry.family.isEmpty())
            font.setFamily(entry.family);
        if (entry.pixelSize > 0)
            font.setPixelSize(qMax(1, DisplayScale::scaled(static_cast<int>(entry.pixelSize), factor)));
        c.font = font;
        c.factor = factor;
        c.valid = true;
    }
    return c.font;
}
