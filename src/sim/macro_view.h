#pragma once

#include "storage/macro_step.h"

#include <QVector>

class VirtualMouse;

// The events of macro image `slot` (0 to 19) the virtual mouse received, up to the first event of kind 0,
// each as (kind, high byte, low byte).
QVector<MacroStep> decodeMacroEvents(const VirtualMouse &mouse, int slot);
