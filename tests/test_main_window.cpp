#include "app/link_switcher.h"
#include "app/linked_programs_dialog.h"
#include "app/mouse_notices.h"
#include "app/profile_bar.h"
#include "app/tray_battery_icon.h"
#include "buttons/vel_btn_window.h"
#include "device/battery_thread_controller.h"
#include "device/device_entry.h"
#include "device/device_presence.h"
#include "device/link_hooks.h"
#include "device/mouse_device.h"
#include "device/pointer_speed.h"
#include "device/sensor_dpi.h"
#include "macro/macro_action_model.h"
#include "macro/macro_dialog.h"
#include "macro/macro_editor.h"
#include "platform/desktop_notifier.h"
#include "platform/osd_messenger.h"
#include "sim/button_view.h"
#include "sim/macro_view.h"
#include "sim/settings_view.h"
#include "sim/virtual_mouse.h"
#include "storage/app_config_store.h"
#include "storage/config_file.h"
#include "storage/profile_file.h"
#include "storage/profile_links.h"
#include "storage/profile_list.h"
#include "support/recording_osd.h"
#include "support/test_tree.h"
#include "support/virtual_window.h"
#include "widgets/config_page.h"
#include "widgets/mouse_view.h"
#include "widgets/vel_file_dialog.h"
#include "widgets/vel_line_edit.h"
#include "widgets/vel_message_box.h"
#include "widgets/vel_processbar.h"
#include "widgets/vel_push_button.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QThread>
#include <QToolButton>
#include <QtTest>

namespace {
// Records the desktop notices the window would show, as "topic|summary|body|action".
struct RecordingNotifier : DesktopNotifier {
    explicit RecordingNotifier(QStringList &notices) : m_notices(notices) {}
    void show(Topic topic, const DesktopNotice &notice) override {
        m_notices << QString("%1|%2|%3|%4").arg(topic).arg(notice.summary, notice.body, notice.actionKey);
    }
    QStringList &m_notices;
};

// Lets fill answer the dialog that opens next, then accepts it.
void answerNextDialog(const std::function<void(QDialog *)> &fill) {
    QTimer::singleShot(0, [fill] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        fill(dialog);
        dialog->accept();
    });
}

// Answers the colour picker that opens next with color, as a user typing R, G and B would.
void pickNextColor(const QColor &color) {
    answerNextDialog([color](QDialog *picker) {
        picker->findChild<QSpinBox *>("redSpinBox")->setValue(color.red());
        picker->findChild<QSpinBox *>("greenSpinBox")->setValue(color.green());
        picker->findChild<QSpinBox *>("blueSpinBox")->setValue(color.blue());
    });
}

// The reports written to the mouse apart from the battery reader's requests: count bytes of each from its
// command code on, in hexadecimal.
QStringList written(const VirtualMouse &mouse, int count = 5) {
    QStringList reports;
    for (const VirtualMouse::Record &record : mouse.records()) {
        if (record.direction == VirtualMouse::Direction::Written && record.bytes[3] != 0x48)
            reports << QByteArray(reinterpret_cast<const char *>(record.bytes.data()) + 3, count).toHex(' ');
    }
    return reports;
}

ProfileData storedProfile(const QString &name = "Profile 1") {
    ProfileData stored;
    [&] { QCOMPARE(profile::loadProfileByName(stored, name), FileResult::Ok); }();
    return stored;
}

// Triggers the first action under parent with this text: checkable 1 picks the profile list's entries, 0 the
// slot menu's, -1 either. A switch rebuilds the menu, which deletes its actions: the search ends here.
bool trigger(const QObject *parent, const QString &text, int checkable = -1) {
    for (QAction *action : parent->findChildren<QAction *>()) {
        if (action->text() == text && (checkable < 0 || action->isCheckable() == bool(checkable))) {
            action->trigger();
            return true;
        }
    }
    return false;
}
} // namespace

// The main window with the virtual mouse: each way from what the user does to the mouse and the files, and
// from what the ConnectionMonitor reports to the screen, once. The rules behind them are the monitor's, the
// pages' and the profile list's tests.
class TestMainWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<TestTree> m_tree;
    std::unique_ptr<VirtualWindow> m_rig;
    KorvaneWidget *m_window = nullptr;
    QStringList m_osd;
    QStringList m_notices;

    // A window on a fresh virtual mouse whose notices are recorded.
    void openWindow(bool mousePresent = true) {
        m_window = nullptr;
        m_rig.reset();
        m_rig = std::make_unique<VirtualWindow>(mousePresent);
        m_window = m_rig->window.get();
        m_osd.clear();
        m_notices.clear();
        m_window->notices().setOsdMessenger(std::make_unique<RecordingOsd>(m_osd));
        m_window->notices().setDesktopNotifier(std::make_unique<RecordingNotifier>(m_notices));
    }

    void click(const char *name) {
        auto *button = m_window->findChild<VelPushButton *>(QString::fromLatin1(name));
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Stops the battery reader, so that the test alone sets what the mouse reports.
    BatteryThreadController *stopReaders() {
        auto *readers = m_window->findChild<BatteryThreadController *>();
        readers->stopBatteryThread();
        readers->waitForStoppedReaders();
        return readers;
    }

    QStringList messages() { return VelMessageBox::takeShownMessages(); }

private slots:
    void initTestCase() {
        // The window lives on in a tray here; closing without one is tested on the X server.
        KorvaneTray::setAvailableCheck([] { return true; });
        // Short real pauses keep the protocol's order of events without the test waiting for them.
        devicelink::setPauseFunction(
            [](int ms) { QThread::msleep(static_cast<unsigned long>(qMin(ms, 5))); });
    }

    void init() {
        m_tree = std::make_unique<TestTree>();
        VelMessageBox::takeShownMessages();
        openWindow();
        QTRY_VERIFY(m_window->isVisible());
    }

    void cleanup() {
        VelMessageBox::setNextAnswers({});
        VelFileDialog::setNextAnswers({});
        m_window = nullptr;
        m_rig.reset();
        m_tree.reset();
    }

    // Each button of the profile bar, its name field and its list reach the profile session (which the random
    // operations hold against korvanectl): the list, the name shown and the current profile follow; a refusal
    // shows its message and puts the name back. A deleted profile whose successor's file is gone gives the
    // successor the factory settings, never an empty record.
    void profileBarReachesTheSession() {
        auto *edit = m_window->findChild<VelLineEdit *>("nameEdit");
        const QString sure = "Are you sure you want delete this profile?",
                      lost = "The profile file could not be found.";
        // A button; "=name" typed into the name field, "@name" chosen, "-name" its file removed. Then the
        // answer to the box, the list > the name field and the messages shown.
        const std::tuple<const char *, bool, QString, QStringList> steps[] = {
            {"delete", true, "Profile 1 > Profile 1", {"AT LEAST ONE PROFILE TO BE RETAINED."}},
            {"=Main", true, "Profile 1 > Profile 1", {"The default Profile cannot be deleted or renamed."}},
            {"add", true, "Profile 1,Profile 2 > Profile 2", {}},
            {"copy", true, "Profile 1,Profile 2,Profile 2 copy > Profile 2 copy", {}},
            {"=Raid", true, "Profile 1,Profile 2,Raid > Raid", {}},
            {"@Profile 2", true, "Profile 1,Profile 2,Raid > Profile 2", {}},
            {"delete", false, "Profile 1,Profile 2,Raid > Profile 2", {sure}},
            {"-Raid", true, "Profile 1,Profile 2,Raid > Profile 2", {}},
            {"@Raid", true, "Profile 1,Profile 2,Raid > Profile 2", {lost}},
            {"delete", true, "Profile 1,Raid > Raid", {sure, lost}},
        };
        for (const auto &[text, yes, shown, shownMessages] : steps) {
            const QString step(text), name = step.mid(1);
            VelMessageBox::setNextAnswers({yes ? QDialog::Accepted : QDialog::Rejected, QDialog::Accepted});
            if (step[0] == '=') {
                edit->setText(name);
                QTest::keyClick(edit, Qt::Key_Return);
            } else if (step[0] == '@') {
                QVERIFY(trigger(m_window, name, 1));
            } else if (step[0] == '-') {
                QVERIFY(QFile::remove(profile::profileFilePath(name)));
            } else {
                click(qPrintable(step + "Button"));
            }
            QCOMPARE(step + ": " + m_window->profileNames().join(',') + " > " + edit->text(),
                     step + ": " + shown);
            QCOMPARE(messages(), shownMessages);
            QCOMPARE(workingConfig().profileNames[0], edit->text());
        }
        QVERIFY(workingConfig().profile.filled && workingConfig().profile.buttons[0].function == 1);
        // COPY makes the copy from what the pages show, so edits not yet sent go with it.
        QVERIFY(trigger(m_window, "Profile 1", 1));
        workingConfig().profile.pollRate = 8;
        click("copyButton");
        QCOMPARE(workingConfig().profileNames[0], QString("Profile 1 copy"));
        QVERIFY(storedProfile("Profile 1 copy").pollRate == 8 && workingConfig().profile.pollRate == 8);
    }

    // The profile bar's chain button opens the Linked programs dialog on the window's profiles, a program
    // added there getting the profile being edited; Ok stores the links and the bar says so, Cancel neither.
    void linkedProgramsFromTheProfileBar() {
        auto *bar = m_window->findChild<ProfileBar *>();
        QSignalSpy changed(bar, &ProfileBar::linksChanged);
        for (const bool ok : {false, true}) {
            QStringList defaults;
            QTimer::singleShot(0, [ok, &defaults] {
                auto *dialog = qobject_cast<LinkedProgramsDialog *>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                for (QAction *action : dialog->findChild<QToolButton *>("defaultButton")->menu()->actions())
                    defaults << action->text();
                VelFileDialog::setNextAnswers({"/opt/racer/racer"});
                dialog->findChild<QToolButton *>("browseButton")->click();
                dialog->findChild<QToolButton *>(ok ? "msgBoxYesBtn" : "msgBoxNoBtn")->click();
            });
            click("linksButton");
            QCOMPARE(defaults, QStringList{"None"} + m_window->profileNames());
            QCOMPARE(changed.count(), ok ? 1 : 0);
            QCOMPARE(config::loadProfileLinks().links.size(), ok ? 1 : 0);
        }
        QCOMPARE(config::loadProfileLinks().links.first().profile, workingConfig().profileNames[0]);
    }

    // Import, export, save and load through their buttons and file dialogs (the product mark's and the
    // configuration file's rules are the profile list's): a profile of another mouse is refused, an exported
    // one imports as the new current profile, and loaded settings go to the profile being edited and its
    // file.
    void filesThroughTheirDialogs() {
        QTemporaryDir outside;
        const QString foreign = outside.filePath("Foreign.prof"), mine = outside.filePath("Mine.prof"),
                      conf = outside.filePath("all.conf");
        QVERIFY(profile::writeProfileFile(workingConfig().profile, foreign) == FileResult::Ok);
        QVERIFY(profile::writeProductMark(foreign, "Another Mouse"));
        VelFileDialog::setNextAnswers({foreign, mine, mine});
        VelMessageBox::setNextAnswers({QDialog::Accepted});
        click("importButton");
        QCOMPARE(messages(), QStringList{"The file is not match current mouse!"});
        click("exportButton");
        click("importButton");
        QCOMPARE(messages(), QStringList());
        QCOMPARE(m_window->profileNames(), (QStringList{"Profile 1", "Mine"}));
        QCOMPARE(workingConfig().profileNames[0], QString("Mine"));

        workingConfig().debounce = 12;
        workingConfig().profile.pollRate = 2;
        VelFileDialog::setNextAnswers({conf, conf});
        click("saveButton");
        workingConfig().debounce = 3;
        workingConfig().profile.pollRate = 8;
        click("load1Button");
        QCOMPARE(messages(), QStringList());
        QVERIFY(workingConfig().debounce == 12 && workingConfig().profile.pollRate == 2);
        QCOMPARE(workingConfig().profileNames[0], QString("Mine"));
        QCOMPARE(int(storedProfile("Mine").pollRate), 2);
    }

    // Apply takes the monitor's condition of the mouse, and refuses a current profile never read whole from
    // its file by the file's name: nothing but the battery reader's requests goes out. (What a write that
    // fails says is checked with the resend offer; the messages of the other outcomes are korvanectl's too.)
    void applyRefused() {
        const QString path = profile::profileFilePath(workingConfig().profileNames[0]);
        for (const bool damaged : {false, true}) {
            if (damaged) {
                m_rig.reset();
                QVERIFY(QFile::remove(path));
                m_tree->setIniValue(path.mid(m_tree->path().size() + 1), "PROFILE/pollrate", 999);
                openWindow();
            }
            // The mouse's state is set here alone: a running reader could report it on (or, asleep, off)
            // between a step and the click that depends on it.
            stopReaders();
            if (!damaged)
                m_window->monitor().batteryReading(0, 0, 0);
            m_rig->mouse().clearRecords();
            VelMessageBox::setNextAnswers({QDialog::Accepted});
            click("applyButton");
            QCOMPARE(messages(),
                     QStringList{damaged ? "The file " + path +
                                               " is incomplete or damaged: it holds no whole profile."
                                         : "Mouse is sleeping or not connected."});
            QCOMPARE(written(m_rig->mouse()), QStringList());
        }
    }

    // The progress dialog's loop serves hot-plug events while the write thread uses the command handle: the
    // window must not close that handle before the write has ended (the receiver, which carries the write,
    // pulled in the button table), and catches up afterwards.
    void hotplugDuringWriteWaitsForIt() {
        VirtualMouse *mouse = &m_rig->mouse();
        MouseDevice &device = m_window->monitor().presence().device();
        mouse->unplugAfter(8);
        VelMessageBox::setNextAnswers({QDialog::Accepted, QDialog::Accepted});
        click("applyButton");
        QCOMPARE(messages(), QStringList{"Send data failed, please try again."});
        QTRY_COMPARE(m_window->monitor().mouseCount(), 0);
        QVERIFY(!device.commandHandle());
        QCOMPARE(mouse->closedHandleUses(), 0);
    }

    // The slot menu's switch with a mouse that does not answer: the first store only silence accepted ends it
    // with a message, and the pointer takes the slot's own speed.
    void slotMenuStopsAtSilentMouse() {
        VirtualMouse *mouse = &m_rig->mouse();
        const ProfileData stored = storedProfile();
        QVERIFY(stored.mouseSpeed > 1);
        workingConfig().profile.mouseSpeed = 1;
        mouse->setAsleep(true);
        QTest::qWait(100);
        mouse->clearRecords();
        VelMessageBox::setNextAnswers({QDialog::Accepted});
        QVERIFY(trigger(m_window, "Profile 1", 0));
        QCOMPARE(messages(), QStringList{"Mouse is sleeping or not connected."});
        // The selection, the store that follows it (six tries), then the first of the five stores.
        QCOMPARE(written(*mouse, 3), QStringList{"44 00 00"} + QVector<QString>(6, "40 f3 01").toList() +
                                         QVector<QString>(6, "40 f3 04").toList());
        QCOMPARE(pointerSettings().speed(), int(stored.mouseSpeed));
    }

    // Why no mouse can be used at start-up: a receiver this user may not open gives the command that installs
    // the udev rule, no mouse at all "Dongle Disconnect!". Without a mouse the product name is cleared, but
    // the profiles stay in the product's folder.
    void startUpWarnings() {
        const auto warningShown = [this](bool mousePresent) {
            VelMessageBox::setNextAnswers({QDialog::Accepted});
            openWindow(mousePresent);
            qunsetenv("KORVANE_VIRTUAL_NO_ACCESS");
            QStringList shown;
            // Nothing shown in time fails the comparisons with the warning.
            (void)QTest::qWaitFor([&] { return !(shown += messages()).isEmpty(); }, 5000);
            return shown.join('|');
        };
        qputenv("KORVANE_VIRTUAL_NO_ACCESS", "1");
        qputenv("KORVANE_UDEV_RULES_DIRS", m_tree->file("rules").toLocal8Bit());
        const QString refused = warningShown(true);
        qunsetenv("KORVANE_UDEV_RULES_DIRS");
        QVERIFY2(
            refused.contains("this user may not open it") &&
                refused.contains("sudo cp " + m_tree->path() + "/70-korvane-config.rules /etc/udev/rules.d/"),
            qPrintable(refused));
        QCOMPARE(warningShown(false), QString("Dongle Disconnect!"));
        QCOMPARE(config::currentProductName(), QString());
        click("addButton");
        QVERIFY(QFileInfo::exists(m_tree->file("Configs/Korvane M7 Wireless/Profile/Profile 2.prof")));
        QVERIFY(!QFileInfo::exists(m_tree->file("Configs/Profile")));
        const QSettings main(m_tree->file("Configs/Config.ini"), QSettings::IniFormat);
        QVERIFY(!main.childGroups().contains("PROFILE_LIST"));
    }

    // The warning of an unplugged receiver goes away by itself when it returns (confirmed while no mouse is
    // there, it sends the window to the tray: the battery test's end).
    void receiverUnplugShowsWarningUntilItReturns() {
        VirtualMouse *mouse = &m_rig->mouse();
        bool sawWarning = false;
        QTimer::singleShot(100, [&] { mouse->unplug(kReceiver); });
        QTimer::singleShot(700, [&] {
            sawWarning = m_window->monitor().warningShowing();
            mouse->plug(kReceiver);
        });
        QTRY_VERIFY_WITH_TIMEOUT(
            sawWarning && !m_window->monitor().warningShowing() && m_window->monitor().reconnected(), 5000);
        QCOMPARE(messages(), QStringList{"Dongle Disconnect!"});
        QVERIFY(m_window->isVisible());
        QCOMPARE(config::currentProductName(), QString("Korvane M7 Wireless"));
    }

    // A stage and a rate changed with the mouse's own buttons reach the pages and the on-screen display.
    void onMouseChangesShown() {
        workingConfig().profile.dpiStage = 0;
        workingConfig().profile.pollRate = 1;
        m_window->switchPage(PageStack::kDpiPage);
        m_rig->mouse().sendStatusReport(0, 2, 8, 0);
        QTRY_COMPARE_WITH_TIMEOUT(m_osd, (QStringList{"DPI 3:2400", "125 HZ"}), 3000);
        ConfigPage *dpi = m_window->page(PageStack::kDpiPage);
        QVERIFY(dpi->findChild<QRadioButton *>("stageRadio2")->isChecked());
        QVERIFY(m_notices.isEmpty());
    }

    // Started on the receiver, the status row shows it and the tray the level the battery reader reports; one
    // mouse leaves the mouse list button hidden, and the factory profile file is written afresh. The status
    // row and the tray show the battery as the monitor reports it: a stored level until the mouse reports,
    // the level, "MOUSE OFF", a full bar without text on the cable; a fall to the notice level is a desktop
    // notice, and the level chosen in the tray menu reaches the monitor. The tray icon shows the level while
    // the mouse is on, and is painted again only when what it shows changes.
    void batteryShownAsReported() {
        QVERIFY(m_window->findChild<QWidget *>("receiverPicture")->isVisible());
        QVERIFY(m_window->findChild<VelPushButton *>("mouseButton")->isHidden());
        QVERIFY(QFileInfo::exists(profile::factoryProfilePath()));
        QTRY_COMPARE(m_window->trayIcon()->toolTip(), QString("Korvane M7 Wireless\nBattery 70%"));
        QVERIFY(config::setBatteryValue(40));
        openWindow();
        auto *bar = m_window->findChild<VelProcessbar *>("batteryBar");
        QCOMPARE(bar->value(), 40);
        QTRY_VERIFY(m_window->isVisible());
        stopReaders();
        ConnectionMonitor &monitor = m_window->monitor();
        QSystemTrayIcon *tray = m_window->trayIcon();
        const QIcon plain = m_window->windowIcon();
        // The tray icon as its 16 pixels, against the picture of a level (-1: the plain icon).
        const auto trayShows = [&](int level, bool charging, int noticeLevel) {
            const QImage shown = tray->icon().pixmap(QSize(16, 16)).toImage();
            return shown == TrayBatteryIcon::picture(plain, {level, charging, noticeLevel}, 16)
                                .convertToFormat(shown.format());
        };
        // On the cable (which charges), the raw reading (high byte x 256 + low byte), the bar's value, format
        // and text | the tray's tool tip, and the icon's level (-1: the plain icon).
        const std::tuple<bool, int, QString, int> readings[] = {
            {false, 700, "10 %p% |Battery 10%", 10},
            {false, 0, "10 %p% MOUSE OFF|Battery 10%", -1},
            {true, 994, "100  |Battery 90%, charging", 90}};
        for (const auto &[cable, raw, shown, iconLevel] : readings) {
            if (cable) {
                m_rig->mouse().plug(kCable);
                QTRY_COMPARE(int(monitor.connectionState()), 1);
            }
            monitor.batteryReading(cable, quint8(raw & 0xFF), quint8(raw >> 8));
            QCOMPARE(bar->isVisible(), !cable); // on the cable the mouse charges: no bar
            QCOMPARE(QString("%1 %2 %3|%4")
                         .arg(bar->value())
                         .arg(bar->format(), bar->barText(), tray->toolTip().section('\n', 1)),
                     shown);
            QVERIFY(trayShows(iconLevel, cable, monitor.noticeLevel()));
            QCOMPARE(tray->icon().cacheKey() == plain.cacheKey(), iconLevel < 0);
        }
        const qint64 shownKey = tray->icon().cacheKey();
        monitor.batteryReading(true, quint8(994 & 0xFF), quint8(994 >> 8));
        QCOMPARE(tray->icon().cacheKey(), shownKey);
        QCOMPARE(m_notices,
                 QStringList{"0|Mouse battery low|Korvane M7 Wireless has 10% battery left. Connect the "
                             "cable to charge it.|"});
        tray->contextMenu()->findChild<QAction *>("notice0")->trigger();
        QCOMPARE(monitor.noticeLevel(), 0);
        QVERIFY(trayShows(90, true, 0) && tray->icon().cacheKey() != shownKey);
        // With the last mouse gone the plain icon comes back; the warning about it, confirmed while no mouse
        // is there, sends the window to the tray and clears the product name.
        messages();
        VelMessageBox::setNextAnswers({QDialog::Accepted});
        m_rig->mouse().unplug(kCable);
        m_rig->mouse().unplug(kReceiver);
        QTRY_COMPARE(tray->icon().cacheKey(), plain.cacheKey());
        QTRY_VERIFY_WITH_TIMEOUT(m_window->isHidden(), 3000);
        QVERIFY(messages() == QStringList{"Dongle Disconnect!"} && config::currentProductName().isEmpty());
    }

    void resendOffer_data() {
        QTest::addColumn<bool>("inTray"); // the failed write was OK's, which hides the window all the same
        QTest::addColumn<bool>("yes");
        QTest::newRow("asked, Yes sends") << false << true;
        QTest::newRow("asked, No declines") << false << false;
        QTest::newRow("noticed in the tray, its action sends") << true << true;
    }

    // The monitor's offer to send again a write the mouse missed: in the shown window a question whose Yes
    // sends and whose No declines; while the window is in the tray a notice whose action sends.
    void resendOffer() {
        QFETCH(bool, inTray);
        QFETCH(bool, yes);
        VirtualMouse &mouse = m_rig->mouse();
        ConnectionMonitor &monitor = m_window->monitor();
        const QString question =
            "The mouse is back, but the last settings did not reach it. Send the current profile again?";
        mouse.failWrites(100);
        VelMessageBox::setNextAnswers({QDialog::Accepted});
        click(inTray ? "okButton" : "applyButton");
        mouse.failWrites(0);
        mouse.clearRecords();
        QVERIFY(m_window->isHidden() == inTray && monitor.resendWanted());
        VelMessageBox::setNextAnswers({yes ? QDialog::Accepted : QDialog::Rejected});
        mouse.plug(kCable);
        if (inTray) {
            QTRY_COMPARE(m_notices, QStringList{"2|Korvane M7 Wireless|" + question + "|resend"});
            emit m_window->notices().notifier()->actionInvoked(DesktopNotifier::Resend, "resend");
        }
        QTRY_VERIFY(!monitor.resendWanted());
        QCOMPARE(messages(), QStringList{"Send data failed, please try again."} +
                                 (inTray ? QStringList() : QStringList{question}));
        if (yes)
            QTRY_VERIFY(written(mouse).size() > 20);
        else
            QVERIFY(written(mouse).size() <= 20);
    }

    void firmwareUpdateNeedsCableAndKeepsRunningWhenUpdaterFails() {
        // The updater is not shipped here: the button says so and asks nothing.
        VelMessageBox::setNextAnswers(
            {QDialog::Accepted, QDialog::Accepted, QDialog::Accepted, QDialog::Accepted});
        click("firmwareButton");
        QCOMPARE(messages(),
                 QStringList{"The firmware updater is not installed: it is a program for another system. "
                             "Update the firmware from a computer it runs on."});
        // One that is there but cannot run on this system.
        QVERIFY(writeFile(m_tree->file("skin/mouse/bin/Q540-7716V1.5.exe"), "MZ"));
        click("firmwareButton");
        QCOMPARE(messages(),
                 QStringList{"To update the firmware, please connect to the computer with a cable."});
        m_rig->mouse().plug(kCable);
        QTRY_COMPARE(int(m_window->monitor().connectionState()), 1);
        click("firmwareButton");
        QCOMPARE(messages(), (QStringList{"Do you want to upgrade the firmware?",
                                          "The firmware updater could not be started."}));
        QVERIFY(m_window->isVisible() && !m_window->findChild<QWidget *>("batteryBar")->isVisible());
    }

    // What a page asks of the window reaches it: a message, another page, the window's buttons locked while
    // the page records (its own controls stay usable). The customize page shows the mouse with its button
    // captions.
    void pagesReachTheWindow() {
        ConfigPage *macro = m_window->page(PageStack::kMacroPage);
        auto *own = new VelPushButton({}, macro);
        emit m_window->page(PageStack::kLightingPage)->GotoMacroTab(PageStack::kMacroPage);
        QCOMPARE(m_window->currentPage(), int(PageStack::kMacroPage));
        QVERIFY(macro->isVisible() && !m_window->page(PageStack::kLightingPage)->isVisible());
        emit macro->EnableButtonsSignal(false);
        QVERIFY(!m_window->findChild<VelPushButton *>("applyButton")->isEnabled());
        QVERIFY(!m_window->findChild<VelLineEdit *>("nameEdit")->isEnabled());
        QVERIFY(m_window->findChild<VelPushButton *>("closeButton")->isEnabled() && own->isEnabled());
        emit macro->EnableButtonsSignal(true);
        QVERIFY(m_window->findChild<VelPushButton *>("addButton")->isEnabled());
        VelMessageBox::setNextAnswers({QDialog::Accepted});
        emit macro->ShowMessage("AT LEAST ONE CLICK FUNCTION TO BE RETAINED.");
        QCOMPARE(messages(), QStringList{"AT LEAST ONE CLICK FUNCTION TO BE RETAINED."});

        m_window->switchPage(PageStack::kCustomizePage);
        auto *label = m_window->findChild<VelPushButton *>("mouseLabel3");
        QVERIFY(label->isVisible() && !m_window->findChild<VelPushButton *>("mouseLabel7")->isVisible());
        QVERIFY(m_window->mouseView().picture().endsWith("/Mouse.png"));
        emit label->OverSignal(label, true);
        QVERIFY(m_window->mouseView().picture().endsWith("/mouse_4.png"));
        emit label->OverSignal(label, false);
        QVERIFY(m_window->mouseView().picture().endsWith("/Mouse.png"));

        // The version label names the mouse description's version; its tool tip the program's own as well.
        const QString tip = m_window->findChild<QLabel *>("versionLabel")->toolTip();
        QVERIFY2(tip.contains("V1.0.4") && tip.endsWith("Korvane Config " KORVANE_PROJECT_VERSION),
                 qPrintable(tip));
    }

    // A profile's effect shows its name and its controls, the speed row above for the breathing effects; the
    // speed slider changes that effect's speed alone, and a file without "LedMoveOFF" leaves the box
    // unchecked. A model without lighting opens on CUSTOMIZE and never shows the lighting page.
    void lightingModesShowTheirControls() {
        m_window->switchPage(PageStack::kLightingPage);
        ConfigPage *page = m_window->page(PageStack::kLightingPage);
        auto *bright = page->findChild<QSlider *>("brightnessSlider");
        auto *speed = page->findChild<QSlider *>("speedSlider");
        const auto mark = [page](const char *name, const char *letter) {
            return page->findChild<QWidget *>(name)->isVisible() ? QString(letter) : QString();
        };
        // The mode, its effect's name and the controls shown: b brightness, s speed, c colour, the upper row
        // first. 6 is not in the menu, 200 beyond the table.
        const std::tuple<int, const char *, const char *> rows[] = {
            {0, "OFF", ""},         {1, "FULL LIGHTED", "bc"},
            {2, "BREATHING", "sc"}, {3, "7 COLOR BREATHING", "s"},
            {4, "RAINBOW", "bs"},   {6, "Horizontal WAVE", "bs"},
            {11, "REACTIVE", "b"},  {200, "OFF", ""}};
        for (const auto &[mode, effect, shown] : rows) {
            const ProfileData before = workingConfig().profile;
            workingConfig().profile.ledMode = static_cast<uint8_t>(mode);
            workingConfig().profile.ledMoveOff = 255;
            page->refresh();
            QCOMPARE(page->findChild<VelPushButton *>("effectButton")->text(), QString(effect));
            const QString b = mark("brightnessSlider", "b"), s = mark("speedSlider", "s");
            QCOMPARE((speed->y() < bright->y() ? s + b : b + s) + mark("colorSwatch", "c"), QString(shown));
            QVERIFY(!page->findChild<QCheckBox *>("moveOffBox")->isChecked());
            if (!s.isEmpty()) {
                speed->setValue(speed->value() == 5 ? 1 : 5);
                for (int m = 0; m < int(workingConfig().profile.ledModes.size()); ++m)
                    QCOMPARE(workingConfig().profile.ledModes[m].breath != before.ledModes[m].breath,
                             m == mode);
            }
        }
        m_tree->setIniValue("DefaultProfile.bin", "PROFILE/ledDisable", 1);
        openWindow();
        QCOMPARE(m_window->currentPage(), int(PageStack::kCustomizePage));
        m_window->switchPage(PageStack::kLightingPage);
        QCOMPARE(m_window->currentPage(), int(PageStack::kCustomizePage));
        QVERIFY(!m_window->page(PageStack::kLightingPage)->isVisible());
    }

    // What the pages set reaches the mouse with Apply: on the lighting page the breathing effect with a
    // colour picked by hand, its speed and light-off-while-moving; on the DPI page, which shows the lighting
    // page's sleep time, that time changed, a stage's X set by hand (in its sensor's encoding) and a stage
    // colour picked. (What each DPI page control stores is the page's test, how a profile is written the
    // write thread's.)
    void pagesReachTheMouse() {
        m_window->switchPage(PageStack::kLightingPage);
        ConfigPage *lighting = m_window->page(PageStack::kLightingPage);
        QVERIFY(trigger(lighting, "BREATHING"));
        lighting->findChild<QSlider *>("speedSlider")->setValue(4);
        lighting->findChild<QSlider *>("sleepSlider")->setValue(6);
        const uint8_t moveOffBefore = workingConfig().profile.ledMoveOff;
        lighting->findChild<QCheckBox *>("moveOffBox")->click();
        QVERIFY(workingConfig().profile.ledMoveOff != moveOffBefore);
        pickNextColor(QColor(10, 200, 30));
        QTest::mouseClick(lighting->findChild<QWidget *>("colorSwatch"), Qt::LeftButton);

        m_window->switchPage(PageStack::kDpiPage);
        ConfigPage *dpi = m_window->page(PageStack::kDpiPage);
        QCOMPARE(dpi->findChild<QSlider *>("sleepSlider")->value(), 6);
        dpi->findChild<QSlider *>("sleepSlider")->setValue(4);
        QWidget *second = dpi->findChild<QWidget *>("stageRow1");
        if (second->findChild<QCheckBox *>("linkBox")->isChecked())
            second->findChild<QCheckBox *>("linkBox")->click();
        second->findChild<QSlider *>("xBar")->setValue(100);
        pickNextColor(QColor(200, 0, 90));
        QTest::mouseClick(dpi->findChild<QWidget *>("stageRow2")->findChild<QWidget *>("colorButton"),
                          Qt::LeftButton);

        click("applyButton");
        QCOMPARE(messages(), QStringList());
        const SettingsView view(m_rig->mouse());
        QCOMPARE(view.currentModeBlock(), 2);
        const SettingsView::LightingBlock block = view.lightingBlock(2);
        QCOMPARE(block.colour, QColor(10, 200, 30));
        QCOMPARE(int(block.speed), 4);
        QCOMPARE(int(view.settings().ledSleepTime), 4);
        QCOMPARE(view.settings().ledMoveOff, workingConfig().profile.ledMoveOff);
        const int sensorId = config::sensorType();
        QCOMPARE(view.stage(1, sensorId).dpiX, positionToDpi(sensorId, 100));
        QCOMPARE(view.stageColour(2), QColor(200, 0, 90));
    }

    // A macro recorded on the MACRO page and chosen for button 4 on the CUSTOMIZE page: Apply writes it into
    // the mouse's button table and its events into the macro area. Renamed on the MACRO page, the button's
    // caption follows. (The other functions and their dialogs are the button page's tests.)
    void macroOnAButtonReachesTheMouse() {
        m_window->switchPage(PageStack::kMacroPage);
        auto *macros = qobject_cast<MacroDialog *>(m_window->page(PageStack::kMacroPage));
        macros->findChild<VelPushButton *>("newMacroButton")->click();
        const QString name = macros->currentMacro();
        macros->findChild<VelPushButton *>("startButton")->click();
        for (const auto &[code, flags] : {std::pair<int, int>{30, 0}, {30, 0x80}, {240, 1}, {240, 129}})
            macros->editor().record(code, flags);
        macros->findChild<VelPushButton *>("stopButton")->click();
        const QVector<MacroStep> steps = macros->editor().model()->steps();
        QCOMPARE(steps.size(), 4);

        m_window->switchPage(PageStack::kCustomizePage);
        auto *page = qobject_cast<VelBtnWindow *>(m_window->page(PageStack::kCustomizePage));
        QVERIFY(page && &page->mouseView() == &m_window->mouseView());
        page->SelectButton(4, 0);
        answerNextDialog([name](QDialog *dialog) {
            for (QToolButton *entry : dialog->findChildren<QToolButton *>("macroButton")) {
                if (entry->text() == name)
                    entry->click();
            }
            dialog->findChild<QLineEdit *>("loopCountEdit")->setText("5");
        });
        page->OnFunctionChosen(devicecode::kMacro);
        QCOMPARE(page->caption(0, 4)->text(), name);
        click("applyButton");
        QCOMPARE(messages(), QStringList());
        const ButtonEntry entry = decodeButtonSlot(m_rig->mouse(), 4).bytes;
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(entry.data()), int(entry.size())).toHex(' '),
                 QByteArray("91 00 05 00"));
        // The mouse's image adds pauses around the clicks; the events are the recording's. The macro's number
        // is byte 1 of its button's entry.
        QVector<MacroStep> events = decodeMacroEvents(m_rig->mouse(), entry[1]);
        events.erase(std::remove_if(events.begin(), events.end(),
                                    [](const MacroStep &step) { return step.isDelay(); }),
                     events.end());
        QCOMPARE(events, steps);

        m_window->switchPage(PageStack::kMacroPage);
        macros->findChild<VelLineEdit *>("macroNameEdit")->setText("Burst");
        macros->findChild<VelPushButton *>("changeNameButton")->click();
        QCOMPARE(page->caption(0, 4)->text(), QString("Burst"));
    }

    // A linked program that starts switches the mouse to its profile once it ran for the hold time: the
    // profile becomes current, the mouse is written and the on-screen display names it. A program gone before
    // the hold writes nothing, and the profile in use with nothing to send writes nothing either. While the
    // pages hold edits not applied (which CANCEL takes back, hiding the window), or a dialog is open, the
    // switch waits.
    void linkedProgramsSwitchTheProfile() {
        ProfileList list;
        list.load();
        QString raid;
        QCOMPARE(list.add(raid), ProfileListResult::Ok);
        m_window->reloadProfiles();
        ProfileLinks links;
        links.links = {{"shooter", raid, false, QString()}};
        links.defaultProfile = "Profile 1";
        QVERIFY(config::storeProfileLinks(links));
        QTemporaryDir table;
        LinkSwitcher switcher(*m_window, table.path(), false);
        qint64 now = 0;
        switcher.setClock([&now] { return now; });
        QSignalSpy switched(&switcher, &LinkSwitcher::switched);
        // Steps the clock past the hold, looking at the programs before and after.
        const auto hold = [&] {
            switcher.check();
            now += LinkFollower::kHoldMs;
            switcher.check();
        };
        VirtualMouse &mouse = m_rig->mouse();
        hold();
        QCOMPARE(switched.size(), 0);

        QVERIFY(addProcessEntry(table.path(), 300, "shooter", "/usr/games/shooter"));
        switcher.check();
        QVERIFY(QDir(table.path() + "/300").removeRecursively());
        hold();
        QCOMPARE(switched.size(), 0);

        QVERIFY(addProcessEntry(table.path(), 310, "shooter", "/usr/games/shooter"));
        mouse.clearRecords();
        hold();
        QCOMPARE(switched.size(), 1);
        QCOMPARE(switched.last().value(1), QVariant(0));
        QCOMPARE(m_window->currentProfileName(), raid);
        QVERIFY(!written(mouse).isEmpty());
        QCOMPARE(m_osd.last(), "Profile: " + raid);

        const AppConfig stored = workingConfig();
        workingConfig().profile.mouseSpeed = uint8_t(workingConfig().profile.mouseSpeed % 20 + 1);
        workingConfig().debounce = uint8_t(workingConfig().debounce + 7);
        QVERIFY(m_window->editsPending());
        QVERIFY(QDir(table.path() + "/310").removeRecursively());
        hold();
        QCOMPARE(switcher.waitingProfile(), QString("Profile 1"));
        // CANCEL hides the window and takes back what the pages changed.
        click("cancelButton");
        QVERIFY(!m_window->editsPending() && m_window->isHidden() && workingConfig() == stored);
        QDialog dialog(m_window);
        dialog.setModal(true);
        dialog.show();
        switcher.check();
        QCOMPARE(switched.size(), 1);
        dialog.hide();
        mouse.clearRecords();
        switcher.check();
        QCOMPARE(switched.size(), 2);
        QCOMPARE(m_window->currentProfileName(), QString("Profile 1"));
        QVERIFY(switcher.waitingProfile().isEmpty() && !written(mouse).isEmpty());

        // Deleting the linked profile takes its link along, and says so once.
        QString failedFile;
        QCOMPARE(m_window->switchProfile(raid, failedFile), ProfileListResult::Ok);
        messages();
        VelMessageBox::setNextAnswers({true, true});
        click("deleteButton");
        QCOMPARE(messages().last(),
                 QString("These programs were linked to the deleted profile and are no longer: shooter."));
        QVERIFY(config::loadProfileLinks().links.isEmpty());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
