#include "device/battery_control.h"
#include "device/command_report.h"
#include "device/device_state.h"
#include "device/link_hooks.h"
#include "device/mouse_device.h"
#include "device/profile_write.h"
#include "device/result_code.h"
#include "device/sensor_dpi.h"
#include "sim/settings_view.h"
#include "sim/virtual_mouse.h"
#include "storage/app_config_file.h"
#include "storage/config_file.h"
#include "support/test_tree.h"

#include <QtTest>
#include <cstring>

namespace {

using Bytes = std::vector<uint8_t>;
using Reports = std::vector<Bytes>;

Bytes framed(std::initializer_list<int> values) {
    Bytes r(report::kSize, 0);
    std::size_t i = 0;
    for (int v : values)
        r[i++] = static_cast<uint8_t>(v);
    r[report::kChecksum] = report::checksum(r.data());
    return r;
}

// The battery reader's start and stop, with the number of reports written when each came.
class RecordingBatteryControl : public BatteryControl {
public:
    explicit RecordingBatteryControl(const VirtualMouse *&mouse) : m_mouse(mouse) {}
    void stopBatteryThread() override { calls << QStringLiteral("stop after %1").arg(writes()); }
    void startBatteryThread() override { calls << QStringLiteral("start after %1").arg(writes()); }
    QStringList calls;

private:
    int writes() const {
        int n = 0;
        for (const auto &r : m_mouse->records())
            n += r.direction == VirtualMouse::Direction::Written;
        return n;
    }
    const VirtualMouse *&m_mouse;
};

// Section order of a profile write; button table (0x03) and macros (0x05) come from the button packer.
enum Section { kOpen, kSettings, kButtons, kDpi, kLighting, kStore, kMacros, kClose };

} // namespace

class TestProfileWrite : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void sampleProfileByteExact();
    void sampleProfileHeldByTheMouse();
    void sectionsFollowTheFlags_data();
    void sectionsFollowTheFlags();
    void failureEndsTheWrite_data();
    void failureEndsTheWrite();
    void noDeviceSendsNothing();

private:
    Reports written() const;
    // Command codes of the written reports, each run of one code counted once.
    QVector<int> sections() const;
    AppConfig sampleConfig();

    std::unique_ptr<TestTree> m_tree;
    std::unique_ptr<VirtualMouse> m_mouse;
    std::unique_ptr<MouseDevice> m_device;
    const VirtualMouse *m_mousePointer = nullptr;
    std::unique_ptr<RecordingBatteryControl> m_battery;
    int m_failCode = -1;
};

void TestProfileWrite::init() {
    m_tree = std::make_unique<TestTree>();
    QVERIFY(m_tree->isValid());
    m_failCode = -1;
    // Each write is followed by one pause: once the first report of the failing code went out, every
    // later write fails.
    devicelink::setPauseFunction([this](int) {
        const auto records = m_mouse->records();
        if (!records.empty() && records.back().direction == VirtualMouse::Direction::Written &&
            records.back().bytes[report::kCommand] == m_failCode)
            m_mouse->failWrites(1000);
    });
    m_mouse = std::make_unique<VirtualMouse>(0x248A, 0x8373, 0x248A, 0xFB01);
    m_mousePointer = m_mouse.get();
    m_device = std::make_unique<MouseDevice>(*m_mouse);
    DeviceEntry &entry = m_device->table().entries[0];
    entry.vendorId = {0x248A, 0x248A};
    entry.productId = {0x8373, 0xFB01};
    entry.criteria = {{{2, 1}, {0, 1}, {2, 1}, {0, 1}}};
    std::strcpy(entry.name.data(), "Mouse");
    m_device->table().count = 1;
    m_device->enumerateDevices();
    m_device->openByName("Mouse");
    QVERIFY(m_device->commandHandle());
    MouseDevice::setInstance(m_device.get());
    DeviceState::instance().reset();
    m_battery = std::make_unique<RecordingBatteryControl>(m_mousePointer);
    BatteryControl::install(m_battery.get());
}

void TestProfileWrite::cleanup() {
    BatteryControl::install(nullptr);
    m_battery.reset();
    MouseDevice::setInstance(nullptr);
    m_device.reset();
    m_mouse.reset();
    devicelink::setPauseFunction({});
    DeviceState::instance().reset();
    m_tree.reset();
}

Reports TestProfileWrite::written() const {
    Reports out;
    for (const auto &r : m_mouse->records()) {
        if (r.direction == VirtualMouse::Direction::Written)
            out.push_back(r.bytes);
    }
    return out;
}

QVector<int> TestProfileWrite::sections() const {
    QVector<int> out;
    for (const Bytes &r : written()) {
        const int code = r[report::kCommand];
        if (out.isEmpty() || out.back() != code)
            out << code;
    }
    return out;
}

AppConfig TestProfileWrite::sampleConfig() {
    AppConfig config;
    [&] { QCOMPARE(config::loadAppConfig(config), FileResult::Ok); }();
    return config;
}

// The shipped sample: sensor 3389, six stages described, sync options and stage colours on.
void TestProfileWrite::sampleProfileByteExact() {
    QCOMPARE(config::sensorType(), int(sensor::k3389));
    const AppConfig config = sampleConfig();
    QCOMPARE(int(writeProfile(config, writeflags::kWriteAll)), 0);

    Reports mine;
    for (const Bytes &r : written()) {
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
        framed({0x05, 0, 0xFA, 0x40, 0xF3, 0x04}),
        framed({0x05, 0, 0xFA, 0x40, 0xF3, 0x01}),
        framed({0x05, 0, 0xFA, 0x40, 0xF3, 0x02}),
        framed({0x05, 0, 0xFA, 0x40, 0xF3, 0x08}),
        framed({0x05, 0, 0xFA, 0x40, 0xF3, 0x10}),
        framed({0x05, 0, 0xFA, 0x46, 1}),
    };
    QCOMPARE(int(mine.size()), int(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i)
        QVERIFY2(mine[i] == expected[i], qPrintable(QStringLiteral("report %1").arg(i)));
}

// After the write the mouse holds the profile: every stage's resolution and colour, the lighting mode with
// its colour, the settings, the stores and a closed bracket.
void TestProfileWrite::sampleProfileHeldByTheMouse() {
    const AppConfig config = sampleConfig();
    const ProfileData &profile = config.profile;
    QCOMPARE(int(writeProfile(config, writeflags::kWriteAll)), 0);
    QVERIFY(DeviceState::instance().deviceCopy() == config);
    QCOMPARE(m_battery->calls,
             (QStringList{"stop after 0", QStringLiteral("start after %1").arg(written().size())}));

    const SettingsView view(*m_mouse);
    const int sensorId = config::sensorType();
    const int sampleDpi[] = {800, 1600, 2400, 3200, 6400, 12800, 0, 0};
    QCOMPARE(view.stageCount(), 6);
    for (int i = 0; i < ProfileData::kStageCount; ++i) {
        const SettingsView::Stage stage = view.stage(i, sensorId);
        QCOMPARE(stage.x, int(profile.dpiStages[i].x));
        QCOMPARE(stage.y, int(profile.dpiStages[i].y));
        QCOMPARE(stage.dpiX, sampleDpi[i]);
        QCOMPARE(stage.dpiY, positionToDpi(sensorId, int(profile.dpiStages[i].y)));
        QCOMPARE(stage.used, i < 6 && profile.dpiStages[i].used);
        QCOMPARE(view.stageColour(i), profile.dpiStages[i].color);
    }

    const SettingsView::Settings &s = view.settings();
    QCOMPARE(int(s.profileId), int(config.profileId));
    QCOMPARE(int(s.dpiStage), int(profile.dpiStage));
    QCOMPARE(int(s.ledMoveOff), int(profile.ledMoveOff));
    QCOMPARE(int(s.ledSleepTime), int(profile.ledSleepTime));
    QCOMPARE(int(s.debounce), int(config.debounce));
    QCOMPARE(int(s.sensorMode), int(config.sensorMode));
    QCOMPARE(s.wake, config.wake != 0);
    QCOMPARE(int(s.fixed), 0x1F);
    for (int slot = 0; slot < SettingsView::kProfileSlots; ++slot) {
        QCOMPARE(int(s.pollRates[slot]), int(profile.pollRate));
        QCOMPARE(int(s.scrollSpeeds[slot]), int(profile.scrollSpeed));
    }

    QCOMPARE(int(profile.ledMode), 1);
    QCOMPARE(int(s.ledModeCode), 2);
    const SettingsView::LightingBlock mode = view.lightingBlock(view.currentModeBlock());
    QVERIFY(mode.enabled);
    QCOMPARE(mode.colour, profile.ledModes[1].color);
    QCOMPARE(int(mode.bright), int(profile.ledModes[1].bright));
    QCOMPARE(view.lightingBlock(2).colour, profile.ledModes[2].color);
    QCOMPARE(int(view.lightingBlock(2).speed), int(profile.ledModes[2].breath));

    QCOMPARE(m_mouse->storeCommands(), (Bytes{0x04, 0x01, 0x02, 0x08, 0x10}));
    QCOMPARE(m_mouse->writeBrackets(), (Bytes{0, 1}));
    QVERIFY(!m_mouse->bracketOpen());
    for (uint8_t code : {report::kCmdSettings, report::kCmdDpiStages, report::kCmdLighting})
        QCOMPARE(m_mouse->closedBlocks(code), 1);
}

void TestProfileWrite::sectionsFollowTheFlags_data() {
    QTest::addColumn<int>("flags");
    QTest::addColumn<QVector<int>>("codes");
    QTest::newRow("all") << 15 << QVector<int>{0x46, 0x01, 0x02, 0x04, 0x40, 0x46};
    QTest::newRow("none: no store") << 0 << QVector<int>{0x46, 0x01, 0x46};
    QTest::newRow("DPI") << 2 << QVector<int>{0x46, 0x01, 0x02, 0x40, 0x46};
    QTest::newRow("buttons") << 4 << QVector<int>{0x46, 0x01, 0x40, 0x46};
    QTest::newRow("lighting") << 8 << QVector<int>{0x46, 0x01, 0x04, 0x40, 0x46};
    QTest::newRow("DPI and lighting") << 10 << QVector<int>{0x46, 0x01, 0x02, 0x04, 0x40, 0x46};
    QTest::newRow("bit 0 alone still stores") << 1 << QVector<int>{0x46, 0x01, 0x40, 0x46};
}

// The button table and macro images are the button packer's; wherever they appear they must keep their
// place between the settings block and the DPI stages, and between the stores and the closing bracket.
void TestProfileWrite::sectionsFollowTheFlags() {
    QFETCH(int, flags);
    QFETCH(QVector<int>, codes);
    QCOMPARE(int(writeProfile(sampleConfig(), flags)), 0);
    const QVector<int> all = sections();
    QVector<int> mine;
    int rank = kOpen;
    for (int code : all) {
        const int section = code == 0x46   ? (mine.isEmpty() ? kOpen : kClose)
                            : code == 0x01 ? kSettings
                            : code == 0x03 ? kButtons
                            : code == 0x02 ? kDpi
                            : code == 0x04 ? kLighting
                            : code == 0x40 ? kStore
                                           : kMacros;
        QVERIFY2(section >= rank, qPrintable(QStringLiteral("code %1 out of order").arg(code, 0, 16)));
        rank = section;
        if (code == 0x03)
            QVERIFY(flags & writeflags::kButtons);
        if (code != 0x03 && code != 0x05)
            mine << code;
    }
    QCOMPARE(mine, codes);
    QCOMPARE(m_battery->calls.size(), 2);
}

void TestProfileWrite::failureEndsTheWrite_data() {
    QTest::addColumn<int>("failCode");
    QTest::addColumn<QVector<int>>("codes");
    QTest::newRow("settings block") << 0x01 << QVector<int>{0x46, 0x01};
    QTest::newRow("DPI report") << 0x02 << QVector<int>{0x46, 0x01, 0x02};
    QTest::newRow("lighting") << 0x04 << QVector<int>{0x46, 0x01, 0x02, 0x04};
    QTest::newRow("store") << 0x40 << QVector<int>{0x46, 0x01, 0x02, 0x04, 0x40};
}

// The first report of the failing section is accepted, the next one fails: nothing after it is sent, the
// bracket stays open and the battery reader stays stopped.
void TestProfileWrite::failureEndsTheWrite() {
    QFETCH(int, failCode);
    QFETCH(QVector<int>, codes);
    const AppConfig config = sampleConfig();
    m_failCode = failCode;
    QCOMPARE(int(writeProfile(config, writeflags::kWriteAll)), int(kResultWriteError));
    QVector<int> sent = sections();
    sent.removeAll(report::kCmdButtons);
    QCOMPARE(sent, codes);
    QVERIFY(!sections().contains(report::kCmdMacros));
    QCOMPARE(m_mouse->writeBrackets(), Bytes{0});
    QVERIFY(m_mouse->bracketOpen());
    QCOMPARE(m_mouse->closedBlocks(static_cast<uint8_t>(failCode == 0x40 ? 0x04 : failCode)),
             failCode == 0x40 ? 1 : 0);
    QCOMPARE(m_battery->calls, QStringList{"stop after 0"});
    QVERIFY(DeviceState::instance().deviceCopy() == config);
}

// Without an open mouse the first report gives 1 and the battery reader is not restarted.
void TestProfileWrite::noDeviceSendsNothing() {
    MouseDevice::setInstance(nullptr);
    QCOMPARE(int(writeProfile(sampleConfig(), writeflags::kWriteAll)), int(kResultNoDevice));
    QVERIFY(written().empty());
    QCOMPARE(m_battery->calls, QStringList{"stop after 0"});
}

QTEST_GUILESS_MAIN(TestProfileWrite)
#include "test_profile_write.moc"
