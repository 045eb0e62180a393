#include "device/battery_control.h"
#include "device/command_report.h"
#include "device/device_state.h"
#include "device/lighting_blocks.h"
#include "device/profile_write.h"
#include "device/result_code.h"
#include "device/sensor_dpi.h"
#include "storage/app_config_file.h"
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
            // stores in order: 0x04, 0x01, 0x02, 0x08, 0x10
            framed({0x05, 0, 0xFA, 0x40, 0xF3, 0x04}),
            framed({0x05, 0, 0xFA, 0x40, 0xF3, 0x01}),
            framed({0x05, 0, 0xFA, 0x40, 0xF3, 0x02}),
            framed({0x05, 0, 0xFA, 0x40, 0xF3, 0x08}),
            framed({0x05, 0, 0xFA, 0x40, 0xF3, 0x10}),
            framed({0x05, 0, 0xFA, 0x46, 1}),
        };
        // The lighting blocks come from the profile alone: their bytes are the lighting tests' business.
        const std::vector<CommandReport> lighting = lightingblocks::reports(sampleConfig().profile);
        for (std::size_t i = 0; i < lighting.size(); ++i)
            QVERIFY(mine.at(14 + i) == Bytes(lighting[i].begin(), lighting[i].end()));
        mine.erase(mine.begin() + 14, mine.begin() + 14 + lighting.size());
        QCOMPARE(hexLines(mine), hexLines(expected));
    }

    // Two macros on three buttons: their images go last, after the stores, and the bracket closes.
    void sampleWithMacros() {
        QCOMPARE(macrofile::saveMacroSteps("Burst", {ev(0x84, 4), ev(0x04, 4)}), FileResult::Ok);
        QCOMPARE(macrofile::saveMacroSteps("Reload", {ev(0x81, 1), ev(6, 30), ev(0x01, 1)}), FileResult::Ok);
        AppConfig config = sampleConfig();
        config.profile.buttons[3] = macroButton("Burst", 0, 3);
        config.profile.buttons[4] = macroButton("Reload", 2, 1);
        config.profile.buttons[5] = macroButton("Burst", 1, 1);
        QCOMPARE(int(writeProfile(config, writeflags::kWriteAll)), 0);
        QCOMPARE(m_h->sections(), (QVector<int>{0x46, 0x01, 0x03, 0x02, 0x04, 0x40, 0x05, 0x46}));
        QCOMPARE(m_h->mouse().closedBlocks(0x05), 1);
        QCOMPARE(m_h->mouse().memory(0x05, 200, 9), (Bytes{0x81, 1, 0, 6, 30, 0, 0x01, 1, 0}));
        QVERIFY(!m_h->mouse().bracketOpen());
    }

    // Write bracket, settings, button table, DPI stages, lighting, stores, macros, closing bracket: the
    // sections of the flags in this order. A failing report ends the write with the bracket open and the
    // reader stopped; a sleeping mouse, a record no file filled (it would take every click from the mouse),
    // too many macros and no mouse are refused or stopped before any harm.
    void outcomes_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("result");
        QTest::addColumn<QVector<int>>("codes");
        QTest::addColumn<int>("reader"); // 0 left alone, 1 stopped, 2 stopped and started after the write
        QTest::newRow("all") << "" << 15 << 0 << QVector<int>{0x46, 0x01, 0x03, 0x02, 0x04, 0x40, 0x46} << 2;
        QTest::newRow("none: no store") << "" << 0 << 0 << QVector<int>{0x46, 0x01, 0x46} << 2;
        QTest::newRow("DPI") << "" << 2 << 0 << QVector<int>{0x46, 0x01, 0x02, 0x40, 0x46} << 2;
        QTest::newRow("buttons") << "" << 4 << 0 << QVector<int>{0x46, 0x01, 0x03, 0x40, 0x46} << 2;
        QTest::newRow("lighting") << "" << 8 << 0 << QVector<int>{0x46, 0x01, 0x04, 0x40, 0x46} << 2;
        QTest::newRow("bit 0 alone still stores")
            << "" << 1 << 0 << QVector<int>{0x46, 0x01, 0x40, 0x46} << 2;
        QTest::newRow("settings block fails") << "fail 01" << 15 << 4 << QVector<int>{0x46, 0x01} << 1;
        QTest::newRow("DPI report fails")
            << "fail 02" << 15 << 4 << QVector<int>{0x46, 0x01, 0x03, 0x02} << 1;
        QTest::newRow("lighting fails")
            << "fail 04" << 15 << 4 << QVector<int>{0x46, 0x01, 0x03, 0x02, 0x04} << 1;
        QTest::newRow("store fails") << "fail 40" << 15 << 4
                                     << QVector<int>{0x46, 0x01, 0x03, 0x02, 0x04, 0x40} << 1;
        QTest::newRow("asleep: six brackets") << "asleep" << 15 << 5 << QVector<int>{0x46} << 1;
        QTest::newRow("never read") << "unfilled" << 15 << 7 << QVector<int>{} << 0;
        QTest::newRow("13 macros") << "macros" << 15 << 6 << QVector<int>{} << 2;
        QTest::newRow("no mouse") << "no mouse" << 15 << 1 << QVector<int>{} << 1;
    }

    void outcomes() {
        QFETCH(QString, fault);
        QFETCH(int, flags);
        QFETCH(int, reader);
        AppConfig config = sampleConfig();
        const int failCode = fault.startsWith("fail") ? fault.mid(5).toInt(nullptr, 16) : 0;
        m_h->failAfterFirst(failCode ? failCode : -1);
        m_h->mouse().setAsleep(fault == "asleep");
        config.profile.filled = fault != "unfilled";
        if (fault == "no mouse")
            MouseDevice::setInstance(nullptr);
        if (fault == "macros") {
            m_tree->setIniValue("DefaultProfile.bin", "PROFILE/ButtonCount", 16);
            for (int r = 0; r < 16; ++r)
                config.profile.buttons[r] =
                    r < 13 ? macroButton(QString("M%1").arg(r), 0, 1) : withFunction(1);
        }
        QTEST(int(writeProfile(config, flags)), "result");
        QTEST(m_h->sections(), "codes");
        QStringList calls = QStringList{"stop after 0", "start after %1"}.mid(0, reader);
        QCOMPARE(m_battery->calls, calls.replaceInStrings("%1", QString::number(m_h->written().size())));
        QCOMPARE(int(m_h->written().size()) == 6, fault == "asleep");
        if (failCode) {
            // The first report of the failing section is accepted, the next fails: nothing follows.
            QVERIFY(m_h->mouse().writeBrackets() == Bytes{0} && m_h->mouse().bracketOpen());
            QCOMPARE(m_h->mouse().closedBlocks(uint8_t(failCode == 0x40 ? 0x04 : failCode)),
                     failCode == 0x40);
            QVERIFY(DeviceState::instance().deviceCopy() == config);
        }
    }
};

QTEST_GUILESS_MAIN(TestProfileWrite)
#include "test_profile_write.moc"
