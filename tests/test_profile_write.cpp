#include "device/battery_control.h"
#include "device/command_report.h"
#include "device/device_state.h"
#include "device/profile_write.h"
#include "device/result_code.h"
#include "device/sensor_dpi.h"
#include "sim/button_view.h"
#include "sim/macro_view.h"
#include "sim/settings_view.h"
#include "storage/app_config_file.h"
#include "storage/button_matrix.h"
#include "storage/config_file.h"
#include "storage/macro_file.h"
#include "support/command_harness.h"
#include "support/test_tree.h"

#include <QtTest>

namespace {

// The battery reader's start and stop, with the number of reports written when each came.
class RecordingBatteryControl : public BatteryControl {
public:
    explicit RecordingBatteryControl(const CommandHarness &harness) : m_harness(harness) {}
    void stopBatteryThread() override { calls << QStringLiteral("stop after %1").arg(writes()); }
    void startBatteryThread() override { calls << QStringLiteral("start after %1").arg(writes()); }
    int writes() const { return int(m_harness.written().size()); }
    QStringList calls;

private:
    const CommandHarness &m_harness;
};

AppConfig sampleConfig() {
    AppConfig config;
    [&] { QCOMPARE(config::loadAppConfig(config), FileResult::Ok); }();
    return config;
}

} // namespace

class TestProfileWrite : public QObject {
    Q_OBJECT
    std::unique_ptr<TestTree> m_tree;
    std::unique_ptr<CommandHarness> m_h;
    std::unique_ptr<RecordingBatteryControl> m_battery;

private slots:
    void init() {
        m_tree = std::make_unique<TestTree>();
        QVERIFY(m_tree->isValid());
        m_h = std::make_unique<CommandHarness>();
        QVERIFY(m_h->isOpen());
        m_battery = std::make_unique<RecordingBatteryControl>(*m_h);
        BatteryControl::install(m_battery.get());
    }

    void cleanup() {
        BatteryControl::install(nullptr);
        m_battery.reset();
        m_h.reset();
        m_tree.reset();
    }

    // The shipped sample: sensor 3389, six stages described, sync options and stage colours on. The button
    // table and macros are the button packer's, checked in their own tests.
    void sampleProfileByteExact() {
        QCOMPARE(config::sensorType(), int(sensor::k3389));
        QCOMPARE(int(writeProfile(sampleConfig(), writeflags::kWriteAll)), 0);
        Reports mine;
        for (const Bytes &r : m_h->written()) {
            if (r[report::kCommand] != report::kCmdButtons && r[report::kCommand] != report::kCmdMacros)
                mine.push_back(r);
        }
        const Reports expected = {
            framed({0x05, 0, 0xFA, 0x46, 0}),
            // scroll 1 x5, sensor: lift 1 + angle off 0x40 + jitter off 0x20, profile 0, light stays on while
            // moving (255), sleep 1, debounce 8, sensor mode 1, rate 1 x5, 0x1F, stage 1, mode code 2
            framed({0x05, 0,    0xFA, 0x01, 0x00, 0x00, 19, 0xD1, 1, 1, 1,    1, 1, 0x61,
                    0,    0xFF, 1,    8,    1,    1,    1,  1,    1, 1, 0x1F, 1, 2}),
            // red, blue, magenta, yellow, green, cyan, red, red
            framed({0x05, 0,    0xFA, 0x01, 0x13, 0x00, 24, 0xD2, 0xFF, 0,    0,    0, 0, 0xFF, 0xFF, 0,
                    0xFF, 0xFF, 0xFF, 0,    0,    0xFF, 0,  0,    0xFF, 0xFF, 0xFF, 0, 0, 0xFF, 0,    0}),
            framed({0x05, 0, 0xFA, 0x01, 0x7F, 0x00, 1, 0xD3, 0x1A}),
            framed({0x05, 0, 0xFA, 0x02, 0x00, 0x00, 1, 0xD1, 6}),
            framed({0x05, 0, 0xFA, 0x02, 0x01, 0x00, 5, 0xD2, 1, 0x10, 0x00, 0x10, 0x00}),
            framed({0x05, 0, 0xFA, 0x02, 0x06, 0x00, 5, 0xD2, 1, 0x20, 0x00, 0x20, 0x00}),
            framed({0x05, 0, 0xFA, 0x02, 0x0B, 0x00, 5, 0xD2, 1, 0x30, 0x00, 0x30, 0x00}),
            framed({0x05, 0, 0xFA, 0x02, 0x10, 0x00, 5, 0xD2, 1, 0x40, 0x00, 0x40, 0x00}),
            framed({0x05, 0, 0xFA, 0x02, 0x15, 0x00, 5, 0xD2, 1, 0x80, 0x00, 0x80, 0x00}),
            framed({0x05, 0, 0xFA, 0x02, 0x1A, 0x00, 5, 0xD2, 1, 0x00, 0x01, 0x00, 0x01}),
            framed({0x05, 0, 0xFA, 0x02, 0x1F, 0x00, 5, 0xD2, 0, 0, 0, 0, 0}),
            framed({0x05, 0, 0xFA, 0x02, 0x24, 0x00, 5, 0xD2, 0, 0, 0, 0, 0}),
            framed({0x05, 0, 0xFA, 0x02, 0x7F, 0x00, 1, 0xD3, 0x1A}),
            // entry 1 orange (255, 125, 0), entry 2 yellow; bright and breath 3 everywhere
            framed({0x05, 0,    0xFA, 0x04, 0x00, 0x00, 24, 0xD1, 0x80, 0,    0,    0, 0, 0, 0, 0,
                    0x80, 0xFF, 0x7D, 0,    1,    0,    2,  3,    0x80, 0xFF, 0xFF, 0, 1, 3, 4, 3}),
            framed({0x05, 0, 0xFA, 0x04, 0x18, 0x00, 24, 0xD2, 0x80, 0, 0, 0, 1, 3, 1, 3,
                    0x80, 0, 0,    0,    1,    3,    8,  3,    0x80, 0, 0, 0, 5, 3, 1, 3}),
            framed({0x05, 0, 0xFA, 0x04, 0x30, 0x00, 24, 0xD2, 0x80, 0, 0, 0, 7, 0, 0, 3,
                    0x80, 0, 0,    0,    6,    3,    0,  3,    0x80, 0, 0, 0, 8, 3, 0, 3}),
            framed({0x05, 0, 0xFA, 0x04, 0x48, 0x00, 8, 0xD2, 0x80, 0, 0, 0, 9, 3, 0, 3}),
            framed({0x05, 0, 0xFA, 0x04, 0x7F, 0x00, 1, 0xD3, 0x1A}),
            // stores in order: 0x04, 0x01, 0x02, 0x08, 0x10
            framed({0x05, 0, 0xFA, 0x40, 0xF3, 0x04}),
            framed({0x05, 0, 0xFA, 0x40, 0xF3, 0x01}),
            framed({0x05, 0, 0xFA, 0x40, 0xF3, 0x02}),
            framed({0x05, 0, 0xFA, 0x40, 0xF3, 0x08}),
            framed({0x05, 0, 0xFA, 0x40, 0xF3, 0x10}),
            framed({0x05, 0, 0xFA, 0x46, 1}),
        };
        QCOMPARE(hexLines(mine), hexLines(expected));
    }

    // The sample with two macro buttons and a combo key: the mouse then holds every stage, the settings, the
    // lighting, every button and each macro; the battery reader was stopped for the whole write.
    void sampleProfileWithMacrosHeldByTheMouse() {
        const QVector<MacroStep> burst = {ev(0x84, 4), ev(0x04, 4), ev(0x84, 5), ev(0x04, 5), ev(0x84, 6)};
        const QVector<MacroStep> reload = {ev(0x81, 1), ev(6, 30), ev(0x01, 1), ev(2, 246)}; // own delay
        QCOMPARE(macrofile::saveMacroSteps("Burst", burst), FileResult::Ok);
        QCOMPARE(macrofile::saveMacroSteps("Reload", reload), FileResult::Ok);
        AppConfig config = sampleConfig();
        ProfileData &profile = config.profile;
        profile.buttons[3] = macroButton("Burst", 0, 3);
        profile.buttons[4] = macroButton("Reload", 2, 1);
        profile.buttons[6] = combo({0xE0, 0xE1, 0x04}); // Ctrl + Shift + A
        QCOMPARE(int(writeProfile(config, writeflags::kWriteAll)), 0);
        QCOMPARE(m_battery->calls,
                 (QStringList{"stop after 0", QStringLiteral("start after %1").arg(m_battery->writes())}));
        VirtualMouse &mouse = m_h->mouse();

        const SettingsView view(mouse);
        const int sensorId = config::sensorType();
        const int sampleDpi[] = {800, 1600, 2400, 3200, 6400, 12800, 0, 0};
        QCOMPARE(view.stageCount(), 6);
        for (int i = 0; i < ProfileData::kStageCount; ++i) {
            const SettingsView::Stage stage = view.stage(i, sensorId);
            const DpiStage &sent = profile.dpiStages[i];
            QCOMPARE((QVector<int>{stage.x, stage.y, stage.dpiX, stage.dpiY, stage.used}),
                     (QVector<int>{int(sent.x), int(sent.y), sampleDpi[i],
                                   positionToDpi(sensorId, int(sent.y)), i < 6 && sent.used}));
            QCOMPARE(view.stageColour(i), sent.color);
        }
        const SettingsView::Settings &s = view.settings();
        QCOMPARE((QVector<int>{s.profileId, s.dpiStage, s.ledMoveOff, s.ledSleepTime, s.debounce,
                               s.sensorMode, s.wake, s.pollRates[4], s.scrollSpeeds[4]}),
                 (QVector<int>{config.profileId, profile.dpiStage, profile.ledMoveOff, profile.ledSleepTime,
                               config.debounce, config.sensorMode, config.wake != 0, profile.pollRate,
                               profile.scrollSpeed}));
        QCOMPARE(int(s.ledModeCode), 2); // ledMode 1
        const SettingsView::LightingBlock mode = view.lightingBlock(view.currentModeBlock());
        QVERIFY(mode.enabled);
        QCOMPARE(mode.colour, profile.ledModes[1].color);
        QCOMPARE(int(mode.bright), int(profile.ledModes[1].bright));
        QCOMPARE(view.lightingBlock(2).colour, profile.ledModes[2].color);
        QCOMPARE(int(view.lightingBlock(2).speed), int(profile.ledModes[2].breath));

        const ButtonMatrix::Table &matrix = ButtonMatrix::instance().table();
        for (std::size_t r = 0; r < 7; ++r)
            QCOMPARE(decodeButtonSlot(mouse, matrix[r]).function, profile.buttons[r].function);
        QCOMPARE(decodeButtonSlot(mouse, 22).function, profile.buttons[40].function);
        QCOMPARE(decodeButtonSlot(mouse, 23).function, profile.buttons[41].function);
        QCOMPARE(decodeButtonSlot(mouse, 6).bytes, (ButtonEntry{0x8F, 0x03, 0x04, 0}));
        QCOMPARE(decodeButtonSlot(mouse, 3).bytes, (ButtonEntry{0x91, 0x00, 3, 0}));       // macro 0
        QCOMPARE(decodeButtonSlot(mouse, 4).bytes, (ButtonEntry{0x91, 0x41, 0xFF, 0xFF})); // macro 1
        QCOMPARE(decodeMacroEvents(mouse, 0),
                 (QVector<MacroStep>{burst[0], burst[1], burst[2], burst[3], kPause, burst[4], kPause}));
        QCOMPARE(decodeMacroEvents(mouse, 1), reload);
        QVERIFY(decodeMacroEvents(mouse, 2).isEmpty());

        QCOMPARE(m_h->sections(), (QVector<int>{0x46, 0x01, 0x03, 0x02, 0x04, 0x40, 0x05, 0x46}));
        QVERIFY(!mouse.bracketOpen());
    }

    // Write bracket, settings, button table, DPI stages, lighting, stores, macros, closing bracket: the
    // sections of the flags in this order (the full order with macros is in the test above).
    void sectionsFollowTheFlags_data() {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QVector<int>>("codes");
        QTest::newRow("all") << 15 << QVector<int>{0x46, 0x01, 0x03, 0x02, 0x04, 0x40, 0x46};
        QTest::newRow("none: no store") << 0 << QVector<int>{0x46, 0x01, 0x46};
        QTest::newRow("DPI") << 2 << QVector<int>{0x46, 0x01, 0x02, 0x40, 0x46};
        QTest::newRow("buttons") << 4 << QVector<int>{0x46, 0x01, 0x03, 0x40, 0x46};
        QTest::newRow("lighting") << 8 << QVector<int>{0x46, 0x01, 0x04, 0x40, 0x46};
        QTest::newRow("bit 0 alone still stores") << 1 << QVector<int>{0x46, 0x01, 0x40, 0x46};
    }

    void sectionsFollowTheFlags() {
        QFETCH(int, flags);
        QFETCH(QVector<int>, codes);
        QCOMPARE(int(writeProfile(sampleConfig(), flags)), 0);
        QCOMPARE(m_h->sections(), codes);
        QCOMPARE(m_battery->calls.size(), 2);
    }

    void failureEndsTheWrite_data() {
        QTest::addColumn<int>("failCode");
        QTest::addColumn<QVector<int>>("codes");
        QTest::newRow("settings block") << 0x01 << QVector<int>{0x46, 0x01};
        QTest::newRow("DPI report") << 0x02 << QVector<int>{0x46, 0x01, 0x03, 0x02};
        QTest::newRow("lighting") << 0x04 << QVector<int>{0x46, 0x01, 0x03, 0x02, 0x04};
        QTest::newRow("store") << 0x40 << QVector<int>{0x46, 0x01, 0x03, 0x02, 0x04, 0x40};
    }

    // The first report of the failing section is accepted, the next fails: nothing follows (no lighting,
    // store, macros or closing bracket after a DPI report), the bracket stays open, the reader stopped.
    void failureEndsTheWrite() {
        QFETCH(int, failCode);
        QFETCH(QVector<int>, codes);
        const AppConfig config = sampleConfig();
        m_h->failAfterFirst(failCode);
        QCOMPARE(int(writeProfile(config, writeflags::kWriteAll)), int(kResultWriteError));
        QCOMPARE(m_h->sections(), codes);
        QCOMPARE(m_h->mouse().writeBrackets(), Bytes{0});
        QVERIFY(m_h->mouse().bracketOpen());
        QCOMPARE(m_h->mouse().closedBlocks(static_cast<uint8_t>(failCode == 0x40 ? 0x04 : failCode)),
                 failCode == 0x40 ? 1 : 0);
        QCOMPARE(m_battery->calls, QStringList{"stop after 0"});
        QVERIFY(DeviceState::instance().deviceCopy() == config);
    }

    void refusedOrStoppedBeforeHarm_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("result");
        QTest::addColumn<QVector<int>>("codes");
        QTest::addColumn<QStringList>("reader");
        // A sleeping mouse: the opening bracket is written six times, never echoed, and nothing follows.
        QTest::newRow("asleep") << "asleep" << 5 << QVector<int>{0x46} << QStringList{"stop after 0"};
        // A record no file filled would take every click from the mouse.
        QTest::newRow("never read") << "unfilled" << 7 << QVector<int>{} << QStringList{};
        // Thirteen different macros: refused before the bracket opens, the reader goes on.
        QTest::newRow("13 macros") << "macros" << 6 << QVector<int>{}
                                   << QStringList{"stop after 0", "start after 0"};
    }

    void refusedOrStoppedBeforeHarm() {
        QFETCH(QString, fault);
        QFETCH(QVector<int>, codes);
        AppConfig config = sampleConfig();
        if (fault == "asleep")
            m_h->mouse().setAsleep(true);
        if (fault == "unfilled")
            config.profile.filled = false;
        if (fault == "macros") {
            m_tree->setIniValue("DefaultProfile.bin", "PROFILE/ButtonCount", 16);
            for (int r = 0; r < 16; ++r)
                config.profile.buttons[r] =
                    r < 13 ? macroButton(QString("M%1").arg(r), 0, 1) : withFunction(1);
        }
        QTEST(int(writeProfile(config, writeflags::kWriteAll)), "result");
        QCOMPARE(m_h->sections(), codes);
        QCOMPARE(int(m_h->written().size()), codes.isEmpty() ? 0 : 6);
        QTEST(m_battery->calls, "reader");
    }

    // Without an open mouse the first report gives 1 and the battery reader is not restarted.
    void noDeviceSendsNothing() {
        MouseDevice::setInstance(nullptr);
        QCOMPARE(int(writeProfile(sampleConfig(), writeflags::kWriteAll)), int(kResultNoDevice));
        QVERIFY(m_h->written().empty());
        QCOMPARE(m_battery->calls, QStringList{"stop after 0"});
    }
};

QTEST_GUILESS_MAIN(TestProfileWrite)
#include "test_profile_write.moc"
