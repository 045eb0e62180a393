#include "bench_mouse.h"
#include "bench_report.h"
#include "device/battery_thread_controller.h"
#include "storage/config_file.h"
#include "support/test_tree.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <sys/resource.h>

namespace {
double cpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3 + usage.ru_stime.tv_sec * 1e3 +
           usage.ru_stime.tv_usec / 1e3;
}
} // namespace

// CPU time the battery and status reader uses while the program sits idle: it waits between reads and
// must not spin. Measured over one minute (two seconds with --short) and given per minute.
int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const int seconds = shortRun(argc, argv) ? 2 : 60;
    TestTree tree;
    BenchMouse mouseLink;
    int batteryReports = 0;
    BatteryThreadController readers;
    QObject::connect(&readers, &BatteryThreadController::RefreshBatteryStatus, [&] { ++batteryReports; });
    readers.startBatteryThread();
    const double start = cpuMs();
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    app.exec();
    const double used = cpuMs() - start;
    readers.stopBatteryThread();
    readers.waitForStoppedReaders();
    printFigure("battery reader CPU per idle minute", used * 60.0 / seconds, "ms", 0);
    std::printf("%-34s %10d in %d s\n", "battery reports", batteryReports, seconds);
    return batteryReports > 0 ? 0 : 1;
}
