#include "cli/korvane_ctl.h"
#include "platform/debug_switch.h"
#include "sim/backend_choice.h"
#include "storage/app_paths.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    // The device link's debug lines are off; a shell user sees them with KORVANE_DEBUG=1.
    applyDebugSwitch();
    // Settings beside the program, or for an installed one in the user's folder, seeded on first start.
    AppPaths::startUp(QCoreApplication::applicationDirPath());
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    // Device commands run on hidapi, or on the virtual mouse with --virtual (anywhere on the command
    // line) or KORVANE_VIRTUAL_MOUSE=1.
    const bool useVirtual = virtualMouseRequested(arguments);
    return KorvaneCtl(out, err, [useVirtual] { return chooseHidBackend(useVirtual).backend; }).run(arguments);
}
