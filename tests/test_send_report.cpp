#include "device/command_report.h"
#include "device/hid/command_report_reader.h"
#include "device/hid/hidraw_drain.h"
#include "device/hid/hidraw_node.h"
#include "device/link_hooks.h"
#include "device/send_report.h"
#include "support/command_harness.h"

#include <QtTest>
#include <numeric>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// One scripted read: -1 an error, 0 a time-out, else a reply of that many bytes.
struct ReadStep {
    int result;
    QByteArray reply;
};
using Script = QVector<ReadStep>;
const ReadStep kReadError{-1, {}};
const ReadStep kSilence{0, {}};
ReadStep replyOf(const QByteArray &bytes) {
    return {int(bytes.size()), bytes};
}
Script operator*(const ReadStep &step, int n) {
    return Script(n, step);
}

// A receiver command interface whose reads follow a script, then time out.
class ScriptedHid : public HidBackend {
public:
    int init() override { return 0; }
    int exit() override { return 0; }
    std::vector<HidDeviceInfo> enumerate() override {
        const HidDeviceInfo command{"scripted", 0x248A, 0x8373, {}, 0, 1, 0};
        HidDeviceInfo mouse = command;
        mouse.usage = 2;
        return {mouse, command};
    }
    HidHandle *open(const std::string &, HidReportFilter) override { return new HidHandle; }
    void close(HidHandle *handle) override { delete handle; }
    int write(HidHandle *, const uint8_t *data, std::size_t length) override {
        written.push_back(QByteArray(reinterpret_cast<const char *>(data), int(length)));
        return failWrites-- > 0 ? -1 : int(length);
    }
    int readTimeout(HidHandle *, uint8_t *data, std::size_t length, int timeoutMs) override {
        ++reads;
        lastTimeout = timeoutMs;
        const ReadStep step = script.isEmpty() ? kSilence : script.takeFirst();
        std::memcpy(data, step.reply.constData(), std::min<std::size_t>(length, step.reply.size()));
        return step.result;
    }

    Script script;
    QVector<QByteArray> written;
    int failWrites = 0, reads = 0, lastTimeout = 0;
};

QByteArray bytes33(const char *hex) {
    return QByteArray::fromHex(hex).leftJustified(33, '\0');
}
QByteArray with(QByteArray r, int index, int value) {
    r[index] = char(value);
    return r;
}

// A DPI stage report as built (checksum 0) and as it goes out (BF); a store with the same bytes.
const QByteArray kDpi = bytes33("0500fa02060005d20140064006");
const QByteArray kDpiFramed = with(kDpi, 1, 0xBF);
const QByteArray kStore = with(kDpi, 3, 0x40);

using RawReads = QVector<QPair<int, int>>;

Bytes counting(int n, int from) {
    Bytes out(n);
    std::iota(out.begin(), out.end(), uint8_t(from));
    return out;
}

} // namespace

class TestSendReport : public QObject {
    Q_OBJECT
    ScriptedHid m_hid;
    std::unique_ptr<MouseDevice> m_device;
    QVector<int> m_pauses;

private slots:
    void init() {
        m_hid = ScriptedHid();
        m_pauses.clear();
        devicelink::setPauseFunction([this](int ms) { m_pauses.push_back(ms); });
        m_device = harness::openMouse(m_hid);
    }

    void cleanup() {
        m_device.reset();
        devicelink::setPauseFunction({});
    }

    // One report's transaction: the result (4 from a failing write), the writes, the reads, and the 50 ms
    // pauses before rereads; every good write is followed by a 10 ms one.
    void transaction() {
        const Script echo{replyOf(kDpiFramed)};
        const ReadStep badCommand = replyOf(with(kDpiFramed, 3, 0x03)),
                       badData = replyOf(with(kDpiFramed, 12, 7));
        const QByteArray bracket = bytes33("0500fa4600");
        const Script cutShort{replyOf(bracket.left(4)), kSilence, replyOf(bracket)};
        const struct {
            const char *name;
            QByteArray sent;
            Script script;
            int result, writes, reads, rereadPauses;
        } rows[] = {
            {"0x44: no echo", bytes33("0500fa4402"), {}, 0, 1, 0, 0},
            {"bytes 1, 7 may differ", kDpi, {replyOf(with(kDpi, 7, 0xD3))}, 0, 1, 1, 0},
            {"0x40: other data ok", kStore, {replyOf(with(kStore, 12, 7))}, 0, 1, 1, 0},
            {"silent store", kStore, {}, 0, 6, 6, 0},
            {"0x02: other data fails", kDpi, badData * 3, 2, 3, 3, 0},
            {"silent: 0 after 6 writes", kDpi, {}, 0, 6, 6, 0},
            {"write error, no read", kDpi, echo, 4, 1, 0, 0},
            {"30 read errors: 1 rewrite", kDpi, kReadError * 30 + echo, 0, 2, 31, 29},
            {"31 read errors: 2 rewrites", kDpi, kReadError * 31 + echo, 0, 3, 32, 29},
            {"32 read errors: gives up", kDpi, kReadError * 32 + echo, 2, 3, 32, 29},
            {"20 mismatches: 1 rewrite", kDpi, badCommand * 20 + echo, 0, 2, 21, 19},
            {"21 mismatches: 2 rewrites", kDpi, badCommand * 21 + echo, 0, 3, 22, 19},
            {"22 mismatches: gives up", kDpi, badCommand * 22 + echo, 2, 3, 22, 19},
            // A time-out leaves the previous reply in the buffer: the stale wrong data forces the rewrites.
            {"stale reply judged again", kDpi, {badData, kSilence, kSilence}, 2, 3, 3, 0},
            // A reply cut to four bytes is no echo, though the bracket's zero bytes would compare equal.
            {"cut short: read again", bracket, cutShort, 0, 1, 3, 2},
            // A reply cut short is no echo though its header matches, nor is it judged again after time-outs.
            {"short reply: gives up", kStore, {replyOf(kStore.left(16))}, 2, 3, 22, 19},
            // The copies are 64 bytes: a longer length is cut to them.
            {"long report cut to 64", kDpi + QByteArray(100, '\x7E'), echo, 0, 1, 1, 0}};
        for (const auto &row : rows) {
            init(); // a fresh link for each row
            m_hid.script = row.script;
            m_hid.failWrites = row.result == kResultWriteError ? 1 : 0;
            const auto *data = reinterpret_cast<const uint8_t *>(row.sent.constData());
            bool silent = true;
            QVERIFY2(sendReport(*m_device, data, row.sent.size(), &silent) == row.result, row.name);
            // Only the six all-zero replies with nothing judged before them are acceptance through silence.
            QCOMPARE(silent, QByteArray(row.name).startsWith("silent"));
            QCOMPARE(QString::asprintf("%s: %d writes, %d reads, %d rereads", row.name,
                                       int(m_hid.written.size()), m_hid.reads, int(m_pauses.count(50))),
                     QString::asprintf("%s: %d writes, %d reads, %d rereads", row.name, row.writes, row.reads,
                                       row.rereadPauses));
            QCOMPARE(m_hid.lastTimeout, m_hid.reads > 0 ? 150 : 0);
            const int goodWrites = row.result == kResultWriteError ? 0 : row.writes;
            QCOMPARE(int(m_pauses.count(10)), goodWrites);
            QCOMPARE(m_pauses.size(), goodWrites + int(m_pauses.count(50)));
            // Every write, rewrites too, is the caller's report (up to 64 bytes), its checksum filled in.
            for (const QByteArray &w : m_hid.written)
                QCOMPARE(w, with(row.sent.left(64), 1,
                                 report::checksum(reinterpret_cast<const uint8_t *>(w.constData()))));

            // A command of a multi-report operation that only silence accepted ends it as "mouse off".
            m_hid.script = row.script;
            m_hid.failWrites = row.result == kResultWriteError ? 1 : 0;
            CommandReport r{};
            std::memcpy(r.data(), row.sent.constData(), r.size());
            MouseDevice::setInstance(m_device.get());
            QCOMPARE(int(sendCommand(r)), silent ? int(kResultMouseOff) : row.result);
            MouseDevice::setInstance(nullptr);
        }
    }

    void noHandleWritesNothing() {
        m_device->closeAll();
        QCOMPARE(int(sendReport(*m_device, reinterpret_cast<const uint8_t *>(kDpi.constData()), 33)),
                 int(kResultNoDevice));
        QVERIFY(m_hid.written.isEmpty());
    }

    // Other reports never reach the caller's buffer: a time-out leaves the previous reply there. Raw reads
    // as (report ID, milliseconds the read took), ID 0 a time-out and -1 an error; the time-out asked for,
    // the result, and the time-out each raw read was given.
    void commandReportReader() {
        const std::tuple<RawReads, int, int, QVector<int>> rows[] = {
            {{{0x01, 10}, {0x01, 10}, {0x05, 10}}, 150, 33, {150, 140, 130}},         // movement skipped
            {{{0x01, 60}, {0x01, 60}, {0x01, 60}, {0x05, 0}}, 150, 0, {150, 90, 30}}, // until the time is up
            {{{0x01, 0}, {-1, 0}}, 150, -1, {150, 150}},                              // an error
            {{{0x01, 500}, {0x05, 0}}, -1, 33, {-1, -1}}};                            // no limit
        for (auto [reads, timeout, result, timeouts] : rows) {
            int64_t clock = 0;
            QVector<int> given;
            auto raw = [&, &reads = reads](uint8_t *data, std::size_t length, int ms) {
                given << ms;
                const auto [id, took] = reads.takeFirst();
                clock += took;
                if (id > 0) {
                    std::memset(data, 0x77, length);
                    data[0] = uint8_t(id);
                }
                return id > 0 ? int(length) : id;
            };
            uint8_t buffer[33];
            std::memset(buffer, 0xAB, sizeof buffer);
            QCOMPARE(readCommandReport(raw, buffer, sizeof buffer, timeout, [&clock] { return clock; }),
                     result);
            QCOMPARE(given, timeouts);
            QCOMPARE(buffer[0], uint8_t(result > 0 ? 0x05 : 0xAB));
            QCOMPARE(buffer[32], uint8_t(result > 0 ? 0x77 : 0xAB));
        }
    }
};

// The drain over a packet socket pair, which keeps report boundaries as a hidraw node does.
class TestHidrawDrain : public QObject {
    Q_OBJECT
    int m_node = -1;
    std::unique_ptr<HidrawDrain> m_drain;

    void send(uint8_t id, uint8_t code, int number = 0, int size = 33) {
        QByteArray r(size, '\0');
        r[0] = char(id);
        r[3] = char(code);
        r[4] = char(number & 0xFF);
        r[5] = char(number >> 8);
        QCOMPARE(::write(m_node, r.constData(), r.size()), ssize_t(size));
    }

private slots:
    void init() {
        int pair[2];
        QCOMPARE(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, pair), 0);
        m_node = pair[0];
        m_drain = std::make_unique<HidrawDrain>(std::make_unique<HidrawNode>(pair[1]));
    }

    void cleanup() {
        m_drain.reset();
        if (m_node >= 0)
            ::close(m_node);
        m_node = -1;
    }

    // Far more pointer reports than the kernel keeps: none reach the reads, the command reports keep order.
    void movementDroppedCommandsKept() {
        for (int i = 0; i < 1000; ++i) {
            send(0x01, 0, 0, 8);
            if (i == 500)
                send(0x05, 0x48);
        }
        send(0x05, 0x49);
        uint8_t reply[33];
        std::memset(reply, 0xAB, sizeof reply);
        QVERIFY(m_drain->read(reply, sizeof reply, 1000) == 33 && reply[3] == 0x48);
        QVERIFY(m_drain->read(reply, sizeof reply, 1000) == 33 && reply[3] == 0x49);
        // Nothing more: a time-out leaves the buffer as it was.
        QVERIFY(m_drain->read(reply, sizeof reply, 20) == 0 && reply[3] == 0x49);
        QCOMPARE(m_drain->dropped(), uint64_t(0));
    }

    // Beyond the queue's limit the oldest unread command reports give way, and are counted.
    void fullQueueDropsOldest() {
        const int sent = int(HidrawDrain::kQueueLimit) + 44;
        for (int i = 0; i < sent; ++i)
            send(0x05, 0x49, i);
        QTRY_COMPARE(m_drain->dropped(), uint64_t(44));
        uint8_t reply[33];
        for (int i = 44; i < sent; ++i) {
            QCOMPARE(m_drain->read(reply, sizeof reply, 0), 33);
            QCOMPARE(reply[4] | reply[5] << 8, i);
        }
        QCOMPARE(m_drain->read(reply, sizeof reply, 0), 0);
    }

    // Writes reach the node; a node that goes away fails the reads, once what it delivered before was read.
    void writesAndRemovedNode() {
        const QByteArray r = bytes33("0526fa460000");
        QCOMPARE(m_drain->write(reinterpret_cast<const uint8_t *>(r.constData()), r.size()), 33);
        char got[64];
        QVERIFY(::read(m_node, got, sizeof got) == 33 && QByteArray(got, 33) == r);
        send(0x05, 0x46);
        ::close(m_node);
        m_node = -1;
        uint8_t reply[33];
        QCOMPARE(m_drain->read(reply, sizeof reply, 1000), 33);
        QCOMPARE(m_drain->read(reply, sizeof reply, 1000), -1);
        QCOMPARE(m_drain->read(reply, sizeof reply, -1), -1);
    }
};

class TestVirtualMouse : public QObject {
    Q_OBJECT
    std::unique_ptr<CommandHarness> m_h;
    VirtualMouse *m_mouse = nullptr;

    ResultCode send(const Bytes &r) { return sendReport(m_h->device(), r.data(), 33); }
    int writes() const { return int(m_h->written().size()); }

private slots:
    void init() {
        m_h = std::make_unique<CommandHarness>();
        m_mouse = &m_h->mouse();
    }

    void cleanup() { m_h.reset(); }

    // A pointer in use fills the node's 64 unread reports in 64 ms: drained, the node keeps a status report
    // and the next echo, which the command handle finds past the pointer reports; read only when asked, both
    // are lost and the echo costs a rewrite. (Framing and checksums are the byte-exact profile write's.)
    void pointerInUse() {
        for (bool drained : {true, false}) {
            m_h.reset();
            m_h = std::make_unique<CommandHarness>(drained);
            m_mouse = &m_h->mouse();
            // The node's queue is full once more rounds than it holds have been sent.
            const auto queueFilled = [this] {
                const int full = m_mouse->streamedRounds() + 2 * int(VirtualMouse::kKernelQueueLimit);
                return QTest::qWaitFor([&] { return m_mouse->streamedRounds() >= full; }, 10000);
            };
            m_mouse->streamMovement(1000);
            QVERIFY(queueFilled());
            m_mouse->sendStatusReport(0, 2, 1, 0);
            uint8_t reply[33] = {};
            const int got = m_mouse->readTimeout(m_h->device().commandHandle(), reply, sizeof reply, 50);
            QCOMPARE(got == 33 && reply[report::kCommand] == report::kCmdStatusReport, drained);
            QVERIFY(queueFilled());
            m_mouse->clearRecords();
            QCOMPARE(int(send(onWire(report::kCmdWriteBracket, 0))), 0);
            QCOMPARE(writes(), drained ? 1 : 2);
            m_mouse->streamMovement(0);
        }
    }

    // The commands the mouse echoes and those it leaves unanswered; a bad checksum is never answered, and a
    // short report is answered from what arrived, never from beyond it.
    void echoRules() {
        QVector<std::tuple<int, bool, int, bool>> rows{{0x02, false, 33, false}, {0x40, true, 12, true}};
        for (int code : {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x40, 0x46})
            rows.append({code, true, 33, true});
        for (int code : {0x0B, 0x41, 0x44, 0x45, 0x47, 0x49, 0xFF})
            rows.append({code, true, 33, false});
        HidHandle *h = m_h->device().commandHandle();
        for (const auto &[code, goodChecksum, length, echoed] : rows) {
            Bytes r = onWire(uint8_t(code), 0x10, 0xD1, {0xAA, 0x55});
            r[report::kChecksum] = report::checksum(r.data()) ^ (goodChecksum ? 0 : 1);
            Bytes sent = r;
            sent[20] = length < 33 ? 0x99 : 0;
            QCOMPARE(m_mouse->write(h, sent.data(), length), length);
            Bytes reply(33, 0xEE);
            QVERIFY2(m_mouse->readTimeout(h, reply.data(), reply.size(), 150) == (echoed ? 33 : 0),
                     qPrintable(QString::number(code, 16)));
            QVERIFY(!echoed || reply == r);
        }
    }

    // Where blocks land in the mouse's memory, which the window tests read back (stores and the profile
    // selection are the settings commands' business): the closing report is no data, and macro images use
    // both address bytes.
    void blocksLandAtTheirAddresses() {
        const Bytes first = counting(19, 1), second = counting(24, 0x40), image = counting(20, 0x80);
        for (const Bytes &r :
             {onWire(report::kCmdSettings, 0x00, report::kBlockFirst, first),
              onWire(report::kCmdSettings, 0x13, report::kBlockNext, second),
              onWire(report::kCmdSettings, 0x7F, report::kBlockClose, {report::kBlockCloseData}),
              onWire(report::kCmdMacros, 400, report::kBlockNext, image)})
            QCOMPARE(int(send(r)), 0);
        QVERIFY(m_mouse->memory(report::kCmdSettings, 0, 19) == first &&
                m_mouse->memory(report::kCmdSettings, 19, 24) == second &&
                m_mouse->memory(report::kCmdSettings, 0x7F, 1) == Bytes{0});
        QVERIFY(m_mouse->memory(report::kCmdMacros, 400, 20) == image &&
                m_mouse->memory(report::kCmdMacros, 400 & 0xFF, 20) == Bytes(20, 0));
    }
};

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    TestSendReport transaction;
    TestHidrawDrain drain;
    TestVirtualMouse mouse;
    return QTest::qExec(&transaction, argc, argv) | QTest::qExec(&drain, argc, argv) |
           QTest::qExec(&mouse, argc, argv);
}
#include "test_send_report.moc"
