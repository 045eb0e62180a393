#include "cli/korvane_ctl.h"
#include "storage/app_paths.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {
// The device link's debug lines are for the window's log; a shell user sees them with KORVANE_DEBUG=1.
void quietDebug(QtMsgType type, const QMessageLogContext &, const QString &message) {
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    QTextStream(stderr) << message << "\n";
}
} // namespace

int main(int argc, char *argv[]) {
    if (qEnvironmentVariableIntValue("KORVANE_DEBUG") != 1)
        qInstallMessageHandler(quietDebug);
    QCoreApplication app(argc, argv);
    AppPaths::setApplicationDir(QCoreApplication::applicationDirPath());
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    return KorvaneCtl(out, err).run(arguments);
}
