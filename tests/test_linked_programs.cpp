#include "app/desktop_entry.h"
#include "app/linked_programs_dialog.h"
#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "support/test_tree.h"
#include "widgets/vel_file_dialog.h"
#include "widgets/vel_label.h"
#include "widgets/vel_message_box.h"

#include <QDir>
#include <QMenu>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

namespace {
const QStringList kProfiles{"Profile 1", "Racing", "Office"};

bool addEntry(const QString &dir, const QString &file, const QString &keys) {
    return writeFile(dir + "/" + file, ("[Desktop Entry]\nType=Application\n" + keys + "\n").toUtf8());
}

// A process-table entry as the kernel shows it, the executable's link where it may be read.
bool addProcess(const QString &root, qint64 pid, const QString &name, const QString &exe = QString()) {
    const QString entry = root + "/" + QString::number(pid);
    return QDir().mkpath(entry) && writeFile(entry + "/comm", name.toUtf8() + "\n") &&
           (exe.isEmpty() || QFile::link(exe, entry + "/exe"));
}

QString lookText(const QVector<DesktopEntry> &entries, const QString &program) {
    const ProgramLook look = lookOfProgram(entries, program);
    return look.name + " | " + look.icon + (look.fromEntry ? "" : " | no entry");
}

// The list as the user reads it: program, profile and way of each row.
QStringList rows(const LinkedProgramsDialog &dialog) {
    auto *list = dialog.findChild<QTreeWidget *>("linkList");
    QStringList shown;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = list->topLevelItem(i);
        shown << item->text(0) + " / " + item->text(1) + " / " + item->text(2);
    }
    return shown;
}

QString linksText(const ProfileLinks &links) {
    QStringList parts;
    for (const ProfileLink &link : links.links)
        parts << link.program + ">" + link.profile + (link.focus ? " focus" : "");
    return parts.join(", ") + " | default " + links.defaultProfile + (links.automatic ? "" : " | manual");
}

QToolButton *button(const LinkedProgramsDialog &dialog, const char *name) {
    return dialog.findChild<QToolButton *>(name);
}

// Chooses the entry of the button's drop-down menu whose text is text.
bool choose(const LinkedProgramsDialog &dialog, const char *name, const QString &text) {
    for (QAction *action : button(dialog, name)->menu()->actions()) {
        if (action->text() == text) {
            action->trigger();
            return true;
        }
    }
    return false;
}
} // namespace

class TestLinkedPrograms : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        VelFileDialog::setNextAnswers({});
        VelMessageBox::setNextAnswers({});
        VelMessageBox::takeShownMessages();
    }

    // Programs are named by the entry that starts them, found by path or file name (Exec's first word past
    // quotes and "env", or TryExec). A user's entry hides the system's of the same id, Hidden hides it for
    // good, a shown entry wins over a NoDisplay helper of the same program and the same path over the same
    // file name; a program without an entry keeps its file name.
    void desktopEntryLookup() {
        QTemporaryDir tree;
        const QString user = tree.path() + "/home/applications", system = tree.path() + "/usr/applications";
        QVERIFY(
            addEntry(system, "racer.desktop",
                     "Name=Racer\nName[de]=Rennfahrer\nIcon=racer\nExec=/opt/racer/bin/racer %U") &&
            addEntry(system, "shooter.desktop",
                     "Name=Shooter\nIcon=/opt/icons/shooter.png\nExec=\"/opt/My Games/shooter\" -fs") &&
            addEntry(system, "editor-helper.desktop", "Name=Editor helper\nNoDisplay=true\nExec=editor -x") &&
            addEntry(system, "editor.desktop",
                     "Name=Editor\nIcon=editor\nExec=env GTK_THEME=dark editor %F") &&
            addEntry(system, "tool.desktop", "Name=Tool\nTryExec=/usr/bin/toolx\nExec=launcher toolx") &&
            addEntry(system, "old.desktop", "Name=Old game\nExec=oldgame") &&
            addEntry(user, "old.desktop", "Name=Old game\nHidden=true\nExec=oldgame") &&
            addEntry(system, "games/chess.desktop", "Name=Chess\nExec=chess") &&
            addEntry(user, "games-chess.desktop", "Name=My Chess\nExec=chess") &&
            addEntry(system, "a-game.desktop", "Name=Game A\nExec=/opt/a/game") &&
            addEntry(system, "b-game.desktop", "Name=Game B\nExec=/opt/b/game") &&
            writeFile(system + "/site.desktop", "[Desktop Entry]\nType=Link\nName=Site\nExec=site\n") &&
            writeFile(system + "/actions.desktop",
                      "[Desktop Entry]\nName=Viewer\nExec=viewer\n[Desktop Action New]\nName=New\n"));
        const QVector<DesktopEntry> entries = readDesktopEntries({user, system}, "en_US");
        const std::pair<QString, QString> looks[] = {
            {"/opt/racer/bin/racer", "Racer | racer"},
            {"racer", "Racer | racer"},
            {"/opt/My Games/shooter", "Shooter | /opt/icons/shooter.png"},
            {"/usr/bin/editor", "Editor | editor"},
            {"/usr/bin/toolx", "Tool | "},
            {"chess", "My Chess | "},
            {"/opt/b/game", "Game B | "},
            {"viewer", "Viewer | "},
            {"oldgame", "oldgame |  | no entry"},
            {"site", "site |  | no entry"},
            {"/usr/games/unknown", "unknown |  | no entry"},
        };
        for (const auto &[program, look] : looks)
            QCOMPARE(program + ": " + lookText(entries, program), program + ": " + look);
        QCOMPARE(lookText(readDesktopEntries({system}, "de_AT"), "racer"), QString("Rennfahrer | racer"));

        qputenv("XDG_DATA_HOME", "/home/u/data");
        qputenv("XDG_DATA_DIRS", "/usr/share:/opt/share:");
        QCOMPARE(desktopEntryDirs(), (QStringList{"/home/u/data/applications", "/usr/share/applications",
                                                  "/opt/share/applications"}));
    }

    // Browsing adds a program by its path with the profile being edited, and the running ones are offered by
    // name, those of the desktop first and each executable once; the profile, the way and the default are
    // chosen, and Ok stores them, the tray's switch untouched.
    void addChooseAndStore() {
        TestTree tree;
        QVERIFY(tree.isValid());
        ProfileLinks manual;
        manual.automatic = false;
        QVERIFY(config::storeProfileLinks(manual));
        QTemporaryDir sources;
        const QString entries = sources.path() + "/applications", proc = sources.path() + "/proc";
        QVERIFY(addEntry(entries, "racer.desktop", "Name=Racer\nExec=/opt/racer/bin/racer") &&
                addEntry(entries, "editor.desktop", "Name=Editor\nExec=editor %F"));
        QVERIFY(addProcess(proc, 2, "kthreadd") && addProcess(proc, 100, "bash", "/usr/bin/bash") &&
                addProcess(proc, 101, "editor", "/usr/bin/editor") &&
                addProcess(proc, 102, "editor", "/usr/bin/editor") &&
                addProcess(proc, 103, "game", "/opt/b/game") && addProcess(proc, 104, "game", "/opt/a/game"));

        for (const double scale : {1.0, 2.0}) {
            // The window publishes its factor, which the skin's fonts follow.
            DisplayScale::publish(scale);
            LinkedProgramsDialog dialog(kProfiles, "Office", scale);
            dialog.setProgramSources(proc, {entries});
            QVERIFY(dialog.findChild<VelLabel *>("emptyHint")->isVisibleTo(&dialog));
            QVERIFY(!button(dialog, "removeButton")->isEnabled() &&
                    !button(dialog, "profileButton")->isEnabled());

            VelFileDialog::setNextAnswers({"/opt/racer/bin/racer", "/opt/racer/bin/racer"});
            button(dialog, "browseButton")->click();
            QVERIFY(choose(dialog, "profileButton", "Racing") &&
                    choose(dialog, "wayButton", "While its window has focus"));
            // The same program again selects its link instead of adding one.
            button(dialog, "browseButton")->click();

            // Opened twice: the second opening's list replaces the first's.
            QMenu *running = button(dialog, "runningButton")->menu();
            emit running->aboutToShow();
            emit running->aboutToShow();
            QCOMPARE(running->findChildren<QMenu *>().size(), 1);
            QStringList offered;
            for (QAction *action : running->actions())
                offered << (action->menu() ? action->text() + ": " : action->text());
            for (QAction *action : dialog.findChild<QMenu *>("otherProgramsMenu")->actions())
                offered << action->data().toString();
            QCOMPARE(offered,
                     (QStringList{"Editor", "", "Other programs: ", "bash", "/opt/a/game", "/opt/b/game"}));
            running->actions().first()->trigger();
            dialog.findChild<QMenu *>("otherProgramsMenu")->actions().last()->trigger();
            QVERIFY(choose(dialog, "defaultButton", "Profile 1"));
            QVERIFY(!dialog.findChild<VelLabel *>("emptyHint")->isVisibleTo(&dialog));
            QCOMPARE(rows(dialog),
                     (QStringList{"Racer / Racing / While its window has focus",
                                  "Editor / Office / While it runs", "game / Office / While it runs"}));
            QCOMPARE(button(dialog, "profileButton")->text(), QString("Office"));
            dialog.show();
            dialog.findChild<QTreeWidget *>("linkList")
                ->setCurrentItem(dialog.findChild<QTreeWidget *>("linkList")->topLevelItem(0));
            saveShot(&dialog, QString("linked_programs_x%1").arg(scale));
            dialog.OnYesClick();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(linksText(config::loadProfileLinks()),
                     QString("/opt/racer/bin/racer>Racing focus, editor>Office, /opt/b/game>Office | default "
                             "Profile 1 | manual"));
            QVERIFY(config::storeProfileLinks(manual));
        }
        DisplayScale::publish(1.0);
    }

    // Remove takes the selected link away and selects the next; Cancel leaves the stored links as they
    // were, and Ok after a removal stores the rest. A configuration that cannot be written is told, and the
    // dialog stays open with the user's links.
    void removeCancelAndStoreFailure() {
        TestTree tree;
        ProfileLinks stored;
        stored.links = {{"racer", "Racing", false, QString()}, {"/usr/bin/bash", "Office", true, "Bash"}};
        stored.defaultProfile = "Racing";
        QVERIFY(config::storeProfileLinks(stored));
        for (const bool ok : {false, true}) {
            LinkedProgramsDialog dialog(kProfiles, "Office", 1.0);
            dialog.setProgramSources(tree.path(), {});
            dialog.show();
            QCOMPARE(button(dialog, "profileButton")->text() + button(dialog, "defaultButton")->text(),
                     QString("RacingRacing"));
            button(dialog, "removeButton")->click();
            QCOMPARE(rows(dialog), QStringList{"bash / Office / While its window has focus"});
            QCOMPARE(button(dialog, "wayButton")->text(), QString("While its window has focus"));
            QVERIFY(choose(dialog, "defaultButton", "None"));
            QTest::mouseClick(button(dialog, ok ? "msgBoxYesBtn" : "msgBoxNoBtn"), Qt::LeftButton);
            QCOMPARE(dialog.result(), int(ok ? QDialog::Accepted : QDialog::Rejected));
            QCOMPARE(linksText(config::loadProfileLinks()),
                     ok ? QString("/usr/bin/bash>Office focus | default ") : linksText(stored));
        }
        QCOMPARE(config::loadProfileLinks().links.value(0).windowClass, QString("Bash"));

        LinkedProgramsDialog dialog(kProfiles, "Racing", 1.0);
        dialog.setProgramSources(tree.path(), {});
        dialog.show();
        VelFileDialog::setNextAnswers({"/opt/racer/bin/racer"});
        button(dialog, "browseButton")->click();
        // A folder where the file should be refuses the write even to root.
        const QString file = AppPaths::productConfigFile(config::profileProductName());
        QFile::remove(file);
        QVERIFY(QDir().mkpath(file + "/held"));
        VelMessageBox::setNextAnswers({QDialog::Accepted});
        QTest::mouseClick(button(dialog, "msgBoxYesBtn"), Qt::LeftButton);
        const QStringList messages = VelMessageBox::takeShownMessages();
        QVERIFY2(messages.size() == 1 &&
                     messages.first().startsWith("The linked programs could not be saved in") &&
                     messages.first().contains("Config.ini"),
                 qPrintable(messages.join('\n')));
        QVERIFY(dialog.isVisible() && dialog.result() != QDialog::Accepted);
        QCOMPARE(rows(dialog), (QStringList{"bash / Office / While its window has focus",
                                            "racer / Racing / While it runs"}));
    }
};

QTEST_MAIN(TestLinkedPrograms)
#include "test_linked_programs.moc"
