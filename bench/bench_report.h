#pragma once

#include <QString>
#include <cstdio>

// One line per figure: what was measured, its value, the floor it is held against and the ratio.
inline void printFigure(const char *name, double value, const char *unit, double floor) {
    if (floor > 0)
        std::printf("%-34s %10.1f %-4s floor %10.1f %-4s ratio %.3f\n", name, value, unit, floor, unit,
                    value / floor);
    else
        std::printf("%-34s %10.1f %s\n", name, value, unit);
    std::fflush(stdout);
}

// Benchmarks run in full with `make bench`; with --short (as the test suite runs them) they only check
// that they still work.
inline bool shortRun(int argc, char *argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (QString::fromLocal8Bit(argv[i]) == "--short")
            return true;
    }
    return false;
}
