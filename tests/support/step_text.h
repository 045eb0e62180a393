#pragma once

#include "storage/macro_step.h"

#include <QStringList>
#include <QVector>

// Macro steps as "84 00 04, 06 00 05", for readable comparisons.
inline QString stepText(const QVector<MacroStep> &steps) {
    QStringList rows;
    for (const MacroStep &step : steps)
        rows << QString::asprintf("%02x %02x %02x", step.type, step.high, step.low);
    return rows.join(", ");
}
