#include "macro/macro_edit.h"

namespace macroedit {

MacroStep moveStep(Direction direction, int distance) {
    const int d = distance & 0xFF;
    switch (direction) {
    case Direction::Left:
        return MacroStep::move(-d, 0);
    case Direction::Right:
        return MacroStep::move(d, 0);
    case Direction::Up:
        return MacroStep::move(0, -d);
    case Direction::Down:
        break;
    }
    return MacroStep::move(0, d);
}

Direction moveDirection(const MacroStep &step) {
    if (step.high != 0)
        return step.moveY() < 0 ? Direction::Up : Direction::Down;
    return step.moveX() < 0 ? Direction::Left : Direction::Right;
}

int moveDistance(const MacroStep &step) {
    return qAbs(step.high != 0 ? step.moveY() : step.moveX());
}

MacroStep withDistance(const MacroStep &step, int distance) {
    return moveStep(moveDirection(step), distance);
}

bool allReleased(const QVector<MacroStep> &rows) {
    // Each release takes the first earlier press of the same key or button still open.
    QVector<MacroStep> held;
    for (const MacroStep &row : rows) {
        if (!row.isKey() && !row.isMouseButton())
            continue;
        const MacroStep press{uint8_t(row.type | MacroStep::kPressBit), row.high, row.low};
        if (row.isPress())
            held.append(press);
        else
            held.removeOne(press);
    }
    return held.isEmpty();
}

} // namespace macroedit
