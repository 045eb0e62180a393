#include "bench_report.h"
#include "support/test_tree.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <X11/Xlib.h>
#include <algorithm>
#include <poll.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr int kRounds = 7;
constexpr double kMaxRatio = 1.5;
constexpr int kTimeoutMs = 10000;
// The main window's size at scale 1 on the benchmark's X server, as the bare window's.
constexpr int kWindowWidth = kBareWindowWidth;
constexpr int kWindowHeight = kBareWindowHeight;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Offscreen: milliseconds from starting the program until it reports the window shown, and until its
// 200 ms warning timer fires; -1 on time-out.
struct Offscreen {
    double shown = -1;
    double warningTimer = -1;
};

Offscreen measureOffscreen(const TestTree &tree) {
    QTemporaryDir runtime;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("KORVANE_VIRTUAL_MOUSE", "1");
    env.insert("KORVANE_REPORT_SHOWN", "1");
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    process.setProcessEnvironment(env);
    process.setReadChannel(QProcess::StandardError);
    Offscreen result;
    QElapsedTimer clock;
    clock.start();
    process.start(tree.file("korvane-config"), QStringList());
    QByteArray seen;
    while (clock.elapsed() < kTimeoutMs && (result.shown < 0 || result.warningTimer < 0)) {
        process.waitForReadyRead(20);
        seen += process.readAllStandardError();
        if (result.shown < 0 && seen.contains("korvane: window shown"))
            result.shown = clock.nsecsElapsed() / 1e6;
        if (result.warningTimer < 0 && seen.contains("korvane: warning timer"))
            result.warningTimer = clock.nsecsElapsed() / 1e6;
    }
    process.kill();
    process.waitForFinished();
    return result;
}

// A virtual X server of the benchmark's own, and a connection to it that sees every top-level window
// being mapped.
class XServer {
public:
    bool start() {
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        m_server.setProgram("Xvfb");
        m_server.setArguments(
            {"-displayfd", QString::number(fds[1]), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        m_server.setStandardErrorFile(QProcess::nullDevice());
        m_server.start();
        ::close(fds[1]);
        QByteArray number;
        char c = 0;
        pollfd wait{fds[0], POLLIN, 0};
        while (::poll(&wait, 1, kTimeoutMs) > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        ::close(fds[0]);
        m_display = ":" + QString::fromLatin1(number);
        m_connection = number.isEmpty() ? nullptr : XOpenDisplay(m_display.toLatin1().constData());
        if (!m_connection)
            return false;
        XSelectInput(m_connection, DefaultRootWindow(m_connection), SubstructureNotifyMask);
        XSync(m_connection, False);
        return true;
    }
    ~XServer() {
        if (m_connection)
            XCloseDisplay(m_connection);
        m_server.kill();
        m_server.waitForFinished();
    }
    QString display() const { return m_display; }

    // Milliseconds from starting program until its first top-level window of at least the main window's
    // size is mapped; -1 on time-out.
    double timeToMap(const QString &program, const QStringList &arguments, const QProcessEnvironment &env) {
        while (XPending(m_connection)) {
            XEvent stale;
            XNextEvent(m_connection, &stale);
        }
        QProcess process;
        process.setProcessEnvironment(env);
        process.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer clock;
        clock.start();
        process.start(program, arguments);
        double mapped = -1;
        while (mapped < 0 && clock.elapsed() < kTimeoutMs) {
            if (!XPending(m_connection)) {
                pollfd wait{ConnectionNumber(m_connection), POLLIN, 0};
                ::poll(&wait, 1, 5);
                continue;
            }
            XEvent event;
            XNextEvent(m_connection, &event);
            if (event.type != MapNotify)
                continue;
            XWindowAttributes attributes;
            if (XGetWindowAttributes(m_connection, event.xmap.window, &attributes) &&
                attributes.width >= kWindowWidth && attributes.height >= kWindowHeight)
                mapped = clock.nsecsElapsed() / 1e6;
        }
        process.kill();
        process.waitForFinished();
        return mapped;
    }

private:
    QProcess m_server;
    QString m_display;
    Display *m_connection = nullptr;
};

} // namespace

// Start-up of the program with the virtual mouse present: on a virtual X server from process start to the
// main window mapped, beside a bare window of the same size (the ratio is the figure); and offscreen, to
// the window shown and the 200 ms warning timer after it.
int main(int argc, char *argv[]) {
    if (bareWindowRun(argc, argv))
        return runBareWindow(argc, argv);
    QCoreApplication app(argc, argv);
    const int rounds = shortRun(argc, argv) ? 1 : kRounds;
    TestTree tree;
    std::vector<double> program, bare, shown, warning;
    XServer server;
    if (!server.start()) {
        std::fprintf(stderr, "the virtual X server did not start\n");
        return 1;
    }
    QTemporaryDir runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.insert("DISPLAY", server.display());
    env.insert("KORVANE_VIRTUAL_MOUSE", "1");
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
    for (int i = 0; i < rounds; ++i) {
        // Alternated, so that both see the same machine.
        program.push_back(server.timeToMap(tree.file("korvane-config"), {}, env));
        bare.push_back(server.timeToMap(QCoreApplication::applicationFilePath(), {"--bare-window"}, env));
        const Offscreen run = measureOffscreen(tree);
        if (program.back() < 0 || bare.back() < 0 || run.shown < 0) {
            std::fprintf(stderr, "a window was not shown\n");
            return 1;
        }
        shown.push_back(run.shown);
        warning.push_back(run.warningTimer);
    }
    printFigure("X11 start-up, bare window (median)", median(bare), "ms", 0);
    printFigure("X11 start-up to window mapped", median(program), "ms", median(bare));
    printFigure("offscreen start-up to window shown", median(shown), "ms", 500);
    printFigure("warning timer fired (median)", median(warning), "ms", 0);
    // The program may cost at most 1.5 times a bare window; a single --short round is too noisy to judge.
    const double ratio = median(program) / median(bare);
    if (rounds == kRounds && ratio > kMaxRatio) {
        std::fprintf(stderr, "start-up took %.2f times a bare window (at most %.1f)\n", ratio, kMaxRatio);
        return 1;
    }
    return 0;
}
