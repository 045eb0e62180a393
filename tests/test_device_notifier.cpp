#include "device/device_entry.h"
#include "platform/hid_report_descriptor.h"
#include "platform/hidraw_node_registry.h"
#include "sim/virtual_device_notifier.h"
#include "sim/virtual_mouse.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

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

class TestDeviceNotifier : public QObject {
    Q_OBJECT
private slots:
    void descriptorKinds_data() {
        QTest::addColumn<QByteArray>("descriptor");
        QTest::addColumn<int>("kinds");
        QTest::addColumn<int>("collections");
        QTest::newRow("mouse") << hex(kMouse) << int(kCollectionMouse) << 1;
        QTest::newRow("mouse and command on one node") << hex(kMouse) + hex(kKeyboard) + hex(kCommand)
                                                       << int(kCollectionMouse | kCollectionCommand) << 3;
        QTest::newRow("keyboard only") << hex(kKeyboard) << int(kCollectionNone) << 1;
        QTest::newRow("vendor page is not the command collection")
            << hex("06 00 FF 09 01 A1 01 09 01 81 02 C0") << int(kCollectionNone) << 1;
        // A 4-byte usage carries its page: 0x00010002 is the mouse.
        QTest::newRow("4-byte usage") << hex("0B 02 00 01 00 A1 01 C0") << int(kCollectionMouse) << 1;
        QTest::newRow("truncated after the mouse")
            << hex(kMouse) + hex("05 01 09") << int(kCollectionMouse) << 1;
        QTest::newRow("empty") << QByteArray() << int(kCollectionNone) << 0;
    }

    void descriptorKinds() {
        QFETCH(QByteArray, descriptor);
        QTEST(int(hiddescriptor::collectionKinds(descriptor)), "kinds");
        QTEST(int(hiddescriptor::topLevelCollections(descriptor).size()), "collections");
    }

    void hidId_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("vid");
        QTest::addColumn<int>("pid");
        QTest::newRow("usb") << "0003:0000248A:00008373" << true << 0x248A << 0x8373;
        QTest::newRow("bluetooth, lower case") << "0005:0000248a:0000fb01" << true << 0x248A << 0xFB01;
        QTest::newRow("id too large") << "0003:0001248A:00008373" << false << 0 << 0;
        QTest::newRow("missing part") << "0003:0000248A" << false << 0 << 0;
    }

    void hidId() {
        QFETCH(QString, text);
        uint16_t v = 0, p = 0;
        QTEST(hiddescriptor::parseHidId(text, v, p), "ok");
        QTEST(int(v), "vid");
        QTEST(int(p), "pid");
    }

    // The removed node's parent is gone: its kind and ids come from its arrival, once.
    void removalClassifiedFromArrival() {
        HidrawNodeRegistry nodes;
        const uint8_t both = kCollectionMouse | kCollectionCommand;
        nodes.remember({true, "/dev/hidraw3", both, 0x248A, 0xFB01});
        nodes.remember({true, "/dev/hidraw4", kCollectionNone, 0x248A, 0xFB01});
        const DeviceEvent removed = nodes.removal("/dev/hidraw3");
        QVERIFY(!removed.arrived);
        QCOMPARE(removed.path, QString("/dev/hidraw3"));
        QCOMPARE(int(removed.kinds), int(both));
        QCOMPARE(int(removed.productId), 0xFB01);
        QVERIFY(!nodes.contains("/dev/hidraw3") && nodes.contains("/dev/hidraw4"));
        const DeviceEvent again = nodes.removal("/dev/hidraw3");
        QCOMPARE(int(again.kinds), int(kCollectionNone));
        QCOMPARE(int(again.vendorId), 0);
        QCOMPARE(again.path, QString("/dev/hidraw3"));
    }

    void virtualMouseEvents_data() {
        QTest::addColumn<bool>("windowsPaths");
        QTest::newRow("linux node") << false;
        QTest::newRow("windows paths") << true;
    }

    // Unplugging and replugging the receiver arrives, classified, through the event loop.
    void virtualMouseEvents() {
        QFETCH(bool, windowsPaths);
        VirtualMouse mouse(0x248A, 0x8373, 0x248A, 0xFB01,
                           windowsPaths ? VirtualMouse::PathStyle::Windows : VirtualMouse::PathStyle::Linux);
        VirtualDeviceNotifier notifier(mouse);
        QSignalSpy spy(&notifier, &DeviceNotifier::deviceChanged);
        QVERIFY(notifier.start());
        mouse.unplug(kReceiver);
        QCOMPARE(spy.count(), 0); // queued, not delivered inside unplug()
        mouse.plug(kReceiver);
        QTRY_COMPARE(spy.count(), windowsPaths ? 4 : 2);
        uint8_t kinds[2] = {0, 0}; // removed, arrived
        for (int i = 0; i < spy.count(); ++i) {
            const auto e = spy.at(i).at(0).value<DeviceEvent>();
            QCOMPARE(e.arrived, i >= spy.count() / 2);
            QCOMPARE(int(e.vendorId), 0x248A);
            QCOMPARE(int(e.productId), 0x8373);
            const uint8_t kind = e.kinds & kCollectionCommand ? kCollectionCommand : kCollectionMouse;
            QCOMPARE(e.path.toStdString(), mouse.path(kReceiver, kind));
            kinds[e.arrived] |= e.kinds;
        }
        QCOMPARE(int(kinds[0]), int(kCollectionMouse | kCollectionCommand));
        QCOMPARE(int(kinds[1]), int(kCollectionMouse | kCollectionCommand));
    }
};

QTEST_GUILESS_MAIN(TestDeviceNotifier)
#include "test_device_notifier.moc"
