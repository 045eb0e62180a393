#include "app/connection_monitor.h"
#include "device/device_entry.h"
#include "device/device_presence.h"
#include "device/link_hooks.h"
#include "device/sensor_dpi.h"
#include "platform/device_notifier.h"
#include "sim/backend_choice.h"
#include "sim/virtual_mouse.h"
#include "storage/app_config_store.h"
#include "storage/config_file.h"
#include "storage/profile_file.h"
#include "storage/profile_list.h"
#include "support/test_tree.h"

#include <QtTest>

namespace {
constexpr int kSettleMs = 3 * ConnectionMonitor::kWarningDelayMs;

// The first raw battery value (high byte x 256 + low byte, the high byte not zero) that reads as level.
int rawOf(int level) {
    int raw = 256;
    while (battery::level(raw, config::batteryFull()) != level)
        ++raw;
    return raw;
}

// The monitor on the virtual mouse in a fresh application directory, with the connections of plugged
// ("receiver", "cable") plugged in. What the monitor reports goes to events, one short word each; the
// battery reader never runs unless a step opens the link, so the test alone says what the mouse reports.
class MonitorRig {
    TestTree m_tree; // before the backend: the virtual mouse takes its ids from the tree's description
    HidBackendChoice m_choice;

public:
    explicit MonitorRig(const QString &plugged = "receiver") : m_choice(chooseHidBackend(true)) {
        if (!plugged.contains("receiver"))
            mouse().unplug(kReceiver);
        if (plugged.contains("cable"))
            mouse().plug(kCable);
        monitor = std::make_unique<ConnectionMonitor>(*m_choice.backend, createDeviceNotifier(&mouse()));
        record();
    }
    ~MonitorRig() { monitor.reset(); }

    VirtualMouse &mouse() const { return *m_choice.virtualMouse; }
    // A reading of the battery reader: a level, "off" (all zero), a level charging ("10c").
    void read(const QString &reading) {
        const int raw = reading == "off" ? 0 : rawOf(reading.chopped(reading.endsWith('c') ? 1 : 0).toInt());
        monitor->batteryReading(reading.endsWith('c') ? 1 : 0, quint8(raw & 0xFF), quint8(raw >> 8));
    }

    QStringList events;
    std::unique_ptr<ConnectionMonitor> monitor;

private:
    void record() {
        using M = ConnectionMonitor;
        M *m = monitor.get();
        const auto log = [this](const QString &event) { events << event; };
        QObject::connect(m, &M::connectionChanged,
                         [log](battery::ConnectionState s) { log(QString("state %1").arg(s)); });
        QObject::connect(m, &M::batteryChanged,
                         [log](int level, bool c) { log(QString::number(level) + (c ? "c" : "")); });
        QObject::connect(m, &M::mouseOffChanged, [log](bool off) { log(off ? "off" : "on"); });
        QObject::connect(m, &M::lowBattery, [log](int level) { log(QString("low %1").arg(level)); });
        QObject::connect(m, &M::mouseLost, [log] { log("lost"); });
        QObject::connect(m, &M::reconnectedChanged,
                         [log](bool back) { log(back ? "reconnected" : "not reconnected"); });
        QObject::connect(m, &M::currentMouseChanged, [log] { log("reload"); });
        QObject::connect(m, &M::warningNeeded, [log](M::Warning w) {
            log(QString("warning ") + QStringList{"none", "missing", "denied"}[int(w)]);
        });
        QObject::connect(m, &M::resendOffered, [log] { log("resend"); });
        QObject::connect(m, &M::stageChangedOnMouse,
                         [log](int stage, int dpi) { log(QString("stage %1 %2").arg(stage).arg(dpi)); });
        QObject::connect(m, &M::rateChangedOnMouse, [log](int rate) { log(QString("rate %1").arg(rate)); });
    }
};
} // namespace

// The connection monitor without a window: what it reports for the battery reader's readings, the mouse's
// coming and going and the writes, and when.
class TestConnectionMonitor : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // Short real pauses keep the protocol's order of events without the test waiting for them.
        devicelink::setPauseFunction(
            [](int ms) { QThread::msleep(static_cast<unsigned long>(qMin(ms, 5))); });
    }

    void batteryReadings_data() {
        QTest::addColumn<QString>("readings"); // "n30" sets the notice level to 30 % (15 % at first)
        QTest::addColumn<QString>("reported");
        QTest::addColumn<int>("stored"); // the level kept for the next start
        const auto row = [](const char *name, const char *readings, const char *reported, int stored) {
            QTest::newRow(name) << QString(readings) << QString(reported) << stored;
        };
        row("first reading low: a start", "10 10 20 10 10", "10|10|20|10|low 10|10", 10);
        row("charging arms", "70 10 10c 10", "70|10|low 10|state 1|10c|state 2|10|low 10", 10);
        row("waking low: a start", "90 off 10 20 10", "90|off|on|10|20|10|low 10", 10);
        row("off at once keeps the stored level", "off", "off", 40);
        row("notices off", "70 n0 10", "70|10", 10);
        row("a higher level waits for a fall", "10 n30 20 10 40 30", "10|20|10|40|30|low 30", 30);
    }

    // Readings become the level (stored for the next start), charging and the mouse-off flag; the fall to the
    // notice level is told once, and again only after the level rose 5 points above it or the mouse charged.
    void batteryReadings() {
        QFETCH(QString, readings);
        QFETCH(QString, reported);
        QFETCH(int, stored);
        MonitorRig rig;
        QVERIFY(config::setBatteryValue(40));
        rig.monitor->start();
        QVERIFY(rig.monitor->batteryLevel() == 40 && !rig.monitor->batteryKnown());
        for (const QString &reading : readings.split(' ')) {
            if (reading.startsWith('n'))
                rig.monitor->setNoticeLevel(reading.mid(1).toInt());
            else
                rig.read(reading);
        }
        QCOMPARE(rig.events.join('|'), reported);
        QCOMPARE(config::batteryValue(), stored);
        QCOMPARE(rig.monitor->mouseOff(), readings.endsWith("off"));
        QCOMPARE(rig.monitor->charging(), readings.endsWith('c'));
        if (readings.contains('n'))
            QCOMPARE(config::batteryNoticeLevel(), rig.monitor->noticeLevel());
    }

    void presenceAndWarnings_data() {
        QTest::addColumn<QString>("plugged");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("reported"); // after each step what it led to
        const auto row = [](const char *name, const char *plugged, const char *steps, int state,
                            const char *reported) {
            QTest::newRow(name) << QString(plugged) << QString(steps) << state << QString(reported);
        };
        row("start on the receiver", "receiver", "start", 2, "start|warning none");
        row("start without a mouse", "", "start", 3, "start|warning missing");
        row("start hidden", "receiver", "hidden start", 2, "hidden|start");
        row("start refused to this user", "refused receiver", "start", 2, "start|warning denied");
        row("cable joins the receiver", "receiver", "+cable", 1, "+cable|state 1");
        row("receiver leaves the cable", "receiver cable", "-receiver", 0, "-receiver|state 0");
        row("receiver pulled", "receiver", "-receiver", 3,
            "-receiver|lost|not reconnected|state 3|warning missing");
        row("receiver pulled and back at once", "receiver", "-receiver +receiver", 2,
            "-receiver|lost|not reconnected|state 3|+receiver|state 2|warning none|reload|reconnected");
        row("receiver pulled during a write", "receiver", "hold -receiver wait release", 3,
            "hold|-receiver|release|lost|not reconnected|state 3|warning missing");
        row("warning due during a write", "receiver", "-receiver hold wait release", 3,
            "-receiver|lost|not reconnected|state 3|hold|release|warning missing");
        row("receiver back during a write", "", "+receiver hold wait release", 2,
            "+receiver|state 2|hold|release|reload|reconnected");
    }

    // Connections coming and going give the connection state; the last mouse going away makes the receiver
    // warning due kWarningDelayMs later, a mouse coming back is reopened as late, and a write holds both
    // back. Each step is logged before what it leads to.
    void presenceAndWarnings() {
        QFETCH(QString, plugged);
        QFETCH(QString, steps);
        QFETCH(int, state);
        QFETCH(QString, reported);
        if (plugged.contains("refused"))
            qputenv("KORVANE_VIRTUAL_NO_ACCESS", "1");
        MonitorRig rig(plugged);
        qunsetenv("KORVANE_VIRTUAL_NO_ACCESS");
        rig.monitor->start();
        for (const QString &step : steps.split(' ')) {
            if (step != "wait")
                rig.events << step;
            const int which = step.endsWith("cable") ? kCable : kReceiver;
            if (step == "start")
                rig.monitor->scheduleStartupWarning();
            else if (step == "hidden")
                rig.monitor->skipStartupWarning();
            else if (step == "hold")
                rig.monitor->holdChanges();
            else if (step == "release")
                rig.monitor->releaseChanges();
            else if (step.startsWith('+'))
                rig.mouse().plug(which);
            else if (step.startsWith('-'))
                rig.mouse().unplug(which);
            QTest::qWait(step == "wait" ? kSettleMs : 50);
        }
        // The battery reader runs once the start-up opened the link: its readings are not looked at here.
        const auto presenceEvents = [&rig] {
            return rig.events.filter(QRegularExpression("^(?!\\d|off$|on$)")).join('|');
        };
        QTRY_COMPARE_WITH_TIMEOUT(presenceEvents(), reported, 3000);
        QTest::qWait(kSettleMs);
        QCOMPARE(presenceEvents(), reported);
        QCOMPARE(int(rig.monitor->connectionState()), state);
        QCOMPARE(rig.monitor->reconnected(), reported.endsWith("|reconnected"));
    }

    // Other devices come and go all the time: their events must not reach the monitor, which would restart
    // the battery reader (and offer a resend) for each.
    void otherDevicesChangeNothing() {
        MonitorRig rig;
        rig.monitor->start();
        DevicePresence &presence = rig.monitor->presence();
        QSignalSpy changes(&presence, &DevicePresence::connectionChanged);
        auto *notifier = presence.findChild<DeviceNotifier *>();
        QVERIFY(notifier);
        DeviceEvent keyboard{true, "/dev/hidraw9", kCollectionNone, 0x046D, 0xC31C};
        emit notifier->deviceChanged(keyboard);
        keyboard.arrived = false;
        emit notifier->deviceChanged(keyboard);
        QCOMPARE(changes.count(), 0);
        rig.mouse().plug(kCable);
        QTRY_VERIFY(changes.count() > 0);
    }

    void resendAfterFailedWrite_data() {
        QTest::addColumn<QString>("before"); // the last write, or what the files said at start ("marked")
        QTest::addColumn<QString>("comeback");
        QTest::addColumn<QString>("busy"); // on screen or under way when the mouse comes back
        QTest::addColumn<bool>("offered");
        const auto row = [](const char *name, const char *before, const char *comeback, const char *busy,
                            bool offered) {
            QTest::newRow(name) << QString(before) << QString(comeback) << QString(busy) << offered;
        };
        row("failed, the mouse wakes", "failed", "wake", "", true);
        row("failed, the cable is plugged", "failed", "cable", "", true);
        row("failed, the receiver is plugged again", "failed", "receiver", "", true);
        row("marked at start, the mouse wakes", "marked", "wake", "", true);
        row("written, the cable is plugged", "written", "cable", "", false);
        row("not marked at start, the mouse wakes", "", "wake", "", false);
        row("failed, but the offer was declined", "declined", "wake", "", false);
        row("failed, a warning on screen", "failed", "wake", "warning", true);
        row("failed, a write under way", "failed", "wake", "write", true);
    }

    // A write that did not reach the mouse is offered again when the mouse comes back, kWarningDelayMs after
    // it came back, and only once a warning on screen or a write under way is over.
    void resendAfterFailedWrite() {
        QFETCH(QString, before);
        QFETCH(QString, comeback);
        QFETCH(QString, busy);
        QFETCH(bool, offered);
        MonitorRig rig;
        QVERIFY(config::setConfigDiff(before == "marked" ? 1 : 0));
        rig.monitor->start();
        if (before == "failed" || before == "declined")
            rig.monitor->writeEnded(kResultWriteError);
        else if (before == "written")
            rig.monitor->writeEnded(kResultOk);
        if (before == "declined")
            rig.monitor->declineResend();
        // The window's warning, confirmed at once.
        QObject::connect(rig.monitor.get(), &ConnectionMonitor::warningNeeded,
                         [&rig] { rig.monitor->setWarningShowing(false); });
        if (comeback == "receiver") {
            rig.mouse().unplug(kReceiver);
            QTRY_VERIFY(rig.events.contains("warning missing"));
        } else if (comeback == "wake") {
            rig.read("off");
        }
        if (busy == "warning")
            rig.monitor->setWarningShowing(true);
        else if (busy == "write")
            rig.monitor->holdChanges();

        QElapsedTimer back;
        qint64 offeredAfter = -1;
        QObject::connect(rig.monitor.get(), &ConnectionMonitor::resendOffered,
                         [&] { offeredAfter = back.elapsed(); });
        back.start();
        if (comeback == "wake")
            rig.read("70");
        else
            rig.mouse().plug(comeback == "cable" ? kCable : kReceiver);
        qint64 earliest = ConnectionMonitor::kWarningDelayMs;
        if (!busy.isEmpty()) {
            QTest::qWait(kSettleMs);
            QCOMPARE(offeredAfter, -1);
            earliest = back.elapsed();
            if (busy == "warning")
                rig.monitor->setWarningShowing(false);
            else
                rig.monitor->releaseChanges();
        }
        QTest::qWait(kSettleMs + ConnectionMonitor::kWarningDelayMs);
        // Offered once, kWarningDelayMs after the mouse came back, and not before what was busy ended.
        QCOMPARE(rig.events.count("resend"), offered ? 1 : 0);
        if (offered)
            QVERIFY2(offeredAfter >= earliest, qPrintable(QString::number(offeredAfter)));
    }

    // A stage (below six) or a rate the mouse reports as changed is stored in the working configuration, the
    // stage in the profile file as well.
    void changesMadeOnTheMouse() {
        MonitorRig rig;
        rig.monitor->start();
        AppConfigStore &store = AppConfigStore::instance();
        QCOMPARE(ProfileList::loadStoredConfig(store.loaded()), FileResult::Ok);
        store.resetWorkingCopy();
        ProfileData &working = workingConfig().profile;
        working.dpiStage = 0;
        working.pollRate = 1;
        const struct {
            quint8 stage, rate;
            QString reported; // %1: the stage's DPI
        } reports[] = {{2, 8, "stage 2 %1|rate 8"}, {2, 8, ""}, {6, 8, ""}, {3, 3, "stage 3 %1|rate 3"}};
        for (const auto &r : reports) {
            rig.events.clear();
            rig.monitor->statusReport(0, r.stage, r.rate, 0);
            const int dpi = positionToDpi(config::sensorType(), int(working.dpiStages[r.stage % 6].x));
            QCOMPARE(rig.events.join('|'), QString(r.reported).replace("%1", QString::number(dpi)));
        }
        QVERIFY(working.dpiStage == 3 && working.pollRate == 3);
        ProfileData stored;
        QCOMPARE(profile::loadProfileByName(stored, workingConfig().profileNames[0]), FileResult::Ok);
        QCOMPARE(int(stored.dpiStage), 3);
    }
};

QTEST_GUILESS_MAIN(TestConnectionMonitor)
#include "test_connection_monitor.moc"
