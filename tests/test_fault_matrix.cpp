#include "device/link_hooks.h"
#include "device/result_code.h"
#include "device/vel_process_thread.h"
#include "storage/app_config_store.h"
#include "storage/config_file.h"
#include "storage/macro_file.h"
#include "storage/profile_list.h"
#include "support/link_harness.h"
#include "support/test_tree.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>
#include <algorithm>

// A whole profile write meets each fault of the mouse and its link at each of its reports, as the window's
// write thread runs it and as korvanectl apply does. Whatever fails, the user is told why, nothing past
// the failing report reaches the mouse, the files keep what was saved with the mark that the mouse
// differs from them, and the next write with the fault gone sends the whole profile and clears the mark.
namespace {

using Fault = VirtualMouse::Fault;
using harness::Bytes;

// Each fault with the result the write ends with, which chooses the message the user reads: a link that
// failed (4), a mouse that does not answer (5), answers that are not the echo (2).
const struct {
    Fault fault;
    const char *name; // as KORVANE_VIRTUAL_FAULT names it
    ResultCode result;
} kFaults[] = {{Fault::Unplug, "unplug", kResultWriteError},
               {Fault::Silent, "silent", kResultMouseOff},
               {Fault::WrongEcho, "wrong-echo", kResultGaveUp},
               {Fault::ShortRead, "short-read", kResultGaveUp},
               {Fault::WriteError, "write-error", kResultWriteError}};

// The mouse of every cell. Its reads answer at once, a time-out included, so that the thousands of
// rereads the matrix causes cost nothing; the pauses between them are skipped.
std::unique_ptr<VirtualMouse> newMouse() {
    auto mouse = std::make_unique<VirtualMouse>(0x248A, 0x8373, 0x248A, 0xFB01);
    mouse->setDrainEnabled(false);
    return mouse;
}

std::vector<Bytes> written(const VirtualMouse &mouse) {
    return harness::records(mouse, VirtualMouse::Direction::Written);
}

} // namespace

class TestFaultMatrix : public QObject {
    Q_OBJECT
    std::unique_ptr<TestTree> m_tree;
    QTemporaryDir m_runtime;

    // Everything the program keeps: profiles, macros, Config.ini.
    QMap<QString, QByteArray> files() const { return filesUnder(m_tree->file("Configs")); }

    // The window's Apply: its write thread over the device, as the process-wide mouse.
    static ResultCode apply(MouseDevice &device) {
        MouseDevice::setInstance(&device);
        VelProcessThread thread(MouseCondition{});
        thread.start();
        thread.wait();
        MouseDevice::setInstance(nullptr);
        return thread.result();
    }

    int korvanectl(const QString &fault, QString &error) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", m_runtime.path());
        env.insert("KORVANE_VIRTUAL_FAULT", fault);
        process.setProcessEnvironment(env);
        process.start(m_tree->file("korvanectl"), {"--virtual", "--json", "apply"});
        process.waitForFinished(60000);
        error = QJsonDocument::fromJson(process.readAllStandardOutput()).object()["error"].toString();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

private slots:
    void initTestCase() {
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
        devicelink::setPauseFunction([](int) {});
    }

    // The working configuration as the window starts with it, a button playing a macro so that every
    // section of the write is sent.
    void init() {
        m_tree = std::make_unique<TestTree>();
        QVERIFY(m_tree->isValid());
        QCOMPARE(ProfileList::loadStoredConfig(workingConfig()), FileResult::Ok);
        QCOMPARE(macrofile::saveMacroSteps("Burst", {{0x84, 0, 4}, {0x04, 0, 4}}), FileResult::Ok);
        ButtonAssignment &button = workingConfig().profile.buttons[3];
        button.function = 200;
        button.loopNumber = 3;
        button.macroName = "Burst";
    }

    void everyFaultAtEveryReport() {
        // The clean write: the reports it sends, the files it leaves, and those files marked as written
        // to a mouse that did not take them.
        auto mouse = newMouse();
        auto device = harness::openMouse(*mouse);
        QCOMPARE(int(apply(*device)), int(kResultOk));
        const std::vector<Bytes> clean = written(*mouse);
        const int reports = int(clean.size());
        QVERIFY(reports > 30 && std::any_of(clean.begin(), clean.end(), [](const Bytes &r) {
                    return r[report::kCommand] == report::kCmdMacros;
                }));
        const QMap<QString, QByteArray> cleanFiles = files();
        QVERIFY(config::setConfigDiff(1));
        const QMap<QString, QByteArray> markedFiles = files();
        QVERIFY(config::setConfigDiff(0) && files() == cleanFiles && markedFiles != cleanFiles);

        for (const auto &kind : kFaults) {
            for (int at = 1; at <= reports; ++at) {
                const QByteArray cell =
                    QString("%1 at report %2 of %3").arg(kind.name).arg(at).arg(reports).toUtf8();
                device.reset(); // it closes its handles through the mouse
                mouse = newMouse();
                device = harness::openMouse(*mouse);
                mouse->faultAt(kind.fault, at);
                const ResultCode result = apply(*device);
                QVERIFY2(result == kind.result && *resultMessage(result) != '\0', cell);
                // The reports before the struck one went out once each, then at most the struck one again.
                const std::vector<Bytes> sent = written(*mouse);
                QVERIFY2(int(sent.size()) >= at - 1 &&
                             std::equal(clean.begin(), clean.begin() + at - 1, sent.begin()) &&
                             std::all_of(sent.begin() + at - 1, sent.end(),
                                         [&](const Bytes &r) { return r == clean[std::size_t(at - 1)]; }),
                         cell);
                QVERIFY2(files() == markedFiles && config::configDiff() == 1, cell);

                // The fault gone: the receiver plugged in again and opened anew, the mouse awake.
                mouse->faultAt(kind.fault, 0);
                mouse->setAsleep(false);
                if (kind.fault == Fault::Unplug) {
                    mouse->plug(0);
                    device = harness::openMouse(*mouse);
                }
                mouse->clearRecords();
                QVERIFY2(apply(*device) == kResultOk, cell);
                QVERIFY2(written(*mouse) == clean, cell);
                QVERIFY2(files() == cleanFiles && config::configDiff() == 0, cell);
            }
        }
    }

    // korvanectl apply ends with the write's result as its exit code and message, leaves the files marked,
    // and the next apply without the fault succeeds and clears the mark. The fault strikes report 30 of
    // the 32 of its write: a store, whose echo carries no data.
    void korvanectlExitCodes() {
        QString error;
        QCOMPARE(korvanectl(QString(), error), 0);
        const QMap<QString, QByteArray> cleanFiles = files();
        QVERIFY(config::setConfigDiff(1));
        const QMap<QString, QByteArray> markedFiles = files();
        for (const auto &kind : kFaults) {
            QCOMPARE(korvanectl(QString("%1,30").arg(kind.name), error), int(kind.result));
            QCOMPARE(error, QString(resultMessage(kind.result)));
            QVERIFY2(files() == markedFiles && config::configDiff() == 1, kind.name);
            QCOMPARE(korvanectl(QString(), error), 0);
            QVERIFY2(files() == cleanFiles, kind.name);
        }
    }
};

QTEST_GUILESS_MAIN(TestFaultMatrix)
#include "test_fault_matrix.moc"
