#include "device/command_report.h"
#include "device/link_hooks.h"
#include "device/mouse_device.h"
#include "device/send_report.h"
#include "sim/virtual_mouse.h"

#include <QtTest>
#include <cstring>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes bytes(std::initializer_list<int> values) {
    Bytes out(33, 0);
    std::size_t i = 0;
    for (int v : values)
        out[i++] = static_cast<uint8_t>(v);
    return out;
}

// A report as a builder hands it over (checksum 0): code, address, position and data.
Bytes command(uint8_t code, uint16_t address, uint8_t position, const Bytes &data) {
    Bytes r(33, 0);
    r[report::kReportId] = report::kReportIdValue;
    r[report::kMagic] = report::kMagicValue;
    r[report::kCommand] = code;
    r[report::kAddressLow] = address & 0xFF;
    r[report::kAddressHigh] = address >> 8;
    r[report::kLength] = static_cast<uint8_t>(data.size());
    r[report::kPosition] = position;
    std::copy(data.begin(), data.end(), r.begin() + report::kData);
    return r;
}

Bytes framed(Bytes r) {
    r[report::kChecksum] = report::checksum(r.data());
    return r;
}

Bytes counting(int n, int from) {
    Bytes out;
    for (int i = 0; i < n; ++i)
        out.push_back(static_cast<uint8_t>(from + i));
    return out;
}

enum Fault {
    kAsleep,
    kGarbledCommand,
    kGarbledData,
    kAllZeroEcho,
    kFailingReads,
    kFailingWrite,
    kUnplugged,
    kUnpluggedAfterWrite
};

} // namespace

class TestVirtualMouse : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void sentReportArrivesByteExact();
    void echoRules_data();
    void echoRules();
    void shortReportEchoedPadded();
    void blockWritesAreStored();
    void bracketsStoresAndProfile();
    void batteryAnswerAndStatusReport();
    void faults_data();
    void faults();
    void movementReportsDoNotReachCommandHandle();

private:
    uint8_t send(const Bytes &r) { return sendReport(*m_device, r.data(), 33); }
    int writes() const;

    std::unique_ptr<VirtualMouse> m_mouse;
    std::unique_ptr<MouseDevice> m_device;
};

void TestVirtualMouse::init() {
    devicelink::setPauseFunction([](int) {});
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
}

void TestVirtualMouse::cleanup() {
    m_device.reset();
    m_mouse.reset();
    devicelink::setPauseFunction({});
}

int TestVirtualMouse::writes() const {
    int n = 0;
    for (const auto &r : m_mouse->records())
        n += r.direction == VirtualMouse::Direction::Written;
    return n;
}

// Framing, checksum (FA+02+06+00+05+D2 = 1D9 -> D9 ^ 66 = BF) and the echo, over the cable since
// both connections are plugged in.
void TestVirtualMouse::sentReportArrivesByteExact() {
    const Bytes dpi = bytes({0x05, 0x00, 0xFA, 0x02, 0x06, 0x00, 0x05, 0xD2, 0x01, 0x40, 0x06, 0x40, 0x06});
    const Bytes onWire =
        bytes({0x05, 0xBF, 0xFA, 0x02, 0x06, 0x00, 0x05, 0xD2, 0x01, 0x40, 0x06, 0x40, 0x06});
    QCOMPARE(int(send(dpi)), 0);
    const auto records = m_mouse->records();
    QCOMPARE(records.size(), std::size_t(2));
    QVERIFY(records[0].direction == VirtualMouse::Direction::Written);
    QCOMPARE(records[0].connection, int(kCable));
    QCOMPARE(records[0].bytes, onWire);
    QVERIFY(records[1].direction == VirtualMouse::Direction::Read);
    QCOMPARE(records[1].bytes, onWire);
}

void TestVirtualMouse::echoRules_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("goodChecksum");
    QTest::addColumn<bool>("echoed");
    for (int code = 0x01; code <= 0x0A; ++code)
        QTest::addRow("code %02x", code) << code << true << true;
    QTest::newRow("store") << 0x40 << true << true;
    QTest::newRow("write bracket") << 0x46 << true << true;
    QTest::newRow("profile select") << 0x44 << true << false;
    for (int code : {0x0B, 0x41, 0x45, 0x47, 0x49, 0xFF})
        QTest::addRow("code %02x", code) << code << true << false;
    QTest::newRow("bad checksum") << 0x02 << false << false;
}

void TestVirtualMouse::echoRules() {
    QFETCH(int, code);
    QFETCH(bool, goodChecksum);
    QFETCH(bool, echoed);
    HidHandle *h =
        m_mouse->open(m_mouse->path(kReceiver, kCollectionCommand), HidReportFilter::CommandReports);
    QVERIFY(h);
    Bytes r = framed(command(static_cast<uint8_t>(code), 0x10, 0xD1, {0xAA, 0x55}));
    if (!goodChecksum)
        r[report::kChecksum] ^= 1;
    QCOMPARE(m_mouse->write(h, r.data(), r.size()), 33);
    Bytes reply(33, 0);
    QCOMPARE(m_mouse->readTimeout(h, reply.data(), reply.size(), 150), echoed ? 33 : 0);
    if (echoed)
        QCOMPARE(reply, r);
    m_mouse->close(h);
}

// A report shorter than 33 bytes is answered from what arrived, never from beyond it.
void TestVirtualMouse::shortReportEchoedPadded() {
    HidHandle *h = m_device->commandHandle();
    const Bytes r = framed(command(report::kCmdStore, 0xF3, 0, {}));
    Bytes sent = r;
    sent[20] = 0x99; // past the length written
    QCOMPARE(m_mouse->write(h, sent.data(), 12), 12);
    Bytes reply(33, 0xEE);
    QCOMPARE(m_mouse->readTimeout(h, reply.data(), reply.size(), 150), 33);
    QCOMPARE(reply, r);
}

void TestVirtualMouse::blockWritesAreStored() {
    const Bytes first = counting(19, 1);
    const Bytes second = counting(24, 0x40);
    QCOMPARE(int(send(command(report::kCmdSettings, 0x00, report::kBlockFirst, first))), 0);
    QCOMPARE(int(send(command(report::kCmdSettings, 0x13, report::kBlockNext, second))), 0);
    QCOMPARE(int(send(command(report::kCmdSettings, 0x7F, report::kBlockClose, {report::kBlockCloseData}))),
             0);
    Bytes expected = first;
    expected.insert(expected.end(), second.begin(), second.end());
    QCOMPARE(m_mouse->memory(report::kCmdSettings, 0, expected.size()), expected);
    QCOMPARE(m_mouse->memory(report::kCmdSettings, 0x7F, 1), Bytes{0}); // the closing report is no data
    QCOMPARE(m_mouse->closedBlocks(report::kCmdSettings), 1);

    // Macro images use both address bytes.
    const Bytes image = counting(20, 0x80);
    QCOMPARE(int(send(command(report::kCmdMacros, 400, report::kBlockNext, image))), 0);
    QCOMPARE(m_mouse->memory(report::kCmdMacros, 400, 20), image);
    QCOMPARE(m_mouse->memory(report::kCmdMacros, 400 & 0xFF, 20), Bytes(20, 0));
}

void TestVirtualMouse::bracketsStoresAndProfile() {
    auto header = [](uint8_t code, uint8_t low, uint8_t high) {
        Bytes r = command(code, static_cast<uint16_t>(low | (high << 8)), 0, {});
        return r;
    };
    QCOMPARE(int(send(header(report::kCmdWriteBracket, 0, 0))), 0);
    QVERIFY(m_mouse->bracketOpen());
    QCOMPARE(int(send(header(report::kCmdStore, 0xF3, 0x04))), 0);
    QCOMPARE(int(send(header(report::kCmdStore, 0xF3, 0x01))), 0);
    QCOMPARE(int(send(header(report::kCmdSelectProfile, 3, 0))), 0);
    QCOMPARE(int(send(header(report::kCmdWriteBracket, 1, 0))), 0);
    QVERIFY(!m_mouse->bracketOpen());
    QCOMPARE(m_mouse->writeBrackets(), (Bytes{0, 1}));
    QCOMPARE(m_mouse->storeCommands(), (Bytes{0x04, 0x01}));
    QCOMPARE(m_mouse->currentProfile(), 3);
}

// Battery 3600 mV = 0x0E10, charging, status 2, capability 0x5A: checksum FA+48+10+0E+01+02 = 163
// -> 63 ^ 66 = 05. Status report: FA+49+02+03+01+00 = 149 -> 49 ^ 66 = 2F.
void TestVirtualMouse::batteryAnswerAndStatusReport() {
    m_mouse->setBattery({3600, 1, 2, 0x5A});
    HidHandle *h = m_device->commandHandle();
    const Bytes request = bytes({0x05, 0x24, 0xFA, 0x48});
    QCOMPARE(m_mouse->write(h, request.data(), request.size()), 33);
    Bytes reply(33, 0);
    QCOMPARE(m_mouse->readTimeout(h, reply.data(), reply.size(), 50), 33);
    QCOMPARE(reply, bytes({0x05, 0x05, 0xFA, 0x48, 0x10, 0x0E, 0x01, 0x02, 0x00, 0x00, 0x5A}));

    m_mouse->sendStatusReport(2, 3, 1, 0);
    QCOMPARE(m_mouse->readTimeout(h, reply.data(), reply.size(), 50), 33);
    QCOMPARE(reply, bytes({0x05, 0x2F, 0xFA, 0x49, 0x02, 0x03, 0x01, 0x00}));
    QCOMPARE(m_mouse->readTimeout(h, reply.data(), reply.size(), 50), 0);
}

void TestVirtualMouse::faults_data() {
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("writes"); // reports the mouse received
    QTest::addColumn<bool>("stored");

    QTest::newRow("asleep: silence is taken as acceptance") << int(kAsleep) << 1 << 0 << 6 << false;
    QTest::newRow("one wrong command echo") << int(kGarbledCommand) << 1 << 0 << 2 << true;
    QTest::newRow("three wrong command echoes") << int(kGarbledCommand) << 3 << 2 << 3 << true;
    QTest::newRow("one wrong data echo") << int(kGarbledData) << 1 << 0 << 2 << true;
    QTest::newRow("three wrong data echoes") << int(kGarbledData) << 3 << 2 << 3 << true;
    QTest::newRow("one all-zero echo") << int(kAllZeroEcho) << 1 << 0 << 2 << true;
    QTest::newRow("30 failing reads") << int(kFailingReads) << 30 << 0 << 2 << true;
    QTest::newRow("32 failing reads") << int(kFailingReads) << 32 << 2 << 3 << true;
    QTest::newRow("failing write") << int(kFailingWrite) << 1 << 4 << 0 << false;
    QTest::newRow("unplugged") << int(kUnplugged) << 1 << 4 << 0 << false;
    // The echo is lost with the connection: 30 failing reads, then the rewrite fails.
    QTest::newRow("unplugged after taking the report") << int(kUnpluggedAfterWrite) << 1 << 4 << 1 << true;
}

void TestVirtualMouse::faults() {
    QFETCH(int, fault);
    QFETCH(int, count);
    QFETCH(int, result);
    QFETCH(int, writes);
    QFETCH(bool, stored);
    switch (fault) {
    case kAsleep:
        m_mouse->setAsleep(true);
        break;
    case kGarbledCommand:
        m_mouse->garbleEchoes(VirtualMouse::EchoFault::WrongCommand, count);
        break;
    case kGarbledData:
        m_mouse->garbleEchoes(VirtualMouse::EchoFault::WrongData, count);
        break;
    case kAllZeroEcho:
        m_mouse->garbleEchoes(VirtualMouse::EchoFault::AllZero, count);
        break;
    case kFailingReads:
        m_mouse->failReads(count);
        break;
    case kFailingWrite:
        m_mouse->failWrites(count);
        break;
    case kUnplugged:
        m_mouse->unplug(kCable);
        break;
    case kUnpluggedAfterWrite:
        m_mouse->unplugAfter(count);
        break;
    }
    const Bytes data = counting(5, 0x21);
    QCOMPARE(int(send(command(report::kCmdDpiStages, 1, report::kBlockNext, data))), result);
    QCOMPARE(this->writes(), writes);
    QCOMPARE(m_mouse->memory(report::kCmdDpiStages, 1, 5) == data, stored);
}

// On a shared Linux node the pointer's movement reports arrive with the echoes; the command handle
// skips them, so they cost no rereads, while a plain handle on the same node sees them.
void TestVirtualMouse::movementReportsDoNotReachCommandHandle() {
    m_mouse->setMovementStreaming(40);
    HidHandle *plain = m_mouse->open(m_mouse->path(kCable, kCollectionMouse), HidReportFilter::AllReports);
    QVERIFY(plain);
    QCOMPARE(int(send(command(report::kCmdDpiStages, 1, report::kBlockNext, counting(5, 1)))), 0);
    QCOMPARE(writes(), 1);
    Bytes reply(33, 0);
    QCOMPARE(m_mouse->readTimeout(plain, reply.data(), reply.size(), 150), 8);
    QCOMPARE(reply[report::kReportId], uint8_t(0x01));
    m_mouse->close(plain);
}

QTEST_GUILESS_MAIN(TestVirtualMouse)
#include "test_virtual_mouse.moc"
