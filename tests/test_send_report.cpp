#include "device/command_report.h"
#include "device/hid/command_report_reader.h"
#include "device/link_hooks.h"
#include "device/mouse_device.h"
#include "device/send_report.h"

#include <QtTest>
#include <cstring>
#include <deque>

namespace {

// One scripted outcome of a read: an error, a time-out (0 bytes) or a reply.
struct ReadStep {
    int result = 0;
    QByteArray reply;
};

ReadStep readError() {
    return {-1, {}};
}
ReadStep silence() {
    return {0, {}};
}
ReadStep replyOf(const QByteArray &bytes) {
    return {static_cast<int>(bytes.size()), bytes};
}

using Script = QVector<ReadStep>;

// A command interface whose reads follow a script; time-outs once the script runs out.
class ScriptedHid : public HidBackend {
public:
    int init() override { return 0; }
    int exit() override { return 0; }
    std::vector<HidDeviceInfo> enumerate() override {
        HidDeviceInfo command;
        command.path = "scripted";
        command.vendorId = 0x248A;
        command.productId = 0x8373;
        command.usagePage = 1;
        HidDeviceInfo mouse = command;
        mouse.usage = 2;
        return {mouse, command};
    }
    HidHandle *open(const std::string &, HidReportFilter) override { return new HidHandle; }
    void close(HidHandle *handle) override { delete handle; }
    int write(HidHandle *, const uint8_t *data, std::size_t length) override {
        written.push_back(QByteArray(reinterpret_cast<const char *>(data), static_cast<int>(length)));
        return failWrites-- > 0 ? -1 : static_cast<int>(length);
    }
    int readTimeout(HidHandle *, uint8_t *data, std::size_t length, int timeoutMs) override {
        ++reads;
        lastTimeout = timeoutMs;
        if (script.isEmpty())
            return 0;
        const ReadStep step = script.takeFirst();
        if (step.result > 0)
            std::memcpy(data, step.reply.constData(), std::min<std::size_t>(length, step.reply.size()));
        return step.result;
    }

    Script script;
    QVector<QByteArray> written;
    int failWrites = 0;
    int reads = 0;
    int lastTimeout = 0;
};

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out(33, '\0');
    int i = 0;
    for (int v : values)
        out[i++] = static_cast<char>(v);
    return out;
}

// A DPI stage report as a builder would hand it over: checksum byte left at 0.
const QByteArray kDpiReport =
    bytes({0x05, 0x00, 0xFA, 0x02, 0x06, 0x00, 0x05, 0xD2, 0x01, 0x40, 0x06, 0x40, 0x06});
// The same framed: (FA + 02 + 06 + 00 + 05 + D2) mod 256 = D9, XOR 66 = BF.
const QByteArray kDpiFramed =
    bytes({0x05, 0xBF, 0xFA, 0x02, 0x06, 0x00, 0x05, 0xD2, 0x01, 0x40, 0x06, 0x40, 0x06});
const QByteArray kDpiEchoOtherChecksumAndPosition =
    bytes({0x05, 0x00, 0xFA, 0x02, 0x06, 0x00, 0x05, 0xD3, 0x01, 0x40, 0x06, 0x40, 0x06});
const QByteArray kDpiWrongCommand =
    bytes({0x05, 0xBF, 0xFA, 0x03, 0x06, 0x00, 0x05, 0xD2, 0x01, 0x40, 0x06, 0x40, 0x06});
const QByteArray kDpiWrongData =
    bytes({0x05, 0xBF, 0xFA, 0x02, 0x06, 0x00, 0x05, 0xD2, 0x01, 0x40, 0x06, 0x40, 0x07});
// Store and data-compared commands with two data bytes, and replies that differ only in the data.
const QByteArray kStoreWithData = bytes({0x05, 0x00, 0xFA, 0x40, 0xF3, 0x04, 0x02, 0x00, 0x11, 0x22});
const QByteArray kStoreOtherData = bytes({0x05, 0x00, 0xFA, 0x40, 0xF3, 0x04, 0x02, 0x00, 0x33, 0x44});
const QByteArray kDpiWithData = bytes({0x05, 0x00, 0xFA, 0x02, 0xF3, 0x04, 0x02, 0x00, 0x11, 0x22});
const QByteArray kDpiOtherData = bytes({0x05, 0x00, 0xFA, 0x02, 0xF3, 0x04, 0x02, 0x00, 0x33, 0x44});
const QByteArray kSelectProfile = bytes({0x05, 0x00, 0xFA, 0x44, 0x02});

Script repeat(const ReadStep &step, int n) {
    return Script(n, step);
}

} // namespace

Q_DECLARE_METATYPE(Script)

class TestSendReport : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void transaction_data();
    void transaction();
    void statusRequestChecksum();
    void noHandleWritesNothing();
    void callerBufferUntouchedAndLengthBounded();
    void traceTexts();
    void commandReportReader_data();
    void commandReportReader();

private:
    ScriptedHid m_hid;
    std::unique_ptr<MouseDevice> m_device;
    QVector<int> m_pauses;
};

void TestSendReport::init() {
    m_hid = ScriptedHid();
    m_pauses.clear();
    devicelink::setPauseFunction([this](int ms) { m_pauses.push_back(ms); });
    m_device = std::make_unique<MouseDevice>(m_hid);
    DeviceEntry &entry = m_device->table().entries[0];
    entry.vendorId = {0x248A, 0x248A};
    entry.productId = {0x8373, 0xFB01};
    entry.criteria = {{{2, 1}, {0, 1}, {2, 1}, {0, 1}}};
    std::strcpy(entry.name.data(), "Mouse");
    m_device->table().count = 1;
    m_device->enumerateDevices();
    m_device->openByName("Mouse");
}

void TestSendReport::cleanup() {
    m_device.reset();
    devicelink::setPauseFunction({});
    devicelink::setTraceHook({});
}

void TestSendReport::transaction_data() {
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<Script>("script");
    QTest::addColumn<int>("failWrites");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("writes");
    QTest::addColumn<int>("reads");
    QTest::addColumn<int>("rereadPauses"); // 50 ms pauses; every write is followed by a 10 ms one

    QTest::newRow("profile select needs no echo") << kSelectProfile << Script{} << 0 << 0 << 1 << 0 << 0;
    QTest::newRow("echo differs in checksum and position only")
        << kDpiReport << Script{replyOf(kDpiEchoOtherChecksumAndPosition)} << 0 << 0 << 1 << 1 << 0;
    QTest::newRow("store: other data, same command bytes")
        << kStoreWithData << Script{replyOf(kStoreOtherData)} << 0 << 0 << 1 << 1 << 0;
    QTest::newRow("DPI: other data is a mismatch, rewritten until given up")
        << kDpiWithData << repeat(replyOf(kDpiOtherData), 3) << 0 << 2 << 3 << 3 << 0;
    QTest::newRow("DPI: data mismatch then good echo")
        << kDpiWithData << Script{replyOf(kDpiOtherData), replyOf(kDpiWithData)} << 0 << 0 << 2 << 2 << 0;
    QTest::newRow("silent mouse is accepted after six writes")
        << kDpiReport << Script{} << 0 << 0 << 6 << 6 << 0;
    QTest::newRow("five silences then an echo")
        << kDpiReport << repeat(silence(), 5) + Script{replyOf(kDpiFramed)} << 0 << 0 << 6 << 6 << 0;
    QTest::newRow("write error") << kDpiReport << Script{replyOf(kDpiFramed)} << 1 << 4 << 1 << 0 << 0;
    QTest::newRow("30 read errors: one rewrite")
        << kDpiReport << repeat(readError(), 30) + Script{replyOf(kDpiFramed)} << 0 << 0 << 2 << 31 << 29;
    QTest::newRow("31 read errors: two rewrites")
        << kDpiReport << repeat(readError(), 31) + Script{replyOf(kDpiFramed)} << 0 << 0 << 3 << 32 << 29;
    QTest::newRow("32 read errors: third rewrite gives up")
        << kDpiReport << repeat(readError(), 32) + Script{replyOf(kDpiFramed)} << 0 << 2 << 3 << 32 << 29;
    QTest::newRow("20 command mismatches: one rewrite")
        << kDpiReport << repeat(replyOf(kDpiWrongCommand), 20) + Script{replyOf(kDpiFramed)} << 0 << 0 << 2
        << 21 << 19;
    QTest::newRow("21 command mismatches: two rewrites")
        << kDpiReport << repeat(replyOf(kDpiWrongCommand), 21) + Script{replyOf(kDpiFramed)} << 0 << 0 << 3
        << 22 << 19;
    QTest::newRow("22 command mismatches: given up")
        << kDpiReport << repeat(replyOf(kDpiWrongCommand), 22) + Script{replyOf(kDpiFramed)} << 0 << 2 << 3
        << 22 << 19;
    // A time-out keeps the previous reply in the buffer, so it is judged again: the stale wrong data
    // forces the rewrites although nothing new arrived.
    QTest::newRow("stale data mismatch judged again")
        << kDpiReport << Script{replyOf(kDpiWrongData), silence(), silence()} << 0 << 2 << 3 << 3 << 0;
    QTest::newRow("stale command mismatch judged again")
        << kDpiReport
        << Script{replyOf(kDpiWrongCommand)} + repeat(silence(), 19) + Script{replyOf(kDpiFramed)} << 0 << 0
        << 2 << 21 << 19;
}

void TestSendReport::transaction() {
    QFETCH(QByteArray, sent);
    QFETCH(Script, script);
    QFETCH(int, failWrites);
    QFETCH(int, result);
    QFETCH(int, writes);
    QFETCH(int, reads);
    QFETCH(int, rereadPauses);
    m_hid.script = script;
    m_hid.failWrites = failWrites;

    const auto *data = reinterpret_cast<const uint8_t *>(sent.constData());
    QCOMPARE(int(sendReport(*m_device, data, 33)), result);
    QCOMPARE(m_hid.written.size(), writes);
    QCOMPARE(m_hid.reads, reads);
    if (reads > 0)
        QCOMPARE(m_hid.lastTimeout, 150);
    const int successfulWrites = failWrites > 0 ? 0 : writes;
    QCOMPARE(int(m_pauses.count(10)), successfulWrites);
    QCOMPARE(int(m_pauses.count(50)), rereadPauses);
    QCOMPARE(m_pauses.size(), successfulWrites + rereadPauses);
    for (const QByteArray &w : m_hid.written) {
        QCOMPARE(w.size(), 33);
        QCOMPARE(uint8_t(w[1]), report::checksum(reinterpret_cast<const uint8_t *>(w.constData())));
    }
}

void TestSendReport::statusRequestChecksum() {
    QCOMPARE(report::makeCommand(report::kCmdBattery, 0)[report::kChecksum], uint8_t(0x24));
    m_hid.script = {replyOf(kDpiFramed)};
    sendReport(*m_device, reinterpret_cast<const uint8_t *>(kDpiReport.constData()), 33);
    QCOMPARE(m_hid.written.value(0), kDpiFramed);
}

void TestSendReport::noHandleWritesNothing() {
    m_device->closeAll();
    QCOMPARE(int(sendReport(*m_device, reinterpret_cast<const uint8_t *>(kDpiReport.constData()), 33)),
             int(kResultNoDevice));
    QVERIFY(m_hid.written.isEmpty());
    MouseDevice::setInstance(nullptr);
    QCOMPARE(int(sendReport(reinterpret_cast<const uint8_t *>(kDpiReport.constData()), 33)),
             int(kResultNoDevice));
}

// The copies are 64 bytes: a longer length must not read or write past them.
void TestSendReport::callerBufferUntouchedAndLengthBounded() {
    QByteArray big = kDpiReport + QByteArray(100, '\x7E');
    const QByteArray before = big;
    m_hid.script = {replyOf(kDpiFramed)};
    QCOMPARE(int(sendReport(*m_device, reinterpret_cast<const uint8_t *>(big.constData()), big.size())), 0);
    QCOMPARE(big, before);
    QCOMPARE(m_hid.written.value(0).size(), 64);
}

void TestSendReport::traceTexts() {
    QStringList texts;
    devicelink::setTraceHook([&texts](const QString &t) { texts << t; });
    m_hid.script = {replyOf(kDpiFramed)};
    sendReport(*m_device, reinterpret_cast<const uint8_t *>(kDpiReport.constData()), 33);
    QCOMPARE(texts.value(0), QString::fromUtf8("开始发送--------------------------------------"));
    QCOMPARE(texts.value(1),
             QString("hid_write length=33 data=05 bf fa 02 06 00 05 d2 01 40 06 40 06 00 00 00 00 "
                     "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
    QCOMPARE(texts.value(2), QString::fromUtf8("hid_read开始"));
    QCOMPARE(texts.mid(texts.size() - 3),
             (QStringList{QString::fromUtf8("发送成功--------------------------------------"), " ", " "}));
}

// Raw reads as (report ID, milliseconds the read took); ID 0 is a time-out, -1 an error.
using RawReads = QVector<QPair<int, int>>;

void TestSendReport::commandReportReader_data() {
    QTest::addColumn<RawReads>("reads");
    QTest::addColumn<int>("timeout");
    QTest::addColumn<int>("result");
    QTest::addColumn<QVector<int>>("timeouts"); // what each raw read was given

    QTest::newRow("movement skipped")
        << RawReads{{0x01, 10}, {0x01, 10}, {0x05, 10}} << 150 << 33 << QVector<int>{150, 140, 130};
    QTest::newRow("movement until the time is up")
        << RawReads{{0x01, 60}, {0x01, 60}, {0x01, 60}, {0x05, 0}} << 150 << 0 << QVector<int>{150, 90, 30};
    QTest::newRow("time-out") << RawReads{{0x01, 20}, {0, 130}} << 150 << 0 << QVector<int>{150, 130};
    QTest::newRow("error") << RawReads{{0x01, 0}, {-1, 0}} << 150 << -1 << QVector<int>{150, 150};
    QTest::newRow("no limit") << RawReads{{0x01, 500}, {0x05, 0}} << -1 << 33 << QVector<int>{-1, -1};
}

// Other reports never reach the caller's buffer: a time-out leaves the previous reply there.
void TestSendReport::commandReportReader() {
    QFETCH(RawReads, reads);
    QFETCH(int, timeout);
    QFETCH(int, result);
    QFETCH(QVector<int>, timeouts);
    int64_t clock = 0;
    QVector<int> given;
    auto raw = [&](uint8_t *data, std::size_t length, int ms) {
        given << ms;
        const auto [id, took] = reads.takeFirst();
        clock += took;
        if (id <= 0)
            return id;
        std::memset(data, 0x77, length);
        data[0] = static_cast<uint8_t>(id);
        return static_cast<int>(length);
    };
    uint8_t buffer[33];
    std::memset(buffer, 0xAB, sizeof buffer);
    QCOMPARE(readCommandReport(raw, buffer, sizeof buffer, timeout, [&clock] { return clock; }), result);
    QCOMPARE(given, timeouts);
    QCOMPARE(buffer[0], uint8_t(result > 0 ? 0x05 : 0xAB));
    QCOMPARE(buffer[32], uint8_t(result > 0 ? 0x77 : 0xAB));
}

QTEST_GUILESS_MAIN(TestSendReport)
#include "test_send_report.moc"
