#include "osd/osd_window.h"
#include "platform/local_osd_messenger.h"
#include "platform/process_launcher.h"
#include "platform/single_instance.h"
#include "support/test_tree.h"

#include <QtEndian>
#include <QtTest>

namespace {
QString uniqueName() {
    return QString("korvane-osd-test-%1").arg(QCoreApplication::applicationPid());
}
quint32 word(const QByteArray &data, int offset) {
    return qFromLittleEndian<quint32>(data.constData() + offset);
}
} // namespace

class TestOsd : public QObject {
    Q_OBJECT
private slots:
    // 1044 bytes: UTF-16 text at 0, then position, display time, a zero word, COLORREF and font size at
    // 512..528, the face name at 532.
    void recordLayout() {
        OsdRecord record;
        record.text = "DPI 2:1600";
        record.color = OsdRecord::colorRef(255, 125, 0);
        const QByteArray data = record.encode();
        QCOMPARE(data.size(), 1044);
        QVERIFY(data.startsWith(QByteArray("D\0P\0I\0", 6)) && data.mid(20, 2) == QByteArray(2, '\0'));
        QVERIFY(word(data, 512) == 0 && word(data, 516) == 1500 && word(data, 520) == 0);
        QVERIFY(word(data, 524) == 0x00007DFF && word(data, 528) == 60);
        QCOMPARE(data.mid(532, 24), QByteArray("D\0e\0j\0a\0V\0u\0 \0S\0a\0n\0s\0\0\0", 24));
    }

    // Every field comes back; text longer than the record holds is cut to 255 characters and terminated.
    void recordRoundTrip() {
        OsdRecord record;
        record.text = QString(300, QChar(0x00E9));
        record.displayMs = 2000;
        record.color = OsdRecord::colorRef(0, 255, 255);
        record.fontSize = 48;
        record.face = "DejaVu Serif";
        const QByteArray data = record.encode();
        QCOMPARE(qFromLittleEndian<quint16>(data.constData() + 2 * 254), quint16(0x00E9));
        QCOMPARE(qFromLittleEndian<quint16>(data.constData() + 2 * 255), quint16(0));
        OsdRecord back;
        QVERIFY(OsdRecord::decode(data, back));
        QCOMPARE(back.text, record.text.left(255));
        QVERIFY(back.displayMs == 2000 && back.color == 0x00FFFF00 && back.fontSize == 48);
        QCOMPARE(back.face, record.face);
        QVERIFY(!OsdRecord::decode(data.left(1043), back) && !OsdRecord::decode(data + "x", back));
    }

    void missingOsdIsStartedFiveTimesThenDropped() {
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
        QVERIFY(started.size() == 5 && started.first() == "/nowhere/korvane-osd" && paused == 2500);
    }

    // Started on the second try, the OSD shows the record on top and hides after its display time; a second
    // OSD steps aside.
    void osdStartedOnDemandShowsRecord() {
        OsdWindow osd;
        LocalOsdMessenger messenger("/app");
        messenger.setServerName(uniqueName());
        int starts = 0;
        messenger.setStarter([&](const QString &) { return ++starts != 2 || osd.listen(uniqueName()); });
        messenger.setPause([](int) {});
        QSignalSpy shown(&osd, &OsdWindow::recordShown);
        OsdRecord record;
        record.text = "500 HZ";
        QVERIFY(messenger.send(record));
        QCOMPARE(starts, 2);
        QTRY_COMPARE(shown.count(), 1);
        QCOMPARE(osd.current().text, QString("500 HZ"));
        saveShot(&osd, "osd");
        QVERIFY(osd.isVisible() && osd.windowTitle() == "Wireless Mouse OSD");
        QVERIFY(osd.windowFlags() & Qt::WindowStaysOnTopHint);
        OsdWindow second;
        QVERIFY(!second.listen(uniqueName()));
        QTRY_VERIFY_WITH_TIMEOUT(!osd.isVisible(), 4000);
    }

    void launcherRefusesWhatCannotRun() {
        QTemporaryDir dir;
        const QString windows = dir.filePath("Updater.exe"), script = dir.filePath("update.sh");
        QCOMPARE(ProcessLauncher::checkProgram(windows), Launcher::Missing);
        for (const QString &path : {windows, script}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) &&
                    file.write(path == windows ? "MZ\x90" : "#!/bin/sh\nexit 0\n") > 0);
        }
        QVERIFY(QFile::setPermissions(windows, QFile::permissions(windows) | QFileDevice::ExeOwner));
        QCOMPARE(ProcessLauncher::checkProgram(windows), Launcher::ForeignProgram);
        QCOMPARE(ProcessLauncher::checkProgram(script), Launcher::NotExecutable);
        ProcessLauncher launcher;
        QCOMPARE(launcher.startDetached(windows), Launcher::ForeignProgram);
        QCOMPARE(launcher.startDetached(QStandardPaths::findExecutable("true")), Launcher::Started);
    }

    // One holder per product and lock folder, free again once its holder is gone; the product name becomes
    // a safe file name. A lock left by a killed process is proved with the real program in test_startup.
    void singleInstance() {
        QTemporaryDir dir;
        {
            SingleInstance first("Korvane Test", dir.path());
            SingleInstance second("Korvane Test", dir.path());
            SingleInstance otherProduct("Other Mouse", dir.path());
            QVERIFY(first.acquire() && !second.acquire() && otherProduct.acquire());
        }
        QVERIFY(SingleInstance("Korvane Test", dir.path()).acquire());
        const QString name = SingleInstance::lockFileName("../Mouse/X\\Y");
        QVERIFY(!name.contains('/') && !name.contains('\\') && name.endsWith(".korvane-config.lock"));
        QVERIFY(SingleInstance::lockFileName(QString()).startsWith('.'));
    }
};

QTEST_MAIN(TestOsd)
#include "test_osd.moc"
