#include "app/korvane_widget.h"
#include "app/linked_programs_dialog.h"
#include "buttons/vel_combo_key_window.h"
#include "buttons/vel_fire_key_window.h"
#include "buttons/vel_macro_select.h"
#include "buttons/vel_single_key_window.h"
#include "buttons/vel_sniper_window.h"
#include "gunset/vel_gunset_dialog.h"
#include "platform/qt_compat.h"
#include "storage/config_file.h"
#include "storage/profile_links.h"
#include "storage/profile_list.h"
#include "support/test_tree.h"
#include "support/virtual_window.h"
#include "widgets/mouse_view.h"
#include "widgets/vel_color_area.h"
#include "widgets/vel_message_box.h"
#include "widgets/vel_process_dialog.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <cstdio>

// Pictures of every page and the main dialogs, as the program shows them on the virtual mouse, in one
// language at the scale the screen's DPI gives. Usage: korvane-screenshots OUTDIR LANGID SCALE; fails
// when the window picked another scale than SCALE (the X server's DPI was not what the caller meant).
namespace {
void settle(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool save(QWidget *widget, const QString &dir, const QString &name) {
    widget->show();
    settle(300);
    const bool saved = widget->grab().save(dir + "/" + name + ".png");
    widget->hide();
    std::fprintf(saved ? stdout : stderr, "%s %s/%s.png\n", saved ? "wrote" : "cannot write", qPrintable(dir),
                 qPrintable(name));
    return saved;
}

QString tr(const char *context, const char *text) {
    return QCoreApplication::translate(context, text);
}
} // namespace

int main(int argc, char *argv[]) {
    // As the program: its own scale steps, and no OpenGL stack for the translucent windows.
    chooseToolkitScaling();
    qputenv("QT_XCB_GL_INTEGRATION", "none");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fputs("usage: korvane-screenshots OUTDIR LANGID SCALE\n", stderr);
        return 2;
    }
    const QString dir = args[1];
    QCursor::setPos(0, 0); // off the centred window, so that no control shows its hover look
    TestTree tree;         // a copy of the application directory, so the language choice stays in it
    tree.setIniValue("Configs/LangConfig.ini", "Config/LangID", args[2].toInt());
    if (!tree.isValid() || !QDir().mkpath(dir))
        return 1;

    VirtualWindow virtualWindow;
    KorvaneWidget &window = *virtualWindow.window;
    // The desktop's scale reaches the window once: through the program's own steps (Qt 5) or the
    // toolkit's device pixel ratio (Qt 6), never both.
    window.show();
    const double scale = DisplayScale::factor() * window.devicePixelRatioF();
    if (qAbs(scale - args[3].toDouble()) > 0.01) {
        std::fprintf(stderr, "the window is scaled %.2f (its own step %.2f, the toolkit's %.2f), not %s\n",
                     scale, DisplayScale::factor(), window.devicePixelRatioF(), qPrintable(args[3]));
        return 1;
    }
    std::printf("window %dx%d screen pixels (own step %.2f, toolkit %.2f)\n",
                qRound(window.width() * window.devicePixelRatioF()),
                qRound(window.height() * window.devicePixelRatioF()), DisplayScale::factor(),
                window.devicePixelRatioF());
    bool ok = true;
    const char *pages[] = {"lighting", "customize-front", "dpi", "macro"};
    for (int page = 0; page < PageStack::kPageCount; ++page) {
        window.switchPage(page);
        ok &= save(&window, dir, QString("page-%1").arg(pages[page]));
    }
    window.switchPage(PageStack::kCustomizePage);
    window.mouseView().showSide(true);
    ok &= save(&window, dir, "page-customize-side");
    window.mouseView().showSide(false);

    VelMessageBox question(VelMessageBox::Question, {}, tr("VelMessageBox", "Warning"),
                           tr("ProfileBar", "Are you sure you want reset all profiles?"));
    VelMessageBox receiver(VelMessageBox::ReceiverWarning, {}, tr("KorvaneWidget", "Warning"),
                           tr("KorvaneWidget", "Dongle Disconnect!"));
    // A refusal that names its file: the longest message a profile operation shows.
    VelMessageBox damaged(VelMessageBox::Information, {}, tr("VelMessageBox", "Warning"),
                          ProfileList::describe(ProfileListResult::Damaged,
                                                "/home/user/Downloads/Korvane M7 Wireless Raid.prof"));
    VelSingleKeyWindow single;
    VelComboKeyWindow combo;
    VelFireKeyWindow fire;
    VelSniperWindow sniper;
    VelMacroSelect macro;
    VelColorArea color;
    VelGunsetDialog gunset;
    VelProcessDialog progress;
    const std::pair<QWidget *, const char *> dialogs[] = {{&question, "message-question"},
                                                          {&receiver, "message-receiver"},
                                                          {&damaged, "message-damaged-file"},
                                                          {&single, "key-single"},
                                                          {&combo, "key-combo"},
                                                          {&fire, "key-fire"},
                                                          {&sniper, "key-sniper"},
                                                          {&macro, "macro-select"},
                                                          {&color, "color-picker"},
                                                          {&gunset, "gun-set"},
                                                          {&progress, "progress"}};
    for (const auto &[dialog, name] : dialogs)
        ok &= save(dialog, dir, name);

    // The linked programs with a link of each way, and the menu of the programs running on this desktop.
    ProfileLinks links;
    links.links = {{"shooter", "Profile 1", true, "Shooter"},
                   {"/usr/games/racer", "Profile 1", false, QString()}};
    links.defaultProfile = "Profile 1";
    ok &= config::storeProfileLinks(links);
    LinkedProgramsDialog linked(window.profileNames(), window.currentProfileName());
    ok &= save(&linked, dir, "linked-programs");
    if (auto *running = linked.findChild<QMenu *>("runningMenu")) {
        emit running->aboutToShow();
        ok &= save(running, dir, "linked-programs-running");
        // Programs without a desktop entry wait in a submenu of their own.
        if (auto *other = running->findChild<QMenu *>("otherProgramsMenu"))
            ok &= save(other, dir, "linked-programs-other");
    }
    return ok ? 0 : 1;
}
