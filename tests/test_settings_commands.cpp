#include "device/device_state.h"
#include "device/dpi_stages.h"
#include "device/lighting_blocks.h"
#include "device/pointer_speed.h"
#include "device/result_code.h"
#include "device/settings_block.h"
#include "device/store_commands.h"
#include "platform/headless_pointer_settings.h"
#include "platform/linux/x11_pointer_settings.h"
#include "sim/settings_view.h"
#include "support/command_harness.h"

#include <QtTest>

namespace {

QStringList asHex(const std::vector<CommandReport> &reports) {
    Reports out;
    for (const CommandReport &r : reports)
        out.emplace_back(r.begin(), r.end());
    return hexLines(out);
}

} // namespace

class TestSettingsCommands : public QObject {
    Q_OBJECT
private slots:
    // The sensor byte is lift 2, then 0x40 for angle off, 0x20 for jitter off and 0x80 for sync, these only
    // on models with the sync options (syncMode 1). The stage colours go only when showDpiLed is 1. Lighting
    // entries past the mode table play mode 6.
    void settingsBlock_data() {
        QTest::addColumn<QVector<int>>("options"); // syncMode, sync, angle, jitter, showDpiLed, ledMode
        QTest::addColumn<int>("sensorByte");
        QTest::addColumn<int>("modeCode");
        QTest::newRow("with the stage colours") << QVector<int>{1, 1, 0, 1, 1, 11} << 0xC2 << 7;
        QTest::newRow("without the stage colours") << QVector<int>{1, 1, 0, 1, 0, 11} << 0xC2 << 7;
        QTest::newRow("colours only for 1") << QVector<int>{1, 1, 0, 1, 2, 11} << 0xC2 << 7;
        QTest::newRow("sync on, angle and jitter off") << QVector<int>{1, 1, 0, 0, 0, 14} << 0xE2 << 6;
        QTest::newRow("sync off, angle on, jitter off") << QVector<int>{1, 0, 1, 0, 0, 255} << 0x22 << 6;
        QTest::newRow("model without sync options") << QVector<int>{0, 1, 0, 0, 1, 0} << 0x02 << 1;
    }

    // Per-slot bytes: scroll 7, rate 3; profile 2, light off 0, sleep 5, debounce 4, mode 3 with wake,
    // stage 4. The virtual mouse reads the same hand-written reports back field by field.
    void settingsBlock() {
        QFETCH(QVector<int>, options);
        QFETCH(int, sensorByte);
        QFETCH(int, modeCode);
        AppConfig c;
        c.profileId = 2;
        c.liftHigh = 2;
        c.sync = uint8_t(options[1]);
        c.angleValue = uint8_t(options[2]);
        c.jitter = uint8_t(options[3]);
        c.debounce = 4;
        c.wake = 1;
        c.sensorMode = 3;
        c.profile.scrollSpeed = 7;
        c.profile.pollRate = 3;
        c.profile.ledSleepTime = 5;
        c.profile.dpiStage = 4;
        c.profile.ledMode = uint8_t(options[5]);
        for (int i = 0; i < ProfileData::kStageCount; ++i)
            c.profile.dpiStages[i].color = QColor(10 * i + 1, 10 * i + 2, 10 * i + 3);
        Reports expected = {
            framed({0x05, 0, 0xFA, 0x01, 0x00, 0x00, 19, 0xD1, 7, 7, 7,    7, 7,       sensorByte,
                    2,    0, 5,    4,    0x83, 3,    3,  3,    3, 3, 0x1F, 4, modeCode})};
        if (options[4] == 1)
            expected.push_back(
                framed({0x05, 0,  0xFA, 0x01, 0x13, 0x00, 24, 0xD2, 1,  2,  3,  11, 12, 13, 21, 22,
                        23,   31, 32,   33,   41,   42,   43, 51,   52, 53, 61, 62, 63, 71, 72, 73}));
        expected.push_back(framed({0x05, 0, 0xFA, 0x01, 0x7F, 0x00, 1, 0xD3, 0x1A}));
        QCOMPARE(asHex(settingsblock::reports(c, options[0], options[4])), hexLines(expected));

        VirtualMouse mouse(0x248A, 0x8373, 0x248A, 0xFB01);
        for (const Bytes &r : expected)
            mouse.handleReport(1, r.data(), r.size());
        const SettingsView view(mouse);
        const SettingsView::Settings &s = view.settings();
        QCOMPARE((QVector<int>{s.scrollSpeeds[4], s.sensorByte, s.profileId, s.ledMoveOff, s.ledSleepTime,
                               s.debounce, s.sensorMode, s.wake, s.pollRates[0], s.fixed, s.dpiStage,
                               s.ledModeCode, view.currentModeBlock()}),
                 (QVector<int>{7, sensorByte, 2, 0, 5, 4, 3, 1, 3, 0x1F, 4, modeCode, modeCode - 1}));
        QCOMPARE(view.stageColour(7), options[4] == 1 ? QColor(71, 72, 73) : QColor(0, 0, 0));
    }

    // Sensor 3360 keeps the encoding easy to follow: position - 1, range 0 up to 120. Stages past the
    // count go with used 0 and their encoded x and y; a count of 0 or past 8 sends 8.
    void dpiStages_data() {
        QTest::addColumn<int>("described");
        QTest::addColumn<int>("sent");
        QTest::newRow("count 0 sends 8") << 0 << 8;
        QTest::newRow("count 9 sends 8") << 9 << 8;
        QTest::newRow("count 4") << 4 << 4;
    }

    void dpiStages() {
        QFETCH(int, described);
        QFETCH(int, sent);
        ProfileData p;
        Reports expected{framed({0x05, 0, 0xFA, 0x02, 0x00, 0x00, 1, 0xD1, sent})};
        for (int i = 0; i < ProfileData::kStageCount; ++i) {
            p.dpiStages[i].used = 1;
            p.dpiStages[i].x = 10 + i;
            p.dpiStages[i].y = 20 + i;
            expected.push_back(
                framed({0x05, 0, 0xFA, 0x02, 1 + 5 * i, 0x00, 5, 0xD2, i < sent, 9 + i, 0, 19 + i, 0}));
        }
        expected.push_back(framed({0x05, 0, 0xFA, 0x02, 0x7F, 0x00, 1, 0xD3, 0x1A}));
        QCOMPARE(asHex(dpistages::reports(p, described, 3360, 0)), hexLines(expected));
    }

    // Entry e: colour (16e+1, 16e+2, 16e+3), bright 30+e, breath 50+e; entry 13's bright does not fit a
    // byte. The virtual mouse reads the hand-written blocks back.
    void lightingBlocksOfEveryEntry() {
        ProfileData p;
        for (int e = 0; e < ProfileData::kLedModeCount; ++e) {
            p.ledModes[e].color = QColor(16 * e + 1, 16 * e + 2, 16 * e + 3);
            p.ledModes[e].bright = 30 + e;
            p.ledModes[e].breath = 50 + e;
        }
        p.ledModes[13].bright = 256 + 43;
        const Reports expected = {
            framed({0x05, 0,    0xFA, 0x04, 0x00, 0x00, 24, 0xD1,                            // blocks 0 to 2
                    0x80, 0,    0,    0,    0,    0,    0,  0,                               // entry 0
                    0x80, 0x11, 0x12, 0x13, 1,    0,    2,  31,                              // entry 1
                    0x80, 0x21, 0x22, 0x23, 1,    52,   4,  3}),                             // entry 2
            framed({0x05, 0, 0xFA, 0x04, 0x18, 0x00, 24, 0xD2,                               // blocks 3 to 5
                    0x80, 0, 0,    0,    1,    53,   1,  3,                                  // entry 3
                    0x80, 0, 0,    0,    1,    54,   8,  34,                                 // entry 4
                    0x80, 0, 0,    0,    5,    59,   1,  39}),                               // entry 9
            framed({0x05, 0, 0xFA, 0x04, 0x30, 0x00, 24, 0xD2,                               // blocks 6 to 8
                    0x80, 0, 0,    0,    7,    0,    0,  41,                                 // entry 11
                    0x80, 0, 0,    0,    6,    60,   0,  40,                                 // entry 10
                    0x80, 0, 0,    0,    8,    62,   0,  42}),                               // entry 12
            framed({0x05, 0, 0xFA, 0x04, 0x48, 0x00, 8, 0xD2, 0x80, 0, 0, 0, 9, 63, 0, 43}), // entry 13
            framed({0x05, 0, 0xFA, 0x04, 0x7F, 0x00, 1, 0xD3, 0x1A}),
        };
        QCOMPARE(asHex(lightingblocks::reports(p)), hexLines(expected));

        VirtualMouse mouse(0x248A, 0x8373, 0x248A, 0xFB01);
        for (const Bytes &r : expected)
            mouse.handleReport(1, r.data(), r.size());
        const SettingsView::LightingBlock b = SettingsView(mouse).lightingBlock(1);
        QVERIFY(b.enabled && b.colour == QColor(0x11, 0x12, 0x13));
        QCOMPARE((QVector<int>{b.effect, b.speed, b.pattern, b.bright}), (QVector<int>{1, 0, 2, 31}));
        QCOMPARE(int(SettingsView(mouse).lightingBlock(9).bright), 43);
    }

    // The store order itself is in the profile write's byte vectors. A failing store ends the stores;
    // selecting a profile stores it and gives 1 whatever the mouse answers.
    void storeAndSelectProfile() {
        {
            CommandHarness h;
            QVERIFY(h.isOpen());
            h.failAfterFirst(0x40);
            QCOMPARE(int(storeAll()), int(kResultWriteError));
            QCOMPARE(h.mouse().storeCommands(), Bytes{0x04});
        }
        CommandHarness h;
        QCOMPARE(int(selectProfile(3)), 1);
        QCOMPARE(h.written(),
                 (Reports{framed({0x05, 0, 0xFA, 0x44, 3}), framed({0x05, 0, 0xFA, 0x40, 0xF3, 1})}));
        QCOMPARE(h.mouse().currentProfile(), 3);
        h.mouse().failWrites(2);
        QCOMPARE(int(selectProfile(0)), 1);
        QCOMPARE(h.mouse().currentProfile(), 3);
    }

    // Speeds 1 to 20 survive the trip through an X acceleration, others are clamped. Without an X display
    // the headless settings keep the device copy's speed; a profile without a speed leaves it alone.
    void pointerSpeed_data() {
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("kept");
        QTest::newRow("slowest") << 1 << 1;
        QTest::newRow("fastest") << 20 << 20;
        QTest::newRow("above range") << 35 << 20;
        QTest::newRow("none") << 0 << 0;
    }

    void pointerSpeed() {
        QFETCH(int, speed);
        QFETCH(int, kept);
        const X11PointerSettings::Acceleration a = X11PointerSettings::accelerationForSpeed(speed);
        QCOMPARE(X11PointerSettings::speedForAcceleration(a.numerator, a.denominator), kept ? kept : 1);
        // The X server's own default 2/1 reads as the default speed; a zero denominator as 1.
        QVERIFY(X11PointerSettings::speedForAcceleration(2, 1) == 10 &&
                X11PointerSettings::speedForAcceleration(1, 0) == 1);
        installPointerSettings(nullptr);
        auto *headless = dynamic_cast<HeadlessPointerSettings *>(&pointerSettings());
        QVERIFY(headless);
        QCOMPARE(readPointerSpeed(), int(PointerSettings::kDefaultSpeed));
        DeviceState::instance().deviceCopy().profile.mouseSpeed = uint8_t(speed);
        applyPointerSpeed();
        QVERIFY(headless->setCount() == (kept ? 1 : 0) && readPointerSpeed() == (kept ? kept : 10));
        installPointerSettings(nullptr);
        DeviceState::instance().reset();
    }
};

QTEST_GUILESS_MAIN(TestSettingsCommands)
#include "test_settings_commands.moc"
