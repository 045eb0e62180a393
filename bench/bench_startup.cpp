#include "bench_report.h"
#include "support/test_tree.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

namespace {
// Milliseconds from starting the installed program until it reports line on stderr; -1 on time-out.
struct Startup {
    double shown = -1;
    double warningTimer = -1;
};

Startup measure(const TestTree &tree) {
    QTemporaryDir runtime;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("KORVANE_VIRTUAL_MOUSE", "1");
    env.insert("KORVANE_REPORT_SHOWN", "1");
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    process.setProcessEnvironment(env);
    process.setReadChannel(QProcess::StandardError);
    Startup result;
    QElapsedTimer clock;
    clock.start();
    process.start(tree.file("korvane-config"), QStringList());
    QByteArray seen;
    while (clock.elapsed() < 10000 && (result.shown < 0 || result.warningTimer < 0)) {
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
} // namespace

// From process start to the main window shown, offscreen, with the virtual mouse present. The 200 ms
// warning timer that follows start-up is reported apart.
int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const int rounds = shortRun(argc, argv) ? 1 : 7;
    TestTree tree;
    std::vector<double> shown, warning;
    for (int i = 0; i < rounds; ++i) {
        const Startup run = measure(tree);
        if (run.shown < 0) {
            std::fprintf(stderr, "the window was not shown\n");
            return 1;
        }
        shown.push_back(run.shown);
        warning.push_back(run.warningTimer);
    }
    std::sort(shown.begin(), shown.end());
    std::sort(warning.begin(), warning.end());
    printFigure("start-up to window shown (median)", shown[shown.size() / 2], "ms", 500);
    printFigure("warning timer fired (median)", warning[warning.size() / 2], "ms", 0);
    return 0;
}
