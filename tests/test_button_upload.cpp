#include "device/button_upload.h"
#include "device/command_report.h"
#include "device/device_state.h"
#include "device/link_hooks.h"
#include "device/mouse_device.h"
#include "device/result_code.h"
#include "sim/button_view.h"
#include "sim/macro_view.h"
#include "sim/virtual_mouse.h"
#include "storage/app_config_file.h"
#include "storage/button_matrix.h"
#include "storage/macro_file.h"
#include "support/test_tree.h"

#include <QtTest>
#include <cstring>
#include <memory>

Q_DECLARE_METATYPE(MacroStep)

namespace {

using Bytes = std::vector<uint8_t>;

// A report as it reaches the mouse: code, address (low byte first), length, position, data, checksum.
Bytes onWire(uint8_t code, uint16_t address, uint8_t position, const Bytes &data) {
    Bytes r(33, 0);
    r[report::kReportId] = report::kReportIdValue;
    r[report::kMagic] = report::kMagicValue;
    r[report::kCommand] = code;
    r[report::kAddressLow] = address & 0xFF;
    r[report::kAddressHigh] = address >> 8;
    r[report::kLength] = static_cast<uint8_t>(data.size());
    r[report::kPosition] = position;
    std::copy(data.begin(), data.end(), r.begin() + report::kData);
    r[report::kChecksum] = report::checksum(r.data());
    return r;
}

Bytes zeros(int n) {
    return Bytes(static_cast<std::size_t>(n), 0);
}

Bytes operator+(Bytes a, const Bytes &b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Reports as hex lines, so a mismatch shows which report and byte differ.
QStringList hexLines(const std::vector<Bytes> &reports) {
    QStringList lines;
    for (const Bytes &r : reports)
        lines << QByteArray(reinterpret_cast<const char *>(r.data()), static_cast<int>(r.size())).toHex(' ');
    return lines;
}

ButtonAssignment &record(int r) {
    return DeviceState::instance().deviceCopy().profile.buttons[static_cast<std::size_t>(r)];
}

ButtonAssignment withFunction(int function) {
    ButtonAssignment b;
    b.function = function;
    return b;
}

ButtonAssignment macroButton(const QString &name, uint8_t mode, int loops) {
    ButtonAssignment b = withFunction(200);
    b.macroName = name;
    b.res1 = mode;
    b.loopNumber = loops;
    return b;
}

MacroStep ev(uint8_t kind, uint8_t low, uint8_t high = 0) {
    return {kind, high, low};
}

const MacroStep kPause = ev(6, 1, 0);
// Five key events and no delay: the mouse gets a pause after the fourth and after the last.
const QVector<MacroStep> kBurst = {ev(0x84, 0x04), ev(0x04, 0x04), ev(0x84, 0x05), ev(0x04, 0x05),
                                   ev(0x84, 0x06)};
const QVector<MacroStep> kBurstImage = {kBurst[0], kBurst[1], kBurst[2], kBurst[3],
                                        kPause,    kBurst[4], kPause};
// Has its own delay (30 units), so it goes as it is.
const QVector<MacroStep> kReload = {ev(0x81, 1), ev(6, 30), ev(0x01, 1), ev(2, 246)};

} // namespace

class TestButtonUpload : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void buttonTableReports();
    void failingReportEndsUpload_data();
    void failingReportEndsUpload();
    void buttonCountAboveMatrixBounded();
    void macroReports();
    void noMacroButtonsSendNothing();
    void tooManyMacrosFail_data();
    void tooManyMacrosFail();
    void profileHeldByMouse_data();
    void profileHeldByMouse();

private:
    std::vector<Bytes> written() const;
    void setButtonCount(int count);
    void writeMacro(const QString &name, const QVector<MacroStep> &steps);

    std::unique_ptr<TestTree> m_tree;
    std::unique_ptr<VirtualMouse> m_mouse;
    std::unique_ptr<MouseDevice> m_device;
    QVector<int> m_pauses;
};

void TestButtonUpload::initTestCase() {
    m_tree = std::make_unique<TestTree>();
    QVERIFY(m_tree->isValid());
}

void TestButtonUpload::init() {
    m_pauses.clear();
    devicelink::setPauseFunction([this](int ms) { m_pauses.append(ms); });
    DeviceState::instance().reset();
    m_tree->setIniValue("DefaultProfile.bin", "PROFILE/ScrollRev", 0);
    setButtonCount(7);
    ButtonMatrix::Table &matrix = ButtonMatrix::instance().table();
    for (int i = 0; i < ButtonMatrix::kSize; ++i)
        matrix[static_cast<std::size_t>(i)] = static_cast<uint8_t>(i);

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
}

void TestButtonUpload::cleanup() {
    MouseDevice::setInstance(nullptr);
    m_device.reset();
    m_mouse.reset();
    devicelink::setPauseFunction({});
}

std::vector<Bytes> TestButtonUpload::written() const {
    std::vector<Bytes> out;
    for (const VirtualMouse::Record &r : m_mouse->records()) {
        if (r.direction == VirtualMouse::Direction::Written)
            out.push_back(r.bytes);
    }
    return out;
}

// The description stores the count encoded with MouseDpi; 0 leaves it plain.
void TestButtonUpload::setButtonCount(int count) {
    m_tree->setIniValue("DefaultProfile.bin", "PROFILE/ButtonCount", count);
    m_tree->setIniValue("DefaultProfile.bin", "PROFILE/MouseDpi", 0);
}

void TestButtonUpload::writeMacro(const QString &name, const QVector<MacroStep> &steps) {
    QCOMPARE(macrofile::saveMacroSteps(name, steps), FileResult::Ok);
}

// The sample model's factory buttons, by hand: seven buttons on slots 0 to 6 and the wheel on 22 and 23.
void TestButtonUpload::buttonTableReports() {
    const int functions[] = {1, 2, 3, 5, 4, 48, 49};
    for (int r = 0; r < 7; ++r)
        record(r) = withFunction(functions[r]);
    record(7) = withFunction(17); // beyond the button count: not packed
    record(40) = withFunction(52);
    record(41) = withFunction(53);
    QCOMPARE(int(sendButtonTable()), int(kResultOk));

    const Bytes slots0to5 = {0x81, 0, 0, 0, 0x82, 0, 0, 0, 0x83, 0, 0, 0,
                             0x84, 0, 0, 0, 0x85, 0, 0, 0, 0x8A, 0, 0, 0};
    const std::vector<Bytes> expected = {
        onWire(0x03, 0, 0xD1, {0x0A, 0x00}),
        onWire(0x03, 2, 0xD2, slots0to5),
        onWire(0x03, 26, 0xD2, Bytes{0x89, 0, 0, 0} + zeros(20)),
        onWire(0x03, 50, 0xD2, zeros(24)),
        onWire(0x03, 74, 0xD2, zeros(16) + Bytes{0x8B, 0, 0, 0, 0x8C, 0, 0, 0}),
        onWire(0x03, 98, 0xD2, {0xFF, 0xFF, 0xFF, 0xFF}),
        onWire(0x03, 0x7F, 0xD3, {0x1A}),
    };
    QCOMPARE(hexLines(written()), hexLines(expected));
    QCOMPARE(m_mouse->closedBlocks(0x03), 1);
}

void TestButtonUpload::failingReportEndsUpload_data() {
    QTest::addColumn<int>("accepted");
    for (int n = 0; n < 7; ++n)
        QTest::addRow("after %d reports", n) << n;
}

// The report after the accepted ones fails; nothing follows it.
void TestButtonUpload::failingReportEndsUpload() {
    QFETCH(int, accepted);
    if (accepted == 0)
        m_mouse->failWrites(1);
    else
        m_mouse->unplugAfter(accepted);
    QCOMPARE(int(sendButtonTable()), int(kResultWriteError));
    QCOMPARE(int(written().size()), accepted);
}

// Buttons past the 16 the matrix describes are left out: records 22 and 23 must not be packed as if
// they were the wheel, nor get macro numbers.
void TestButtonUpload::buttonCountAboveMatrixBounded() {
    setButtonCount(24);
    for (int r = 0; r < 24; ++r)
        record(r) = r < 16 ? withFunction(1) : macroButton(QString("Extra%1").arg(r), 0, 1);
    record(0) = macroButton("Kept", 0, 1);
    record(40) = withFunction(52);
    record(41) = withFunction(53);
    QCOMPARE(int(sendButtonTable()), int(kResultOk));
    QCOMPARE(DeviceState::instance().macroNumbers().keys(), QStringList{"Kept"});
    QCOMPARE(decodeButtonSlot(*m_mouse, 0).function, 200);
    for (int slot = 1; slot < 16; ++slot)
        QCOMPARE(decodeButtonSlot(*m_mouse, slot).function, 1);
    for (int slot = 16; slot < 22; ++slot)
        QCOMPARE(decodeButtonSlot(*m_mouse, slot).bytes, (ButtonEntry{0, 0, 0, 0}));
    QCOMPARE(decodeButtonSlot(*m_mouse, 22).function, 52);
    QCOMPARE(decodeButtonSlot(*m_mouse, 23).function, 53);
}

// Burst on two buttons, Reload on one: each slot's ten reports, then one closing report; a macro is
// converted once per button that names it.
void TestButtonUpload::macroReports() {
    writeMacro("Burst", kBurst);
    writeMacro("Reload", kReload);
    record(1) = macroButton("Burst", 0, 3);
    record(2) = macroButton("Reload", 1, 1);
    record(3) = macroButton("Burst", 0, 3);
    QCOMPARE(int(sendButtonTable()), int(kResultOk));
    m_mouse->clearRecords();
    m_pauses.clear();
    QCOMPARE(int(sendMacros()), int(kResultOk));

    // 0x84 04 00  04 04 00  84 05 00  04 05 00  06 01 00  84 06 00  06 01 00
    const Bytes burst = {0x84, 0x04, 0,    0x04, 0x04, 0,    0x84, 0x05, 0,    0x04, 0x05,
                         0,    0x06, 0x01, 0,    0x84, 0x06, 0,    0x06, 0x01, 0};
    const Bytes reload = {0x81, 0x01, 0, 0x06, 30, 0, 0x01, 0x01, 0, 0x02, 246, 0};
    std::vector<Bytes> expected;
    expected.push_back(onWire(0x05, 0, 0xD1, Bytes(burst.begin(), burst.begin() + 20)));
    expected.push_back(onWire(0x05, 20, 0xD2, Bytes{0} + zeros(19)));
    for (uint16_t a = 40; a < 200; a += 20)
        expected.push_back(onWire(0x05, a, 0xD2, zeros(20)));
    expected.push_back(onWire(0x05, 200, 0xD2, reload + zeros(8)));
    for (uint16_t a = 220; a < 400; a += 20)
        expected.push_back(onWire(0x05, a, 0xD2, zeros(20)));
    expected.push_back(onWire(0x05, 0x0FFF, 0xD3, {0x1A}));
    QCOMPARE(hexLines(written()), hexLines(expected));
    QCOMPARE(expected[11][report::kAddressLow], uint8_t(0xDC));  // 220, low byte first
    QCOMPARE(expected[13][report::kAddressHigh], uint8_t(0x01)); // 260
    QCOMPARE(m_pauses.count(50), 3);
    QCOMPARE(decodeMacroEvents(*m_mouse, 0), kBurstImage);
    QCOMPARE(decodeMacroEvents(*m_mouse, 1), kReload);
}

void TestButtonUpload::noMacroButtonsSendNothing() {
    record(0) = withFunction(1);
    QCOMPARE(int(sendButtonTable()), int(kResultOk));
    m_mouse->clearRecords();
    QCOMPARE(int(sendMacros()), int(kResultOk));
    QVERIFY(written().empty());

    // A macro on a record outside the model's buttons was never numbered: skipped, the others go.
    record(1) = macroButton("Burst", 0, 1);
    record(20) = macroButton("Elsewhere", 0, 1);
    QCOMPARE(int(sendButtonTable()), int(kResultOk));
    m_mouse->clearRecords();
    QCOMPARE(int(sendMacros()), int(kResultOk));
    QCOMPARE(int(written().size()), 11);
}

void TestButtonUpload::tooManyMacrosFail_data() {
    QTest::addColumn<int>("macros");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("reports");
    QTest::newRow("twelve fit") << 12 << int(kResultOk) << 12 * 10 + 1;
    QTest::newRow("thirteen fail") << 13 << int(kResultTooManyMacros) << 0;
    QTest::newRow("sixteen fail") << 16 << int(kResultTooManyMacros) << 0;
}

// More distinct macros than the mouse plays must not look like a successful write.
void TestButtonUpload::tooManyMacrosFail() {
    QFETCH(int, macros);
    QFETCH(int, result);
    QFETCH(int, reports);
    setButtonCount(16);
    for (int r = 0; r < 16; ++r)
        record(r) = r < macros ? macroButton(QString("M%1").arg(r), 0, 1) : withFunction(1);
    QCOMPARE(int(sendButtonTable()), int(kResultOk));
    m_mouse->clearRecords();
    if (result != kResultOk)
        QTest::ignoreMessage(QtDebugMsg, "iIndex>=MAX_MACRO_NUMBER_560\n");
    QCOMPARE(int(sendMacros()), result);
    QCOMPARE(int(written().size()), reports);
}

void TestButtonUpload::profileHeldByMouse_data() {
    QTest::addColumn<int>("reverse");
    QTest::newRow("wheel as built") << 0;
    QTest::newRow("wheel reversed") << 1;
}

// The sample profile with two macro buttons and a combo key: afterwards the mouse holds every button's
// function at its slot and each macro's events in the slot its buttons name.
void TestButtonUpload::profileHeldByMouse() {
    QFETCH(int, reverse);
    m_tree->setIniValue("DefaultProfile.bin", "PROFILE/ScrollRev", reverse);
    AppConfig config;
    QCOMPARE(config::loadAppConfig(config), FileResult::Ok);
    writeMacro("Burst", kBurst);
    writeMacro("Reload", kReload);
    ProfileData &profile = config.profile;
    profile.buttons[3] = macroButton("Burst", 0, 3);
    profile.buttons[4] = macroButton("Reload", 2, 1);
    ButtonAssignment &comboButton = profile.buttons[6];
    comboButton = withFunction(7);
    // Ctrl + Shift + A: Ctrl + A alone would be the same entry as "All".
    const uint8_t usages[] = {0xE0, 0xE1, 0x04};
    for (std::size_t i = 0; i < 3; ++i) {
        comboButton.keys[i] = {usages[i], 0x05, 0x80};
        comboButton.keys[5 - i] = {usages[i], 0x05, 0x00};
    }
    DeviceState::instance().deviceCopy() = config;

    QCOMPARE(int(sendButtonTable()), int(kResultOk));
    QCOMPARE(int(sendMacros()), int(kResultOk));

    const ButtonMatrix::Table &matrix = ButtonMatrix::instance().table();
    for (int r = 0; r < 7; ++r) {
        const ButtonSlotView slot = decodeButtonSlot(*m_mouse, matrix[static_cast<std::size_t>(r)]);
        QCOMPARE(slot.function, profile.buttons[static_cast<std::size_t>(r)].function);
    }
    QCOMPARE(decodeButtonSlot(*m_mouse, 6).bytes, (ButtonEntry{0x8F, 0x03, 0x04, 0}));
    QCOMPARE(decodeButtonSlot(*m_mouse, reverse ? 23 : 22).function, profile.buttons[40].function);
    QCOMPARE(decodeButtonSlot(*m_mouse, reverse ? 22 : 23).function, profile.buttons[41].function);

    const AppConfig &copy = DeviceState::instance().deviceCopy();
    const int burstSlot = copy.profile.buttons[3].res4;
    const int reloadSlot = copy.profile.buttons[4].res4;
    QCOMPARE(burstSlot, 0);
    QCOMPARE(reloadSlot, 1);
    QCOMPARE(decodeButtonSlot(*m_mouse, 3).bytes, (ButtonEntry{0x91, 0x00, 3, 0}));
    QCOMPARE(decodeButtonSlot(*m_mouse, 4).bytes, (ButtonEntry{0x91, 0x41, 0xFF, 0xFF}));
    QCOMPARE(decodeMacroEvents(*m_mouse, burstSlot), kBurstImage);
    QCOMPARE(decodeMacroEvents(*m_mouse, reloadSlot), kReload);
    QVERIFY(decodeMacroEvents(*m_mouse, 2).isEmpty());
    QCOMPARE(m_mouse->closedBlocks(0x03), 1);
    QCOMPARE(m_mouse->closedBlocks(0x05), 1);
}

QTEST_GUILESS_MAIN(TestButtonUpload)
#include "test_button_upload.moc"
