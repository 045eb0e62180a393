#include "cli/korvane_ctl.h"
#include "platform/debug_switch.h"
#include "storage/app_paths.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    // The device link's debug lines are off; a shell user sees them with KORVANE_DEBUG=1.
    applyDebugSwitch();
    AppPaths::setApplicationDir(QCoreApplication::applicationDirPath());
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    return KorvaneCtl(out, err).run(arguments);
}
