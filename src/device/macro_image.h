#pragma once

#include "device/write_session.h"
#include "storage/macro_step.h"

#include <QString>
#include <QVector>

// The mouse's form of a macro: 3-byte events (kind, low byte, high byte) one after the other, zeros after
// the last; events that do not fit in the image are dropped.
namespace macroimage {

constexpr int kEventSize = 3;
constexpr int kEventsPerPause = 4;
// The short delay put after every fourth event of a macro that has no delays of its own.
constexpr MacroStep kInsertedPause{MacroStep::kDelay, 0, 1};

// Every event of the named macro file, unfiltered, in file order; none for a missing file.
QVector<MacroStep> readMacroEvents(const QString &name);

// The image of a macro: its events unchanged when one of them is a delay, else with kInsertedPause after
// every fourth event and once more after the last (so an empty macro is a single pause).
WriteSession::MacroImage macroImage(const QVector<MacroStep> &events);

} // namespace macroimage
