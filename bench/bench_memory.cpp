#include "bench_report.h"
#include "device/command_report.h"
#include "device/link_hooks.h"
#include "device/vel_get_battery_thread.h"
#include "sim/virtual_mouse.h"
#include "support/test_tree.h"
#include "support/virtual_window.h"
#include "widgets/vel_push_button.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QtTest>
#include <atomic>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define KORVANE_SANITIZED 1
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace {

constexpr double kAllowedGrowthKb = 1024;
#ifdef KORVANE_SANITIZED
// The sanitizer's resident size is its own bookkeeping: printed, held against nothing.
constexpr double kResidentLimitKb = 0;
constexpr double kResidentGrowthLimitKb = 0;
#else
// What the program may keep resident beyond a bare window of the same toolkit, measured in the same run: the
// toolkit's own libraries differ by several MiB between Qt 5.15, 6.4 and 6.8 (Debian 13's network module
// brings the proxy library's HTTP and TLS stacks along), the program's part much less.
constexpr double kResidentLimitKb = 23 * 1024;
constexpr double kResidentGrowthLimitKb = kAllowedGrowthKb;
#endif

// One reading, in kB: the resident set size from the kernel's account of this process, and the heap in
// use. The resident size alone misses growth that fits into memory the heap freed earlier (it stays
// resident), so the heap is followed too; the C library counts only its main arena there, so what worker
// threads keep in arenas of their own shows in the resident size alone. Under a sanitizer the resident size
// mostly follows the sanitizer's own bookkeeping (freed memory held back to catch its use, the stack of every
// allocation): there only the heap, as the sanitizer counts it, is held against the limits.
struct Memory {
    double residentKb = 0;
    double heapKb = 0;
};

double residentKb() {
    return residentKbOf(QStringLiteral("self"));
}

// The resident memory of a bare window (the floor) on the same platform, a moment after it is shown.
double bareWindowResidentKb() {
    QProcess bare;
    bare.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--bare-window")});
    if (!bare.waitForStarted())
        return 0;
    QTest::qWait(1500);
    const double kb = residentKbOf(QString::number(bare.processId()));
    bare.kill();
    bare.waitForFinished();
    return kb;
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

// Prints a reading of resident memory beside a bare window's, and tells whether the program's part (the
// difference) stays within the limit.
bool residentWithinLimit(const QString &when, double kb, double bareKb) {
    printFigure(qPrintable("resident, " + when), kb / 1024.0, "MiB", bareKb / 1024.0);
    if (kResidentLimitKb <= 0 || (kb > 0 && bareKb > 0 && kb - bareKb <= kResidentLimitKb))
        return true;
    std::fprintf(stderr,
                 "resident memory %s is %.1f MiB, %.1f MiB above a bare window's (at most %.0f MiB)\n",
                 qPrintable(when), kb / 1024.0, (kb - bareKb) / 1024.0, kResidentLimitKb / 1024.0);
    return false;
}

// Prints the growth over the writes, held against the limit when limitKb is set, and tells whether it
// stays within it.
bool growthWithinLimit(const char *name, double before, double after, int writes, double limitKb) {
    printFigure(qPrintable(QString("%1 growth").arg(name)), after - before, "kB", limitKb);
    if (limitKb <= 0 || (before > 0 && after - before <= limitKb))
        return true;
    std::fprintf(stderr, "%s grew by %.1f kB over %d writes (at most %.0f kB)\n", name, after - before,
                 writes, limitKb);
    return false;
}

// The device link's fixed pauses, added up instead of slept, the writes' apart from the battery
// reader's. The reader's pauses end at once as well: every write waits for the reader to stop, which it
// does only once its rest of up to 450 ms is over. Called from the write thread, the reader and the GUI
// thread.
class PauseCounter {
public:
    void pause(int milliseconds) {
        if (qobject_cast<VelGetBatteryThread *>(QThread::currentThread()))
            m_readerMs += milliseconds;
        else
            m_writeMs += milliseconds;
    }
    void reset() {
        m_writeMs = 0;
        m_readerMs = 0;
    }
    long long writeMs() const { return m_writeMs; }
    long long readerMs() const { return m_readerMs; }

private:
    std::atomic<long long> m_writeMs{0};
    std::atomic<long long> m_readerMs{0};
};

// Lets the window paint what changed and the toolkit delete what was left for deletion.
void settle(int milliseconds) {
    QTest::qWait(milliseconds);
}

} // namespace

// Resident memory and the heap after start, once every page was shown, and over a thousand full profile
// writes through the Apply button (twenty with --short), the device link's pauses counted instead of
// slept, each resident figure beside a bare window's of the same toolkit (the ratio). Fails when either
// grows by more than 1 MiB over the writes, or resident memory with every page shown exceeds the bare
// window's by more than 23 MiB. Every write must reach the mouse, or the figures mean nothing.
int main(int argc, char *argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (bareWindowRun(argc, argv))
        return runBareWindow(argc, argv);
    qputenv("KORVANE_VIRTUAL_MOUSE", "1");
    QApplication app(argc, argv);
    const double bareKb = bareWindowResidentKb();
    const int writes = shortRun(argc, argv) ? 20 : 1000;
    // Installed before any device traffic starts, as the link asks.
    PauseCounter pauses;
    devicelink::setPauseFunction([&pauses](int milliseconds) { pauses.pause(milliseconds); });
    TestTree tree;
    VirtualWindow rig;
    KorvaneWidget &window = *rig.window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window was not shown\n");
        return 1;
    }
    settle(300);
    const Memory afterStart = measure();

    // The window builds a page the first time it is shown.
    const int openingPage = window.currentPage();
    for (int i = 0; i < PageStack::kPageCount; ++i) {
        window.switchPage(i);
        settle(100);
    }
    window.switchPage(openingPage);
    settle(100);
    const Memory allPages = measure();

    auto *apply = window.findChild<VelPushButton *>("applyButton");
    VirtualMouse *mouse = &rig.mouse();
    if (!apply || !mouse) {
        std::fprintf(stderr, "no Apply button or no virtual mouse\n");
        return 1;
    }
    // Clicking Apply runs the whole write behind its progress dialog; it returns when the write is done.
    // The mouse's record of the traffic is emptied each time, so that it does not count as growth. The
    // battery reader's requests, before the write stops it and after the write starts it again, are not
    // the write's.
    const auto write = [&] {
        mouse->clearRecords();
        QTest::mouseClick(apply, Qt::LeftButton);
        int written = 0;
        for (const VirtualMouse::Record &record : mouse->records()) {
            written += record.direction == VirtualMouse::Direction::Written &&
                               record.bytes.size() > report::kCommand &&
                               record.bytes[report::kCommand] != report::kCmdBattery
                           ? 1
                           : 0;
        }
        return written;
    };
    // One write first: the progress dialog and animation are made once, and then stay cached by the toolkit.
    const int reports = write();
    settle(100);
    const Memory beforeWrites = measure();
    pauses.reset();
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < writes; ++i) {
        if (reports == 0 || write() < reports) {
            std::fprintf(stderr, "write %d did not reach the mouse\n", i + 1);
            return 1;
        }
        settle(0);
    }
    const double wallSeconds = clock.nsecsElapsed() / 1e9;
    settle(100);
    const Memory afterWrites = measure();

    const QString afterAll = QString("after %1 writes").arg(writes);
    printFigure("resident, after start", afterStart.residentKb / 1024.0, "MiB", 0);
    printFigure("resident, a bare window", bareKb / 1024.0, "MiB", 0);
    bool within = residentWithinLimit("every page shown", allPages.residentKb, bareKb);
    printFigure("resident, after the first write", beforeWrites.residentKb / 1024.0, "MiB", 0);
    within = residentWithinLimit(afterAll, afterWrites.residentKb, bareKb) && within;
    within = growthWithinLimit("resident", beforeWrites.residentKb, afterWrites.residentKb, writes,
                               kResidentGrowthLimitKb) &&
             within;
    printFigure("heap in use, after start", afterStart.heapKb / 1024.0, "MiB", 0);
    printFigure("heap in use, every page shown", allPages.heapKb / 1024.0, "MiB", 0);
    printFigure("heap in use, after the first write", beforeWrites.heapKb / 1024.0, "MiB", 0);
    printFigure(qPrintable("heap in use, " + afterAll), afterWrites.heapKb / 1024.0, "MiB", 0);
    within =
        growthWithinLimit("heap in use", beforeWrites.heapKb, afterWrites.heapKb, writes, kAllowedGrowthKb) &&
        within;
    std::printf("%-34s %10d of %d reports each\n", "profile writes", writes, reports);
    printFigure("pauses counted, writes", pauses.writeMs() / 1000.0, "s", 0);
    printFigure("pauses counted per write", double(pauses.writeMs()) / writes, "ms", 0);
    printFigure("pauses counted, battery reader", pauses.readerMs() / 1000.0, "s", 0);
    printFigure("wall time of the writes", wallSeconds, "s", 0);
    printFigure("wall time per write", wallSeconds * 1000.0 / writes, "ms", 0);
    return within ? 0 : 1;
}
