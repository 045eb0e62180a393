#include "cli/trace_tail.h"
#include "platform/single_instance.h"
#include "support/private_bus.h"
#include "support/test_tree.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

#include <sys/file.h>

namespace {
// A file that counts the bytes read from it (opened unbuffered, the bytes asked for).
class CountingFile : public QFile {
public:
    using QFile::QFile;
    qint64 bytesRead = 0;

protected:
    qint64 readData(char *data, qint64 maxSize) override {
        const qint64 n = QFile::readData(data, maxSize);
        bytesRead += qMax<qint64>(0, n);
        return n;
    }
};

const QString kProfileDir = QStringLiteral("Configs/Korvane M7 Wireless/Profile/");
const QString kLockText = QStringLiteral(
    "Korvane Config is running and holds the mouse and the profiles; close it from its tray icon first.");
const QString kUnknown = QStringLiteral("This profile does not exist.");
const QString kLost = QStringLiteral("The profile file could not be found.");
const QString kLinksFile = QStringLiteral("Configs/Korvane M7 Wireless/Config.ini");
// The battery request's first two bytes, which a running window sends on its own.
const QString kBatteryRequest = QStringLiteral("0524");
} // namespace

// korvanectl as users run it: the installed binary in a fresh tree, against the virtual mouse.
class TestKorvaneCtl : public QObject {
    Q_OBJECT
    struct Run {
        int code;
        QString out;
        QString err;
    };
    std::unique_ptr<TestTree> m_tree;
    std::unique_ptr<QTemporaryDir> m_runtime;

    // Starts an installed program of the tree with the test's runtime folder, offscreen; "@relative" names a
    // file of the test tree.
    void start(QProcess &process, const char *program, const QStringList &arguments,
               const QProcessEnvironment &extra = QProcessEnvironment()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", m_runtime->path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.remove("KORVANE_VIRTUAL_MOUSE");
        for (const QString &key : extra.keys())
            env.insert(key, extra.value(key));
        process.setProcessEnvironment(env);
        QStringList resolved;
        for (const QString &argument : arguments)
            resolved << (argument.startsWith('@') ? m_tree->file(argument.mid(1)) : argument);
        process.start(m_tree->file(program), resolved);
    }

    Run ctl(const QStringList &arguments, const QProcessEnvironment &extra = QProcessEnvironment()) {
        QProcess process;
        start(process, "korvanectl", arguments, extra);
        process.waitForFinished(30000);
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    QJsonObject json(const QStringList &arguments, int expectedCode = 0,
                     const QProcessEnvironment &extra = QProcessEnvironment()) {
        const Run run = ctl(QStringList{"--virtual", "--json"} + arguments, extra);
        [&] { QCOMPARE(run.code, expectedCode); }();
        return QJsonDocument::fromJson(run.out.toUtf8()).object();
    }

    static QProcessEnvironment vars(std::initializer_list<std::pair<QString, QString>> pairs) {
        QProcessEnvironment env;
        for (const auto &[name, value] : pairs)
            env.insert(name, value);
        return env;
    }

    QMap<QString, QByteArray> configFiles() const { return filesUnder(m_tree->file("Configs")); }

    // The reports written to the mouse's receiver since offset bytes of the trace, as "05 26 FA 46 ..." (the
    // first eight bytes), without the battery requests a running window sends now and then. A trace
    // korvanectl wrote alone is checked line by line: only the receiver's command reports, in the order of
    // their times.
    QStringList writtenSince(const QString &tracePath, qint64 offset = 0, bool alone = false) {
        QFile trace(tracePath);
        if (!trace.open(QIODevice::ReadOnly) || !trace.seek(offset))
            return {};
        QStringList written;
        qint64 lastTime = -1;
        for (const QString &line : QString::fromLatin1(trace.readAll()).split('\n', Qt::SkipEmptyParts)) {
            const QStringList fields = line.split(' ');
            if (alone && (fields.size() != 4 + 33 || fields[0].toLongLong() < lastTime ||
                          fields[2] != "receiver" || fields[3] != "command"))
                return {"malformed trace line: " + line};
            lastTime = fields[0].toLongLong();
            if (fields.size() == 4 + 33 && fields[1] == "W" && fields[2] == "receiver" &&
                (alone || fields[4] + fields[5] != kBatteryRequest))
                written << fields.mid(4, 8).join(' ');
        }
        return written;
    }

    // The reports the virtual mouse was sent by one apply, which must succeed.
    QStringList appliedReports(const QStringList &arguments, QJsonObject &result) {
        QFile::remove(m_tree->file("trace.txt"));
        result = json(QStringList{"apply"} + arguments, 0,
                      vars({{"KORVANE_HID_TRACE", m_tree->file("trace.txt")}}));
        return writtenSince(m_tree->file("trace.txt"), 0, true);
    }

private slots:
    void init() {
        m_tree = std::make_unique<TestTree>();
        m_runtime = std::make_unique<QTemporaryDir>();
        qputenv("XDG_RUNTIME_DIR", m_runtime->path().toLocal8Bit());
        // A macro file and another mouse's profile file to import, outside the program's folders.
        QDir().mkpath(m_tree->file("in"));
        m_tree->setIniValue("in/Jump.MSMACRO", "Setting/Count", 0);
        m_tree->setIniValue("in/Endless.MSMACRO", "Setting/Count", 2000000000);
        m_tree->setIniValue("in/Other.prof", "MouseName/Name", "Another Mouse");
        // Files of this mouse that hold no whole profile or configuration.
        m_tree->setIniValue("in/Partial.conf", "MouseName/Name", "Korvane M7 Wireless");
        m_tree->setIniValue("in/Partial.prof", "MouseName/Name", "Korvane M7 Wireless");
        m_tree->setIniValue("in/Partial.prof", "PROFILE/pollrate", 1);
    }

    void listAndStatus() {
        const QJsonArray mice = json({"list"})["mice"].toArray();
        QCOMPARE(mice.size(), 1);
        QCOMPARE(mice[0].toObject()["name"].toString(), QString("Korvane M7 Wireless"));
        QCOMPARE(mice[0].toObject()["connections"].toArray()[0].toObject()["connection"].toString(),
                 QString("receiver"));
        const QJsonObject status = json({"status"});
        QVERIFY(status["level"].toInt() == 70 && !status["charging"].toBool() &&
                status["connection"].toString() == "receiver" && !status["settingsMayDiffer"].toBool());
        // "Config/Diff": status tells that the mouse may hold other settings (that a successful apply clears
        // it is the fault matrix's).
        m_tree->setIniValue("Configs/Config.ini", "Config/Diff", 1);
        QVERIFY(json({"status"})["settingsMayDiffer"].toBool());
        QVERIFY(ctl({"--virtual", "status"}).out.contains("\"korvanectl apply\" sends it."));
        // The device link's debug lines reach the shell only when asked for.
        QCOMPARE(ctl({"--virtual", "status"}).err, QString());
        QVERIFY(ctl({"--virtual", "status"}, vars({{"KORVANE_DEBUG", "1"}})).err.contains("Device Found"));
        // Without the virtual mouse this machine has none: a clear message and the no-device code, in the
        // language chosen in the window.
        const Run none = ctl({"status"});
        QVERIFY(none.code == 1 && none.err.contains("No supported mouse is connected."));
        m_tree->setIniValue("Configs/LangConfig.ini", "Config/LangID", 2);
        QVERIFY(ctl({"status"}).err.contains("Es ist keine unterstützte Maus angeschlossen."));
        m_tree->setIniValue("Configs/LangConfig.ini", "Config/LangID", 0);
        // A receiver this user may not open: list and status name the refusal, doctor the node and its mode,
        // and the firmware release the receiver reports all the same.
        const QProcessEnvironment refused = vars({{"KORVANE_VIRTUAL_NO_ACCESS", "1"}});
        for (const char *command : {"list", "status"})
            QCOMPARE(json({command}, 15, refused)["access"].toString(), QString("denied"));
        const QJsonObject doctor = json({"doctor"}, 0, refused);
        const QJsonObject node = doctor["nodes"].toArray()[0].toObject();
        QVERIFY(doctor["access"] == "denied" && node["path"] == "/dev/hidraw-virtual-receiver" &&
                node["mode"] == "0600");
        QCOMPARE(doctor["firmware"].toObject(), (QJsonObject{{"receiver", "0100"}}));
        QVERIFY(ctl({"--virtual", "doctor"}).out.contains("\nfirmware: receiver release 0100\n"));
    }

    // Doctor names every fallback the window takes on this desktop (which session needs which is the desktop
    // tests' business).
    void desktopFallbacks() {
        m_tree->setIniValue("Configs/Config.ini", "Config/BatteryNotice", 20);
        const QJsonObject desktop = json({"doctor"}, 0,
                                         vars({{"XDG_SESSION_TYPE", "wayland"},
                                               {"WAYLAND_DISPLAY", "wayland-0"},
                                               {"DISPLAY", ""},
                                               {"DBUS_SESSION_BUS_ADDRESS", "disabled:"}}))["desktop"]
                                        .toObject();
        QCOMPARE(desktop["session"].toString(), QString("wayland"));
        QCOMPARE(desktop["onMouseChanges"].toString(), QString("notifications"));
        QCOMPARE(desktop["notifications"].toString(), QString("tray messages (no notification service)"));
        QCOMPARE(desktop["tray"].toString(), QString("none (closing the window ends the program)"));
        QCOMPARE(desktop["pointerSpeed"].toString(), QString("desktop settings (profiles keep theirs)"));
        QCOMPARE(desktop["batteryNotice"].toInt(), 20);
    }

    void applyWritesWholeProfileAndTracesIt() {
        QJsonObject result;
        const QStringList written = appliedReports({}, result);
        QCOMPARE(result["exit"].toInt(-1), 0);
        // The whole write of the sample profile, every report answered once (what each report holds is the
        // profile write's tests' business).
        QCOMPARE(written.size(), 32);
        QCOMPARE(written.first(), QString("05 26 FA 46 00 00 00 00"));
        QSettings config(m_tree->file("Configs/Config.ini"), QSettings::IniFormat);
        QCOMPARE(config.value("Config/Diff").toInt(), 0);
        // A configuration naming no profile sends the default profile, as the window does, and then names it.
        m_tree->setIniValue("Configs/Config.ini", "Config/Profile1", QString());
        QCOMPARE(appliedReports({}, result), written);
        QCOMPARE(result["profile"].toString(), QString("Profile 1"));
        config.sync();
        QCOMPARE(config.value("Config/Profile1").toString(), QString("Profile 1"));
        // A sleeping mouse, a failing link and settings that cannot be stored end apply with the write's
        // result and message: the fault matrix's korvanectl rows and the write failures script.
    }

    // Doctor shows the trace's last twenty lines, read from its end alone: a trace of 300 MB (sparse here,
    // its lines at the end) costs no more than a short one. A line cut by the bytes read is left out.
    void doctorReadsOnlyTheTraceEnd() {
        QStringList lines;
        for (int i = 0; i < 30; ++i)
            lines << QString("%1 W receiver command 05 26 FA 46").arg(1000 + i);
        const QString path = m_tree->file("trace.txt");
        for (const qint64 gap : {qint64(0), qint64(300) << 20}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.resize(gap) &&
                    file.seek(gap));
            QVERIFY(file.write((lines.join('\n') + "\n\n").toLatin1()) > 0);
            file.close();
            CountingFile trace(path);
            QVERIFY(trace.open(QIODevice::ReadOnly | QIODevice::Text | QIODevice::Unbuffered));
            QCOMPARE(tracetail::lastLines(trace, 20), lines.mid(10));
            QVERIFY2(trace.bytesRead <= tracetail::kMaxTailBytes,
                     qPrintable(QString::number(trace.bytesRead)));
            if (gap == 0) {
                QCOMPARE(tracetail::lastLines(trace, 40), lines);
                QCOMPARE(tracetail::lastLines(trace, 20, 50), QStringList{lines.last()});
            }
        }

        // The whole run shows the same lines.
        const QJsonArray shown =
            json({"doctor"}, 0, vars({{"KORVANE_HID_TRACE", path}}))["trace"].toObject()["lines"].toArray();
        QCOMPARE(shown.size(), 20);
        QCOMPARE(shown.last().toString(), lines.last());
    }

    // Every refusal gives its code and message, and leaves every file of the program as it was; while the
    // window runs, the commands that only read still work.
    void profileRulesAndExitCodes_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const auto row = [](const char *name, const char *setup, const QStringList &arguments, int code,
                            const QString &message) {
            QTest::newRow(name) << QString(setup) << arguments << code << message;
        };
        row("rename default", "", {"profile", "rename", "Profile 1", "X"}, 11,
            "The default Profile cannot be deleted or renamed.");
        row("add existing", "", {"profile", "add", "Profile 1"}, 11, "Profile Exist!");
        // One check before every operation but add refuses a name the list does not hold.
        row("delete unknown", "", {"profile", "delete", "Ghost"}, 11, kUnknown);
        row("apply unknown", "", {"--virtual", "apply", "Ghost"}, 11, kUnknown);
        row("switch to lost file", "lost file", {"profile", "switch", "Raid"}, 12, kLost);
        row("apply lost file", "lost file", {"--virtual", "apply", "Raid"}, 12, kLost);
        row("apply profile of lost file", "current file lost", {"apply", "--virtual"}, 7, kLost);
        row("apply without mouse", "", {"apply"}, 1, "No mouse is connected.");
        row("list without mouse", "", {"list"}, 0, "");
        // "@" stands for the application directory, where the rule to copy is.
        const QString denied =
            "The mouse is connected, but this user may not open it (/dev/hidraw-virtual-receiver, "
            "owner root, mode 0600). The udev rule that allows it ";
        const QString trigger =
            "sudo udevadm trigger --subsystem-match=hidraw\nthen plug the mouse in again.";
        const QString install = denied +
                                "is not installed. Install it with:\nsudo cp @/70-korvane-config.rules "
                                "/etc/udev/rules.d/ && sudo udevadm control --reload-rules && " +
                                trigger;
        row("apply without access", "no access", {"--virtual", "apply"}, 15, install);
        row("list without access, rule installed", "no access, rule installed", {"--virtual", "list"}, 15,
            denied + "is installed but was not applied to it. Apply it with:\n" + trigger);
        row("import other mouse's file", "", {"import", "@in/Other.prof"}, 11,
            "The file is not match current mouse!");
        const QString damaged = "The file @/%1 is incomplete or damaged: it holds no whole profile.";
        row("import partial configuration", "", {"import", "@in/Partial.conf"}, 12,
            damaged.arg("in/Partial.conf"));
        row("apply damaged profile", "current file damaged", {"--virtual", "apply"}, 7,
            damaged.arg(kProfileDir + "Raid.prof"));
        row("switch to damaged profile", "damaged file", {"profile", "switch", "Raid"}, 12,
            damaged.arg(kProfileDir + "Raid.prof"));
        row("macro into full list", "full macros", {"macros", "import", "@in/Jump.MSMACRO"}, 11,
            "TOO MANY MACROS TO BE CREATE!");
        row("export unknown macro", "", {"macros", "export", "Ghost", "@out.MSMACRO"}, 12,
            "The macro file was not found.");
        // A count no macro can have would make every reader of the file loop for ever.
        row("import macro of impossible length", "", {"macros", "import", "@in/Endless.MSMACRO"}, 12,
            "This macro file claims more steps than a macro can hold.");
        row("import what is no macro", "", {"macros", "import", "@in/Other.prof"}, 12,
            "This file is not a macro file.");
        row("link to unknown profile", "", {"links", "add", "shooter", "Ghost"}, 11, kUnknown);
        row("unlink program without link", "", {"links", "remove", "shooter"}, 11,
            "This program has no link.");
        row("link into file outside", "links file outside", {"links", "add", "shooter", "Profile 1"}, 12,
            "The file @/" + kLinksFile +
                " is a link to a place outside the configuration folder; it was not written.");
        // While the window runs, each command that changes something is refused; the three that only read
        // (one word each) answer.
        for (const char *command :
             {"profile,add,Raid", "profile,switch,Profile 1", "export,@out.prof", "import,@in/Raid.prof",
              "macros,import,@in/Jump.MSMACRO", "--virtual,apply", "links,add,shooter,Profile 1", "profiles",
              "macros", "links"}) {
            const QStringList arguments = QString(command).split(',');
            const bool reads = arguments.size() == 1;
            QTest::addRow("window runs: %s", qPrintable(arguments.join(' ')))
                << "window" << arguments << (reads ? 0 : 13) << (reads ? QString() : kLockText);
        }
    }

    void profileRulesAndExitCodes() {
        QFETCH(QString, setup);
        QFETCH(QStringList, arguments);
        std::unique_ptr<SingleInstance> window;
        QTemporaryDir outside;
        if (setup.contains("lost") || setup.contains("damaged")) {
            // An added profile becomes the current one, as in the window.
            QCOMPARE(ctl({"profile", "add", "Raid"}).code, 0);
            QVERIFY(setup.startsWith("current") || ctl({"profile", "switch", "Profile 1"}).code == 0);
            QVERIFY(m_tree->remove(kProfileDir + "Raid.prof"));
            if (setup.contains("damaged"))
                m_tree->setIniValue(kProfileDir + "Raid.prof", "PROFILE/pollrate", 999);
        } else if (setup == "full macros") {
            for (int slot = 0; slot < 50; ++slot)
                m_tree->setIniValue("Configs/Config.ini", QString("MACRO_LIST/%1").arg(slot),
                                    QString("M%1").arg(slot));
        } else if (setup == "window") {
            window = std::make_unique<SingleInstance>("Korvane M7 Wireless");
            QVERIFY(window->acquire());
        } else if (setup == "links file outside") {
            QVERIFY(QFile::rename(m_tree->file(kLinksFile), outside.filePath("Config.ini")) &&
                    QFile::link(outside.filePath("Config.ini"), m_tree->file(kLinksFile)));
        }
        QProcessEnvironment env;
        if (setup.startsWith("no access")) {
            env.insert("KORVANE_VIRTUAL_NO_ACCESS", "1");
            env.insert("KORVANE_UDEV_RULES_DIRS", m_tree->file("rules"));
            QVERIFY(QDir().mkpath(m_tree->file("rules")));
            QVERIFY(!setup.endsWith("rule installed") ||
                    writeFile(m_tree->file("rules/70-korvane-config.rules"), ""));
        }
        const QMap<QString, QByteArray> before = configFiles();
        const Run run = ctl(arguments, env);
        QFETCH(QString, message);
        QTEST(run.code, "code");
        QCOMPARE(run.err.trimmed(), message.replace('@', m_tree->path()));
        QCOMPARE(configFiles().keys(), before.keys());
        QCOMPARE(configFiles(), before);
    }

    // A korvanectl run holding the lock is named to korvanectl and to the window started meanwhile (the
    // window is named by the refusals above, and a second window ends without a word in the start-up
    // suite). A copy of sleep under korvanectl's name stands in for it, holding the lock as korvanectl does.
    void lockHolderIsNamed() {
        QVERIFY(QDir().mkpath(m_tree->file("holders")) &&
                QFile::copy("/bin/sleep", m_tree->file("holders/korvanectl")));
        QProcess holder;
        holder.start(m_tree->file("holders/korvanectl"), {"60"});
        QVERIFY(holder.waitForStarted());
        const QString pid = QString::number(holder.processId());
        // The lock is held as a holder holds it: the file stays locked while it is open.
        QFile lock(m_runtime->path() + "/" + SingleInstance::lockFileName("Korvane M7 Wireless"));
        QVERIFY(lock.open(QIODevice::WriteOnly) &&
                lock.write((pid + "\nkorvanectl\n" + QSysInfo::machineHostName() + "\n").toUtf8()) > 0 &&
                lock.flush() && ::flock(lock.handle(), LOCK_EX | LOCK_NB) == 0);
        const Run run = ctl({"profile", "add", "Raid"});
        QCOMPARE(run.code, 13);
        QCOMPARE(run.err.trimmed(), "Another korvanectl command (process " + pid +
                                        ") holds the mouse and the profiles; try again when it has ended.");
        QProcess window;
        start(window, "korvane-config", {"--virtual"});
        // The message box stays until answered; the same text goes to standard error first.
        window.setReadChannel(QProcess::StandardError);
        QTRY_VERIFY_WITH_TIMEOUT((window.waitForReadyRead(50), window.canReadLine()), 10000);
        QCOMPARE(QString::fromUtf8(window.readLine()).trimmed(),
                 "korvanectl (process " + pid +
                     ") is using the mouse and the profiles; start Korvane Config again when it has ended.");
        window.kill();
        window.waitForFinished();
        holder.kill();
        holder.waitForFinished();
    }

    // The same commands with and without the running window, each as its exit code, output and the reports
    // it made the mouse receive.
    QStringList runSequence(const QList<QStringList> &commands, const QProcessEnvironment &env,
                            const QString &tracePath) {
        QStringList outcomes;
        for (const QStringList &arguments : commands) {
            const qint64 offset = QFileInfo(tracePath).size();
            const Run run = ctl(arguments, env);
            outcomes << QString("%1 -> %2\n%3%4%5")
                            .arg(arguments.join(' '))
                            .arg(run.code)
                            .arg(run.out, run.err, writtenSince(tracePath, offset).join('\n'));
        }
        return outcomes;
    }

    // While the window runs (offscreen, on its virtual mouse) and answers on a session bus of the test's
    // own, status, the profile operations, apply and list give what they give without it, and the same
    // reports reach the mouse; what the window's service does not offer is refused, naming where the window
    // does it.
    void throughTheRunningWindow() {
        PrivateBus bus;
        QVERIFY2(bus.start(), "dbus-daemon did not start");
        const QProcessEnvironment env = vars({{"DBUS_SESSION_BUS_ADDRESS", bus.address}});
        QList<QStringList> commands; // each split at ','
        for (const char *command :
             {"--virtual,status", "--virtual,--json,status", "--virtual,--json,list", "profile,add,Raid",
              "profiles", "profile,switch,Profile 1", "--json,profile,switch,Raid", "profile,switch,Ghost",
              "--virtual,apply", "--virtual,--json,apply,Profile 1", "--virtual,--json,apply,Ghost",
              "--json,import,@in/Raid.prof", "export,@out.prof", "profile,rename,Raid,Sniper",
              "profile,delete,Sniper", "--json,profiles"})
            commands << QString(command).split(',');
        // A profile file of this mouse to import, outside the program's folders.
        const auto prepare = [this] {
            QVERIFY(QFile::copy(m_tree->file(kProfileDir + "Profile 1.prof"), m_tree->file("in/Raid.prof")));
        };
        prepare();
        QProcessEnvironment alone = env;
        alone.insert("KORVANE_HID_TRACE", m_tree->file("trace.txt"));
        const QStringList without = runSequence(commands, alone, m_tree->file("trace.txt"));

        init();
        prepare();
        QProcess window;
        window.setProcessChannelMode(QProcess::ForwardedChannels);
        start(window, "korvane-config", {"--virtual"},
              vars({{"DBUS_SESSION_BUS_ADDRESS", bus.address},
                    {"KORVANE_HID_TRACE", m_tree->file("trace.txt")}}));
        QVERIFY(window.waitForStarted());
        // Closed once the client and the interface below are gone, so that nothing of it outlives the test.
        const auto closeClient = qScopeGuard([] { QDBusConnection::disconnectFromBus("korvanectl-test"); });
        QDBusConnection client = QDBusConnection::connectToBus(bus.address, "korvanectl-test");
        QTRY_VERIFY_WITH_TIMEOUT(client.interface()->isServiceRegistered("io.github.korvane.KorvaneConfig"),
                                 15000);
        // The window reads the battery a moment after it starts; until then status answers as for a mouse
        // that does not answer.
        QTRY_COMPARE_WITH_TIMEOUT(ctl({"--virtual", "status"}, env).code, 0, 15000);
        const QStringList with = runSequence(commands, env, m_tree->file("trace.txt"));
        for (int i = 0; i < commands.size(); ++i)
            QCOMPARE(with.at(i), without.at(i));

        // A profile added here is in the window's own list at once.
        QCOMPARE(ctl({"profile", "add", "Scout"}, env).code, 0);
        // Read with plain calls: an interface object would introspect the window first.
        const auto property = [&client](const char *name) {
            QDBusMessage get = QDBusMessage::createMethodCall("io.github.korvane.KorvaneConfig",
                                                              "/io/github/korvane/KorvaneConfig",
                                                              "org.freedesktop.DBus.Properties", "Get");
            get << QString("io.github.korvane.KorvaneConfig1") << QString::fromLatin1(name);
            return client.call(get).arguments().value(0).value<QDBusVariant>().variant();
        };
        QVERIFY(property("Profiles").toStringList().contains("Scout"));
        QCOMPARE(property("CurrentProfile").toString(), QString("Scout"));

        // A name no profile file could have is refused by the window's own rule.
        QCOMPARE(ctl({"profile", "switch", ""}, env).code, 11);

        // What the window's service does not offer leaves every file as it was.
        const QMap<QString, QByteArray> before = configFiles();
        const std::pair<QStringList, const char *> refused[] = {
            {{"macros", "import", "@in/Jump.MSMACRO"}, "use IMPORT on its MACRO page"},
            {{"macros", "export", "Ghost", "@out.MSMACRO"}, "use EXPORT on its MACRO page"},
            {{"import", "@in/Partial.conf"}, "load the configuration from its window (LOAD1)"}};
        for (const auto &[arguments, way] : refused) {
            const Run run = ctl(arguments, env);
            QCOMPARE(run.code, 13);
            QCOMPARE(
                run.err.trimmed(),
                QString("Korvane Config is running: %1, or close it from its tray icon first.").arg(way));
        }
        QCOMPARE(configFiles(), before);
        // Without the session bus the window cannot be reached: it holds the mouse as before.
        const Run run = ctl({"--virtual", "status"}, vars({{"DBUS_SESSION_BUS_ADDRESS", "disabled:"}}));
        QVERIFY(run.code == 13 && run.err.trimmed() == kLockText);
        window.kill();
        window.waitForFinished();
    }

    // Config.ini names the profile being edited. When it cannot be written (here it is a link to a file
    // outside the configuration folder, which is never written through), an operation that would change
    // that name fails with exit 12 and is taken back whole: the files stay as they were.
    void slotStateThatCannotBeStoredIsUndone() {
        QVERIFY(ctl({"profile", "add", "Raid"}).code == 0 && ctl({"profile", "add", "Sniper"}).code == 0);
        QTemporaryDir outside;
        const QString config = m_tree->file("Configs/Config.ini");
        QVERIFY(QFile::rename(config, outside.filePath("Config.ini")) &&
                QFile::link(outside.filePath("Config.ini"), config));
        const QByteArray outsideBefore = readFile(outside.filePath("Config.ini"));
        // The list keeps its order and names; a name taken back may stay behind its count, unread.
        const QString list = m_tree->file("Configs/Korvane M7 Wireless/Config.ini");
        QMap<QString, QByteArray> before = configFiles();
        before.remove(list);
        const QJsonObject profilesBefore = json({"profiles"});
        for (const char *command :
             {"rename,Sniper,Ace", "switch,Raid", "delete,Sniper", "copy,Raid", "add,Scout"}) {
            const QStringList arguments = QStringList{"profile"} + QString(command).split(',');
            const Run run = ctl(arguments);
            QVERIFY2(run.code == 12, qPrintable(arguments.join(' ') + ": " + run.err));
            QCOMPARE(run.err.trimmed(), "The file " + config +
                                            " is a link to a place outside the configuration folder; it was "
                                            "not written.");
            QMap<QString, QByteArray> after = configFiles();
            after.remove(list);
            QCOMPARE(after, before);
            QCOMPARE(json({"profiles"}), profilesBefore);
        }
        QCOMPARE(readFile(outside.filePath("Config.ini")), outsideBefore);
        // A profile that is not current is renamed without touching Config.ini.
        QCOMPARE(ctl({"profile", "rename", "Raid", "Ace"}).code, 0);
    }

    // A slot beyond the five the mouse has is the first one; switching and applying then edit and send
    // the chosen profile's own file.
    void slotOutOfRange() {
        QVERIFY(ctl({"profile", "add", "Raid"}).code == 0 &&
                ctl({"profile", "switch", "Profile 1"}).code == 0);
        for (int slot : {7, 2}) {
            m_tree->setIniValue("Configs/Config.ini", "Config/ProfileID", slot);
            const Run run = ctl({"profile", "switch", "Raid"});
            QVERIFY2(run.code == 0, qPrintable(run.err));
            const QJsonObject profiles = json({"profiles"});
            QVERIFY(profiles["current"] == "Raid" &&
                    profiles["profiles"] == QJsonArray({"Profile 1", "Raid"}));
            QCOMPARE(ctl({"profile", "switch", "Profile 1"}).code, 0);
        }
        QSettings factory(m_tree->file(kProfileDir + "DefaultProfile.prof"), QSettings::IniFormat);
        QSettings raid(m_tree->file(kProfileDir + "Raid.prof"), QSettings::IniFormat);
        raid.setValue("PROFILE/scrollspeed", 17);
        raid.sync();
        QCOMPARE(ctl({"--virtual", "apply", "Raid"}).code, 0);
        QSettings first(m_tree->file(kProfileDir + "Profile 1.prof"), QSettings::IniFormat);
        QCOMPARE(first.value("PROFILE/scrollspeed"), factory.value("PROFILE/scrollspeed"));
    }

    // Links are added, replaced in place and removed, each change shown by "links" in text and JSON; a
    // renamed profile takes its links and the default along, a deleted one's go.
    void linksFollowTheirProfiles() {
        QCOMPARE(ctl({"profile", "add", "Raid"}).code, 0);
        QCOMPARE(ctl({"links"}).out,
                 QString("No program is linked to a profile.\nautomatic switching: on\n"));
        m_tree->setIniValue(kLinksFile, "LINKS/Default", "Raid");
        m_tree->setIniValue(kLinksFile, "LINKS/Automatic", false);
        const auto link = [](const char *program, const char *profile, bool focus) {
            return QJsonObject{{"program", program}, {"profile", profile}, {"focus", focus}};
        };
        const QJsonObject shooter = link("shooter", "Raid", false);
        const QJsonObject racer = link("/opt/games/racer", "Profile 1", true);
        // A path is kept as the running program's own, without "." and ".." steps.
        const std::tuple<QStringList, QJsonArray, QJsonValue> steps[] = {
            {{"links", "add", "shooter", "Raid"}, {shooter}, "Raid"},
            {{"links", "add", "--focus", "/opt/games/../games/./racer", "Profile 1"},
             {shooter, racer},
             "Raid"},
            {{"links", "add", "shooter", "Profile 1", "--focus"},
             {link("shooter", "Profile 1", true), racer},
             "Raid"},
            {{"links", "add", "shooter", "Raid"}, {shooter, racer}, "Raid"},
            {{"profile", "rename", "Raid", "Sniper"}, {link("shooter", "Sniper", false), racer}, "Sniper"},
            {{"links", "remove", "/opt/games//racer"}, {link("shooter", "Sniper", false)}, "Sniper"},
            {{"profile", "delete", "Sniper"}, {}, QJsonValue()},
        };
        for (const auto &[arguments, links, defaultProfile] : steps) {
            const QJsonObject done = json(arguments);
            const QJsonObject listed = json({"links"});
            QCOMPARE(listed["links"].toArray(), links);
            QCOMPARE(listed["default"], defaultProfile);
            QCOMPARE(listed["automatic"], QJsonValue(false));
            // A change prints the links as they are after it; a path where no program is yet is named.
            if (arguments.first() == "links")
                QCOMPARE(done["links"].toArray(), links);
            QCOMPARE(
                done["warning"].toString(),
                arguments.contains("/opt/games/../games/./racer")
                    ? QString("There is no program at /opt/games/racer yet; the link holds once it is there.")
                    : QString());
            if (arguments.last() == "Raid" && links.size() == 2)
                QCOMPARE(
                    ctl({"links"}).out,
                    QString("shooter  ->  Raid  (while it runs)\n/opt/games/racer  ->  Profile 1  (while its "
                            "window has focus)\ndefault profile: Raid\nautomatic switching: off\n"));
        }
        QCOMPARE(json({"links", "add", "games/shooter", "Profile 1"}, 10)["error"].toString(),
                 QString("\"games/shooter\" names no program: give the program's file name (without '/') or "
                         "its absolute path."));

        // The window class the window learnt for a program stays when its link is replaced.
        QCOMPARE(ctl({"links", "add", "shooter", "Profile 1"}).code, 0);
        m_tree->setIniValue(kLinksFile, "LINKS/Link/1/WindowClass", "ShooterGame");
        QCOMPARE(ctl({"links", "add", "shooter", "Profile 1", "--focus"}).code, 0);
        QSettings links(m_tree->file(kLinksFile), QSettings::IniFormat);
        QVERIFY(links.value("LINKS/Link/1/Focus").toBool());
        QCOMPARE(links.value("LINKS/Link/1/WindowClass").toString(), QString("ShooterGame"));
    }

    // Usage errors exit 10; with --json every outcome, help included, is one object carrying its exit code.
    void usageErrors_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        // Each row its arguments, split at ','.
        for (const char *usage :
             {"", "frobnicate", "profile,rename,Profile 1", "profile,frob,X", "macros,export,Jump",
              "status,now", "links,add,shooter", "links,add,bin/shooter,Profile 1",
              "links,add,/opt/games/,Profile 1", "links,move,shooter", "help,frobnicate"})
            QTest::addRow("%s", *usage ? usage : "nothing")
                << QString(usage).split(',', Qt::SkipEmptyParts) << 10;
        QTest::newRow("help") << QStringList{"help"} << 0;
        QTest::newRow("command help") << QStringList{"apply", "--help"} << 0;
    }

    void usageErrors() {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QTEST(ctl(arguments).code, "code");
        const Run run = ctl(QStringList{"--json"} + arguments);
        QVERIFY(run.code == code && run.err.isEmpty());
        QCOMPARE(run.out.count('\n'), 1);
        QJsonParseError error;
        const QJsonObject object = QJsonDocument::fromJson(run.out.toUtf8(), &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(object["exit"].toInt(-1), code);
        QCOMPARE(object.contains("error"), code != 0);
        if (code == 0)
            QVERIFY(object["usage"].toString().contains("apply [NAME]"));
    }
};

QTEST_GUILESS_MAIN(TestKorvaneCtl)
#include "test_korvanectl.moc"
