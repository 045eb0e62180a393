#pragma once

#include "storage/macro_step.h"

#include <QVector>

// The rows the macro page inserts by hand and the checks it makes on a list of rows.
namespace macroedit {

enum class Direction { Left, Right, Up, Down };

// A move of distance (0-255, as the page's field stores it) in direction: left and up are negative,
// stored as 256 - distance.
MacroStep moveStep(Direction direction, int distance);
// The direction and distance of a move row (the larger of its two parts).
Direction moveDirection(const MacroStep &step);
int moveDistance(const MacroStep &step);
// The row with its distance replaced, keeping its direction.
MacroStep withDistance(const MacroStep &step, int distance);

// True when every key and mouse button pressed in rows is released after its press; the page warns
// otherwise, as a macro that ends with a key held leaves that key down on the computer.
bool allReleased(const QVector<MacroStep> &rows);

} // namespace macroedit
