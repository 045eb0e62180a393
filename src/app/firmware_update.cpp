#include "app/firmware_update.h"

#include "platform/process_launcher.h"
#include "storage/app_paths.h"
#include "widgets/vel_message_box.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
const char *const kFirmwareUpdater = "/skin/mouse/bin/Q540-7716V1.5.exe";

QString text(const char *source) {
    return QCoreApplication::translate("KorvaneWidget", source);
}
} // namespace

bool startFirmwareUpdater(QWidget *parent, bool cablePresent) {
    const QString updater = AppPaths::applicationDir() + QString::fromLatin1(kFirmwareUpdater);
    // The mouse's updater is a program for another system and is not shipped here: the user is told so
    // rather than asked to connect a cable and agree to an update that cannot start.
    if (!QFileInfo(updater).isFile()) {
        VelMessageBox::inform(
            parent, text(QT_TRANSLATE_NOOP("KorvaneWidget", "The firmware updater is not installed: it is a "
                                                            "program for another system. Update the "
                                                            "firmware from a computer it runs on.")));
        return false;
    }
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
    if (launcher.startDetached(updater) != Launcher::Started) {
        // The updater could not run here: the program stays, and says so.
        VelMessageBox::inform(
            parent, text(QT_TRANSLATE_NOOP("KorvaneWidget", "The firmware updater could not be started.")));
        return false;
    }
    return true;
}
