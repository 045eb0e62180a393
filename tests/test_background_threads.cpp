#include "device/battery_thread_controller.h"
#include "device/command_report.h"
#include "device/link_hooks.h"
#include "device/profile_write_run.h"
#include "device/result_code.h"
#include "device/send_report.h"
#include "device/vel_get_battery_thread.h"
#include "device/vel_process_thread.h"
#include "storage/app_config_store.h"
#include "storage/config_file.h"
#include "storage/profile_file.h"
#include "support/command_harness.h"
#include "support/test_tree.h"
#include "widgets/vel_process_dialog.h"

#include <QLabel>
#include <QMovie>
#include <QWaitCondition>
#include <QtTest>

namespace {

using Setup = std::function<void()>;

bool onReaderThread() {
    return qobject_cast<VelGetBatteryThread *>(QThread::currentThread()) != nullptr;
}

// Reader pauses wait until the test lets those begun so far pass, or the gate opens; others pass at once.
class ReaderGate {
public:
    void pause() {
        if (!onReaderThread())
            return;
        QMutexLocker lock(&m_mutex);
        const int ticket = m_generation;
        ++m_entered;
        ++m_held;
        while (!m_open && ticket == m_generation)
            m_changed.wait(&m_mutex);
        --m_held;
    }
    void open(bool forGood = true) {
        QMutexLocker lock(&m_mutex);
        m_open = m_open || forGood;
        ++m_generation;
        m_changed.wakeAll();
    }
    // True once `entered` pauses have begun and `held` of them wait; `pass` first lets the held ones through.
    bool reached(int entered, int held, bool pass = false) {
        if (pass)
            open(false);
        return QTest::qWaitFor([&] {
            QMutexLocker lock(&m_mutex);
            return m_entered == entered && m_held == held;
        });
    }

private:
    QMutex m_mutex;
    QWaitCondition m_changed;
    int m_generation = 0, m_entered = 0, m_held = 0;
    bool m_open = false;
};

} // namespace

Q_DECLARE_METATYPE(Setup)

class TestBackgroundThreads : public QObject {
    Q_OBJECT
    std::unique_ptr<CommandHarness> m_h;
    VirtualMouse *m_mouse = nullptr;
    std::unique_ptr<ReaderGate> m_gate;
    std::unique_ptr<BatteryThreadController> m_controller;

    // A reader told to stop in pause stopAt, a status report sent in pause statusAt: its pauses and signals
    // in order ("B charge,low,high", "S profile,dpi,rate,mode", "W status"), and the last capability byte
    // it reported (-1 for none).
    std::tuple<QVector<int>, QString, int> runReader(int stopAt, int statusAt = 0) {
        VelGetBatteryThread thread;
        QVector<int> pauses;
        QStringList log;
        int capability = -1;
        connect(&thread, &VelGetBatteryThread::RefreshCapability,
                [&capability](quint8 c) { capability = c; });
        auto note = [&log](const char *name) {
            return [&log, name](auto... values) {
                QStringList v;
                (v << ... << QString::number(values));
                log << name + v.join(',');
            };
        };
        connect(&thread, &VelGetBatteryThread::RefreshBatteryStatus, note("B"));
        connect(&thread, &VelGetBatteryThread::RefreshStatus, note("S"));
        connect(&thread, &VelGetBatteryThread::RefreshWriteStatus, note("W"));
        devicelink::setPauseFunction([&](int ms) {
            pauses << ms;
            if (pauses.size() == statusAt)
                m_mouse->sendStatusReport(1, 2, 2, 4);
            if (pauses.size() == stopAt)
                thread.stop();
        });
        thread.start();
        thread.wait(10000);
        thread.stop();
        thread.wait();
        return {pauses, log.join(' '), capability};
    }

    Setup battery(VirtualMouse::Battery state) {
        return [this, state] { m_mouse->setBattery(state); };
    }

private slots:
    void init() {
        m_h = std::make_unique<CommandHarness>();
        m_mouse = &m_h->mouse();
        m_gate = std::make_unique<ReaderGate>();
        devicelink::setPauseFunction([this](int) { m_gate->pause(); });
        m_controller = std::make_unique<BatteryThreadController>();
    }

    void cleanup() {
        m_gate->open();
        m_controller.reset();
        m_h.reset();
        QCOMPARE(VelGetBatteryThread::liveObjects(), 0);
    }

    // An off-by-one in the cycle counter shows as a request too early or too late, or a wrong pause.
    void oneCycleIsRequestAnd56PassiveReads() {
        const QVector<int> cycle = QVector<int>{10, 450} + QVector<int>(56, 400) + QVector<int>{10, 450, 400};
        QCOMPARE(std::get<0>(runReader(59)), cycle);
        QCOMPARE(m_h->written(), Reports(2, harness::report("0524fa48")));
    }

    // The reader's pauses and signals over its first cycle and the capability byte it reports, for each
    // state of the mouse (a battery without voltage and one beyond a cell's are the reader fuzz seeds').
    void readerSignals() {
        const QVector<int> cycle{10, 450, 400};
        const std::tuple<Setup, QString, QVector<int>, int, int> rows[] = {
            // Raw 960 is 0x03C0. The read after the request finds nothing new and sees its reply again.
            {{}, "B0,192,3 W1 S1,2,2,4", cycle, 2, 0}, // a status report after the request
            {battery({960, 1, 2, 0}), "B1,192,3 W2 B1,192,3 W2", cycle, 0, 0}, // charging, status 2
            {battery({960, 0, 1, 8}), "B0,192,3 W1 B0,192,3 W1", cycle, 0, 8}, // the capability byte
            // The reply stays queued and the passive read takes it.
            {[this] { m_mouse->failReads(1); }, "B0,0,0 B0,192,3 W1", cycle, 0, 0},
            {[this] { m_mouse->failWrites(1); }, "", cycle, 0, -1},               // request not written
            {[this] { m_mouse->failReads(2); }, "B0,0,0", {10, 450, 450}, 0, -1}, // read errors: longer pause
            {[this] { m_h->device().closeAll(); }, "", {}, 0, -1}}; // no command handle: ends at once
        for (const auto &[setup, emitted, pauses, statusAt, capability] : rows) {
            cleanup();
            init(); // a fresh mouse and device state for each row
            if (setup)
                setup();
            const auto [paused, log, reported] = runReader(2, statusAt);
            QCOMPARE(log, emitted);
            QCOMPARE(paused, pauses);
            QCOMPARE(reported, capability);
        }
    }

    // A restart, with or without a stop, leaves one reader after one pause; the retired ones are deleted.
    void stopAndRestartLeaveOneReader() {
        ReaderGate &gate = *m_gate;
        m_controller->startBatteryThread();
        // Into the passive reads: past the request's two pauses.
        QVERIFY(gate.reached(1, 1));
        QVERIFY(gate.reached(2, 1, true));
        QVERIFY(gate.reached(3, 1, true));
        for (int entered = 3; entered < 12; entered += 3) {
            if (entered < 9)
                m_controller->stopBatteryThread();
            m_controller->startBatteryThread();
            QVERIFY(gate.reached(entered + 1, 2));
            QCOMPARE(VelGetBatteryThread::liveObjects(), 2);
            // One pause each: the retired reader ends at its look at the flag, the new one reads on.
            QVERIFY(gate.reached(entered + 2, 1, true));
            QVERIFY(QTest::qWaitFor([&] { return m_controller->readerCount() == 1; }));
            QCOMPARE(VelGetBatteryThread::liveObjects(), 1);
            QVERIFY(m_controller->hasBatteryThread());
            QVERIFY(gate.reached(entered + 3, 1, true)); // past its request into the passive reads again
        }
        m_controller->stopBatteryThread();
        QVERIFY(!m_controller->hasBatteryThread());
        gate.open();
        QVERIFY(QTest::qWaitFor([&] { return m_controller->readerCount() == 0; }));
        QCOMPARE(VelGetBatteryThread::liveObjects(), 0);
    }

    // A stop with one read to go returns after it, so the write gets its own echo; the start runs on the GUI.
    // The capability byte the reader read stays with the controller for the next write.
    void writeThreadStopWaitsForLastRead() {
        m_mouse->setBattery({960, 0, 1, 8});
        m_controller->startBatteryThread();
        QVERIFY(m_gate->reached(1, 1));
        QVERIFY(m_gate->reached(2, 1, true));
        std::atomic<int> readsAtStop{-1}, result{-1};
        std::unique_ptr<QThread> writer(QThread::create([&] {
            BatteryControl::stop();
            readsAtStop = int(harness::records(*m_mouse, VirtualMouse::Direction::Read).size());
            const CommandReport store = report::makeCommand(report::kCmdStore, 0);
            result = sendReport(m_h->device(), store.data(), report::kSize);
            BatteryControl::start();
        }));
        writer->start();
        QVERIFY(QTest::qWaitFor([&] { return !m_controller->hasBatteryThread(); }));
        m_mouse->sendStatusReport(1, 2, 2, 4); // for the reader's last read
        m_gate->open();
        QVERIFY(QTest::qWaitFor([&] { return writer->isFinished(); }));
        QVERIFY(readsAtStop == 2 && result == 0); // 2: the request's reply and the last read
        QVERIFY(QTest::qWaitFor(
            [&] { return m_controller->hasBatteryThread() && m_controller->readerCount() == 1; }));
        QCOMPARE(VelGetBatteryThread::liveObjects(), 1);
        QCOMPARE(int(m_controller->capabilityByte()), 8);
    }

    // The write thread's reader stop is served from the dialog's exec(), which closes when the write ends:
    // a write that fails at once, a mouse that is off (nothing sent), a profile never read (nothing stored or
    // sent), and a write that stops and restarts the reader. The write gets the capability byte it was given.
    void profileWriteRun() {
        // Real pauses of a millisecond: the modal loop leaves no room to step a gate.
        devicelink::setPauseFunction([](int) {
            if (onReaderThread())
                QThread::msleep(1);
        });
        for (int result : {4, 5, 7, 0}) {
            const bool mouseOff = result == 5, filled = result != 7, withReader = result == 0;
            TestTree tree;
            QVERIFY(tree.isValid());
            AppConfigStore &store = AppConfigStore::instance();
            store.loaded() = store.working() = AppConfig();
            store.working().profileNames[0] = "Profile 1"; // a configuration without a profile is not saved
            store.working().jitter = 7; // differs from the loaded copy until a write takes it
            store.working().profile.filled = filled;
            if (withReader)
                m_controller->startBatteryThread();
            int flags = -1, capability = -1;
            auto write = [&](const AppConfig &, int f, uint8_t c) {
                flags = f, capability = c;
                if (!withReader)
                    return kResultWriteError;
                BatteryControl::stop();
                BatteryControl::start();
                return kResultOk;
            };
            VelProcessDialog dialog(nullptr);
            // The animation comes from the skin resources, which a static library does not load by itself.
            QVERIFY(dialog.movie()->state() == QMovie::Running &&
                    dialog.findChild<QLabel *>()->movie() == dialog.movie());
            int execResult = -1;
            const ResultCode code =
                runProfileWrite(
                    &dialog, [&dialog] { dialog.slotProcessDlg(); },
                    [&] { return execResult = dialog.exec(); }, MouseCondition{mouseOff, 8}, write)
                    .result;
            QVERIFY(execResult == QDialog::Accepted && !dialog.isVisible());
            QCOMPARE(int(code), result);
            const bool written = !mouseOff && filled;
            QCOMPARE(flags, written ? 15 : -1);
            QCOMPARE(capability, written ? 8 : -1);
            QCOMPARE(store.loaded() == store.working(), written);
            const QSettings stored(tree.file("Configs/Config.ini"), QSettings::IniFormat);
            QCOMPARE(stored.value("Config/Jitter").toInt() == 7, written);
            QVERIFY(QTest::qWaitFor([&] { return m_controller->readerCount() == int(withReader); }));
        }
    }

    // "Config/Diff" is 1 from before the first report goes out until the mouse took the write and the files
    // were saved: a profile file that cannot be written (here a folder in its place) does not keep the mouse
    // from being written, but the outcome tells it and the files stay marked as differing from the mouse. (A
    // failed write keeps the mark and the next one clears it: the fault matrix.)
    void configDiffCoversTheWrite() {
        TestTree tree;
        QVERIFY(tree.isValid() && config::setConfigDiff(0));
        AppConfigStore::instance().working() = AppConfig();
        AppConfigStore::instance().working().profile.filled = true;
        AppConfigStore::instance().working().profileNames[0] = "Folder";
        QVERIFY(QDir().mkpath(profile::profileFilePath("Folder")));
        int diffWhileWriting = -1;
        VelProcessThread thread(MouseCondition{}, [&](const AppConfig &, int, uint8_t) {
            diffWhileWriting = config::configDiff();
            return kResultOk;
        });
        thread.start();
        QVERIFY(thread.wait(10000));
        QVERIFY(thread.result() == kResultOk && !thread.outcome().saved);
        QCOMPARE(diffWhileWriting, 1);
        QCOMPARE(config::configDiff(), 1);
    }
};

QTEST_MAIN(TestBackgroundThreads)
#include "test_background_threads.moc"
