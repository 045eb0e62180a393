#include "device/battery_request.h"
#include "device/battery_status.h"
#include "support/link_harness.h"

#include <QtTest>

class TestBatteryStatus : public QObject {
    Q_OBJECT
private slots:
    // Raw readings against the configured full mark, around the voltage bounds of each level: 4100 mV and
    // just below, full and just under, a lower full mark, 3502 mV (the 3499 bound passed), 3400 mV,
    // 3200 mV, 3196 mV and nothing.
    void levels() {
        const int rows[][3] = {{994, 4200, 90},  {993, 4200, 80}, {1019, 4200, 100}, {1018, 4200, 90},
                               {994, 4100, 100}, {849, 4200, 40}, {825, 4200, 30},   {776, 4200, 20},
                               {775, 4200, 10},  {0, 4200, 10}};
        for (const auto &[raw, full, level] : rows)
            QCOMPARE(QString("%1 of %2: %3").arg(raw).arg(full).arg(battery::level(raw, full)),
                     QString("%1 of %2: %3").arg(raw).arg(full).arg(level));
    }

    // Battery reports as the mouse sends them: voltage at 4..5 (low byte first), charge flag 6, write
    // status 7, capability 10; decoded as millivolts, level, charging, write status, capability, off.
    void decodeReport() {
        const QPair<const char *, const char *> rows[] = {
            {"05 00 fa 48 e2 03 00 01 00 00 07", "4100 90 0 1 7 0"},  // on battery
            {"05 00 fa 48 fb 03 02 00 00 00 07", "4203 100 1 0 7 0"}, // charging, settings differ
            {"05 00 fa 48 00 00 01 01 00 00 07", "0 10 1 1 7 0"},     // charging, no voltage
            {"05 00 fa 48 00 00 00 01 00 00 07", "0 10 0 1 7 1"}};    // off
        for (const auto &[hex, decoded] : rows) {
            const harness::Bytes bytes = harness::report(hex);
            CommandReport reply{};
            std::copy(bytes.begin(), bytes.end(), reply.begin());
            const BatteryReport d = battery::decodeReport(reply, 4200);
            QCOMPARE(QString::asprintf("%d %d %d %d %d %d", d.millivolts, d.level, d.charging, d.writeStatus,
                                       d.capability, d.off),
                     QString(decoded));
        }
    }

    // A reply is believed only whole and with a voltage one lithium-ion cell has (2.5 V to 4.5 V), or none:
    // a battery reply cut to 4 bytes is no mouse that is off, and random bytes are no 189,444 mV at 100 %.
    // A status report is believed only whole, with one of the eight stages and a rate code.
    void plausibleReports() {
        // The reply, the bytes read and whether it is believed.
        const std::tuple<const char *, int, bool> rows[] = {
            {"05 00 fa 48 e2 03 00 01", 33, true},  // 4100 mV
            {"05 00 fa 48 00 00 00 07", 33, true},  // off
            {"05 00 fa 48 00 00 01 01", 33, true},  // charging, not measured yet
            {"05 00 fa 48 5f 02 00 01", 33, true},  // 2503 mV
            {"05 00 fa 48 43 04 00 01", 33, true},  // 4500 mV
            {"05 00 fa 49 00 07 08 00", 33, true},  // status: stage 8 at 125 Hz
            {"05 00 fa 48", 4, false},              // cut short
            {"05 00 fa 48 e2 03 00 01", 32, false}, // one byte short
            {"05 00 fa 48 5e 02 00 01", 33, false}, // 2499 mV
            {"05 00 fa 48 44 04 00 01", 33, false}, // 4504 mV
            {"05 00 fa 48 66 b3 01 01", 33, false}, // 189,444 mV
            {"05 00 fa 49 00 08 01 00", 33, false}, // status: no ninth stage
            {"05 00 fa 49 00 02 03 00", 33, false}, // status: 3 is no rate code
            {"05 00 fa 49 00 02 01 00", 20, false}, // status cut short
        };
        for (const auto &[hex, length, believed] : rows) {
            const harness::Bytes bytes = harness::report(hex);
            CommandReport reply{};
            std::copy(bytes.begin(), bytes.end(), reply.begin());
            QVERIFY2((bytes[report::kCommand] == report::kCmdStatusReport
                          ? battery::isPlausibleStatus(reply, length)
                          : battery::isPlausibleReport(reply, length)) == believed,
                     hex);
        }
    }

    // The status request's wait: a failed read is a fault of its own (korvanectl's exit 2), not a mouse
    // that stays silent (exit 14); a battery report no cell gives is no valid answer (exit 2).
    void request() {
        const int rows[][5] = {// failed writes, failed reads, asleep, raw voltage, answer
                               {0, 0, 0, 960, int(BatteryAnswer::Received)},
                               {1, 0, 0, 960, int(BatteryAnswer::WriteFailed)},
                               {0, 1, 0, 960, int(BatteryAnswer::ReadFailed)},
                               {0, 0, 1, 960, int(BatteryAnswer::Silent)},
                               {0, 0, 0, 0xB366, int(BatteryAnswer::Invalid)}};
        for (const auto &[failedWrites, failedReads, asleep, raw, answer] : rows) {
            VirtualMouse mouse(0x248A, 0x8373, 0x248A, 0xFB01);
            const std::unique_ptr<MouseDevice> device = harness::openMouse(mouse);
            QVERIFY(device->commandHandle());
            mouse.setBattery({uint16_t(raw), 0, 1, 0});
            mouse.setAsleep(asleep);
            mouse.failWrites(failedWrites);
            mouse.failReads(failedReads);
            BatteryReport reading;
            QCOMPARE(int(requestBatteryReport(*device, reading, 300, 20)), answer);
            QCOMPARE(reading.off, answer != int(BatteryAnswer::Received));
        }
    }

    // Cable, receiver and charging give the state, whether the battery bar and the receiver picture show.
    void connectionStates() {
        const int rows[][6] = {{1, 0, 1, 0, 0, 0},  // cable only
                               {1, 1, 0, 1, 0, 1},  // cable and receiver
                               {0, 1, 1, 1, 0, 1},  // receiver charging
                               {0, 1, 0, 2, 1, 1},  // receiver on battery
                               {0, 0, 0, 3, 1, 0}}; // nothing
        for (const auto &r : rows) {
            const battery::ConnectionState state = battery::connectionState(r[0], r[1], r[2]);
            QCOMPARE((QVector<int>{int(state), battery::batteryBarShown(state),
                                   battery::receiverPictureShown(state)}),
                     (QVector<int>{r[3], r[4], r[5]}));
        }
    }
};

QTEST_GUILESS_MAIN(TestBatteryStatus)
#include "test_battery_status.moc"
