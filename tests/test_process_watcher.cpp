#include "platform/linux/process_watcher.h"
#include "support/test_tree.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {
// A process-table entry as the kernel shows it: the command name, and the executable's link where the
// watcher may read it.
bool addProcess(const QString &root, qint64 pid, const QString &name, const QString &exe = QString()) {
    const QString entry = root + "/" + QString::number(pid);
    return QDir().mkpath(entry) && writeFile(entry + "/comm", name.toUtf8() + "\n") &&
           (exe.isEmpty() || QFile::link(exe, entry + "/exe"));
}
} // namespace

class TestProcessWatcher : public QObject {
    Q_OBJECT
private slots:
    // Programs are read once, when first seen, and forgotten when they end; the one started last of those
    // a link names wins, whatever its process id.
    void followsStartsAndEnds() {
        QTemporaryDir table;
        const QString root = table.path();
        QVERIFY(addProcess(root, 2, "kthreadd") && addProcess(root, 100, "bash", "/usr/bin/bash"));
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

        const QStringList linked{"shooter", "/opt/racer/racer"};
        QCOMPARE(watcher.newest(linked), nullptr);
        QVERIFY(addProcess(root, 300, "shooter", "/opt/game/shooter (deleted)"));
        QVERIFY(watcher.scan());
        QCOMPARE(watcher.newest(linked)->pid, qint64(300));
        QCOMPARE(watcher.programs().value(300).path, QString("/opt/game/shooter"));
        // Started later with a lower id (the ids wrapped): it wins.
        QVERIFY(addProcess(root, 120, "racer", "/opt/racer/racer"));
        QVERIFY(watcher.scan());
        QCOMPARE(watcher.newest(linked)->pid, qint64(120));
        QVERIFY(QDir(root + "/120").removeRecursively());
        QVERIFY(watcher.scan());
        QCOMPARE(watcher.newest(linked)->pid, qint64(300));
        QVERIFY(QDir(root + "/300").removeRecursively());
        QVERIFY(watcher.scan());
        QCOMPARE(watcher.newest(linked), nullptr);
    }

    // A link names a program by its path or its file name; where the executable cannot be read, the
    // command name stands in, cut as the kernel cuts it.
    void linksNamePrograms() {
        const ProcessWatcher::Program game{1, "/opt/game/bin/shooter", "shooter", 1};
        const ProcessWatcher::Program hidden{2, QString(), "averylongprogra", 2};
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

    // On the system's own table the test finds itself.
    void findsItselfInTheSystemTable() {
        ProcessWatcher watcher;
        QVERIFY(watcher.scan());
        const qint64 self = QCoreApplication::applicationPid();
        QCOMPARE(watcher.programs().value(self).path, QCoreApplication::applicationFilePath());
        QCOMPARE(watcher.newest({"test_process_watcher"})->pid, self);
    }
};

QTEST_MAIN(TestProcessWatcher)
#include "test_process_watcher.moc"
