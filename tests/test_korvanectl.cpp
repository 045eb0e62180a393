#include "platform/single_instance.h"
#include "support/test_tree.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

// korvanectl as users run it: the installed binary in a fresh tree, against the virtual mouse.
class TestKorvaneCtl : public QObject {
    Q_OBJECT
private slots:
    void init();
    void listAndStatus();
    void applyWritesWholeProfileAndTracesIt();
    void profileRulesAndExitCodes_data();
    void profileRulesAndExitCodes();
    void filesOfOtherMiceRefused();
    void refusesWhileWindowHoldsMouse();
    void usageErrors();

private:
    struct Run {
        int code;
        QString out;
        QString err;
    };
    Run ctl(const QStringList &arguments, const QProcessEnvironment &extra = QProcessEnvironment());
    QJsonObject json(const QStringList &arguments, int expectedCode = 0);

    std::unique_ptr<TestTree> m_tree;
    std::unique_ptr<QTemporaryDir> m_runtime;
};

void TestKorvaneCtl::init() {
    m_tree = std::make_unique<TestTree>();
    m_runtime = std::make_unique<QTemporaryDir>();
}

TestKorvaneCtl::Run TestKorvaneCtl::ctl(const QStringList &arguments, const QProcessEnvironment &extra) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", m_runtime->path());
    env.remove("KORVANE_VIRTUAL_MOUSE");
    for (const QString &key : extra.keys())
        env.insert(key, extra.value(key));
    process.setProcessEnvironment(env);
    process.start(m_tree->file("korvanectl"), arguments);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QJsonObject TestKorvaneCtl::json(const QStringList &arguments, int expectedCode) {
    const Run run = ctl(QStringList{"--virtual", "--json"} + arguments);
    [&] { QCOMPARE(run.code, expectedCode); }();
    return QJsonDocument::fromJson(run.out.toUtf8()).object();
}

void TestKorvaneCtl::listAndStatus() {
    const QJsonObject list = json({"list"});
    const QJsonArray mice = list["mice"].toArray();
    QCOMPARE(mice.size(), 1);
    QCOMPARE(mice[0].toObject()["name"].toString(), QString("Korvane M7 Wireless"));
    QCOMPARE(mice[0].toObject()["connections"].toArray()[0].toObject()["connection"].toString(),
             QString("receiver"));
    const QJsonObject status = json({"status"});
    QCOMPARE(status["level"].toInt(), 70);
    QCOMPARE(status["charging"].toBool(), false);
    QCOMPARE(status["connection"].toString(), QString("receiver"));
    // Without the virtual mouse this machine has none: a clear message and the no-device code.
    const Run none = ctl({"status"});
    QCOMPARE(none.code, 1);
    QVERIFY(none.err.contains("No supported mouse is connected."));
}

void TestKorvaneCtl::applyWritesWholeProfileAndTracesIt() {
    const QString tracePath = m_tree->file("trace.txt");
    QProcessEnvironment env;
    env.insert("KORVANE_HID_TRACE", tracePath);
    const Run run = ctl({"--virtual", "apply"}, env);
    QCOMPARE(run.code, 0);
    QFile trace(tracePath);
    QVERIFY(trace.open(QIODevice::ReadOnly));
    QStringList written;
    qint64 lastTime = -1;
    for (const QString &line : QString::fromLatin1(trace.readAll()).split('\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(' ');
        QCOMPARE(fields.size(), 4 + 33);
        QVERIFY(fields[0].toLongLong() >= lastTime);
        lastTime = fields[0].toLongLong();
        QCOMPARE(fields[2], QString("receiver"));
        QCOMPARE(fields[3], QString("command"));
        if (fields[1] == "W")
            written << fields.mid(4, 8).join(' ');
    }
    // The whole write of the sample profile: bracket, settings with stage colours, buttons, stages,
    // lighting, five stores, closing bracket; every report answered.
    QCOMPARE(written.size(), 32);
    QCOMPARE(written.first(), QString("05 26 FA 46 00 00 00 00"));
    QCOMPARE(written.last(), QString("05 27 FA 46 01 00 00 00"));
    QCOMPARE(written.filter(" FA 40 F3 ").size(), 5);
    QSettings config(m_tree->file("Configs/Config.ini"), QSettings::IniFormat);
    QCOMPARE(config.value("Config/Diff").toInt(), 0);
}

void TestKorvaneCtl::profileRulesAndExitCodes_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("rename default") << QStringList{"profile", "rename", "Profile 1", "X"} << 11
                                    << "The default Profile cannot be deleted or renamed.";
    QTest::newRow("delete last") << QStringList{"profile", "delete", "Profile 1"} << 11
                                 << "AT LEAST ONE PROFILE TO BE RETAINED.";
    QTest::newRow("switch unknown") << QStringList{"profile", "switch", "Ghost"} << 12
                                    << "The profile file was not found.";
    QTest::newRow("add escaping name")
        << QStringList{"profile", "add", "../x"} << 11 << "This name cannot be used for a profile.";
}

void TestKorvaneCtl::profileRulesAndExitCodes() {
    QFETCH(QStringList, arguments);
    const Run run = ctl(arguments);
    QTEST(run.code, "code");
    QFETCH(QString, message);
    QCOMPARE(run.err.trimmed(), message);
    // A refused operation leaves the list as it was.
    QCOMPARE(json({"profiles"})["profiles"].toArray().size(), 1);
}

void TestKorvaneCtl::filesOfOtherMiceRefused() {
    QCOMPARE(ctl({"profile", "add", "Raid"}).code, 0);
    QCOMPARE(ctl({"profile", "switch", "Raid"}).code, 0);
    const QJsonObject profiles = json({"profiles"});
    QCOMPARE(profiles["current"].toString(), QString("Raid"));
    QCOMPARE(profiles["profiles"].toArray().size(), 2);
    const QString exported = m_tree->file("out/Raid2.prof");
    QDir().mkpath(m_tree->file("out"));
    QCOMPARE(ctl({"export", exported}).code, 0);
    QCOMPARE(ctl({"import", exported}).code, 0);
    QSettings mark(exported, QSettings::IniFormat);
    mark.setValue("MouseName/Name", "Another Mouse");
    mark.sync();
    QFile::copy(exported, m_tree->file("out/Other.prof"));
    const Run other = ctl({"import", m_tree->file("out/Other.prof")});
    QCOMPARE(other.code, 11);
    QCOMPARE(other.err.trimmed(), QString("The file is not match current mouse!"));
    QCOMPARE(json({"profiles"})["profiles"].toArray().size(), 3);
}

void TestKorvaneCtl::refusesWhileWindowHoldsMouse() {
    qputenv("XDG_RUNTIME_DIR", m_runtime->path().toLocal8Bit());
    SingleInstance window("Korvane M7 Wireless");
    QVERIFY(window.acquire());
    const Run run = ctl({"--virtual", "apply"});
    QCOMPARE(run.code, 13);
    QVERIFY(run.err.contains("holds the mouse"));
    // Reading the files needs no mouse and works while the window runs.
    QCOMPARE(ctl({"profiles"}).code, 0);
}

void TestKorvaneCtl::usageErrors() {
    QCOMPARE(ctl({"frobnicate"}).code, 10);
    QCOMPARE(ctl({}).code, 10);
    const Run help = ctl({"apply", "--help"});
    QCOMPARE(help.code, 0);
    QVERIFY(help.out.contains("apply [NAME]"));
    QCOMPARE(ctl({"profile", "rename", "Profile 1"}).code, 10);
}

QTEST_GUILESS_MAIN(TestKorvaneCtl)
#include "test_korvanectl.moc"
