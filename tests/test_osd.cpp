#include "osd/osd_window.h"
#include "platform/local_osd_messenger.h"
#include "platform/process_launcher.h"
#include "support/test_tree.h"

#include <QtEndian>
#include <QtTest>

class TestOsd : public QObject {
    Q_OBJECT
private slots:
    void recordLayout();
    void recordTextIsCutAndTerminated();
    void recordRoundTripAndSize();
    void missingOsdIsStartedFiveTimesThenDropped();
    void osdStartedOnDemandReceivesRecord();
    void secondOsdStepsAside();
    void launcherRefusesWhatCannotRun();

private:
    static QString uniqueName() {
        return QString("korvane-osd-test-%1").arg(QCoreApplication::applicationPid());
    }
};

void TestOsd::recordLayout() {
    OsdRecord record;
    record.text = "DPI 2:1600";
    record.color = OsdRecord::colorRef(255, 125, 0);
    const QByteArray data = record.encode();
    QCOMPARE(data.size(), 1044);
    QCOMPARE(data.mid(0, 6), QByteArray("D\0P\0I\0", 6));
    QCOMPARE(data.mid(20, 2), QByteArray(2, '\0'));
    QCOMPARE(qFromLittleEndian<quint32>(data.constData() + 512), 0u);
    QCOMPARE(qFromLittleEndian<quint32>(data.constData() + 516), 1500u);
    QCOMPARE(qFromLittleEndian<quint32>(data.constData() + 520), 0u);
    QCOMPARE(qFromLittleEndian<quint32>(data.constData() + 524), 0x00007DFFu);
    QCOMPARE(qFromLittleEndian<quint32>(data.constData() + 528), 60u);
    QCOMPARE(data.mid(532, 12), QByteArray("A\0r\0i\0a\0l\0\0\0", 12));
}

void TestOsd::recordTextIsCutAndTerminated() {
    OsdRecord record;
    record.text = QString(300, QChar(0x00E9));
    const QByteArray data = record.encode();
    QCOMPARE(qFromLittleEndian<quint16>(data.constData() + 2 * 254), quint16(0x00E9));
    QCOMPARE(qFromLittleEndian<quint16>(data.constData() + 2 * 255), quint16(0));
    OsdRecord back;
    QVERIFY(OsdRecord::decode(data, back));
    QCOMPARE(back.text.size(), 255);
}

void TestOsd::recordRoundTripAndSize() {
    OsdRecord record;
    record.text = "1000 HZ";
    record.displayMs = 2000;
    record.color = OsdRecord::colorRef(0, 255, 255);
    record.fontSize = 48;
    record.face = "DejaVu Sans";
    OsdRecord back;
    QVERIFY(OsdRecord::decode(record.encode(), back));
    QCOMPARE(back.text, record.text);
    QCOMPARE(back.displayMs, 2000u);
    QCOMPARE(back.color, 0x00FFFF00u);
    QCOMPARE(back.fontSize, 48u);
    QCOMPARE(back.face, record.face);
    QVERIFY(!OsdRecord::decode(record.encode().left(1043), back));
    QVERIFY(!OsdRecord::decode(record.encode() + "x", back));
}

void TestOsd::missingOsdIsStartedFiveTimesThenDropped() {
    LocalOsdMessenger messenger("/nowhere");
    messenger.setServerName(uniqueName() + "-absent");
    QStringList started;
    int paused = 0;
    messenger.setStarter([&](const QString &program) {
        started << program;
        return true;
    });
    messenger.setPause([&](int ms) { paused += ms; });
    OsdRecord record;
    record.text = "DPI 1:800";
    QVERIFY(!messenger.send(record));
    QCOMPARE(started.size(), 5);
    QCOMPARE(started.first(), QString("/nowhere/OSD.exe"));
    QCOMPARE(paused, 2500);
}

void TestOsd::osdStartedOnDemandReceivesRecord() {
    OsdWindow osd;
    LocalOsdMessenger messenger("/app");
    messenger.setServerName(uniqueName());
    int starts = 0;
    messenger.setStarter([&](const QString &) {
        if (++starts == 2)
            osd.listen(uniqueName());
        return true;
    });
    messenger.setPause([](int) {});
    QSignalSpy shown(&osd, &OsdWindow::recordShown);
    OsdRecord record;
    record.text = "500 HZ";
    record.color = OsdRecord::colorRef(255, 0, 0);
    QVERIFY(messenger.send(record));
    QCOMPARE(starts, 2);
    QTRY_COMPARE(shown.count(), 1);
    QCOMPARE(osd.current().text, QString("500 HZ"));
    saveShot(&osd, "osd");
    QVERIFY(osd.isVisible());
    QCOMPARE(osd.windowTitle(), QString("Wireless Mouse OSD"));
    QVERIFY(osd.windowFlags() & Qt::WindowStaysOnTopHint);
    // It goes away by itself after the record's display time.
    QTRY_VERIFY_WITH_TIMEOUT(!osd.isVisible(), 4000);
}

void TestOsd::secondOsdStepsAside() {
    OsdWindow first;
    QVERIFY(first.listen(uniqueName() + "-pair"));
    OsdWindow second;
    QVERIFY(!second.listen(uniqueName() + "-pair"));
}

void TestOsd::launcherRefusesWhatCannotRun() {
    QTemporaryDir dir;
    QCOMPARE(ProcessLauncher::checkProgram(dir.filePath("absent.exe")), Launcher::Missing);
    QFile windows(dir.filePath("Updater.exe"));
    QVERIFY(windows.open(QIODevice::WriteOnly));
    windows.write("MZ\x90\0");
    windows.close();
    windows.setPermissions(windows.permissions() | QFileDevice::ExeOwner);
    QCOMPARE(ProcessLauncher::checkProgram(windows.fileName()), Launcher::ForeignProgram);
    QFile script(dir.filePath("update.sh"));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nexit 0\n");
    script.close();
    QCOMPARE(ProcessLauncher::checkProgram(script.fileName()), Launcher::NotExecutable);
    ProcessLauncher launcher;
    QCOMPARE(launcher.startDetached(QStandardPaths::findExecutable("true")), Launcher::Started);
    QCOMPARE(launcher.startDetached(windows.fileName()), Launcher::ForeignProgram);
}

QTEST_MAIN(TestOsd)
#include "test_osd.moc"
