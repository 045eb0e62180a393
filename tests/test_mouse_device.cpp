#include "device/command_report.h"
#include "device/device_access.h"
#include "device/link_hooks.h"
#include "device/mouse_device.h"
#include "device/send_report.h"
#include "device/udev_rule.h"
#include "platform/hid_report_descriptor.h"
#include "platform/hidraw_node_registry.h"
#include "sim/virtual_mouse.h"
#include "storage/config_file.h"
#include "support/test_tree.h"

#include <QtTest>
#include <cerrno>
#include <cstring>

namespace {
constexpr uint16_t kVid = 0x248A;
constexpr uint16_t kReceiverPid = 0x8373;
constexpr uint16_t kCablePid = 0xFB01;
constexpr uint8_t kBoth = kCollectionMouse | kCollectionCommand;

// Boot mouse: buttons and X/Y inside an application collection (page 1, usage 2).
const char *const kMouse = "05 01 09 02 A1 01 09 01 A1 00 05 09 19 01 29 03 15 00 25 01 95 03 75 01 81 02"
                           " 95 01 75 05 81 03 05 01 09 30 09 31 15 81 25 7F 75 08 95 02 81 06 C0 C0";
// The vendor command collection: page 1, usage 0, report ID 5, 32 bytes in and out.
const char *const kCommand = "05 01 09 00 A1 01 85 05 09 00 15 00 26 FF 00 75 08 95 20 81 02 09 00 91 02 C0";
const char *const kKeyboard = "05 01 09 06 A1 01 05 07 19 E0 29 E7 15 00 25 01 75 01 95 08 81 02 C0";

QByteArray hex(const QString &text) {
    return QByteArray::fromHex(text.toLatin1().replace(' ', ""));
}

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

    // One node serves both slots of a connection; flags, path and release number outlive the cable's unplug.
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

    // Windows paths name the collection, in either case; a Linux node path names none (its descriptor does).
    void windowsPathNamesCollection() {
        build(VirtualMouse::PathStyle::Windows);
        const QString command = "\\\\?\\HID#VID_248A&PID_8373&MI_00&COL04#7&2b1f0c3d&0&0000#{4d1e55b2-f16f}";
        m_mouse->setPath(kReceiver, kCollectionCommand, command.toStdString());
        m_device->enumerateDevices();
        QVERIFY(flag(kPresentReceiverCommand) == 1u && flag(kPresentReceiverMouse) == 1u);
        QCOMPARE(QString(path(kSlotReceiverCommand)), command);
        const InterfaceClass c = MouseDevice::classifyInterfacePath(
            "\\\\?\\hid#vid_248a&pid_fb01&rev_0213&mi_00&col04#7&2b1f0c3d&0&0000#{4d1e55b2-f16f-11cf}");
        QCOMPARE((QVector<int>{c.kind, c.vendorId, c.productId}),
                 (QVector<int>{kCollectionCommand, 0x248A, 0xFB01}));
        QCOMPARE(int(MouseDevice::classifyInterfacePath("/dev/hidraw3").kind), int(kCollectionNone));
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
        // A receiver without its mouse collection is not opened at all.
        m_device->closeAll();
        m_device->table().entries[0].present[kPresentReceiverMouse] = 0;
        m_device->openByName(m_name.constData());
        for (int slot = 0; slot < kSlotCount; ++slot)
            QVERIFY(!m_device->handle(slot));
        QVERIFY(!m_device->commandHandle());
    }

    // After opening, the link tells apart: nothing plugged in, a node this user may not open, one that failed
    // otherwise, a mouse that does not answer and one that does. The udev rule counts as installed in any
    // folder of the list.
    void accessStates() {
        const std::tuple<bool, int, bool, DeviceAccess> rows[] = {
            {false, 0, false, DeviceAccess::Absent},    {true, EACCES, false, DeviceAccess::Denied},
            {true, EPERM, false, DeviceAccess::Denied}, {true, EBUSY, false, DeviceAccess::Failed},
            {true, 0, true, DeviceAccess::Silent},      {true, 0, false, DeviceAccess::Ready}};
        for (const auto &[plugged, refusal, asleep, expected] : rows) {
            build();
            for (int c = 0; c < kConnectionCount && !plugged; ++c)
                m_mouse->unplug(c);
            m_mouse->refuseOpens(refusal);
            m_mouse->setAsleep(asleep);
            m_device->enumerateDevices();
            m_device->openByName(m_name.constData());
            QCOMPARE(int(probeAccess(*m_device)), int(expected));
        }
        const QTemporaryDir first, second;
        qputenv("KORVANE_UDEV_RULES_DIRS", (first.path() + ":" + second.path()).toLocal8Bit());
        QVERIFY(udevrule::installedPath().isEmpty());
        QVERIFY(QFile(second.filePath(udevrule::kFileName)).open(QIODevice::WriteOnly));
        QCOMPARE(udevrule::installedPath(), second.filePath(udevrule::kFileName));
        qunsetenv("KORVANE_UDEV_RULES_DIRS");
    }

    // Removals keep paths. A removal for a flag already 0 leaves the entry alone; ids of no entry change
    // nothing either.
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
        QCOMPARE(QString(path(kSlotReceiverMouse)), receiver);
        const DeviceEntry before = m_device->table().entries[0];
        for (const DeviceEvent &removal : {event(false, kReceiverPid, kCollectionCommand, "/dev/hidraw7"),
                                           event(false, 0xC077, kCollectionMouse, "/dev/hidraw8")})
            QVERIFY(m_device->applyDeviceEvent(removal).empty());
        QCOMPARE(std::memcmp(&before, &m_device->table().entries[0], sizeof before), 0);
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

    // The name field holds 255 characters, a path field 254: longer texts are cut, never written past the
    // field (paths cut at enumeration are the discovery fuzz seeds').
    void overlongPathAndNameAreCut() {
        m_tree->setIniValue("Configs/Config.ini", "Mouse_List/0", QString(300, 'N'));
        m_device->initDeviceTable();
        QCOMPARE(std::strlen(m_device->table().entries[0].name.data()), std::size_t(255));
        m_device->enumerateDevices();
        // The configured name, cut the same way, still finds the entry.
        m_device->openByName(QByteArray(300, 'N').constData());
        QVERIFY(m_device->handle(kSlotCableCommand));
        const auto changes = m_device->applyDeviceEvent(
            event(true, kCablePid, kCollectionCommand, "/dev/" + QString(400, 'p')));
        QCOMPARE(changes.size(), std::size_t(1));
        QCOMPARE(std::strlen(path(kSlotCableCommand)), std::size_t(254));
    }

    // Kinds and top-level collections of a descriptor: a vendor page is not the command collection, and a
    // 4-byte usage carries its page (0x00010002 is the mouse).
    void descriptorKinds() {
        const std::tuple<QByteArray, int, int> rows[] = {
            {hex(kMouse), kCollectionMouse, 1},
            {hex(kMouse) + hex(kKeyboard) + hex(kCommand), kBoth, 3},
            {hex(kKeyboard), kCollectionNone, 1},
            {hex("06 00 FF 09 01 A1 01 09 01 81 02 C0"), kCollectionNone, 1},
            {hex("0B 02 00 01 00 A1 01 C0"), kCollectionMouse, 1},
            {hex(kMouse) + hex("05 01 09"), kCollectionMouse, 1}, // cut off after the mouse
            {QByteArray(), kCollectionNone, 0}};
        for (const auto &[descriptor, kinds, collections] : rows)
            QVERIFY2(hiddescriptor::collectionKinds(descriptor) == kinds &&
                         int(hiddescriptor::topLevelCollections(descriptor).size()) == collections,
                     descriptor.toHex(' ').constData());
    }

    // USB and Bluetooth ids in either case; an id past 16 bits or a missing part gives none.
    void hidId() {
        const auto ids = hiddescriptor::parseHidId("0003:0000248A:00008373");
        QVERIFY(ids && ids->vendorId == 0x248A && ids->productId == 0x8373);
        const auto bluetooth = hiddescriptor::parseHidId("0005:0000248a:0000fb01");
        QVERIFY(bluetooth && bluetooth->vendorId == 0x248A && bluetooth->productId == 0xFB01);
        QVERIFY(!hiddescriptor::parseHidId("0003:0001248A:00008373") &&
                !hiddescriptor::parseHidId("0003:0000248A"));
    }

    // The removed node's parent is gone: its kind and ids come from its arrival, once.
    void removalClassifiedFromArrival() {
        HidrawNodeRegistry nodes;
        nodes.remember({true, "/dev/hidraw3", kBoth, kVid, kCablePid});
        nodes.remember({true, "/dev/hidraw4", kCollectionNone, kVid, kCablePid});
        const DeviceEvent removed = nodes.removal("/dev/hidraw3");
        QVERIFY(!removed.arrived && removed.path == "/dev/hidraw3" && removed.kinds == kBoth &&
                removed.productId == kCablePid);
        QVERIFY(!nodes.contains("/dev/hidraw3") && nodes.contains("/dev/hidraw4"));
        const DeviceEvent again = nodes.removal("/dev/hidraw3");
        QVERIFY(again.kinds == kCollectionNone && again.vendorId == 0 && again.path == "/dev/hidraw3");
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
