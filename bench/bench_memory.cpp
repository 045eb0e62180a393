#include "app/korvane_widget.h"
#include "bench_report.h"
#include "device/link_hooks.h"
#include "support/test_tree.h"
#include "widgets/vel_push_button.h"

#include <QApplication>
#include <QFile>
#include <QtTest>

namespace {
// Resident set size in kB, from the kernel's account of this process.
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
} // namespace

// Resident memory after start and after ten profile writes through the Apply button: it must not grow.
int main(int argc, char *argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("KORVANE_VIRTUAL_MOUSE", "1");
    QApplication app(argc, argv);
    const int writes = shortRun(argc, argv) ? 2 : 10;
    TestTree tree;
    KorvaneWidget window;
    window.show();
    QTest::qWait(300);
    auto *apply = window.findChild<VelPushButton *>("applyButton");
    // One write first: the progress dialog and animation are made once, and then stay cached by the toolkit.
    QTest::mouseClick(apply, Qt::LeftButton);
    QTest::qWait(100);
    const double afterStart = residentKb();
    for (int i = 0; i < writes; ++i) {
        QTest::mouseClick(apply, Qt::LeftButton);
        QTest::qWait(50);
    }
    const double afterWrites = residentKb();
    printFigure("resident memory after start", afterStart / 1024.0, "MiB", 0);
    printFigure("resident memory after writes", afterWrites / 1024.0, "MiB", afterStart / 1024.0);
    std::printf("%-34s %10.1f kB over %d writes\n", "growth", afterWrites - afterStart, writes);
    return 0;
}
