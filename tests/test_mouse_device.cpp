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
constexpr uint8_t kBoth = kCollectionMouse | kCollectionCommand;
} // namespace

class TestMouseDevice : public QObject {
    Q_OBJECT
private slots:
    void init() {
        devicelink::setPauseFunction([](int) {});
        m_tree = std::make_unique<TestTree>();
        m_name = config::mouseListEntry().toLatin1();
        QVERIFY(m_tree->isValid() && !m_name.isEmpty());
        build();
    }

    void cleanup() {
        m_device.reset();
        m_mouse.reset();
        m_tree.reset();
        devicelink::setPauseFunction({});
    }

    // One hidraw node carries both collections: both slots of each connection take its path. Enumerating
    // again after the cable left keeps its flags and path; its release number survives the unplug.
    void enumerationKeepsFlagsAndReleaseNumber() {
        m_mouse->setReleaseNumber(kCable, 0x0305);
        QCOMPARE(m_device->enumerateDevices(), 0);
        QCOMPARE(QString(path(kSlotReceiverMouse)), QString(path(kSlotReceiverCommand)));
        const QByteArray cablePath = path(kSlotCableCommand);
        QCOMPARE(cablePath.toStdString(), m_mouse->path(kCable, kCollectionCommand));
        for (int f = 0; f < kSlotCount; ++f)
            QCOMPARE(flag(f), 1u);
        QCOMPARE(m_device->cableReleaseNumber(), 0x0305u);
        m_mouse->unplug(kCable);
        m_device->enumerateDevices();
        QVERIFY(flag(kPresentCableCommand) == 1u && flag(kPresentCableMouse) == 1u);
        QCOMPARE(QByteArray(path(kSlotCableCommand)), cablePath);
        m_device->applyDeviceEvent(event(false, kCablePid, kBoth, m_mouse->path(kCable, 0).c_str()));
        m_device->enumerateDevices();
        QCOMPARE(m_device->cableReleaseNumber(), 0x0305u);
    }

    void upperCaseCol04FillsReceiverCommandSlot() {
        build(VirtualMouse::PathStyle::Windows);
        const QString command = "\\\\?\\HID#VID_248A&PID_8373&MI_00&COL04#7&2b1f0c3d&0&0000#{4d1e55b2-f16f}";
        m_mouse->setPath(kReceiver, kCollectionCommand, command.toStdString());
        m_device->enumerateDevices();
        QVERIFY(flag(kPresentReceiverCommand) == 1u && flag(kPresentReceiverMouse) == 1u);
        QCOMPARE(QString(path(kSlotReceiverCommand)), command);
    }

    void receiverWithoutMouseCollectionIsNotOpened() {
        m_mouse->unplug(kCable);
        m_device->enumerateDevices();
        m_device->table().entries[0].present[kPresentReceiverMouse] = 0;
        m_device->openByName(m_name.constData());
        for (int slot = 0; slot < kSlotCount; ++slot)
            QVERIFY(!m_device->handle(slot));
        QVERIFY(!m_device->commandHandle());
    }

    void commandHandlePrefersCable() {
        m_device->enumerateDevices();
        m_device->openByName("another mouse");
        QVERIFY(!m_device->commandHandle());
        m_device->openByName(m_name.constData());
        for (int slot = 0; slot < kSlotCount; ++slot)
            QVERIFY(m_device->handle(slot));
        QCOMPARE(m_device->commandHandle(), m_device->handle(kSlotCableCommand));

        // The cable goes away: its flags drop, the handles are reopened and the receiver takes over.
        m_mouse->unplug(kCable);
        const auto changes =
            m_device->applyDeviceEvent(event(false, kCablePid, kBoth, m_mouse->path(kCable, 0).c_str()));
        QCOMPARE(changes.size(), std::size_t(1));
        QVERIFY(!changes[0].connectionPresent && !changes[0].entryEmpty);
        m_device->closeAll();
        m_device->openByName(m_name.constData());
        QVERIFY(m_device->commandHandle() && !m_device->handle(kSlotCableCommand));
        QCOMPARE(m_device->commandHandle(), m_device->handle(kSlotReceiverCommand));
        m_mouse->clearRecords();
        const CommandReport store = report::makeCommand(report::kCmdStore, 0xF3, 0x01);
        QCOMPARE(int(sendReport(*m_device, store.data(), 33)), 0);
        QCOMPARE(m_mouse->records().at(0).connection, int(kReceiver));
    }

    // A removal for a flag already 0 leaves the entry alone; ids of no entry change nothing either.
    void removalOfAbsentCollectionLeavesEntry() {
        m_mouse->unplug(kCable);
        m_device->enumerateDevices();
        const DeviceEntry before = m_device->table().entries[0];
        QVERIFY(
            m_device->applyDeviceEvent(event(false, kCablePid, kCollectionCommand, "/dev/hidraw7")).empty());
        QCOMPARE(std::memcmp(&before, &m_device->table().entries[0], sizeof before), 0);
        QVERIFY(m_device->applyDeviceEvent(event(false, 0xC077, kCollectionMouse, "/dev/hidraw8")).empty());
    }

    void arrivalAndRemoval() {
        const QString receiver = QString::fromStdString(m_mouse->path(kReceiver, kCollectionCommand));
        auto changes = m_device->applyDeviceEvent(event(true, kReceiverPid, kCollectionCommand, receiver));
        QCOMPARE(changes.size(), std::size_t(1));
        QVERIFY(changes[0].isNew && !changes[0].connectionComplete && changes[0].connection == kReceiver);
        changes = m_device->applyDeviceEvent(event(true, kReceiverPid, kCollectionMouse, receiver));
        QVERIFY(changes[0].isNew && changes[0].connectionComplete);
        QCOMPARE(QString(path(kSlotReceiverMouse)), receiver);
        QVERIFY(!m_device->applyDeviceEvent(event(true, kReceiverPid, kCollectionMouse, receiver))[0].isNew);
        changes = m_device->applyDeviceEvent(event(false, kReceiverPid, kBoth, receiver));
        QCOMPARE(changes.size(), std::size_t(1));
        QVERIFY(changes[0].entryEmpty && !changes[0].connectionPresent);
        QCOMPARE(QString(path(kSlotReceiverMouse)), receiver); // removals keep paths
    }

    void releaseRangeRejectsArrival() {
        DeviceEntry &e = m_device->table().entries[0];
        e.releaseMin[kCable] = 0x0300;
        e.releaseMax[kCable] = 0x03FF;
        m_device->enumerateDevices();
        QVERIFY(flag(kPresentCableCommand) == 0u && flag(kPresentReceiverCommand) == 1u);
        const QString cable = QString::fromStdString(m_mouse->path(kCable, kCollectionCommand));
        QVERIFY(!m_device->applyDeviceEvent(event(true, kCablePid, kCollectionCommand, cable)).at(0).isNew);
        QCOMPARE(flag(kPresentCableCommand), 0u);
        m_mouse->setReleaseNumber(kCable, 0x0301);
        QVERIFY(m_device->applyDeviceEvent(event(true, kCablePid, kCollectionCommand, cable)).at(0).isNew);
    }

    // The fields hold 254 and 255 characters; longer texts are cut, never written past the field.
    void overlongPathAndNameAreCut() {
        const std::string longPath = "/dev/" + std::string(400, 'p');
        m_tree->setIniValue("Configs/Config.ini", "Mouse_List/0", QString(300, 'N'));
        m_device->initDeviceTable();
        QCOMPARE(std::strlen(m_device->table().entries[0].name.data()), std::size_t(255));
        m_mouse->setPath(kReceiver, kCollectionMouse, longPath);
        m_device->enumerateDevices();
        QCOMPARE(std::string(path(kSlotReceiverMouse)), longPath.substr(0, 254));
        QCOMPARE(std::string(path(kSlotReceiverCommand)), m_mouse->path(kReceiver, kCollectionCommand));
        // The configured name, cut the same way, still finds the entry; the cut path opens nothing.
        m_device->openByName(QByteArray(300, 'N').constData());
        QVERIFY(m_device->handle(kSlotCableCommand) && !m_device->handle(kSlotReceiverMouse));
        const auto changes = m_device->applyDeviceEvent(
            event(true, kCablePid, kCollectionCommand, QString::fromStdString(longPath)));
        QCOMPARE(changes.size(), std::size_t(1));
        QCOMPARE(std::strlen(path(kSlotCableCommand)), std::size_t(254));
    }

    void classifyInterfacePath_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("pid"); // the vendor is 0x248A when a kind is found, else 0 like the product
        const auto row = [](const char *name, const QString &path, CollectionKind kind, int pid) {
            QTest::newRow(name) << path + "#7&2b1f0c3d&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}"
                                << int(kind) << pid;
        };
        row("interface 0, mouse", "HID#VID_248A&PID_8373&MI_00&Col01", kCollectionMouse, 0x8373);
        row("command, REV", "HID#VID_248A&PID_8373&REV_0100&MI_00&Col04", kCollectionCommand, 0x8373);
        row("lower case mouse, REV", "hid#vid_248a&pid_fb01&rev_0213&col01", kCollectionMouse, 0xFB01);
        row("lower case command", "hid#vid_248a&pid_fb01&col04", kCollectionCommand, 0xFB01);
        row("interface 1", "HID#VID_248A&PID_8373&MI_01&Col04", kCollectionNone, 0);
        row("other collection", "HID#VID_248A&PID_8373&Col02", kCollectionNone, 0);
        row("keyboard", "HID#VID_046D&PID_C31C&MI_00", kCollectionNone, 0);
    }

    void classifyInterfacePath() {
        QFETCH(QString, path);
        QFETCH(int, pid);
        const InterfaceClass c = MouseDevice::classifyInterfacePath(path);
        QTEST(int(c.kind), "kind");
        QCOMPARE(int(c.vendorId), pid ? 0x248A : 0);
        QCOMPARE(int(c.productId), pid);
    }

    // The real backend without a mouse of ours (the virtual one is chosen by KORVANE_VIRTUAL_MOUSE=1, as the
    // window tests do): the program runs on and every transaction has no device.
    void realBackendWithoutMouse() {
        qunsetenv("KORVANE_VIRTUAL_MOUSE");
        HidBackendChoice choice = chooseHidBackend();
        QVERIFY(dynamic_cast<HidapiBackend *>(choice.backend.get()) && !choice.virtualMouse);
        QVERIFY(!dynamic_cast<VirtualDeviceNotifier *>(createDeviceNotifier(choice.virtualMouse).get()));
        MouseDevice device(*choice.backend);
        device.initDeviceTable();
        device.enumerateDevices();
        device.openByName(m_name.constData());
        if (device.commandHandle())
            QSKIP("a mouse with the description's ids is plugged in");
        const CommandReport request = report::makeCommand(report::kCmdWriteBracket, 0);
        QCOMPARE(int(sendReport(device, request.data(), 33)), int(kResultNoDevice));
        device.closeAll();
        device.shutdownHid();
    }

private:
    void build(VirtualMouse::PathStyle style = VirtualMouse::PathStyle::Linux) {
        m_device.reset();
        m_mouse = std::make_unique<VirtualMouse>(kVid, kReceiverPid, kVid, kCablePid, style);
        m_device = std::make_unique<MouseDevice>(*m_mouse);
        m_device->initDeviceTable();
    }
    const char *path(int slot) const { return m_device->table().entries[0].path[slot].data(); }
    uint32_t flag(int f) const { return m_device->table().entries[0].present[f]; }
    static DeviceEvent event(bool arrived, uint16_t pid, uint8_t kinds, const QString &path) {
        return {arrived, path, kinds, kVid, pid};
    }

    std::unique_ptr<TestTree> m_tree;
    std::unique_ptr<VirtualMouse> m_mouse;
    std::unique_ptr<MouseDevice> m_device;
    QByteArray m_name;
};

QTEST_GUILESS_MAIN(TestMouseDevice)
#include "test_mouse_device.moc"
