#include "device/battery_request.h"
#include "device/battery_status.h"
#include "support/link_harness.h"

#include <QtTest>

class TestBatteryStatus : public QObject {
    Q_OBJECT
private slots:
    // Raw readings against the configured full mark, around the voltage bounds of each level.
    void levels_data() {
        QTest::addColumn<int>("raw");
        QTest::addColumn<int>("full");
        QTest::addColumn<int>("level");
        QTest::newRow("4100 mV") << 994 << 4200 << 90;
        QTest::newRow("just below 4100") << 993 << 4200 << 80;
        QTest::newRow("3196 mV") << 775 << 4200 << 10;
        QTest::newRow("at full") << 1019 << 4200 << 100;
        QTest::newRow("just under full") << 1018 << 4200 << 90;
        QTest::newRow("lower full mark") << 994 << 4100 << 100;
        QTest::newRow("3500 mV bound") << 849 << 4200 << 40; // 3502 mV, the 3499 bound passed
        QTest::newRow("3400 mV") << 825 << 4200 << 30;
        QTest::newRow("3200 mV") << 776 << 4200 << 20;
        QTest::newRow("zero") << 0 << 4200 << 10;
    }
    void levels() {
        QFETCH(int, raw);
        QFETCH(int, full);
        QTEST(battery::level(raw, full), "level");
    }

    // Battery reports as the mouse sends them: voltage at 4..5 (low byte first), charge flag 6, write
    // status 7, capability 10.
    void decodeReport_data() {
        QTest::addColumn<QByteArray>("hex");
        QTest::addColumn<int>("millivolts");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("charging");
        QTest::addColumn<int>("writeStatus");
        QTest::addColumn<bool>("off");
        QTest::newRow("on battery") << QByteArray("05 00 fa 48 e2 03 00 01 00 00 07") << 4100 << 90 << false
                                    << 1 << false;
        QTest::newRow("charging, settings differ")
            << QByteArray("05 00 fa 48 fb 03 02 00 00 00 07") << 4203 << 100 << true << 0 << false;
        QTest::newRow("charging, no voltage")
            << QByteArray("05 00 fa 48 00 00 01 01 00 00 07") << 0 << 10 << true << 1 << false;
        QTest::newRow("off") << QByteArray("05 00 fa 48 00 00 00 01 00 00 07") << 0 << 10 << false << 1
                             << true;
    }
    void decodeReport() {
        QFETCH(QByteArray, hex);
        const harness::Bytes bytes = harness::report(hex.constData());
        CommandReport reply{};
        std::copy(bytes.begin(), bytes.end(), reply.begin());
        const BatteryReport decoded = battery::decodeReport(reply, 4200);
        QTEST(decoded.millivolts, "millivolts");
        QTEST(decoded.level, "level");
        QTEST(decoded.charging, "charging");
        QTEST(int(decoded.writeStatus), "writeStatus");
        QCOMPARE(int(decoded.capability), 7);
        QTEST(decoded.off, "off");
    }

    // The status request's wait: a failed read is a fault of its own (korvanectl's exit 2), not a mouse
    // that stays silent (exit 14).
    void request_data() {
        QTest::addColumn<int>("failedWrites");
        QTest::addColumn<int>("failedReads");
        QTest::addColumn<bool>("asleep");
        QTest::addColumn<int>("answer");
        QTest::newRow("answers") << 0 << 0 << false << int(BatteryAnswer::Received);
        QTest::newRow("write fails") << 1 << 0 << false << int(BatteryAnswer::WriteFailed);
        QTest::newRow("read fails") << 0 << 1 << false << int(BatteryAnswer::ReadFailed);
        QTest::newRow("asleep") << 0 << 0 << true << int(BatteryAnswer::Silent);
    }
    void request() {
        QFETCH(int, failedWrites);
        QFETCH(int, failedReads);
        QFETCH(bool, asleep);
        VirtualMouse mouse(0x248A, 0x8373, 0x248A, 0xFB01);
        const std::unique_ptr<MouseDevice> device = harness::openMouse(mouse);
        QVERIFY(device->commandHandle());
        mouse.setAsleep(asleep);
        mouse.failWrites(failedWrites);
        mouse.failReads(failedReads);
        BatteryReport reading;
        QTEST(int(requestBatteryReport(*device, reading, 300, 20)), "answer");
        QCOMPARE(reading.off, failedWrites + failedReads != 0 || asleep);
    }

    void connectionStates_data() {
        QTest::addColumn<bool>("cable");
        QTest::addColumn<bool>("receiver");
        QTest::addColumn<bool>("charging");
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("bar");
        QTest::addColumn<bool>("receiverPicture");
        QTest::newRow("cable only") << true << false << true << 0 << false << false;
        QTest::newRow("cable and receiver") << true << true << false << 1 << false << true;
        QTest::newRow("receiver charging") << false << true << true << 1 << false << true;
        QTest::newRow("receiver on battery") << false << true << false << 2 << true << true;
        QTest::newRow("nothing") << false << false << false << 3 << true << false;
    }
    void connectionStates() {
        QFETCH(bool, cable);
        QFETCH(bool, receiver);
        QFETCH(bool, charging);
        const battery::ConnectionState state = battery::connectionState(cable, receiver, charging);
        QTEST(int(state), "state");
        QTEST(battery::batteryBarShown(state), "bar");
        QTEST(battery::receiverPictureShown(state), "receiverPicture");
    }
};

QTEST_GUILESS_MAIN(TestBatteryStatus)
#include "test_battery_status.moc"
