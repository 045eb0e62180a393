#pragma once

#include "storage/macro_step.h"

#include <QVector>

// One shot of a gun file: the wait after it and how far the pointer is pulled, down and right positive.
struct GunBullet {
    int delayMs = 0;
    int vertical = 0;
    int horizontal = 0;
};

// The macro steps of a burst, one shot per bullet in order: the left button let go and pressed again, the
// pull down (or up), the pull right (or left), then the wait. A zero pull or wait adds no step. Waits are
// counted in 10 ms units whatever the mouse's own delay unit, and a pull must fit a signed byte.
QVector<MacroStep> gunSteps(const QVector<GunBullet> &bullets);
