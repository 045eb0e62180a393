#include "app/korvane_service.h"
#include "app/korvane_widget.h"
#include "platform/autostart.h"
#include "platform/debug_switch.h"
#include "platform/device_notifier.h"
#include "platform/qt_compat.h"
#include "platform/single_instance.h"
#include "sim/backend_choice.h"
#include "storage/app_paths.h"
#include "storage/description_file.h"
#include "storage/program_version.h"
#include "widgets/skin_pictures.h"
#include "widgets/vel_message_box.h"

#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstring>

int main(int argc, char *argv[]) {
    // --version needs no display: it is answered before the toolkit starts.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("korvane-config %s\n", qPrintable(program::version()));
            return 0;
        }
    }
    // The window is scaled once: by the program's own steps where the toolkit does not scale (Qt 5), by the
    // toolkit's device pixel ratio where it does (Qt 6), and then the logical DPI the steps follow is
    // the unscaled 96.
    chooseToolkitScaling();
    // The program paints with the raster engine only; without this the X11 platform loads the OpenGL
    // stack (with its shader compiler) at start-up to choose the translucent window's visual.
    if (qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    QApplication app(argc, argv);
    applyDebugSwitch();
    // The window hides into the tray and only the tray's Quit ends the program; without a tray, closing
    // the window ends it (KorvaneWidget::closeWindow).
    app.setQuitOnLastWindowClosed(false);

    // Settings beside the program, or for an installed one in the user's folder, seeded on first start.
    AppPaths::startUp(QCoreApplication::applicationDirPath());
    const QString productName = description::productName();

    SingleInstance instance(productName);
    if (!instance.acquire()) {
        // A second start of the program ends without a word; anything else holding the mouse (korvanectl
        // in the middle of a command) is named, or the user would see nothing happen.
        const SingleInstance::Holder holder = instance.holder();
        if (holder.program.isEmpty() || holder.program == QFileInfo(app.applicationFilePath()).fileName())
            return 1;
        const QString text = QCoreApplication::translate("main", "%1 (process %2) is using the mouse and the "
                                                                 "profiles; start Korvane Config again when "
                                                                 "it has ended.")
                                 .arg(holder.program)
                                 .arg(holder.pid);
        fprintf(stderr, "%s\n", qPrintable(text));
        VelMessageBox::inform(nullptr, text);
        return 1;
    }

    // The window's background is the largest picture of its first frame: it is read while the window is
    // built.
    SkinPictures::preload(QStringLiteral("cfgMainback.png"));

    // The mouse is reached through hidapi, or through the virtual mouse with --virtual or
    // KORVANE_VIRTUAL_MOUSE=1; the window works the same either way.
    const HidBackendChoice choice = chooseHidBackend(virtualMouseRequested(app.arguments()));
    auto *window = new KorvaneWidget(*choice.backend, createDeviceNotifier(choice.virtualMouse));
    // --minimized (the autostart entry's start at login): only the tray icon.
    if (app.arguments().contains(QString::fromLatin1(autostart::kMinimizedArgument))) {
        window->startHidden();
    } else if (window->monitor().mouseCount() != 0) {
        window->setWindowOpacity(1.0);
        window->show();
    }
    window->setWindowTitle(productName);
    // Scripts and korvanectl reach the mouse through the session bus while the window holds it; the bus is
    // joined once the first frame is up, and a program without one runs on all the same.
    auto *service = new KorvaneService(*window, window);
    QObject::connect(window, &KorvaneWidget::startUpFinished, service, [service] {
        if (!service->publish(QDBusConnection::sessionBus()))
            std::fprintf(
                stderr, "%s\n",
                qPrintable(QCoreApplication::translate(
                    "main", "Korvane Config is not on the session bus; korvanectl cannot reach it.")));
    });

    const int result = app.exec();
    delete window;
    return result;
}
