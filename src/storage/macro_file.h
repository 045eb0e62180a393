#pragma once

#include "storage/button_assignment.h"
#include "storage/file_result.h"
#include "storage/macro_data.h"
#include "storage/macro_step.h"

#include <QString>
#include <QVector>
#include <optional>

// Macro files: Configs/MacroDB/<name>.MSMACRO, INI, group "Setting". Names are file names; a name that
// would leave the folder is refused with FileResult::InvalidName and nothing is touched.
namespace macrofile {

// The most steps a macro has: the mouse keeps a macro in 200 bytes of 3-byte events, so no step past the
// 66th could ever be played. Every count read from a file is held to it (a count of two thousand million
// would keep a reader busy for minutes), the editor holds no more rows, and an import with a larger count
// is refused.
constexpr int kMaxSteps = 66;

// Configs + "/MacroDB/" + name + ".MSMACRO"; empty when name is not a safe file name.
QString macroFilePath(const QString &name);

// The editor's save: its settings, every step and "WriteSign" = 1. The macro folder is created.
FileResult saveMacro(const MacroData &macro);
// Save of a macro made from a step list: default settings (delay 10, real-time delays, no loop type,
// one loop) and the steps, without "WriteSign".
FileResult saveMacroSteps(const QString &name, const QVector<MacroStep> &steps);
// Reads the settings and the steps the editor can show; unknown step types and invalid button bits are
// skipped. NotFound when the file is missing: the record then holds 0s and no steps.
FileResult loadMacro(const QString &name, MacroData &macro);
// true when the file is gone afterwards.
[[nodiscard]] bool deleteMacroFile(const QString &name);
// base + " " + n for the first n = 1, 2, ... whose file does not exist; base from the description.
QString newMacroName();
// Copies "Count" (at most 63) and the raw steps into keyNumber and keys; the rest of the record stays.
// A missing file gives keyNumber 0.
FileResult readMacroForButton(const QString &name, ButtonAssignment &button);
// The first limit steps of a macro file as stored (type, high, low), undecoded, never more than kMaxSteps;
// NotFound when the file is missing (no steps then).
FileResult readRawSteps(const QString &name, int limit, QVector<MacroStep> &steps);

// The editor's number of a mouse button bit: 1 → 0 (left), 4 → 1 (middle), 2 → 2 (right), 8 → 3
// (forward), 16 → 4 (backward); -1 for any other value.
int mouseButtonNumber(uint8_t bit);
// The stored form of one step read from a file; nothing when the editor cannot show it.
std::optional<MacroStep> decodeStep(uint8_t type, uint8_t high, uint8_t low);

} // namespace macrofile
