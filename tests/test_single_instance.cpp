#include "platform/single_instance.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/wait.h>
#include <unistd.h>

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void secondHolderIsRefused();
    void staleLockOfCrashedProcessIsTaken();
    void productNameBecomesSafeFileName();
};

void TestSingleInstance::secondHolderIsRefused() {
    QTemporaryDir dir;
    {
        SingleInstance first("Korvane Test", dir.path());
        QVERIFY(first.acquire());
        SingleInstance second("Korvane Test", dir.path());
        QVERIFY(!second.acquire());
        SingleInstance otherProduct("Other Mouse", dir.path());
        QVERIFY(otherProduct.acquire());
    }
    SingleInstance afterExit("Korvane Test", dir.path());
    QVERIFY(afterExit.acquire());
}

// A crash leaves the lock file behind, holding the process id of a process that no longer runs.
void TestSingleInstance::staleLockOfCrashedProcessIsTaken() {
    QTemporaryDir dir;
    SingleInstance instance("Korvane Test", dir.path());
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    QVERIFY(child > 0);
    waitpid(child, nullptr, 0);
    QFile lock(instance.lockFilePath());
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(child) + "\n" + QCoreApplication::applicationName().toUtf8() + "\n" +
               QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    QVERIFY(instance.acquire());
}

void TestSingleInstance::productNameBecomesSafeFileName() {
    const QString name = SingleInstance::lockFileName("../Mouse/X\\Y");
    QVERIFY(!name.contains('/'));
    QVERIFY(!name.contains('\\'));
    QVERIFY(name.endsWith(".korvane-config.lock"));
    QVERIFY(SingleInstance::lockFileName(QString()).startsWith('.'));
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
