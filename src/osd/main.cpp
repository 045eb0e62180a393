#include "osd/osd_window.h"
#include "platform/debug_switch.h"
#include "platform/local_osd_messenger.h"

#include <QApplication>

// The on-screen-display program: one per user session, fed by the configuration program.
int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    applyDebugSwitch();
    app.setQuitOnLastWindowClosed(false);
    OsdWindow window;
    if (!window.listen(LocalOsdMessenger::defaultServerName()))
        return 0;
    return app.exec();
}
