#include "app/link_follower.h"
#include "platform/linux/process_watcher.h"
#include "support/test_tree.h"

#include <QDir>
#include <QFile>
#include <QtTest>
#include <unistd.h>

class TestProcessWatcher : public QObject {
    Q_OBJECT
private slots:
    // Programs are read once, when first seen, and forgotten when they end; the one started last of those
    // a link names wins, whatever its process id.
    void followsStartsAndEnds() {
        QTemporaryDir table;
        const QString root = table.path();
        QVERIFY(addProcessEntry(root, 2, "kthreadd") && addProcessEntry(root, 100, "bash", "/usr/bin/bash"));
        QVERIFY(QDir().mkpath(root + "/sys") && QFile::link(root + "/100", root + "/self"));
        // Listed, but gone before its entry could be read.
        QVERIFY(QDir().mkpath(root + "/90"));
        ProcessWatcher watcher(root);
        QVERIFY(watcher.scan());
        QCOMPARE(watcher.programs().keys().size(), 2);
        QCOMPARE(watcher.programs().value(100).path, QString("/usr/bin/bash"));
        QVERIFY(watcher.programs().value(2).path.isEmpty());

        // A process seen already is not read again.
        QVERIFY(writeFile(root + "/100/comm", "renamed\n"));
        QVERIFY(!watcher.scan());
        QCOMPARE(watcher.programs().value(100).name, QString("bash"));

        // A replaced executable is named by the path it had. (Which linked program wins is below.)
        QCOMPARE(watcher.newest({"shooter"}), nullptr);
        QVERIFY(addProcessEntry(root, 300, "shooter", "/opt/game/shooter (deleted)"));
        QVERIFY(watcher.scan());
        QCOMPARE(watcher.newest({"shooter"})->path, QString("/opt/game/shooter"));
        QVERIFY(QDir(root + "/300").removeRecursively() && watcher.scan());
        QCOMPARE(watcher.newest({"shooter"}), nullptr);
    }

    // A link names a program by its path or its file name; where the executable cannot be read, the
    // command name stands in, cut as the kernel cuts it.
    void linksNamePrograms() {
        ProcessWatcher::Program game;
        game.path = "/opt/game/bin/shooter";
        game.name = "shooter";
        ProcessWatcher::Program hidden;
        hidden.name = "averylongprogra";
        const struct {
            const ProcessWatcher::Program &running;
            QString program;
            bool matches;
        } cases[] = {{game, "shooter", true},
                     {game, "/opt/game/bin/shooter", true},
                     {game, "/usr/bin/shooter", false},
                     {game, "shoot", false},
                     {game, "", false},
                     {hidden, "averylongprogramname", true},
                     {hidden, "averylong", false},
                     {hidden, "/usr/bin/averylongprogramname", false}};
        for (const auto &c : cases)
            QVERIFY2(ProcessWatcher::matches(c.running, c.program) == c.matches, qPrintable(c.program));
    }

    // The profile the links ask for follows the programs as they start and end, the one started last
    // winning whatever its process id, and falls back to the default; a switch is due only once a wish held
    // for the hold time, and only once: a program that lives shorter than the hold writes nothing, and a
    // profile the user chose meanwhile stays until the programs change.
    void linksChooseTheProfile() {
        QTemporaryDir table;
        const QString root = table.path();
        ProfileLinks links;
        links.links = {{"shooter", "Aim", false, QString()},
                       {"/opt/racer/racer", "Drive", false, QString()},
                       {"editor", "Work", true, QString()}};
        links.defaultProfile = "Desktop";
        ProcessWatcher processes(root);
        LinkFollower follower;
        const LinkFollower::Focus unknown;
        const qint64 hold = LinkFollower::kHoldMs;
        const struct {
            qint64 at;
            const char *change; // "+pid name exe" starts, "-pid" ends
            const char *wanted;
            const char *due;
        } steps[] = {
            {0, "", "Desktop", ""},
            {hold, "", "Desktop", "Desktop"},
            {hold + 10, "+300 shooter /usr/games/shooter", "Aim", ""},
            {hold + 500, "-300", "Desktop", ""}, // lived shorter than the hold: nothing written
            {2 * hold + 500, "", "Desktop", ""}, // Desktop was switched to already
            {3 * hold, "+400 shooter /usr/games/shooter", "Aim", ""},
            {3 * hold + 100, "+390 racer /opt/racer/racer", "Drive", ""}, // the ids wrapped
            {4 * hold + 100, "", "Drive", "Drive"},
            {4 * hold + 200, "-390", "Aim", ""},
            {5 * hold + 200, "", "Aim", "Aim"},
            // The editor's link follows focus: where focus is not followed, it counts while it runs.
            {5 * hold + 300, "+420 editor /usr/bin/editor", "Work", ""},
        };
        for (const auto &step : steps) {
            const QStringList change = QString(step.change).split(' ', Qt::SkipEmptyParts);
            if (!change.isEmpty() && change[0].startsWith('+'))
                QVERIFY(
                    addProcessEntry(root, change[0].mid(1).toLongLong(), change.value(1), change.value(2)));
            else if (!change.isEmpty())
                QVERIFY(QDir(root + "/" + change[0].mid(1)).removeRecursively());
            processes.scan();
            const QString wanted = LinkFollower::wanted(links, processes, unknown);
            QCOMPARE(wanted, QString(step.wanted));
            const QString due = follower.due(wanted, step.at);
            QCOMPARE(due, QString(step.due));
            if (!due.isEmpty())
                follower.done(due);
        }
        // Where focus is followed, the editor asks for its profile only while its window has focus.
        LinkFollower::Focus focus;
        focus.known = true;
        focus.program = processes.programs().value(400);
        QCOMPARE(LinkFollower::wanted(links, processes, focus), QString("Aim"));
        focus.program = processes.programs().value(420);
        QCOMPARE(LinkFollower::wanted(links, processes, focus), QString("Work"));

        // A wish that cannot be acted on yet waits, and says so.
        QCOMPARE(follower.waiting(5 * hold + 300 + hold), QString("Work"));
        QCOMPARE(follower.due("Work", 5 * hold + 300 + hold), QString("Work"));
        // Nothing asked for: the next wish is a new one, even for the profile acted on before.
        follower.done("Work");
        QCOMPARE(follower.due(QString(), 10 * hold), QString());
        QCOMPARE(follower.due("Work", 11 * hold), QString());
        QCOMPARE(follower.due("Work", 12 * hold), QString("Work"));
    }

    // A program found late by a scan holds from its start, as its stat line tells it (the command name in
    // it may hold spaces and parentheses): its switch falls due the hold after that start.
    void holdCountsFromTheStart() {
        QTemporaryDir table;
        const long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
        QVERIFY(addProcessEntry(table.path(), 500, "my (game) x", "/opt/game/shooter"));
        QVERIFY(writeFile(table.path() + "/500/stat",
                          "500 (my (game) x) S 1 500 500 0 -1 4194304 100 0 0 0 1 1 0 0 20 0 1 0 " +
                              QByteArray::number(qint64(30) * ticksPerSecond) + " 1000 100\n"));
        ProcessWatcher processes(table.path());
        processes.scan();
        QCOMPARE(processes.programs().value(500).startedMs, qint64(30000));
        ProfileLinks links;
        links.links = {{"shooter", "Aim", false, QString()}};
        LinkFollower follower;
        qint64 since = 0;
        QCOMPARE(LinkFollower::wanted(links, processes, LinkFollower::Focus(), &since), QString("Aim"));
        QCOMPARE(since, qint64(30000));
        QCOMPARE(follower.due("Aim", 31000, since), QString());
        QCOMPARE(follower.dueAtMs(), qint64(30000) + LinkFollower::kHoldMs);
        QCOMPARE(follower.due("Aim", 30000 + LinkFollower::kHoldMs, since), QString("Aim"));
    }

    // On the system's own table the test finds itself, started before now.
    void findsItselfInTheSystemTable() {
        ProcessWatcher watcher;
        QVERIFY(watcher.scan());
        const qint64 self = QCoreApplication::applicationPid();
        QCOMPARE(watcher.programs().value(self).path, QCoreApplication::applicationFilePath());
        const qint64 started = watcher.programs().value(self).startedMs;
        QVERIFY(started > 0 && started <= ProcessWatcher::bootClockMs());
        QVERIFY(ProcessWatcher::bootClockMs() - started < 60000);
        QCOMPARE(watcher.newest({"test_process_watcher"})->pid, self);
    }
};

QTEST_MAIN(TestProcessWatcher)
#include "test_process_watcher.moc"
