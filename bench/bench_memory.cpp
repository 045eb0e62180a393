#include "bench_report.h"
#include "device/link_hooks.h"
#include "sim/virtual_mouse.h"
#include "support/test_tree.h"
#include "support/virtual_window.h"
#include "widgets/vel_push_button.h"

#include <QApplication>
#include <QFile>
#include <QtTest>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define KORVANE_SANITIZED 1
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace {

// One reading, in kB: the resident set size from the kernel's account of this process, and the heap in
// use. The resident size alone misses growth that fits into memory the heap freed earlier (it stays
// resident), so the heap is followed too. Under a sanitizer the resident size mostly follows the
// sanitizer's own bookkeeping (freed memory held back to catch its use, the stack of every allocation):
// there only the heap, as the sanitizer counts it, is held against the limit.
struct Memory {
    double residentKb = 0;
    double heapKb = 0;
};

double residentKb() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble();
    }
    return 0;
}

Memory measure() {
    Memory memory;
    memory.residentKb = residentKb();
#ifdef KORVANE_SANITIZED
    memory.heapKb = __sanitizer_get_current_allocated_bytes() / 1024.0;
#else
    const struct mallinfo2 heap = mallinfo2();
    memory.heapKb = double(heap.uordblks + heap.hblkhd) / 1024.0;
#endif
    return memory;
}

// Prints the figure and tells whether its growth stays within the limit.
bool withinLimit(const char *name, double before, double after, int writes, double limitKb) {
    printFigure(qPrintable(QString("%1 after start").arg(name)), before / 1024.0, "MiB", 0);
    printFigure(qPrintable(QString("%1 after writes").arg(name)), after / 1024.0, "MiB", before / 1024.0);
    std::printf("%-34s %10.1f kB over %d writes\n", qPrintable(QString("%1 growth").arg(name)),
                after - before, writes);
    std::fflush(stdout);
    if (before > 0 && after - before <= limitKb)
        return true;
    std::fprintf(stderr, "%s grew by %.1f kB over %d writes (at most %.0f kB)\n", name, after - before,
                 writes, limitKb);
    return false;
}

} // namespace

// Resident memory and the heap after start and after ten profile writes through the Apply button: neither
// may grow by more than 1 MiB, or the benchmark fails. Every write must reach the mouse, or the figures
// mean nothing.
int main(int argc, char *argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("KORVANE_VIRTUAL_MOUSE", "1");
    QApplication app(argc, argv);
    const int writes = shortRun(argc, argv) ? 2 : 10;
    const double allowedGrowthKb = 1024;
    TestTree tree;
    VirtualWindow rig;
    KorvaneWidget &window = *rig.window;
    window.show();
    QTest::qWait(300);
    auto *apply = window.findChild<VelPushButton *>("applyButton");
    VirtualMouse *mouse = &rig.mouse();
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
    const Memory afterStart = measure();
    for (int i = 0; i < writes; ++i) {
        if (write() < reports || reports == 0) {
            std::fprintf(stderr, "write %d did not reach the mouse\n", i + 1);
            return 1;
        }
        QTest::qWait(50);
    }
    const Memory afterWrites = measure();
    bool within = withinLimit("heap in use", afterStart.heapKb, afterWrites.heapKb, writes, allowedGrowthKb);
#ifdef KORVANE_SANITIZED
    std::printf("%-34s %10.1f kB over %d writes (not held against the limit)\n", "resident memory growth",
                afterWrites.residentKb - afterStart.residentKb, writes);
#else
    within = withinLimit("resident memory", afterStart.residentKb, afterWrites.residentKb, writes,
                         allowedGrowthKb) &&
             within;
#endif
    return within ? 0 : 1;
}
