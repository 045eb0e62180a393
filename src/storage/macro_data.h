#pragma once

#include "storage/macro_step.h"

#include <QString>
#include <QVector>
#include <cstdint>

// One macro as the editor holds it.
struct MacroData {
    QString name;
    int32_t defaultDelay = 0; // milliseconds
    uint8_t delayType = 0;    // 0 no delays, 1 real time, 2 default delay
    int32_t loopType = 0;     // 0 none, 1 loop loopTime times, 2 while key down, 3 until key pressed again
    int32_t loopTime = 0;
    QVector<MacroStep> steps;
};
