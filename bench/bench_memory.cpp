#include "app/device_presence.h"
#include "app/korvane_widget.h"
#include "bench_report.h"
#include "device/link_hooks.h"
#include "sim/virtual_mouse.h"
#include "support/test_tree.h"
#include "widgets/vel_push_button.h"

#include <QApplication>
#include <QFile>
#include <QtTest>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
// Under a sanitizer the resident size mostly follows the sanitizer's own bookkeeping (freed memory
// held back to catch its use, the stack of every allocation), so there the figure is the program's live
// heap as the sanitizer counts it.
const char *const kMemoryName = "live heap";
double memoryKb() {
    return __sanitizer_get_current_allocated_bytes() / 1024.0;
}
#else
const char *const kMemoryName = "resident memory";
// Resident set size in kB, from the kernel's account of this process.
double memoryKb() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble();
    }
    return 0;
}
#endif
} // namespace

// Resident memory after start and after ten profile writes through the Apply button: it must not grow by
// more than 1 MiB, or the benchmark fails. Every write must reach the mouse, or the figure means nothing.
int main(int argc, char *argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("KORVANE_VIRTUAL_MOUSE", "1");
    QApplication app(argc, argv);
    const int writes = shortRun(argc, argv) ? 2 : 10;
    const double allowedGrowthKb = 1024;
    TestTree tree;
    KorvaneWidget window;
    window.show();
    QTest::qWait(300);
    auto *apply = window.findChild<VelPushButton *>("applyButton");
    VirtualMouse *mouse = window.presence().virtualMouse();
    if (!apply || !mouse) {
        std::fprintf(stderr, "no Apply button or no virtual mouse\n");
        return 1;
    }
    // Clicking Apply runs the whole write behind its progress dialog; it returns when the write is done.
    // The mouse's record of the traffic is emptied each time, so that it does not count as growth.
    const auto write = [&] {
        mouse->clearRecords();
        QTest::mouseClick(apply, Qt::LeftButton);
        int written = 0;
        for (const VirtualMouse::Record &record : mouse->records())
            written += record.direction == VirtualMouse::Direction::Written ? 1 : 0;
        return written;
    };
    // One write first: the progress dialog and animation are made once, and then stay cached by the toolkit.
    const int reports = write();
    QTest::qWait(100);
    const double afterStart = memoryKb();
    for (int i = 0; i < writes; ++i) {
        if (write() < reports || reports == 0) {
            std::fprintf(stderr, "write %d did not reach the mouse\n", i + 1);
            return 1;
        }
        QTest::qWait(50);
    }
    const double afterWrites = memoryKb();
    const double growth = afterWrites - afterStart;
    printFigure(qPrintable(QString("%1 after start").arg(kMemoryName)), afterStart / 1024.0, "MiB", 0);
    printFigure(qPrintable(QString("%1 after writes").arg(kMemoryName)), afterWrites / 1024.0, "MiB",
                afterStart / 1024.0);
    std::printf("%-34s %10.1f kB over %d writes\n", "growth", growth, writes);
    std::fflush(stdout);
    if (afterStart <= 0 || growth > allowedGrowthKb) {
        std::fprintf(stderr, "%s grew by %.1f kB over %d writes (at most %.0f kB)\n", kMemoryName, growth,
                     writes, allowedGrowthKb);
        return 1;
    }
    return 0;
}
