#include "osd/osd_window.h"
#include "platform/local_osd_messenger.h"
#include "platform/process_launcher.h"
#include "platform/single_instance.h"
#include "support/test_tree.h"

#include <QtEndian>
#include <QtTest>

class TestOsd : public QObject {
    Q_OBJECT
private slots:
    // Every field comes back; text longer than the record holds is cut to 255 characters and terminated. A
    // record the window could not show as asked is refused whole: one of another size, a text without its
    // terminating zero (it would come back cut), a display time beyond a minute (past an int the window
    // never hides) and a font size of 0 or above 512 pixels.
    void records() {
        const OsdRecord record{QString(300, QChar(0x00E9)), 2000, OsdRecord::colorRef(0, 255, 255), 48,
                               "DejaVu Serif"};
        const QByteArray good = record.encode();
        QCOMPARE(qFromLittleEndian<quint16>(good.constData() + 2 * 254), quint16(0x00E9));
        QCOMPARE(qFromLittleEndian<quint16>(good.constData() + 2 * 255), quint16(0));
        const std::optional<OsdRecord> back = OsdRecord::decode(good);
        QVERIFY(back && back->text == record.text.left(255) && back->face == record.face);
        QVERIFY(back->displayMs == 2000 && back->color == 0x00FFFF00 && back->fontSize == 48);
        // The record with one little-endian field replaced, byte by byte.
        const auto with = [&good](int offset, quint32 value) {
            QByteArray data = good;
            for (int i = 0; i < 4; ++i)
                data[offset + i] = char((value >> (8 * i)) & 0xFF);
            return data;
        };
        QByteArray endless = good;
        for (int i = 0; i < OsdRecord::kTextUnits; ++i)
            endless[2 * i] = 'x';
        QVERIFY(OsdRecord::decode(with(OsdRecord::kDisplayTimeOffset, 60000)) &&
                OsdRecord::decode(with(OsdRecord::kFontSizeOffset, 512)));
        for (const QByteArray &refused :
             {good.left(1043), good + "x", endless, with(OsdRecord::kDisplayTimeOffset, 60001),
              with(OsdRecord::kDisplayTimeOffset, 0xFFFFFFFF), with(OsdRecord::kFontSizeOffset, 0),
              with(OsdRecord::kFontSizeOffset, 513)})
            QVERIFY(!OsdRecord::decode(refused));
    }

    // Started five times, 500 ms apart, then dropped; the sender never waits for it, and a record sent
    // meanwhile takes the place of the one on its way.
    void missingOsdIsStartedFiveTimesThenDropped() {
        LocalOsdMessenger messenger("/nowhere");
        messenger.setServerName(
            QString("korvane-osd-test-%1-absent").arg(QCoreApplication::applicationPid()));
        QStringList started;
        messenger.setStarter([&](const QString &program) {
            started << program;
            return true;
        });
        QList<bool> first, second;
        QElapsedTimer clock;
        clock.start();
        messenger.send(OsdRecord{"DPI 1:800"}, [&](bool taken) { first << taken; });
        messenger.send(OsdRecord{"DPI 2:1600"}, [&](bool taken) { second << taken; });
        QVERIFY(clock.elapsed() < LocalOsdMessenger::kStartPauseMs && started.size() == 1);
        QTRY_COMPARE_WITH_TIMEOUT(second, QList<bool>{false}, 5000);
        QVERIFY(first.isEmpty() && started.size() == 5 && started.first() == "/nowhere/korvane-osd");
        QVERIFY(clock.elapsed() >= 5 * LocalOsdMessenger::kStartPauseMs);
    }

    // The socket lives in this user's runtime folder, open to this user only; a file that is no socket is
    // never removed to make room for it. Started on the second try, the OSD shows the record on top, then
    // hides; a second OSD steps aside.
    void osdStartedOnDemandShowsRecord() {
        QTemporaryDir runtime;
        QVERIFY(
            QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        const QString path = LocalOsdMessenger::defaultServerName();
        QCOMPARE(path, runtime.path() + "/Wireless Mouse OSD");
        QVERIFY(writeFile(path, "keep"));
        OsdWindow osd;
        QVERIFY(!osd.listen(path) && readFile(path) == "keep");
        QVERIFY(QFile::remove(path));

        LocalOsdMessenger messenger("/app");
        int starts = 0;
        messenger.setStarter([&](const QString &) { return ++starts != 2 || osd.listen(path); });
        messenger.setStartPause(1);
        QSignalSpy shown(&osd, &OsdWindow::recordShown);
        QList<bool> taken;
        messenger.send(OsdRecord{"500 HZ"}, [&](bool ok) { taken << ok; });
        QTRY_COMPARE(taken, QList<bool>{true});
        QCOMPARE(starts, 2);
        QCOMPARE(QFileInfo(path).permissions() &
                     (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup | QFile::WriteGroup),
                 QFile::Permissions());
        QTRY_COMPARE(shown.count(), 1);
        QCOMPARE(osd.current().text, QString("500 HZ"));
        saveShot(&osd, "osd");
        QVERIFY(osd.isVisible() && osd.windowFlags() & Qt::WindowStaysOnTopHint);
        OsdWindow second;
        QVERIFY(!second.listen(path));
        QTRY_VERIFY_WITH_TIMEOUT(!osd.isVisible(), 4000);
    }

    // The launcher starts only what can run here: not a missing file, another system's program or a script
    // without its executable bit.
    void launcherRefusesWhatCannotRun() {
        QTemporaryDir dir;
        const QString windows = dir.filePath("Updater.exe"), script = dir.filePath("update.sh");
        QCOMPARE(ProcessLauncher::checkProgram(windows), Launcher::Missing);
        QVERIFY(writeFile(windows, "MZ\x90") && writeFile(script, "#!/bin/sh\nexit 0\n"));
        QVERIFY(QFile::setPermissions(windows, QFile::permissions(windows) | QFileDevice::ExeOwner));
        QCOMPARE(ProcessLauncher::checkProgram(windows), Launcher::ForeignProgram);
        QCOMPARE(ProcessLauncher::checkProgram(script), Launcher::NotExecutable);
        ProcessLauncher launcher;
        QCOMPARE(launcher.startDetached(windows), Launcher::ForeignProgram);
        QCOMPARE(launcher.startDetached(QStandardPaths::findExecutable("true")), Launcher::Started);
    }

    // One holder per product and folder, free once it is gone; the product name becomes a safe file name.
    // A lock file no process holds is taken over: the empty one of a holder killed before it wrote its
    // name, and one naming a process id that a live program now has (this test's own).
    void singleInstance() {
        QTemporaryDir dir;
        {
            SingleInstance first("Korvane Test", dir.path());
            SingleInstance second("Korvane Test", dir.path());
            SingleInstance otherProduct("Other Mouse", dir.path());
            QVERIFY(first.acquire() && !second.acquire() && otherProduct.acquire());
        }
        QVERIFY(SingleInstance("Korvane Test", dir.path()).acquire());
        const QString lockFile = dir.path() + "/" + SingleInstance::lockFileName("Korvane Test");
        const QByteArray reused = QByteArray::number(QCoreApplication::applicationPid()) + "\n" +
                                  QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() +
                                  "\n" + QSysInfo::machineHostName().toUtf8() + "\n";
        for (const QByteArray &left : {QByteArray(), reused}) {
            QVERIFY(writeFile(lockFile, left));
            SingleInstance next("Korvane Test", dir.path());
            QVERIFY2(next.acquire(), left.constData());
            QCOMPARE(next.holder().pid, QCoreApplication::applicationPid());
        }
        const QString name = SingleInstance::lockFileName("../Mouse/X\\Y");
        QVERIFY(!name.contains('/') && !name.contains('\\') && name.endsWith(".korvane-config.lock"));
        QVERIFY(SingleInstance::lockFileName(QString()).startsWith('.'));
    }
};

QTEST_MAIN(TestOsd)
#include "test_osd.moc"
