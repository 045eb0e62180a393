#include "device/battery_control.h"
#include "device/battery_thread_controller.h"
#include "device/command_report.h"
#include "device/device_state.h"
#include "device/link_hooks.h"
#include "device/mouse_device.h"
#include "device/profile_write_run.h"
#include "device/result_code.h"
#include "device/send_report.h"
#include "device/vel_get_battery_thread.h"
#include "device/vel_process_thread.h"
#include "sim/virtual_mouse.h"
#include "storage/app_config_store.h"
#include "storage/app_paths.h"
#include "support/test_tree.h"
#include "widgets/vel_process_dialog.h"

#include <QLabel>
#include <QMovie>
#include <QMutex>
#include <QSettings>
#include <QWaitCondition>
#include <QtTest>
#include <cstring>

namespace {

using Bytes = std::vector<uint8_t>;

// The status request with its checksum: FA + 48 = 142 -> 42 ^ 66 = 24.
Bytes statusRequest() {
    Bytes r(33, 0);
    r[0] = 0x05;
    r[1] = 0x24;
    r[2] = 0xFA;
    r[3] = 0x48;
    return r;
}

// Debug lines of every thread, in the order they were written.
class DebugLines {
public:
    DebugLines() {
        s_self = this;
        m_previous = qInstallMessageHandler(&DebugLines::handle);
    }
    ~DebugLines() {
        qInstallMessageHandler(m_previous);
        s_self = nullptr;
    }
    void add(const QString &line) {
        QMutexLocker lock(&m_mutex);
        m_lines << line;
    }
    QStringList lines() const {
        QMutexLocker lock(&m_mutex);
        return m_lines;
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (s_self && type == QtDebugMsg)
            s_self->add(text);
    }
    static DebugLines *s_self;
    QtMessageHandler m_previous = nullptr;
    mutable QMutex m_mutex;
    QStringList m_lines;
};
DebugLines *DebugLines::s_self = nullptr;

bool onReaderThread() {
    return qobject_cast<VelGetBatteryThread *>(QThread::currentThread()) != nullptr;
}

// Pauses of reader threads wait here until the test lets every waiting pause pass once; pauses of other
// threads pass at once. Opened, it lets every pause pass.
class ReaderGate {
public:
    void pause() {
        if (!onReaderThread())
            return;
        QMutexLocker lock(&m_mutex);
        const int ticket = m_generation;
        ++m_entered;
        ++m_waiting;
        while (!m_open && ticket == m_generation)
            m_changed.wait(&m_mutex);
        --m_waiting;
    }
    void releaseWaiting() {
        QMutexLocker lock(&m_mutex);
        ++m_generation;
        m_changed.wakeAll();
    }
    void open() {
        QMutexLocker lock(&m_mutex);
        m_open = true;
        m_changed.wakeAll();
    }
    int waiting() const {
        QMutexLocker lock(&m_mutex);
        return m_waiting;
    }
    // Reader pauses begun so far.
    int entered() const {
        QMutexLocker lock(&m_mutex);
        return m_entered;
    }
    // True once the readers have begun `entered` pauses in all and `waiting` of them are held.
    bool reached(int entered, int waiting) const {
        return QTest::qWaitFor([&] { return this->entered() == entered && this->waiting() == waiting; });
    }

private:
    mutable QMutex m_mutex;
    QWaitCondition m_changed;
    int m_generation = 0;
    int m_waiting = 0;
    int m_entered = 0;
    bool m_open = false;
};

// Lets held readers go when a test ends early, so that the controller's destructor can join them.
struct GateOpener {
    ReaderGate &gate;
    ~GateOpener() { gate.open(); }
};

QString triples(const QSignalSpy &spy) {
    QStringList out;
    for (const QList<QVariant> &args : spy) {
        QStringList values;
        for (const QVariant &v : args)
            values << QString::number(v.toUInt());
        out << "(" + values.join(',') + ")";
    }
    return out.join(' ');
}

enum MouseSetup { Awake, BatteryZero, Charging, Capability8, RequestReadFails, RequestNotWritten, Asleep };

} // namespace

class TestBackgroundThreads : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void oneCycleIsRequestAnd56PassiveReads();
    void readerSignals_data();
    void readerSignals();
    void debugLinesAndErrorPause();
    void readerEndsWithoutCommandHandle();

    void stopAndRestartLeaveOneReader();
    void startWithoutStopRetiresTheOldReader();
    void readerNewsForwardedByController();
    void writeThreadStopWaitsForLastRead();

    void processThread_data();
    void processThread();
    void dialogCentredWithAnimation();
    void dialogClosesWhenWriteEnds_data();
    void dialogClosesWhenWriteEnds();

private:
    struct Run {
        QVector<int> pauses;
        QString battery;
        QString status;
        QString writeStatus;
    };
    // Runs one reader on its own thread; atPause(k) runs inside the k-th pause (from 1), and the reader is
    // told to stop in pause stopAt.
    Run runReader(int stopAt, const std::function<void(int)> &atPause = {});
    Bytes written(std::size_t index) const;
    int writeCount() const;

    std::unique_ptr<VirtualMouse> m_mouse;
    std::unique_ptr<MouseDevice> m_device;
    std::unique_ptr<ReaderGate> m_gate;
};

void TestBackgroundThreads::init() {
    DeviceState::instance().reset();
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
    m_gate = std::make_unique<ReaderGate>();
}

void TestBackgroundThreads::cleanup() {
    if (m_gate)
        m_gate->open();
    MouseDevice::setInstance(nullptr);
    m_device.reset();
    m_mouse.reset();
    devicelink::setPauseFunction({});
    DeviceState::instance().reset();
    QCOMPARE(VelGetBatteryThread::liveObjects(), 0);
}

TestBackgroundThreads::Run TestBackgroundThreads::runReader(int stopAt,
                                                            const std::function<void(int)> &atPause) {
    VelGetBatteryThread thread;
    QSignalSpy battery(&thread, &VelGetBatteryThread::RefreshBatteryStatus);
    QSignalSpy status(&thread, &VelGetBatteryThread::RefreshStatus);
    QSignalSpy writeStatus(&thread, &VelGetBatteryThread::RefreshWriteStatus);
    Run run;
    devicelink::setPauseFunction([&](int ms) {
        run.pauses << ms;
        if (atPause)
            atPause(run.pauses.size());
        if (run.pauses.size() == stopAt)
            thread.stop();
    });
    thread.start();
    const bool ended = thread.wait(10000);
    devicelink::setPauseFunction({});
    if (!ended) {
        thread.stop();
        thread.wait();
        qWarning("the reader did not end");
    }
    run.battery = triples(battery);
    run.status = triples(status);
    run.writeStatus = triples(writeStatus);
    return run;
}

Bytes TestBackgroundThreads::written(std::size_t index) const {
    std::size_t n = 0;
    for (const auto &r : m_mouse->records()) {
        if (r.direction == VirtualMouse::Direction::Written && n++ == index)
            return r.bytes;
    }
    return {};
}

int TestBackgroundThreads::writeCount() const {
    int n = 0;
    for (const auto &r : m_mouse->records())
        n += r.direction == VirtualMouse::Direction::Written;
    return n;
}

// Off by one in the cycle counter shows as a request too early or too late, or a wrong pause.
void TestBackgroundThreads::oneCycleIsRequestAnd56PassiveReads() {
    const Run run = runReader(59);
    QVector<int> expected{10, 450};
    expected << QVector<int>(56, 400) << 10 << 450 << 400;
    QCOMPARE(run.pauses, expected);
    QCOMPARE(writeCount(), 2);
    QCOMPARE(written(0), statusRequest());
    QCOMPARE(written(1), statusRequest());
}

void TestBackgroundThreads::readerSignals_data() {
    QTest::addColumn<int>("setup");
    QTest::addColumn<bool>("statusAfterRequest");
    QTest::addColumn<QString>("battery");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("writeStatus");
    QTest::addColumn<int>("capability");

    // Raw voltage 960 = 0x03C0: low byte 192, high byte 3. The read after the request finds nothing new
    // and sees the request's battery report again.
    QTest::newRow("status report between requests") << int(Awake) << true << "(0,192,3)"
                                                    << "(1,2,3,4)"
                                                    << "(1)" << 0;
    QTest::newRow("battery report") << int(Awake) << false << "(0,192,3) (0,192,3)"
                                    << ""
                                    << "(1) (1)" << 0;
    QTest::newRow("charging, status 2") << int(Charging) << false << "(1,192,3) (1,192,3)"
                                        << ""
                                        << "(2) (2)" << 0;
    QTest::newRow("battery bytes all zero") << int(BatteryZero) << false << "(0,0,0) (0,0,0)"
                                            << ""
                                            << "" << 0;
    QTest::newRow("capability byte") << int(Capability8) << false << "(0,192,3) (0,192,3)"
                                     << ""
                                     << "(1) (1)" << 8;
    // The reply stays queued and the passive read takes it.
    QTest::newRow("request reply unread") << int(RequestReadFails) << false << "(0,0,0) (0,192,3)"
                                          << ""
                                          << "(1)" << 0;
    QTest::newRow("request not written") << int(RequestNotWritten) << false << ""
                                         << ""
                                         << "" << 0;
    QTest::newRow("mouse asleep") << int(Asleep) << false << ""
                                  << ""
                                  << "" << 0;
}

void TestBackgroundThreads::readerSignals() {
    QFETCH(int, setup);
    QFETCH(bool, statusAfterRequest);
    QFETCH(QString, battery);
    QFETCH(QString, status);
    QFETCH(QString, writeStatus);
    QFETCH(int, capability);

    VirtualMouse::Battery state;
    switch (setup) {
    case BatteryZero:
        state.voltage = 0;
        state.status = 7;
        break;
    case Charging:
        state.charging = 1;
        state.status = 2;
        break;
    case Capability8:
        state.capability = 8;
        break;
    case RequestReadFails:
        m_mouse->failReads(1);
        break;
    case RequestNotWritten:
        m_mouse->failWrites(1);
        break;
    case Asleep:
        m_mouse->setAsleep(true);
        break;
    default:
        break;
    }
    m_mouse->setBattery(state);
    const Run run = runReader(2, [this, statusAfterRequest](int pause) {
        if (pause == 2 && statusAfterRequest)
            m_mouse->sendStatusReport(1, 2, 3, 4);
    });
    QCOMPARE(run.battery, battery);
    QCOMPARE(run.status, status);
    QCOMPARE(run.writeStatus, writeStatus);
    QCOMPARE(int(DeviceState::instance().capabilityByte()), capability);
}

void TestBackgroundThreads::debugLinesAndErrorPause() {
    DebugLines lines;
    m_mouse->failWrites(1);
    const Run run = runReader(2, [this](int pause) {
        if (pause == 2)
            m_mouse->failReads(1);
    });
    QCOMPARE(run.pauses, (QVector<int>{10, 450, 450}));
    QCOMPARE(lines.lines(),
             (QStringList{"VelGetBatteryThread.\n", "Unable to send a feature report.\n",
                          "Threadread bat - 0 0 0 0 0 0 0 0\n", "Unable to read a feature report 1.\n",
                          "VelGetBatteryThread Stop.\n"}));
}

void TestBackgroundThreads::readerEndsWithoutCommandHandle() {
    DebugLines lines;
    m_device->closeAll();
    const Run run = runReader(1);
    QVERIFY(run.pauses.isEmpty());
    QCOMPARE(writeCount(), 0);
    QCOMPARE(lines.lines(), QStringList{"VelGetBatteryThread.\n"});
}

void TestBackgroundThreads::stopAndRestartLeaveOneReader() {
    ReaderGate &gate = *m_gate;
    devicelink::setPauseFunction([&gate](int) { gate.pause(); });
    BatteryThreadController controller;
    GateOpener opener{gate};
    controller.startBatteryThread();
    // Into the passive reads: past the request's two pauses.
    QVERIFY(gate.reached(1, 1));
    gate.releaseWaiting();
    QVERIFY(gate.reached(2, 1));
    gate.releaseWaiting();
    QVERIFY(gate.reached(3, 1));

    int entered = 3;
    for (int round = 0; round < 3; ++round) {
        controller.stopBatteryThread();
        controller.startBatteryThread();
        QVERIFY(gate.reached(entered + 1, 2));
        QCOMPARE(VelGetBatteryThread::liveObjects(), 2);
        // One pause each: the stopped reader ends at its look at the flag, the new one reads on.
        gate.releaseWaiting();
        QVERIFY(gate.reached(entered + 2, 1));
        QVERIFY(QTest::qWaitFor([&] { return controller.readerCount() == 1; }));
        QCOMPARE(VelGetBatteryThread::liveObjects(), 1);
        QVERIFY(controller.hasBatteryThread());
        // On past its request into the passive reads again.
        gate.releaseWaiting();
        QVERIFY(gate.reached(entered + 3, 1));
        entered += 3;
    }
    controller.stopBatteryThread();
    QVERIFY(!controller.hasBatteryThread());
    gate.open();
    QVERIFY(QTest::qWaitFor([&] { return controller.readerCount() == 0; }));
    QCOMPARE(VelGetBatteryThread::liveObjects(), 0);
}

// Two starts without a stop would leave a reader nobody can stop.
void TestBackgroundThreads::startWithoutStopRetiresTheOldReader() {
    ReaderGate &gate = *m_gate;
    devicelink::setPauseFunction([&gate](int) { gate.pause(); });
    BatteryThreadController controller;
    GateOpener opener{gate};
    controller.startBatteryThread();
    QVERIFY(gate.reached(1, 1));
    controller.startBatteryThread();
    QVERIFY(gate.reached(2, 2));
    QCOMPARE(controller.readerCount(), 2);
    gate.open();
    controller.stopBatteryThread();
    controller.waitForStoppedReaders();
    QCOMPARE(controller.readerCount(), 0);
    QCOMPARE(VelGetBatteryThread::liveObjects(), 0);
}

void TestBackgroundThreads::readerNewsForwardedByController() {
    ReaderGate &gate = *m_gate;
    devicelink::setPauseFunction([&gate](int) { gate.pause(); });
    BatteryThreadController controller;
    GateOpener opener{gate};
    QSignalSpy battery(&controller, &BatteryThreadController::RefreshBatteryStatus);
    QSignalSpy status(&controller, &BatteryThreadController::RefreshStatus);
    QSignalSpy writeStatus(&controller, &BatteryThreadController::RefreshWriteStatus);
    controller.startBatteryThread();
    QVERIFY(gate.reached(1, 1));
    gate.releaseWaiting();
    QVERIFY(gate.reached(2, 1));
    m_mouse->sendStatusReport(2, 5, 1, 0);
    gate.releaseWaiting();
    QVERIFY(gate.reached(3, 1));
    QVERIFY(QTest::qWaitFor([&] { return status.count() == 1; }));
    QCOMPARE(triples(battery), QString("(0,192,3)"));
    QCOMPARE(triples(status), QString("(2,5,1,0)"));
    QCOMPARE(triples(writeStatus), QString("(1)"));

    // A reader stopped after its request still makes one read; what it reads no longer reaches the window.
    controller.startBatteryThread();
    QVERIFY(gate.reached(4, 2));
    gate.releaseWaiting();
    QVERIFY(gate.reached(5, 1));
    controller.stopBatteryThread();
    m_mouse->sendStatusReport(3, 3, 3, 3);
    gate.open();
    controller.waitForStoppedReaders();
    QTest::qWait(20);
    QCOMPARE(status.count(), 1);
    QVERIFY(m_mouse->records().back().bytes[report::kCommand] == report::kCmdStatusReport);
}

// The write thread asks for the stop while the reader waits after its request, with one read still to
// make: the stop may return only after that read, and the write's report then gets its own echo. Its
// start request is carried out on the GUI thread.
void TestBackgroundThreads::writeThreadStopWaitsForLastRead() {
    ReaderGate &gate = *m_gate;
    devicelink::setPauseFunction([&gate](int) { gate.pause(); });
    DebugLines lines;
    BatteryThreadController controller;
    GateOpener opener{gate};
    controller.startBatteryThread();
    QVERIFY(gate.reached(1, 1));
    gate.releaseWaiting();
    QVERIFY(gate.reached(2, 1));

    std::atomic<bool> stopReturned{false};
    std::atomic<int> reportResult{-1};
    const CommandReport store = report::makeCommand(report::kCmdStore, 0);
    std::unique_ptr<QThread> writer(QThread::create([&] {
        BatteryControl::stop();
        stopReturned = true;
        lines.add("first report");
        reportResult = sendReport(*m_device, store.data(), report::kSize);
        BatteryControl::start();
    }));
    writer->start();
    QVERIFY(QTest::qWaitFor([&] { return !controller.hasBatteryThread(); }));
    QTest::qWait(50);
    QVERIFY(!stopReturned);
    gate.open();
    QVERIFY(QTest::qWaitFor([&] { return writer->isFinished(); }));
    QCOMPARE(reportResult.load(), 0);
    const QStringList log = lines.lines();
    QVERIFY(log.indexOf("VelGetBatteryThread Stop.\n") >= 0);
    QVERIFY(log.indexOf("VelGetBatteryThread Stop.\n") < log.indexOf("first report"));
    QVERIFY(QTest::qWaitFor([&] { return controller.hasBatteryThread() && controller.readerCount() == 1; }));
    QCOMPARE(VelGetBatteryThread::liveObjects(), 1);
}

void TestBackgroundThreads::processThread_data() {
    QTest::addColumn<bool>("mouseOff");
    QTest::addColumn<int>("writeResult");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("diff");
    QTest::newRow("accepted") << false << 0 << 0 << 0;
    QTest::newRow("gave up") << false << int(kResultGaveUp) << 2 << 1;
    QTest::newRow("write error") << false << int(kResultWriteError) << 4 << 1;
    QTest::newRow("mouse off") << true << 0 << 5 << -1;
}

void TestBackgroundThreads::processThread() {
    QFETCH(bool, mouseOff);
    QFETCH(int, writeResult);
    QFETCH(int, result);
    QFETCH(int, diff);
    TestTree tree;
    QVERIFY(tree.isValid());
    tree.setIniValue("Configs/Config.ini", "Config/Diff", -1);
    AppConfigStore &store = AppConfigStore::instance();
    store.loaded() = AppConfig();
    store.working() = AppConfig();
    store.working().angleValue = 1;
    store.working().jitter = 7;
    store.working().profileNames[0] = "Profile 1";
    const AppConfig working = store.working();
    DeviceState::instance().setMouseOff(mouseOff);

    int calls = 0;
    int flags = -1;
    AppConfig sent;
    VelProcessThread thread([&](const AppConfig &config, int f) {
        ++calls;
        flags = f;
        sent = config;
        return uint8_t(writeResult);
    });
    QSignalSpy done(&thread, &VelProcessThread::DoProcessDlg);
    thread.start();
    QVERIFY(thread.wait(10000));
    QCOMPARE(done.count(), 1);
    QCOMPARE(int(thread.result()), result);
    QCOMPARE(writeCount(), 0);
    QSettings main(AppPaths::mainConfigFile(), QSettings::IniFormat);
    QCOMPARE(main.value("Config/Diff").toInt(), diff);
    if (mouseOff) {
        QCOMPARE(calls, 0);
        QVERIFY(store.loaded() == AppConfig());
        QCOMPARE(main.value("Config/Jitter", 0).toInt(), 0);
        return;
    }
    QCOMPARE(calls, 1);
    QCOMPARE(flags, 15);
    QVERIFY(sent == working);
    QVERIFY(store.loaded() == working);
    QCOMPARE(main.value("Config/Jitter").toInt(), 7);
}

// The animation comes from the skin resources, which a static library does not load by itself.
void TestBackgroundThreads::dialogCentredWithAnimation() {
    QWidget window;
    window.setGeometry(100, 200, 600, 400);
    VelProcessDialog dialog(&window);
    QVERIFY(!dialog.parent());
    QCOMPARE(dialog.geometry().center(), window.geometry().center());
    QVERIFY(dialog.movie()->isValid());
    QCOMPARE(dialog.movie()->state(), QMovie::Running);
    QCOMPARE(dialog.findChild<QLabel *>()->movie(), dialog.movie());
}

void TestBackgroundThreads::dialogClosesWhenWriteEnds_data() {
    QTest::addColumn<bool>("mouseOff");
    QTest::addColumn<bool>("withReader");
    QTest::addColumn<int>("result");
    QTest::newRow("write ends at once") << false << false << 4;
    QTest::newRow("mouse off") << true << false << 5;
    QTest::newRow("reader stopped and restarted by the write") << false << true << 0;
}

// The write runs while the GUI thread sits in the dialog's exec(): a reader stop asked for from the write
// thread must be served from that loop.
void TestBackgroundThreads::dialogClosesWhenWriteEnds() {
    QFETCH(bool, mouseOff);
    QFETCH(bool, withReader);
    QFETCH(int, result);
    TestTree tree;
    QVERIFY(tree.isValid());
    DeviceState::instance().setMouseOff(mouseOff);
    // Real pauses of a millisecond: the modal loop leaves no room to step a gate.
    devicelink::setPauseFunction([](int) {
        if (onReaderThread())
            QThread::msleep(1);
    });
    DebugLines lines;
    BatteryThreadController controller;
    if (withReader)
        controller.startBatteryThread();
    auto write = [&](const AppConfig &, int) {
        if (!withReader)
            return uint8_t(kResultWriteError);
        BatteryControl::stop();
        lines.add("first report");
        BatteryControl::start();
        return uint8_t(kResultOk);
    };
    QWidget window;
    VelProcessDialog dialog(&window);
    int execResult = -1;
    const uint8_t code = runProfileWrite(
        &dialog, [&dialog] { dialog.slotProcessDlg(); },
        [&] {
            execResult = dialog.exec();
            return execResult;
        },
        write);
    QCOMPARE(execResult, int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(int(code), result);
    if (withReader) {
        const QStringList log = lines.lines();
        QVERIFY(log.indexOf("VelGetBatteryThread Stop.\n") >= 0);
        QVERIFY(log.indexOf("VelGetBatteryThread Stop.\n") < log.indexOf("first report"));
        QVERIFY(
            QTest::qWaitFor([&] { return controller.hasBatteryThread() && controller.readerCount() == 1; }));
    }
}

QTEST_MAIN(TestBackgroundThreads)
#include "test_background_threads.moc"
