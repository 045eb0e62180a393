#include "bench_mouse.h"
#include "bench_report.h"
#include "device/link_hooks.h"
#include "device/profile_write.h"
#include "storage/app_config_file.h"
#include "storage/config_file.h"
#include "storage/macro_file.h"
#include "support/test_tree.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>

// A full profile write of the sample profile with three macro buttons against the virtual mouse, with
// the protocol's real pauses. Floor: 10 ms per report written plus 50 ms per macro converted.
int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const int rounds = shortRun(argc, argv) ? 1 : 5;
    TestTree tree;
    AppConfig config;
    if (config::loadAppConfig(config) != FileResult::Ok) {
        std::fprintf(stderr, "bench_profile_write: the tree's profile could not be read\n");
        return 1;
    }
    const int macros = 3;
    for (int m = 0; m < macros; ++m) {
        const QString name = QString("Burst %1").arg(m + 1);
        QVector<MacroStep> steps;
        for (int i = 0; i < 8; ++i)
            steps << MacroStep{MacroStep::kKeyPress, 0, uint8_t(4 + i)} << MacroStep::delay(3)
                  << MacroStep{MacroStep::kKeyRelease, 0, uint8_t(4 + i)};
        if (macrofile::saveMacroSteps(name, steps) != FileResult::Ok) {
            std::fprintf(stderr, "bench_profile_write: the macro %s could not be saved\n", qPrintable(name));
            return 1;
        }
        ButtonAssignment &button = config.profile.buttons[3 + m];
        button.function = 200;
        button.macroName = name;
        button.loopNumber = 1;
    }

    BenchMouse bench;
    VirtualMouse &mouse = bench.mouse();

    std::vector<double> ratios;
    double wall = 0, floor = 0;
    for (int round = 0; round < rounds; ++round) {
        mouse.clearRecords();
        QElapsedTimer clock;
        clock.start();
        const ResultCode result = writeProfile(config, writeflags::kWriteAll, 0);
        const double elapsed = clock.nsecsElapsed() / 1e6;
        if (result != 0) {
            std::fprintf(stderr, "profile write failed with %d\n", result);
            return 1;
        }
        int written = 0;
        for (const VirtualMouse::Record &record : mouse.records())
            written += record.direction == VirtualMouse::Direction::Written ? 1 : 0;
        const double roundFloor = 10.0 * written + 50.0 * macros;
        ratios.push_back(elapsed / roundFloor);
        wall = elapsed;
        floor = roundFloor;
    }
    std::sort(ratios.begin(), ratios.end());
    printFigure("profile write (last round)", wall, "ms", floor);
    std::printf("%-34s %10.3f (median of %d)\n", "profile write ratio", ratios[ratios.size() / 2], rounds);
    return 0;
}
