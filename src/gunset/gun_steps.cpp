#include "gunset/gun_steps.h"

namespace {
constexpr uint8_t kLeftButton = 0x01;
constexpr int kDelayUnitMs = 10;
} // namespace

QVector<MacroStep> gunSteps(const QVector<GunBullet> &bullets) {
    QVector<MacroStep> steps;
    for (const GunBullet &bullet : bullets) {
        steps << MacroStep{MacroStep::kMouseRelease, 0, kLeftButton}
              << MacroStep{MacroStep::kMousePress, 0, kLeftButton};
        if (bullet.vertical != 0)
            steps << MacroStep::move(0, bullet.vertical);
        if (bullet.horizontal != 0)
            steps << MacroStep::move(bullet.horizontal, 0);
        if (bullet.delayMs != 0)
            steps << MacroStep::delay(bullet.delayMs / kDelayUnitMs);
    }
    return steps;
}
