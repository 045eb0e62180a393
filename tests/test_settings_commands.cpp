#include "device/command_report.h"
#include "device/device_state.h"
#include "device/dpi_stages.h"
#include "device/lighting_blocks.h"
#include "device/link_hooks.h"
#include "device/mouse_device.h"
#include "device/pointer_speed.h"
#include "device/result_code.h"
#include "device/settings_block.h"
#include "device/store_commands.h"
#include "platform/headless_pointer_settings.h"
#include "sim/virtual_mouse.h"

#include <QtTest>
#include <cstring>

namespace {

using Bytes = std::vector<uint8_t>;
using Reports = std::vector<Bytes>;

// A report written out by hand: the bytes from byte 0 with the checksum left 0, framed here.
Bytes framed(std::initializer_list<int> values) {
    Bytes r(report::kSize, 0);
    std::size_t i = 0;
    for (int v : values)
        r[i++] = static_cast<uint8_t>(v);
    r[report::kChecksum] = report::checksum(r.data());
    return r;
}

Reports asBytes(const std::vector<CommandReport> &reports) {
    Reports out;
    for (const CommandReport &r : reports)
        out.emplace_back(r.begin(), r.end());
    return out;
}

AppConfig settingsConfig() {
    AppConfig c;
    c.profileId = 2;
    c.liftHigh = 2;
    c.sync = 1;
    c.angleValue = 0;
    c.jitter = 1;
    c.debounce = 4;
    c.wake = 1;
    c.sensorMode = 3;
    c.profile.scrollSpeed = 7;
    c.profile.pollRate = 3;
    c.profile.ledMoveOff = 0;
    c.profile.ledSleepTime = 5;
    c.profile.dpiStage = 4;
    c.profile.ledMode = 11;
    for (int i = 0; i < ProfileData::kStageCount; ++i)
        c.profile.dpiStages[i].color = QColor(10 * i + 1, 10 * i + 2, 10 * i + 3);
    return c;
}

const Bytes kSettingsSyncOn = framed({0x05, 0, 0xFA, 0x01, 0x00, 0x00, 19, 0xD1, 7, 7, 7,    7, 7, 0xC2,
                                      2,    0, 5,    4,    0x83, 3,    3,  3,    3, 3, 0x1F, 4, 7});
const Bytes kSettingsSyncOff = framed({0x05, 0, 0xFA, 0x01, 0x00, 0x00, 19, 0xD1, 7, 7, 7,    7, 7, 0x02,
                                       2,    0, 5,    4,    0x83, 3,    3,  3,    3, 3, 0x1F, 4, 7});
const Bytes kStageColours =
    framed({0x05, 0,  0xFA, 0x01, 0x13, 0x00, 24, 0xD2, 1,  2,  3,  11, 12, 13, 21, 22,
            23,   31, 32,   33,   41,   42,   43, 51,   52, 53, 61, 62, 63, 71, 72, 73});
const Bytes kSettingsClose = framed({0x05, 0, 0xFA, 0x01, 0x7F, 0x00, 1, 0xD3, 0x1A});

} // namespace

Q_DECLARE_METATYPE(Reports)

class TestSettingsCommands : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void settingsBlock_data();
    void settingsBlock();
    void sensorByte_data();
    void sensorByte();
    void ledModeCode_data();
    void ledModeCode();
    void dpiStages_data();
    void dpiStages();
    void lightingBlocksOfEveryEntry();
    void storeOrder();
    void storeStopsAtFirstFailure();
    void selectProfileIgnoresResults();
    void writeBracket();
    void pointerSpeed();

private:
    Reports written() const;

    std::unique_ptr<VirtualMouse> m_mouse;
    std::unique_ptr<MouseDevice> m_device;
    int m_writes = 0;
    int m_failAfterWrites = -1;
};

void TestSettingsCommands::init() {
    // Each write is followed by one pause; a test may fail the writes after a given count.
    m_writes = 0;
    m_failAfterWrites = -1;
    devicelink::setPauseFunction([this](int) {
        if (++m_writes == m_failAfterWrites)
            m_mouse->failWrites(1000);
    });
    m_mouse = std::make_unique<VirtualMouse>(0x248A, 0x8373, 0x248A, 0xFB01);
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
}

void TestSettingsCommands::cleanup() {
    MouseDevice::setInstance(nullptr);
    m_device.reset();
    m_mouse.reset();
    devicelink::setPauseFunction({});
    DeviceState::instance().reset();
}

Reports TestSettingsCommands::written() const {
    Reports out;
    for (const auto &r : m_mouse->records()) {
        if (r.direction == VirtualMouse::Direction::Written)
            out.push_back(r.bytes);
    }
    return out;
}

void TestSettingsCommands::settingsBlock_data() {
    QTest::addColumn<int>("syncMode");
    QTest::addColumn<int>("showDpiLed");
    QTest::addColumn<Reports>("reports");
    QTest::newRow("with the stage colours")
        << 1 << 1 << Reports{kSettingsSyncOn, kStageColours, kSettingsClose};
    QTest::newRow("without the stage colours") << 1 << 0 << Reports{kSettingsSyncOn, kSettingsClose};
    QTest::newRow("colours only for 1") << 1 << 2 << Reports{kSettingsSyncOn, kSettingsClose};
    QTest::newRow("no sync options") << 0 << 1 << Reports{kSettingsSyncOff, kStageColours, kSettingsClose};
}

void TestSettingsCommands::settingsBlock() {
    QFETCH(int, syncMode);
    QFETCH(int, showDpiLed);
    QFETCH(Reports, reports);
    QCOMPARE(asBytes(settingsblock::reports(settingsConfig(), syncMode, showDpiLed)), reports);
}

void TestSettingsCommands::sensorByte_data() {
    QTest::addColumn<int>("syncMode");
    QTest::addColumn<int>("sync");
    QTest::addColumn<int>("angle");
    QTest::addColumn<int>("jitter");
    QTest::addColumn<int>("sensorByte");
    QTest::newRow("sync on, angle and jitter off") << 1 << 1 << 0 << 0 << 0xE5;
    QTest::newRow("everything on") << 1 << 1 << 1 << 1 << 0x85;
    QTest::newRow("sync off, angle on, jitter off") << 1 << 0 << 1 << 0 << 0x25;
    QTest::newRow("model without sync options") << 0 << 1 << 0 << 0 << 0x05;
}

void TestSettingsCommands::sensorByte() {
    QFETCH(int, syncMode);
    QFETCH(int, sync);
    QFETCH(int, angle);
    QFETCH(int, jitter);
    QFETCH(int, sensorByte);
    AppConfig c;
    c.liftHigh = 5;
    c.sync = static_cast<uint8_t>(sync);
    c.angleValue = static_cast<uint8_t>(angle);
    c.jitter = static_cast<uint8_t>(jitter);
    QCOMPARE(int(settingsblock::reports(c, syncMode, 0).front()[13]), sensorByte);
}

void TestSettingsCommands::ledModeCode_data() {
    QTest::addColumn<int>("ledMode");
    QTest::addColumn<int>("code");
    const int codes[] = {1, 2, 3, 4, 5, 6, 6, 6, 6, 6, 8, 7, 9, 10, 6, 6};
    for (int mode = 0; mode < 16; ++mode)
        QTest::addRow("ledMode %d", mode) << mode << codes[mode];
    QTest::newRow("ledMode 255") << 255 << 6;
}

void TestSettingsCommands::ledModeCode() {
    QFETCH(int, ledMode);
    QFETCH(int, code);
    AppConfig c;
    c.profile.ledMode = static_cast<uint8_t>(ledMode);
    QCOMPARE(int(settingsblock::reports(c, 0, 0).front()[26]), code);
}

// Sensor 3360 keeps the encoding easy to follow: position - 1, range 0 up to 120.
void TestSettingsCommands::dpiStages_data() {
    QTest::addColumn<int>("described");
    QTest::addColumn<Reports>("reports");
    const auto stage = [](int i, int used) {
        return framed({0x05, 0, 0xFA, 0x02, 1 + 5 * i, 0x00, 5, 0xD2, used, 9 + i, 0, 19 + i, 0});
    };
    const Bytes close = framed({0x05, 0, 0xFA, 0x02, 0x7F, 0x00, 1, 0xD3, 0x1A});
    const auto all = [&](int count, int sent) {
        Reports r{framed({0x05, 0, 0xFA, 0x02, 0x00, 0x00, 1, 0xD1, sent})};
        for (int i = 0; i < 8; ++i)
            r.push_back(stage(i, i < count ? 1 : 0));
        r.push_back(close);
        return r;
    };
    QTest::newRow("count 0 sends 8") << 0 << all(8, 8);
    QTest::newRow("count 9 sends 8") << 9 << all(8, 8);
    QTest::newRow("count 8") << 8 << all(8, 8);
    QTest::newRow("count 4: stages past it unused, still encoded") << 4 << all(4, 4);
    QTest::newRow("count 1") << 1 << all(1, 1);
}

void TestSettingsCommands::dpiStages() {
    QFETCH(int, described);
    QFETCH(Reports, reports);
    ProfileData p;
    for (int i = 0; i < ProfileData::kStageCount; ++i) {
        p.dpiStages[i].used = 1;
        p.dpiStages[i].x = 10 + i;
        p.dpiStages[i].y = 20 + i;
    }
    QCOMPARE(asBytes(dpistages::reports(p, described, 3360, 0)), reports);
}

// Entry e: colour (16e+1, 16e+2, 16e+3), bright 30+e, breath 50+e; entry 13's bright does not fit a byte.
void TestSettingsCommands::lightingBlocksOfEveryEntry() {
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
    QCOMPARE(asBytes(lightingblocks::reports(p)), expected);
}

void TestSettingsCommands::storeOrder() {
    QCOMPARE(int(storeAll()), 0);
    Reports expected;
    for (int what : {0x04, 0x01, 0x02, 0x08, 0x10})
        expected.push_back(framed({0x05, 0, 0xFA, 0x40, 0xF3, what}));
    QCOMPARE(written(), expected);
    QCOMPARE(m_mouse->storeCommands(), (Bytes{0x04, 0x01, 0x02, 0x08, 0x10}));
}

void TestSettingsCommands::storeStopsAtFirstFailure() {
    m_failAfterWrites = 2;
    QCOMPARE(int(storeAll()), int(kResultWriteError));
    QCOMPARE(m_mouse->storeCommands(), (Bytes{0x04, 0x01}));
    QCOMPARE(int(written().size()), 2);
}

void TestSettingsCommands::selectProfileIgnoresResults() {
    QCOMPARE(int(selectProfile(3)), 1);
    QCOMPARE(written(),
             (Reports{framed({0x05, 0, 0xFA, 0x44, 3}), framed({0x05, 0, 0xFA, 0x40, 0xF3, 0x01})}));
    QCOMPARE(m_mouse->currentProfile(), 3);
    QCOMPARE(m_mouse->storeCommands(), Bytes{0x01});

    m_mouse->clearRecords();
    m_mouse->failWrites(2);
    QCOMPARE(int(selectProfile(0)), 1);
    QCOMPARE(m_mouse->currentProfile(), 3);
}

void TestSettingsCommands::writeBracket() {
    QCOMPARE(int(sendWriteBracket(0)), 0);
    QVERIFY(m_mouse->bracketOpen());
    QCOMPARE(int(sendWriteBracket(1)), 0);
    QCOMPARE(written(), (Reports{framed({0x05, 0, 0xFA, 0x46, 0}), framed({0x05, 0, 0xFA, 0x46, 1})}));
    QCOMPARE(m_mouse->writeBrackets(), (Bytes{0, 1}));
    QVERIFY(!m_mouse->bracketOpen());
}

// Without an X display the speed is kept by the headless settings; the device copy's speed is applied.
void TestSettingsCommands::pointerSpeed() {
    installPointerSettings(nullptr);
    auto *headless = dynamic_cast<HeadlessPointerSettings *>(&pointerSettings());
    QVERIFY(headless);
    QCOMPARE(readPointerSpeed(), int(PointerSettings::kDefaultSpeed));
    DeviceState::instance().deviceCopy().profile.mouseSpeed = 17;
    QTest::ignoreMessage(QtDebugMsg, "Error in SystemParametersInfo :0");
    applyPointerSpeed();
    QCOMPARE(headless->setCount(), 1);
    QCOMPARE(readPointerSpeed(), 17);
    installPointerSettings(nullptr);
}

QTEST_GUILESS_MAIN(TestSettingsCommands)
#include "test_settings_commands.moc"
