#include "app/link_follower.h"
#include "app/link_switcher.h"
#include "app/mouse_notices.h"
#include "bench_report.h"
#include "platform/linux/process_watcher.h"
#include "platform/osd_messenger.h"
#include "storage/config_file.h"
#include "storage/profile_list.h"
#include "support/test_tree.h"
#include "support/virtual_window.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <sys/resource.h>
#include <unistd.h>

namespace {
// The switch's on-screen notice goes nowhere: the on-screen-display program is not started for a benchmark.
class NoOsd : public OsdMessenger {
public:
    void send(const OsdRecord &, std::function<void(bool)> done) override { done(true); }
};

double cpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3 + usage.ru_stime.tv_sec * 1e3 +
           usage.ru_stime.tv_usec / 1e3;
}

// A process's stat line, started at startedMs on the boot clock.
QByteArray statLine(qint64 pid, qint64 startedMs) {
    const qint64 ticks = startedMs * ::sysconf(_SC_CLK_TCK) / 1000;
    return QByteArray::number(pid) + " (p) S 1 1 1 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 " +
           QByteArray::number(ticks) + " 0 0\n";
}

// CPU per idle minute of following the links on table: a scan and a decision every kScanMs, as the window
// makes them, over seconds.
double followingCpu(QCoreApplication &app, const QString &table, int seconds, int &processes) {
    ProfileLinks links;
    for (int i = 0; i < 5; ++i)
        links.links.append({QString("game%1").arg(i), "Profile 1", false, QString()});
    links.defaultProfile = "Profile 1";
    ProcessWatcher watcher(table);
    LinkFollower follower;
    watcher.scan();
    processes = watcher.programs().size();
    QTimer scans;
    QString wish;
    QObject::connect(&scans, &QTimer::timeout, [&] {
        // As the window looks: the links are matched again only when the programs changed.
        if (watcher.scan())
            wish = LinkFollower::wanted(links, watcher, LinkFollower::Focus());
        (void)follower.due(wish, ProcessWatcher::bootClockMs());
    });
    scans.start(LinkSwitcher::kScanMs);
    const double start = cpuMs();
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    app.exec();
    return (cpuMs() - start) * 60.0 / seconds;
}
} // namespace

// What following the programs joined to profiles costs and how soon it switches. The CPU the scans of a
// process table of 500 processes use per idle minute, held against the 20 ms allowed (beside the battery
// reader's figure), and on this system's own table; and the time from a linked program's start to its
// profile's write starting, beyond the two-second hold, held against the 300 ms allowed.
int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    const bool quick = shortRun(argc, argv);
    const int seconds = quick ? 2 : 60;
    TestTree tree;

    QTemporaryDir table;
    for (int i = 0; i < 500; ++i) {
        const qint64 pid = 1000 + i;
        if (!addProcessEntry(table.path(), pid, QString("proc%1").arg(i),
                             QString("/usr/bin/proc%1").arg(i)) ||
            !writeFile(table.path() + "/" + QString::number(pid) + "/stat", statLine(pid, 1000)))
            return 1;
    }
    int processes = 0;
    printFigure("link watcher CPU per idle minute", followingCpu(app, table.path(), seconds, processes), "ms",
                20);
    std::printf("%-34s %10d processes\n", "  in a table of", processes);
    const double own = followingCpu(app, QStringLiteral("/proc"), seconds, processes);
    std::printf("%-34s %10.1f ms (%d processes)\n", "  on this system's table", own, processes);

    // A linked program starts; the window switches to its profile and writes it.
    VirtualWindow rig;
    rig.window->notices().setOsdMessenger(std::make_unique<NoOsd>());
    ProfileList list;
    list.load();
    QString raid;
    if (list.add(raid) != ProfileListResult::Ok)
        return 1;
    rig.window->reloadProfiles();
    ProfileLinks links;
    links.links = {{"shooter", raid, false, QString()}};
    if (!config::storeProfileLinks(links))
        return 1;
    QTemporaryDir games;
    LinkSwitcher switcher(*rig.window, games.path(), false);
    switcher.reloadLinks();
    rig.mouse().clearRecords();
    // The start as the table tells it, in whole clock ticks.
    const long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
    const qint64 started = ProcessWatcher::bootClockMs() * ticksPerSecond / 1000 * 1000 / ticksPerSecond;
    if (!addProcessEntry(games.path(), 4242, "shooter", "/usr/games/shooter") ||
        !writeFile(games.path() + "/4242/stat", statLine(4242, started)))
        return 1;
    qint64 firstReport = -1;
    qint64 switchedAt = -1;
    // The window switches to the profile and starts its write in one step.
    QObject::connect(rig.window.get(), &KorvaneWidget::profilesChanged, [&] {
        if (switchedAt < 0)
            switchedAt = ProcessWatcher::bootClockMs();
    });
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        for (const VirtualMouse::Record &record : rig.mouse().records()) {
            if (record.direction == VirtualMouse::Direction::Written && record.bytes[3] != 0x48) {
                firstReport = ProcessWatcher::bootClockMs();
                app.quit();
                return;
            }
        }
    });
    look.start(2);
    QTimer::singleShot(LinkFollower::kHoldMs + 5000, &app, &QCoreApplication::quit);
    app.exec();
    if (firstReport < 0)
        return 1;
    // The switch and the write's start are one step; the write then stores the files and waits for the
    // battery reader to pause, as every Apply does, before its first report.
    printFigure("link write start beyond the hold", double(switchedAt - started - LinkFollower::kHoldMs),
                "ms", 300);
    std::printf("%-34s %10.1f ms\n", "  its first report beyond the hold",
                double(firstReport - started - LinkFollower::kHoldMs));
    return 0;
}
