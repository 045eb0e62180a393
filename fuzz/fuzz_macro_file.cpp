// A macro file (".MSMACRO") as the macro page, a button's macro and an import read it: never more steps
// than a macro holds or a button keeps, only steps the editor can show, and a macro saved and loaded again
// is the same macro. An import takes only a file whose step count a macro can have.
#include "storage/macro_data.h"
#include "storage/macro_file.h"
#include "storage/macro_list.h"
#include "support/fuzz_check.h"
#include "support/fuzz_tree.h"
#include "support/input_bytes.h"

#include <QSettings>

namespace {

bool sameMacro(const MacroData &a, const MacroData &b) {
    return a.defaultDelay == b.defaultDelay && a.delayType == b.delayType && a.loopType == b.loopType &&
           a.loopTime == b.loopTime && a.steps == b.steps;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    InputBytes in(data, size);
    const QByteArray input = in.rest();
    FuzzTree tree;
    tree.write("Configs/MacroDB/Fuzz.MSMACRO", input);
    tree.write("import/Imported.MSMACRO", input);

    MacroData macro;
    (void)macrofile::loadMacro("Fuzz", macro); // the file is there: Ok whatever it holds
    fuzz::require(macro.steps.size() <= macrofile::kMaxSteps, "a macro holds at most 66 steps");
    for (const MacroStep &step : macro.steps) {
        const std::optional<MacroStep> shown = macrofile::decodeStep(step.type, step.high, step.low);
        fuzz::require(shown && *shown == step, "every step loaded is one the editor shows");
    }
    ButtonAssignment button;
    (void)macrofile::readMacroForButton("Fuzz", button); // as above
    fuzz::require(button.keyNumber >= 0 && button.keyNumber <= ButtonAssignment::kMaxKeys,
                  "a button keeps at most 63 steps of its macro");

    macro.name = "Again";
    fuzz::require(macrofile::saveMacro(macro) == FileResult::Ok, "a loaded macro can be saved");
    MacroData again;
    (void)macrofile::loadMacro("Again", again); // just written
    fuzz::require(sameMacro(again, macro), "a macro loaded, saved and loaded again is the same");

    MacroList list;
    list.load();
    QString name;
    if (list.importFile(tree.file("import/Imported.MSMACRO"), name) == MacroListResult::Ok) {
        const int count = QSettings(tree.file("import/Imported.MSMACRO"), QSettings::IniFormat)
                              .value("Setting/Count")
                              .toString()
                              .trimmed()
                              .toInt();
        QVector<MacroStep> steps;
        (void)macrofile::readRawSteps(name, macrofile::kMaxSteps, steps); // just imported
        fuzz::require(count >= 0 && count <= macrofile::kMaxSteps && steps.size() == count,
                      "an imported macro has the step count its file names, and no more than 66");
    }
    return 0;
}
