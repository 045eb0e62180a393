#pragma once

#include <QRect>

// The program scales its windows itself, in 17 steps from 1.0 to 5.0 chosen from the screen's logical
// DPI. Every widget places and sizes itself at base coordinates times the published factor, truncated.
class DisplayScale {
public:
    static constexpr int kStepCount = 17;
    static constexpr double kBaseDpi = 96.0;

    // Step for r = logical DPI / 96: the first step whose bound r is below; 16 otherwise.
    static int stepForRatio(double r);
    static int stepForDpi(double logicalDpi) { return stepForRatio(logicalDpi / kBaseDpi); }
    static double factorOfStep(int step);

    // The factor every widget reads; 1.0 until the main window publishes one.
    static double factor();
    static void publish(double factor);

    // base × factor, truncated toward zero.
    static int scaled(int base) { return scaled(base, factor()); }
    static int scaled(int base, double factor) { return static_cast<int>(base * factor); }
    static QRect scaled(const QRect &base, double factor) {
        return QRect(scaled(base.x(), factor), scaled(base.y(), factor), scaled(base.width(), factor),
                     scaled(base.height(), factor));
    }
    // A child's rectangle, given in its window's base coordinates, inside a parent placed at parentBase:
    // the child lands on the same pixels as if it were placed in the window itself.
    static QRect scaledIn(const QRect &base, const QRect &parentBase, double factor) {
        const QRect parent = scaled(parentBase, factor);
        return scaled(base, factor).translated(-parent.topLeft());
    }
};
