#pragma once

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QLabel>
#include <QString>
#include <QWidget>
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

// The floor of the whole-program figures: a bare QWidget of the main window's size, built with the same Qt
// and painted as the program paints its window: the raster engine alone (no OpenGL stack loaded to choose
// the visual), frameless and translucent. A benchmark started with --bare-window is that window.
constexpr int kBareWindowWidth = 999;
constexpr int kBareWindowHeight = 640;

inline bool bareWindowRun(int argc, char *argv[]) {
    return argc > 1 && QByteArray(argv[1]) == "--bare-window";
}

inline int runBareWindow(int argc, char *argv[]) {
    qputenv("QT_XCB_GL_INTEGRATION", "none");
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowFlags(window.windowFlags() | Qt::FramelessWindowHint);
    window.setAttribute(Qt::WA_TranslucentBackground);
    window.resize(kBareWindowWidth, kBareWindowHeight);
    QLabel label(QStringLiteral("Korvane Config"), &window);
    window.show();
    return app.exec();
}

// A process's resident set size in kB, from the kernel's account of it ("self" for this one); 0 when
// it cannot be read.
inline double residentKbOf(const QString &pid) {
    QFile status("/proc/" + pid + "/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble();
    }
    return 0;
}
