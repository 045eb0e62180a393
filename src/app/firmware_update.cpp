#include "app/firmware_update.h"

#include "platform/process_launcher.h"
#include "storage/app_paths.h"
#include "widgets/vel_message_box.h"

#include <QCoreApplication>

namespace {
const char *const kFirmwareUpdater = "/skin/mouse/bin/Q540-7716V1.5.exe";

QString text(const char *source) {
    return QCoreApplication::translate("KorvaneWidget", source);
}
} // namespace

bool startFirmwareUpdater(QWidget *parent, bool cablePresent) {
    if (!cablePresent) {
        VelMessageBox::inform(
            parent, text(QT_TRANSLATE_NOOP("KorvaneWidget", "To update the firmware, please connect "
                                                            "to the computer with a cable.")));
        return false;
    }
    if (!VelMessageBox::ask(parent,
                            text(QT_TRANSLATE_NOOP("KorvaneWidget", "Do you want to upgrade the firmware?"))))
        return false;
    ProcessLauncher launcher;
    if (launcher.startDetached(AppPaths::applicationDir() + QString::fromLatin1(kFirmwareUpdater)) !=
        Launcher::Started) {
        // The updater could not run here: the program stays, and says so.
        VelMessageBox::inform(
            parent, text(QT_TRANSLATE_NOOP("KorvaneWidget", "The firmware updater could not be started.")));
        return false;
    }
    return true;
}
