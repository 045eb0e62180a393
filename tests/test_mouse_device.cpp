#include "device/command_report.h"
#include "device/hid/hidapi_backend.h"
#include "device/link_hooks.h"
#include "device/mouse_device.h"
#include "device/send_report.h"
#include "sim/backend_choice.h"
#include "sim/virtual_device_notifier.h"
#include "sim/virtual_mouse.h"
#include "storage/config_file.h"
#include "support/test_tree.h"

#include <QtTest>
#include <cstring>

namespace {

constexpr uint16_t kVid = 0x248A;
constexpr uint16_t kReceiverPid = 0x8373;
constexpr uint16_t kCablePid = 0xFB01;

const char *path(const MouseDevice &device, int slot) {
    return device.table().entries[0].path[slot].data();
}
uint32_t flag(const MouseDevice &device, int f) {
    return device.table().entries[0].present[f];
}

DeviceEvent hotplugEvent(bool arrived, uint16_t pid, uint8_t kinds, const QString &path) {
    DeviceEvent e;
    e.arrived = arrived;
    e.vendorId = kVid;
    e.productId = pid;
    e.kinds = kinds;
    e.path = path;
    return e;
}

} // namespace

class TestMouseDevice : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void tableFromDescriptionAndConfiguration();
    void linuxNodeFillsMouseAndCommandSlots();
    void receiverCommandSlotOnWindowsPaths_data();
    void receiverCommandSlotOnWindowsPaths();
    void receiverWithoutMouseCollectionIsNotOpened();
    void commandHandlePrefersCable();
    void enumeratingAgainKeepsFlags();
    void cableReleaseNumberSurvivesUnplug();
    void removalOfAbsentCollectionLeavesEntry();
    void arrivalAndRemoval();
    void releaseRangeRejectsArrival();
    void overlongPathAndNameAreCut();
    void classifyInterfacePath_data();
    void classifyInterfacePath();
    void noMouseEveryTransactionHasNoDevice();
    void backendChoice_data();
    void backendChoice();

private:
    void build(VirtualMouse::PathStyle style = VirtualMouse::PathStyle::Linux);

    std::unique_ptr<TestTree> m_tree;
    std::unique_ptr<VirtualMouse> m_mouse;
    std::unique_ptr<MouseDevice> m_device;
    QByteArray m_name;
};

void TestMouseDevice::init() {
    devicelink::setPauseFunction([](int) {});
    m_tree = std::make_unique<TestTree>();
    QVERIFY(m_tree->isValid());
    m_name = config::mouseListEntry().toLatin1();
    QVERIFY(!m_name.isEmpty());
    build();
}

void TestMouseDevice::cleanup() {
    m_device.reset();
    m_mouse.reset();
    m_tree.reset();
    devicelink::setPauseFunction({});
}

void TestMouseDevice::build(VirtualMouse::PathStyle style) {
    m_device.reset();
    m_mouse = std::make_unique<VirtualMouse>(kVid, kReceiverPid, kVid, kCablePid, style);
    m_device = std::make_unique<MouseDevice>(*m_mouse);
    m_device->initDeviceTable();
}

void TestMouseDevice::tableFromDescriptionAndConfiguration() {
    const DeviceTable &table = m_device->table();
    QCOMPARE(table.count, 1u);
    const DeviceEntry &e = table.entries[0];
    QCOMPARE(e.vendorId[kReceiver], uint32_t(kVid));
    QCOMPARE(e.productId[kReceiver], uint32_t(kReceiverPid));
    QCOMPARE(e.productId[kCable], uint32_t(kCablePid));
    QCOMPARE(e.releaseMax[kReceiver], 0u);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        QCOMPARE(e.criteria[slot].usage, isCommandSlot(slot) ? 0u : 2u);
        QCOMPARE(e.criteria[slot].usagePage, 1u);
        QCOMPARE(e.present[slot], 0u);
        QCOMPARE(e.path[slot][0], '\0');
    }
    QCOMPARE(QByteArray(e.name.data()), m_name);
}

// One hidraw node carries both collections: both slots of each connection take its path.
void TestMouseDevice::linuxNodeFillsMouseAndCommandSlots() {
    QCOMPARE(m_device->enumerateDevices(), 0);
    QCOMPARE(QString(path(*m_device, kSlotReceiverMouse)), QString(path(*m_device, kSlotReceiverCommand)));
    QCOMPARE(path(*m_device, kSlotCableCommand), m_mouse->path(kCable, kCollectionCommand));
    for (int f = 0; f < kSlotCount; ++f)
        QCOMPARE(flag(*m_device, f), 1u);
    QCOMPARE(m_device->cableReleaseNumber(), 0x0213u);
}

void TestMouseDevice::receiverCommandSlotOnWindowsPaths_data() {
    QTest::addColumn<QString>("commandPath");
    QTest::addColumn<bool>("filled");
    const QString tail = "#7&2b1f0c3d&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
    QTest::newRow("upper case COL04") << "\\\\?\\HID#VID_248A&PID_8373&MI_00&COL04" + tail << true;
    QTest::newRow("lower case col04") << "\\\\?\\hid#vid_248a&pid_8373&mi_00&col04" + tail << true;
    QTest::newRow("other collection") << "\\\\?\\hid#vid_248a&pid_8373&mi_00&col05" + tail << false;
}

void TestMouseDevice::receiverCommandSlotOnWindowsPaths() {
    QFETCH(QString, commandPath);
    QFETCH(bool, filled);
    build(VirtualMouse::PathStyle::Windows);
    m_mouse->setPath(kReceiver, kCollectionCommand, commandPath.toStdString());
    m_device->enumerateDevices();
    QCOMPARE(flag(*m_device, kPresentReceiverCommand), filled ? 1u : 0u);
    QCOMPARE(QString(path(*m_device, kSlotReceiverCommand)), filled ? commandPath : QString());
    QCOMPARE(flag(*m_device, kPresentReceiverMouse), 1u);
}

void TestMouseDevice::receiverWithoutMouseCollectionIsNotOpened() {
    m_mouse->unplug(kCable);
    m_device->enumerateDevices();
    m_device->table().entries[0].present[kPresentReceiverMouse] = 0;
    m_device->openByName(m_name.constData());
    for (int slot = 0; slot < kSlotCount; ++slot)
        QVERIFY(!m_device->handle(slot));
    QVERIFY(!m_device->commandHandle());
}

void TestMouseDevice::commandHandlePrefersCable() {
    m_device->enumerateDevices();
    m_device->openByName("another mouse");
    QVERIFY(!m_device->commandHandle());
    m_device->openByName(m_name.constData());
    for (int slot = 0; slot < kSlotCount; ++slot)
        QVERIFY(m_device->handle(slot));
    QCOMPARE(m_device->commandHandle(), m_device->handle(kSlotCableCommand));

    // The cable goes away: its flags drop, the handles are reopened and the receiver takes over.
    m_mouse->unplug(kCable);
    const auto changes = m_device->applyDeviceEvent(hotplugEvent(
        false, kCablePid, kCollectionMouse | kCollectionCommand, m_mouse->path(kCable, 0).c_str()));
    QCOMPARE(changes.size(), std::size_t(1));
    QVERIFY(!changes[0].connectionPresent && !changes[0].entryEmpty);
    m_device->closeAll();
    m_device->openByName(m_name.constData());
    QVERIFY(m_device->commandHandle());
    QCOMPARE(m_device->commandHandle(), m_device->handle(kSlotReceiverCommand));
    QVERIFY(!m_device->handle(kSlotCableCommand));
    m_mouse->clearRecords();
    const CommandReport store = report::makeCommand(report::kCmdStore, 0xF3, 0x01);
    QCOMPARE(int(sendReport(*m_device, store.data(), 33)), 0);
    QCOMPARE(m_mouse->records().at(0).connection, int(kReceiver));
}

void TestMouseDevice::enumeratingAgainKeepsFlags() {
    m_device->enumerateDevices();
    const QByteArray cablePath = path(*m_device, kSlotCableCommand);
    m_mouse->unplug(kCable);
    m_device->enumerateDevices();
    QCOMPARE(flag(*m_device, kPresentCableCommand), 1u);
    QCOMPARE(flag(*m_device, kPresentCableMouse), 1u);
    QCOMPARE(QByteArray(path(*m_device, kSlotCableCommand)), cablePath);
}

void TestMouseDevice::cableReleaseNumberSurvivesUnplug() {
    m_mouse->setReleaseNumber(kCable, 0x0305);
    m_device->enumerateDevices();
    QCOMPARE(m_device->cableReleaseNumber(), 0x0305u);
    m_mouse->unplug(kCable);
    m_device->applyDeviceEvent(hotplugEvent(false, kCablePid, kCollectionMouse | kCollectionCommand,
                                            m_mouse->path(kCable, 0).c_str()));
    m_device->enumerateDevices();
    QCOMPARE(m_device->cableReleaseNumber(), 0x0305u);
}

void TestMouseDevice::removalOfAbsentCollectionLeavesEntry() {
    m_mouse->unplug(kCable);
    m_device->enumerateDevices();
    const DeviceEntry before = m_device->table().entries[0];
    const auto changes =
        m_device->applyDeviceEvent(hotplugEvent(false, kCablePid, kCollectionCommand, "/dev/hidraw7"));
    QVERIFY(changes.empty());
    QCOMPARE(std::memcmp(&before, &m_device->table().entries[0], sizeof before), 0);
    // Ids of no entry change nothing either.
    DeviceEvent foreign = hotplugEvent(false, 0xC077, kCollectionMouse, "/dev/hidraw8");
    QVERIFY(m_device->applyDeviceEvent(foreign).empty());
}

void TestMouseDevice::arrivalAndRemoval() {
    const QString receiver = QString::fromStdString(m_mouse->path(kReceiver, kCollectionCommand));
    auto changes = m_device->applyDeviceEvent(hotplugEvent(true, kReceiverPid, kCollectionCommand, receiver));
    QCOMPARE(changes.size(), std::size_t(1));
    QVERIFY(changes[0].isNew && !changes[0].connectionComplete && changes[0].connection == kReceiver);
    changes = m_device->applyDeviceEvent(hotplugEvent(true, kReceiverPid, kCollectionMouse, receiver));
    QVERIFY(changes[0].isNew && changes[0].connectionComplete);
    QCOMPARE(QString(path(*m_device, kSlotReceiverMouse)), receiver);
    changes = m_device->applyDeviceEvent(hotplugEvent(true, kReceiverPid, kCollectionMouse, receiver));
    QVERIFY(!changes[0].isNew);

    changes = m_device->applyDeviceEvent(
        hotplugEvent(false, kReceiverPid, kCollectionMouse | kCollectionCommand, receiver));
    QCOMPARE(changes.size(), std::size_t(1));
    QVERIFY(changes[0].entryEmpty && !changes[0].connectionPresent);
    QCOMPARE(QString(path(*m_device, kSlotReceiverMouse)), receiver); // removals keep paths
}

void TestMouseDevice::releaseRangeRejectsArrival() {
    DeviceEntry &e = m_device->table().entries[0];
    e.releaseMin[kCable] = 0x0300;
    e.releaseMax[kCable] = 0x03FF;
    m_device->enumerateDevices();
    QCOMPARE(flag(*m_device, kPresentCableCommand), 0u);
    QCOMPARE(flag(*m_device, kPresentReceiverCommand), 1u);
    const QString cable = QString::fromStdString(m_mouse->path(kCable, kCollectionCommand));
    auto changes = m_device->applyDeviceEvent(hotplugEvent(true, kCablePid, kCollectionCommand, cable));
    QVERIFY(!changes.at(0).isNew);
    QCOMPARE(flag(*m_device, kPresentCableCommand), 0u);
    m_mouse->setReleaseNumber(kCable, 0x0301);
    changes = m_device->applyDeviceEvent(hotplugEvent(true, kCablePid, kCollectionCommand, cable));
    QVERIFY(changes.at(0).isNew);
}

// The fields hold 254 and 255 characters; longer texts are cut, never written past the field.
void TestMouseDevice::overlongPathAndNameAreCut() {
    const std::string longPath = "/dev/" + std::string(400, 'p');
    m_tree->setIniValue("Configs/Config.ini", "Mouse_List/0", QString(300, 'N'));
    m_device->initDeviceTable();
    QCOMPARE(std::strlen(m_device->table().entries[0].name.data()), std::size_t(255));
    m_mouse->setPath(kReceiver, kCollectionMouse, longPath);
    m_device->enumerateDevices();
    QCOMPARE(std::string(path(*m_device, kSlotReceiverMouse)), longPath.substr(0, 254));
    QCOMPARE(std::string(path(*m_device, kSlotReceiverCommand)),
             m_mouse->path(kReceiver, kCollectionCommand));
    // The configured name, cut the same way, still finds the entry; the cut path opens nothing.
    m_device->openByName(QByteArray(300, 'N').constData());
    QVERIFY(m_device->handle(kSlotCableCommand) && !m_device->handle(kSlotReceiverMouse));
    const auto changes = m_device->applyDeviceEvent(
        hotplugEvent(true, kCablePid, kCollectionCommand, QString::fromStdString(longPath)));
    QCOMPARE(changes.size(), std::size_t(1));
    QCOMPARE(std::strlen(path(*m_device, kSlotCableCommand)), std::size_t(254));
}

void TestMouseDevice::classifyInterfacePath_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("vid");
    QTest::addColumn<int>("pid");
    const QString tail = "#7&2b1f0c3d&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
    QTest::newRow("interface 0, mouse")
        << "HID#VID_248A&PID_8373&MI_00&Col01" + tail << int(kCollectionMouse) << 0x248A << 0x8373;
    QTest::newRow("interface 0, command, REV")
        << "HID#VID_248A&PID_8373&REV_0100&MI_00&Col04" + tail << int(kCollectionCommand) << 0x248A << 0x8373;
    QTest::newRow("mouse, REV") << "hid#vid_248a&pid_fb01&rev_0213&col01" + tail << int(kCollectionMouse)
                                << 0x248A << 0xFB01;
    QTest::newRow("command") << "HID#VID_248A&PID_FB01&COL04" + tail << int(kCollectionCommand) << 0x248A
                             << 0xFB01;
    QTest::newRow("interface 1") << "HID#VID_248A&PID_8373&MI_01&Col04" + tail << int(kCollectionNone) << 0
                                 << 0;
    QTest::newRow("other collection")
        << "HID#VID_248A&PID_8373&Col02" + tail << int(kCollectionNone) << 0 << 0;
    QTest::newRow("keyboard") << "HID#VID_046D&PID_C31C&MI_00#8&1234" << int(kCollectionNone) << 0 << 0;
}

void TestMouseDevice::classifyInterfacePath() {
    QFETCH(QString, path);
    QFETCH(int, kind);
    QFETCH(int, vid);
    QFETCH(int, pid);
    const InterfaceClass c = MouseDevice::classifyInterfacePath(path);
    QCOMPARE(int(c.kind), kind);
    QCOMPARE(int(c.vendorId), vid);
    QCOMPARE(int(c.productId), pid);
}

void TestMouseDevice::noMouseEveryTransactionHasNoDevice() {
    m_mouse->unplug(kReceiver);
    m_mouse->unplug(kCable);
    QCOMPARE(m_device->enumerateDevices(), 0);
    m_device->openByName(m_name.constData());
    const CommandReport request = report::makeCommand(report::kCmdWriteBracket, 0);
    QCOMPARE(int(sendReport(*m_device, request.data(), 33)), int(kResultNoDevice));
    QVERIFY(m_mouse->records().empty());
}

void TestMouseDevice::backendChoice_data() {
    QTest::addColumn<QByteArray>("environment");
    QTest::addColumn<bool>("virtualMouse");
    QTest::newRow("unset") << QByteArray() << false;
    QTest::newRow("0") << QByteArray("0") << false;
    QTest::newRow("1") << QByteArray("1") << true;
}

// The real backend without a mouse of ours: the program runs on and every transaction has no device.
void TestMouseDevice::backendChoice() {
    QFETCH(QByteArray, environment);
    QFETCH(bool, virtualMouse);
    if (environment.isNull())
        qunsetenv("KORVANE_VIRTUAL_MOUSE");
    else
        qputenv("KORVANE_VIRTUAL_MOUSE", environment);
    HidBackendChoice choice = chooseHidBackend();
    qunsetenv("KORVANE_VIRTUAL_MOUSE");
    QVERIFY(choice.backend);
    QCOMPARE(choice.virtualMouse != nullptr, virtualMouse);
    QCOMPARE(dynamic_cast<HidapiBackend *>(choice.backend.get()) != nullptr, !virtualMouse);
    const auto notifier = createDeviceNotifier(choice.virtualMouse);
    QCOMPARE(dynamic_cast<VirtualDeviceNotifier *>(notifier.get()) != nullptr, virtualMouse);

    MouseDevice device(*choice.backend);
    device.initDeviceTable();
    device.enumerateDevices();
    device.openByName(m_name.constData());
    const CommandReport request = report::makeCommand(report::kCmdWriteBracket, 0);
    if (virtualMouse) {
        QVERIFY(device.commandHandle());
        QCOMPARE(int(sendReport(device, request.data(), 33)), int(kResultOk));
    } else {
        if (device.commandHandle())
            QSKIP("a mouse with the description's ids is plugged in");
        QCOMPARE(int(sendReport(device, request.data(), 33)), int(kResultNoDevice));
    }
    device.closeAll();
    device.shutdownHid();
}

QTEST_GUILESS_MAIN(TestMouseDevice)
#include "test_mouse_device.moc"
