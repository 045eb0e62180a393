// The language file (LangConfig.ini) with the language table and fonts of Config.ini, as the window and
// korvanectl read them at start: the language chosen names only an entry of the table or none, a language
// picked is the one read at the next start, and the font of any language at any display scale has a size
// the window can use.
#include "storage/config_file.h"
#include "support/fuzz_check.h"
#include "support/fuzz_tree.h"
#include "support/input_bytes.h"
#include "widgets/display_scale.h"
#include "widgets/language_switch.h"
#include "widgets/ui_language.h"

#include <QSettings>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    InputBytes in(data, size);
    const double factor = DisplayScale::factorOfStep(in.byte() % DisplayScale::kStepCount);
    const int picked = static_cast<int8_t>(in.byte());
    const bool over = in.byte() & 1;
    const QByteArray input = in.rest();
    FuzzTree tree;
    // One input for both files: LangConfig.ini's index and Config.ini's table may each come from it.
    for (const char *file : {"Configs/LangConfig.ini", "Configs/Config.ini"})
        tree.write(file, over ? FuzzTree::shipped(file) + "\n" + input : input);

    // The settings layer writes over a file it cannot parse but reports the write as failed, so a pick
    // then holds for this run only. Read here first, before the settings layer caches the file.
    QSettings file(tree.file("Configs/LangConfig.ini"), QSettings::IniFormat);
    file.allKeys(); // parses every section: a line the settings layer cannot read shows only then
    const bool storable = file.status() == QSettings::NoError;
    DisplayScale::publish(factor);
    LanguageSwitch languages;
    languages.install();
    const QString shown = languages.name(languages.index());
    fuzz::require(shown.isEmpty() ||
                      (languages.index() >= 0 && languages.index() < LanguageTable::kMaxLanguages),
                  "the language shown is an entry of the table");
    const QFont font = UiLanguage::font();
    fuzz::require(font.pixelSize() == -1 || font.pixelSize() >= 1, "the language's font has a usable size");

    if (languages.select(picked)) {
        fuzz::require(!storable || config::languageIndex() == picked,
                      "the language picked is the one read next time");
        fuzz::require(UiLanguage::index() == picked, "the widgets paint in the language picked");
        const QFont pickedFont = UiLanguage::font();
        fuzz::require(pickedFont.pixelSize() == -1 || pickedFont.pixelSize() >= 1,
                      "the picked language's font has a usable size");
    }
    DisplayScale::publish(1.0);
    return 0;
}
