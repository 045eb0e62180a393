#include "device/battery_status.h"

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
