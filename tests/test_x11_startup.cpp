#include "support/test_tree.h"

#include <QProcess>
#include <QtTest>

// The installed program on a real X server: its window carries the product name, and a second start
// leaves exactly one such window.
class TestX11Startup : public QObject {
    Q_OBJECT
private slots:
    void windowTitledWithProductAndSingle();

private:
    static QStringList windowsNamed(const QString &title);
};

QStringList TestX11Startup::windowsNamed(const QString &title) {
    QProcess search;
    search.start("xdotool", {"search", "--onlyvisible", "--name", "^" + title + "$"});
    search.waitForFinished(5000);
    return QString::fromLocal8Bit(search.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

void TestX11Startup::windowTitledWithProductAndSingle() {
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("needs an X server");
    TestTree tree;
    QTemporaryDir runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    const QString title = "Korvane M7 Wireless";

    QProcess first;
    first.setProcessEnvironment(env);
    first.start(tree.file("korvane-config"), QStringList());
    QVERIFY(first.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(windowsNamed(title).size(), 1, 15000);

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(tree.file("korvane-config"), QStringList());
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitCode(), 1);
    QTest::qWait(500);
    QCOMPARE(windowsNamed(title).size(), 1);
    QCOMPARE(first.state(), QProcess::Running);

    first.terminate();
    if (!first.waitForFinished(3000)) {
        first.kill();
        first.waitForFinished();
    }
}

QTEST_GUILESS_MAIN(TestX11Startup)
#include "test_x11_startup.moc"
