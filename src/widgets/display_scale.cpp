#include "widgets/display_scale.h"

#include <atomic>

namespace {
constexpr double kStepBounds[DisplayScale::kStepCount - 1] = {1.1, 1.4, 1.6, 1.8, 2.1, 2.3, 2.6, 2.8,
                                                              3.1, 3.3, 3.6, 3.8, 4.1, 4.3, 4.6, 4.8};
std::atomic<double> g_factor{1.0};
} // namespace

int DisplayScale::stepForRatio(double r) {
    for (int step = 0; step < kStepCount - 1; ++step) {
        if (r < kStepBounds[step])
            return step;
    }
    return kStepCount - 1;
}

double DisplayScale::factorOfStep(int step) {
    if (step < 0)
        step = 0;
    if (step >= kStepCount)
        step = kStepCount - 1;
    return 1.0 + 0.25 * step;
}

double DisplayScale::factor() {
    return g_factor.load();
}

void DisplayScale::publish(double factor) {
    g_factor.store(factor);
}
