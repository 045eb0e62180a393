#include "app/mouse_notices.h"
#include "buttons/vel_btn_window.h"
#include "buttons/vel_combo_key_window.h"
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
#include "platform/device_notifier.h"
#include "platform/local_osd_messenger.h"
#include "platform/osd_messenger.h"
#include "sim/button_view.h"
#include "sim/macro_view.h"
#include "sim/settings_view.h"
#include "sim/virtual_mouse.h"
#include "storage/app_config_store.h"
#include "storage/config_file.h"
#include "storage/macro_file.h"
#include "storage/profile_file.h"
#include "support/test_tree.h"
#include "support/virtual_window.h"
#include "widgets/config_page.h"
#include "widgets/mouse_view.h"
#include "widgets/vel_color_area.h"
#include "widgets/vel_file_dialog.h"
#include "widgets/vel_line_edit.h"
#include "widgets/vel_message_box.h"
#include "widgets/vel_processbar.h"
#include "widgets/vel_push_button.h"

#include <QAction>
#include <QCheckBox>
#include <QDirIterator>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QRadioButton>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QThread>
#include <QToolButton>
#include <QtTest>

namespace {
// Records the notifications the window would put on screen.
class RecordingOsd : public OsdMessenger {
public:
    explicit RecordingOsd(QStringList &texts) : m_texts(texts) {}
    void send(const OsdRecord &record, std::function<void(bool)> done) override {
        m_texts << record.text;
        done(true);
    }

private:
    QStringList &m_texts;
};

// Records the desktop notices the window would show, as "topic|summary|body|action".
class RecordingNotifier : public DesktopNotifier {
public:
    explicit RecordingNotifier(QStringList &notices) : m_notices(notices) {}
    void show(Topic topic, const DesktopNotice &notice) override {
        m_notices << QString("%1|%2|%3|%4").arg(topic).arg(notice.summary, notice.body, notice.actionKey);
    }

private:
    QStringList &m_notices;
};

AppConfig &working() {
    return AppConfigStore::instance().working();
}

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

// The commands written to the mouse apart from the battery reader's requests, each shown by show.
QStringList writtenCommands(const VirtualMouse &mouse,
                            const std::function<QString(const QByteArray &)> &show) {
    QStringList written;
    for (const VirtualMouse::Record &record : mouse.records()) {
        if (record.direction == VirtualMouse::Direction::Written && record.bytes[3] != 0x48)
            written << show(
                QByteArray(reinterpret_cast<const char *>(record.bytes.data()), record.bytes.size()));
    }
    return written;
}

// The command codes written, in hexadecimal.
QStringList writtenCodes(const VirtualMouse &mouse) {
    return writtenCommands(mouse,
                           [](const QByteArray &bytes) { return QString::number(quint8(bytes[3]), 16); });
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

// The main window with the virtual mouse: what the user does and what reaches the mouse and the files.
class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void profileBarOperations();
    void applyWhilePointerMoves();
    void mouseOffRefusesWrite();
    void unsavedProfileIsTold();
    void hotplugDuringWriteWaitsForIt_data();
    void hotplugDuringWriteWaitsForIt();
    void slotMenuStopsAtSilentMouse();
    void missingProfileFileNeverBecomesCurrent();
    void startsWithoutMouseInProductFolder();
    void receiverUnplugShowsWarningUntilItReturns();
    void onMouseChangesShown();
    void batteryShownAsReported();
    void cancelDiscardsUnsentEdits();
    void profileFilesOfOtherMiceRefused();
    void configurationSavedAndLoaded();
    void firmwareUpdateNeedsCableAndKeepsRunningWhenUpdaterFails();
    void pagesReachTheWindow();
    void lightingModesShowTheirControls_data();
    void lightingModesShowTheirControls();
    void modelWithoutLightingOpensOnCustomize();
    void pagesReachTheMouse();
    void buttonChoiceReachesTheMouse();
    void unreadableReceiverShowsPermission();
    void resendOfferAskedOrNoticed();

private:
    void click(const char *name);
    BatteryThreadController *stopReaders();
    QStringList messages() { return VelMessageBox::takeShownMessages(); }

    std::unique_ptr<TestTree> m_tree;
    void openWindow(bool mousePresent = true);

    std::unique_ptr<VirtualWindow> m_rig;
    KorvaneWidget *m_window = nullptr;
    QStringList m_osd;
    QStringList m_notices;
};

void TestMainWindow::initTestCase() {
    // The window lives on in a tray here; closing without one is tested on the X server.
    KorvaneTray::setAvailableCheck([] { return true; });
    // Short real pauses keep the protocol's order of events without the test waiting for them.
    devicelink::setPauseFunction([](int ms) { QThread::msleep(static_cast<unsigned long>(qMin(ms, 5))); });
}

void TestMainWindow::init() {
    m_tree = std::make_unique<TestTree>();
    m_osd.clear();
    VelMessageBox::takeShownMessages();
    openWindow();
    m_window->notices().setOsdMessenger(std::make_unique<RecordingOsd>(m_osd));
    m_notices.clear();
    m_window->notices().setDesktopNotifier(std::make_unique<RecordingNotifier>(m_notices));
    QTRY_VERIFY(m_window->isVisible());
}

void TestMainWindow::openWindow(bool mousePresent) {
    m_window = nullptr;
    m_rig.reset();
    m_rig = std::make_unique<VirtualWindow>(mousePresent);
    m_window = m_rig->window.get();
}

void TestMainWindow::cleanup() {
    VelMessageBox::setNextAnswers({});
    VelFileDialog::setNextAnswers({});
    m_window = nullptr;
    m_rig.reset();
    m_tree.reset();
}

// Stops the battery reader, so that the test alone sets what the mouse reports.
BatteryThreadController *TestMainWindow::stopReaders() {
    auto *readers = m_window->findChild<BatteryThreadController *>();
    readers->stopBatteryThread();
    readers->waitForStoppedReaders();
    return readers;
}

void TestMainWindow::click(const char *name) {
    auto *button = m_window->findChild<VelPushButton *>(QString::fromLatin1(name));
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

// The profile rules themselves are checked in the profile list's tests, and the profile session against
// korvanectl in the random operations; here each operation's button or field reaches the session, a refusal
// shows its message (and puts the old name back), and the same operations through the profile bar and
// through korvanectl leave the same profile files, profile list and current profile.
void TestMainWindow::profileBarOperations() {
    const auto snapshot = [](const QString &root) {
        QMap<QString, QByteArray> files;
        const QString product = root + "/Configs/Korvane M7 Wireless";
        QDirIterator it(product, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            files.insert(it.filePath().mid(root.size()),
                         file.open(QIODevice::ReadOnly) ? file.readAll() : "?");
        }
        QSettings main(root + "/Configs/Config.ini", QSettings::IniFormat);
        files.insert("Profile1", main.value("Config/Profile1").toByteArray());
        return files;
    };
    // The window refuses before it asks: no question for the one profile left.
    VelMessageBox::setNextAnswers({QDialog::Accepted, QDialog::Accepted});
    click("deleteButton");
    auto *edit = m_window->findChild<VelLineEdit *>("nameEdit");
    edit->setText("Main");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(messages(), (QStringList{"AT LEAST ONE PROFILE TO BE RETAINED.",
                                      "The default Profile cannot be deleted or renamed."}));
    QCOMPARE(edit->text(), QString("Profile 1"));

    click("addButton");
    QCOMPARE(edit->text(), QString("Profile 2"));
    click("copyButton");
    edit->setText("Raid");
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(trigger(m_window, "Profile 2", 1));
    // Deleting asks first; "No" keeps the profile.
    VelMessageBox::setNextAnswers({QDialog::Rejected, QDialog::Accepted});
    click("deleteButton");
    QCOMPARE(m_window->profileNames().size(), 3);
    click("deleteButton");
    QCOMPARE(messages(),
             QStringList(QVector<QString>(2, "Are you sure you want delete this profile?").toList()));
    QCOMPARE(m_window->profileNames(), (QStringList{"Profile 1", "Raid"}));
    QCOMPARE(working().profileNames[0], QString("Raid"));
    const QMap<QString, QByteArray> byWindow = snapshot(m_tree->path());
    // COPY makes the copy from what the pages show, so edits not yet sent go with it.
    working().profile.pollRate = 8;
    click("copyButton");
    QCOMPARE(working().profileNames[0], QString("Raid copy"));
    QVERIFY(storedProfile("Raid copy").pollRate == 8 && working().profile.pollRate == 8);

    TestTree other;
    QTemporaryDir runtime;
    const QList<QStringList> commands{{"profile", "add", "Profile 2"},
                                      {"profile", "copy", "Profile 2"},
                                      {"profile", "rename", "Profile 2 copy", "Raid"},
                                      {"profile", "switch", "Profile 2"},
                                      {"profile", "delete", "Profile 2"}};
    for (const QStringList &arguments : commands) {
        QProcess ctl;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        ctl.setProcessEnvironment(env);
        ctl.start(other.file("korvanectl"), arguments);
        QVERIFY(ctl.waitForFinished(30000));
        QVERIFY2(ctl.exitCode() == 0, ctl.readAllStandardError().constData());
    }
    const QMap<QString, QByteArray> byCtl = snapshot(other.path());
    QCOMPARE(byCtl.keys(), byWindow.keys());
    for (const QString &file : byWindow.keys())
        QVERIFY2(byCtl.value(file) == byWindow.value(file), qPrintable(file));
}

// Half a second of a pointer in use before Apply, and while it runs: the write goes out as a quiet one does,
// every report once, and a status report sent while the reader sleeps still reaches the window. Without the
// drain the kernel's full queue drops the first echo (a rewrite) and the status report.
void TestMainWindow::applyWhilePointerMoves() {
    VirtualMouse *mouse = &m_rig->mouse();
    // The reader's real 400 ms between reads, long enough for the kernel's queue to fill many times over.
    BatteryThreadController *readers = stopReaders();
    devicelink::setPauseFunction({});
    readers->startBatteryThread();
    mouse->streamMovement(1000);
    QTest::qWait(500);
    mouse->clearRecords();
    click("applyButton");
    QCOMPARE(messages(), QStringList());
    QStringList written =
        writtenCommands(*mouse, [](const QByteArray &bytes) { return bytes.left(8).toHex(' '); });
    QCOMPARE(written.size(), 32);
    QCOMPARE(written.removeDuplicates(), 0);
    working().profile.dpiStage = 0;
    QTest::qWait(700); // the reader restarted by the write is in its long sleeps
    mouse->sendStatusReport(0, 2, working().profile.pollRate, 0);
    QTRY_COMPARE_WITH_TIMEOUT(int(working().profile.dpiStage), 2, 3000);
    mouse->streamMovement(0);
    stopReaders();
    initTestCase();
}

// The write takes the monitor's condition of the mouse: off, nothing but the battery reader's requests goes
// out. (A failed write's message and OK hiding the window anyway are checked with the resend offer.)
void TestMainWindow::mouseOffRefusesWrite() {
    VirtualMouse *mouse = &m_rig->mouse();
    // The mouse's state is set here alone: a running reader could report it on (or, asleep, off) between
    // a step and the click that depends on it.
    stopReaders();
    m_window->monitor().batteryReading(0, 0, 0);
    mouse->clearRecords();
    VelMessageBox::setNextAnswers({QDialog::Accepted});
    click("applyButton");
    QCOMPARE(messages(), QStringList{"Mouse is sleeping or not connected."});
    QCOMPARE(writtenCodes(*mouse), QStringList()); // only the battery reader's requests
}

// A profile file that cannot be written (a folder in its place): the user is told that the change was not
// saved, and whether the mouse took it. (That the mouse is written all the same is the write thread's and
// korvanectl's test, which share the message.)
void TestMainWindow::unsavedProfileIsTold() {
    const QString path = profile::profileFilePath(working().profileNames[0]);
    QVERIFY(QFile::remove(path) && QDir().mkpath(path));
    VirtualMouse *mouse = &m_rig->mouse();
    mouse->failWrites(100);
    VelMessageBox::setNextAnswers({QDialog::Accepted});
    click("applyButton");
    QCOMPARE(messages(), QStringList{"The profile could not be saved to its file, so this change is gone at "
                                     "the next start. The mouse was not written either: Send data failed, "
                                     "please try again."});
    mouse->failWrites(0);

    // A current profile whose file is damaged is never sent, and the refusal names the file.
    m_window = nullptr;
    m_rig.reset();
    QVERIFY(QDir(path).removeRecursively());
    m_tree->setIniValue(path.mid(m_tree->path().size() + 1), "PROFILE/pollrate", 999);
    openWindow();
    mouse = &m_rig->mouse();
    mouse->clearRecords();
    VelMessageBox::setNextAnswers({QDialog::Accepted});
    click("applyButton");
    QCOMPARE(messages(),
             QStringList{"The file " + path + " is incomplete or damaged: it holds no whole profile."});
    QCOMPARE(writtenCodes(*mouse), QStringList());
}

void TestMainWindow::hotplugDuringWriteWaitsForIt_data() {
    QTest::addColumn<bool>("plugCable"); // else the receiver, which carries the write, is pulled
    QTest::addColumn<int>("afterReports");
    QTest::newRow("receiver pulled after the bracket") << false << 1;
    QTest::newRow("receiver pulled in the button table") << false << 8;
    QTest::newRow("receiver pulled at the closing bracket") << false << 32;
    QTest::newRow("cable plugged after the bracket") << true << 1;
    QTest::newRow("cable plugged in the lighting") << true << 22;
}

// The progress dialog's loop serves hot-plug events while the write thread uses the command handle: the
// window must not close or reopen that handle before the write has ended, and catches up afterwards.
void TestMainWindow::hotplugDuringWriteWaitsForIt() {
    QFETCH(bool, plugCable);
    QFETCH(int, afterReports);
    VirtualMouse *mouse = &m_rig->mouse();
    MouseDevice &device = m_window->monitor().presence().device();
    if (plugCable)
        mouse->plugAfter(kCable, afterReports);
    else
        mouse->unplugAfter(afterReports);
    VelMessageBox::setNextAnswers({QDialog::Accepted, QDialog::Accepted});
    click("applyButton");
    QCOMPARE(mouse->closedHandleUses(), 0);
    if (plugCable) {
        // The write went on over the receiver; the cable takes the commands once it is over.
        QCOMPARE(messages(), QStringList());
        QVERIFY(!mouse->bracketOpen());
        QTRY_COMPARE(int(m_window->monitor().connectionState()), 1);
        QTRY_VERIFY(device.commandHandle() && device.commandHandle() == device.handle(kSlotCableCommand));
    } else {
        QCOMPARE(messages(), QStringList{"Send data failed, please try again."});
        QTRY_COMPARE(m_window->monitor().mouseCount(), 0);
        QVERIFY(!device.commandHandle());
    }
    QCOMPARE(mouse->closedHandleUses(), 0);
}

// The slot menu's switch with a mouse that does not answer: the first store only silence accepted ends it
// with a message, and the pointer takes the slot's own speed.
void TestMainWindow::slotMenuStopsAtSilentMouse() {
    VirtualMouse *mouse = &m_rig->mouse();
    const ProfileData stored = storedProfile();
    QVERIFY(stored.mouseSpeed > 1);
    working().profile.mouseSpeed = 1;
    mouse->setAsleep(true);
    QTest::qWait(100);
    mouse->clearRecords();
    VelMessageBox::setNextAnswers({QDialog::Accepted});
    QVERIFY(trigger(m_window, "Profile 1", 0));
    QCOMPARE(messages(), QStringList{"Mouse is sleeping or not connected."});
    const QStringList written = writtenCommands(*mouse, [](const QByteArray &bytes) {
        return QString("%1 %2").arg(quint8(bytes[3]), 0, 16).arg(quint8(bytes[5]), 0, 16);
    });
    // The selection, the store that follows it (six tries), then the first of the five stores.
    QCOMPARE(written, QStringList{"44 0"} + QVector<QString>(6, "40 1").toList() +
                          QVector<QString>(6, "40 4").toList());
    QCOMPARE(pointerSettings().speed(), int(stored.mouseSpeed));
}

// A listed profile whose file was deleted is not switched to (an empty record would reach the mouse as a
// profile without a click); deleting the profile before it gives the next one the factory settings.
void TestMainWindow::missingProfileFileNeverBecomesCurrent() {
    click("addButton");
    click("addButton");
    QCOMPARE(working().profileNames[0], QString("Profile 3"));
    QVERIFY(QFile::remove(profile::profileFilePath("Profile 2")));
    VelMessageBox::setNextAnswers({QDialog::Accepted, QDialog::Accepted, QDialog::Accepted});
    QVERIFY(trigger(m_window, "Profile 2", 1));
    QCOMPARE(messages(), QStringList{"The profile file could not be found."});
    QCOMPARE(working().profileNames[0], QString("Profile 3"));
    QVERIFY(working().profile.filled);
    click("deleteButton");
    QCOMPARE(messages(), (QStringList{"Are you sure you want delete this profile?",
                                      "The profile file could not be found."}));
    QCOMPARE(working().profileNames[0], QString("Profile 2"));
    QCOMPARE(int(working().profile.buttons[0].function), 1);
    click("applyButton");
    QCOMPARE(messages(), QStringList());
    QCOMPARE(decodeButtonSlot(m_rig->mouse(), 0).function, 1);
}

// No mouse at start-up: the product name is cleared, but the profiles stay in the product's folder.
void TestMainWindow::startsWithoutMouseInProductFolder() {
    VelMessageBox::setNextAnswers({QDialog::Accepted});
    openWindow(false);
    QStringList shown;
    QTRY_VERIFY((shown += messages()).contains("Dongle Disconnect!"));
    QCOMPARE(config::currentProductName(), QString());
    QCOMPARE(m_window->profileNames(), QStringList{"Profile 1"});
    click("addButton");
    QCOMPARE(m_window->profileNames(), (QStringList{"Profile 1", "Profile 2"}));
    QVERIFY(QFileInfo::exists(m_tree->file("Configs/Korvane M7 Wireless/Profile/Profile 2.prof")));
    QVERIFY(!QFileInfo::exists(m_tree->file("Configs/Profile")));
    const QSettings main(m_tree->file("Configs/Config.ini"), QSettings::IniFormat);
    QVERIFY(!main.childGroups().contains("PROFILE_LIST"));
}

void TestMainWindow::receiverUnplugShowsWarningUntilItReturns() {
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

    // Confirmed while no mouse is there: the window goes to the tray.
    VelMessageBox::setNextAnswers({QDialog::Accepted});
    mouse->unplug(kReceiver);
    QTRY_VERIFY_WITH_TIMEOUT(m_window->isHidden(), 3000);
    QCOMPARE(config::currentProductName(), QString());
}

// A stage and a rate changed with the mouse's own buttons reach the pages and the on-screen display.
void TestMainWindow::onMouseChangesShown() {
    working().profile.dpiStage = 0;
    working().profile.pollRate = 1;
    m_window->switchPage(PageStack::kDpiPage);
    m_rig->mouse().sendStatusReport(0, 2, 8, 0);
    QTRY_COMPARE_WITH_TIMEOUT(m_osd, (QStringList{"DPI 3:2400", "125 HZ"}), 3000);
    ConfigPage *dpi = m_window->page(PageStack::kDpiPage);
    QVERIFY(dpi->findChild<QRadioButton *>("stageRadio2")->isChecked());
    QVERIFY(m_notices.isEmpty());
}

// Started on the receiver, the status row shows it and the tray the level the battery reader reports; one
// mouse leaves the mouse list button hidden, and the factory profile file is written afresh. The status row
// and the tray show the battery as the monitor reports it: a stored level until the mouse reports, the level,
// "MOUSE OFF", a full bar without text on the cable; a fall to the notice level is a desktop notice, and the
// level chosen in the tray menu reaches the monitor.
void TestMainWindow::batteryShownAsReported() {
    QVERIFY(m_window->findChild<QWidget *>("receiverPicture")->isVisible());
    QVERIFY(m_window->findChild<VelPushButton *>("mouseButton")->isHidden());
    QVERIFY(QFileInfo::exists(profile::factoryProfilePath()));
    QTRY_COMPARE(m_window->trayIcon()->toolTip(), QString("Korvane M7 Wireless\nBattery 70%"));
    QVERIFY(config::setBatteryValue(40));
    openWindow();
    auto *bar = m_window->findChild<VelProcessbar *>("batteryBar");
    QCOMPARE(bar->value(), 40);
    m_window->notices().setDesktopNotifier(std::make_unique<RecordingNotifier>(m_notices));
    QTRY_VERIFY(m_window->isVisible());
    stopReaders();
    ConnectionMonitor &monitor = m_window->monitor();
    const auto read = [&monitor](bool charging, int raw) {
        monitor.batteryReading(charging, raw & 0xFF, raw >> 8);
    };
    read(false, 700);
    QCOMPARE(bar->value(), 10);
    QCOMPARE(m_window->trayIcon()->toolTip(), QString("Korvane M7 Wireless\nBattery 10%"));
    QCOMPARE(m_notices,
             QStringList{"0|Mouse battery low|Korvane M7 Wireless has 10% battery left. Connect the "
                         "cable to charge it.|"});
    read(false, 0);
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->barText(), QString("MOUSE OFF"));
    m_rig->mouse().plug(kCable);
    QTRY_COMPARE(int(monitor.connectionState()), 1);
    read(true, 994);
    QCOMPARE(bar->value(), 100);
    QCOMPARE(bar->format(), QString());
    QCOMPARE(bar->barText(), QString());
    QCOMPARE(m_window->trayIcon()->toolTip(), QString("Korvane M7 Wireless\nBattery 90%, charging"));
    m_window->trayIcon()->contextMenu()->findChild<QAction *>("notice0")->trigger();
    QCOMPARE(monitor.noticeLevel(), 0);
}

void TestMainWindow::cancelDiscardsUnsentEdits() {
    working().profile.pollRate = 8;
    const uint8_t debounce = working().debounce;
    working().debounce = uint8_t(debounce + 7);
    click("cancelButton");
    QCOMPARE(working().debounce, debounce);
    QVERIFY(m_window->isHidden());
    QCOMPARE(working().profile.pollRate, storedProfile().pollRate);
    QVERIFY(working().profile.pollRate != 8);
}

// Import and export through their buttons and file dialogs; the product mark's rules are the profile list's.
void TestMainWindow::profileFilesOfOtherMiceRefused() {
    QTemporaryDir outside;
    const QString foreign = outside.filePath("Foreign.prof");
    QVERIFY(profile::writeProfileFile(working().profile, foreign) == FileResult::Ok);
    QVERIFY(profile::writeProductMark(foreign, "Another Mouse"));
    VelFileDialog::setNextAnswers({foreign});
    VelMessageBox::setNextAnswers({QDialog::Accepted});
    click("importButton");
    QCOMPARE(messages(), QStringList{"The file is not match current mouse!"});
    QCOMPARE(m_window->profileNames(), QStringList{"Profile 1"});

    const QString mine = outside.filePath("Mine.prof");
    VelFileDialog::setNextAnswers({mine, mine});
    click("exportButton");
    click("importButton");
    QCOMPARE(messages(), QStringList());
    QCOMPARE(m_window->profileNames(), (QStringList{"Profile 1", "Mine"}));
    QCOMPARE(working().profileNames[0], QString("Mine"));
}

void TestMainWindow::configurationSavedAndLoaded() {
    QTemporaryDir outside;
    const QString conf = outside.filePath("all.conf");
    working().debounce = 12;
    working().profile.pollRate = 2;
    VelFileDialog::setNextAnswers({conf});
    click("saveButton");
    working().debounce = 3;
    working().profile.pollRate = 8;
    VelFileDialog::setNextAnswers({conf});
    click("load1Button");
    QCOMPARE(messages(), QStringList());
    QCOMPARE(int(working().debounce), 12);
    QCOMPARE(int(working().profile.pollRate), 2);
    // The loaded settings stay with the profile being edited.
    QCOMPARE(working().profileNames[0], QString("Profile 1"));
    QCOMPARE(int(storedProfile().pollRate), 2);
    // A cancelled dialog does nothing.
    VelFileDialog::setNextAnswers({QString()});
    click("load1Button");
    QCOMPARE(messages(), QStringList());
}

void TestMainWindow::firmwareUpdateNeedsCableAndKeepsRunningWhenUpdaterFails() {
    VelMessageBox::setNextAnswers({QDialog::Accepted});
    click("firmwareButton");
    QCOMPARE(messages(), QStringList{"To update the firmware, please connect to the computer with a cable."});
    VirtualMouse *mouse = &m_rig->mouse();
    mouse->plug(kCable);
    QTRY_COMPARE(int(m_window->monitor().connectionState()), 1);
    VelMessageBox::setNextAnswers({QDialog::Accepted, QDialog::Accepted});
    click("firmwareButton");
    QCOMPARE(messages(), (QStringList{"Do you want to upgrade the firmware?",
                                      "The firmware updater could not be started."}));
    QVERIFY(m_window->isVisible());
    QVERIFY(!m_window->findChild<QWidget *>("batteryBar")->isVisible());
}

// What a page asks of the window reaches it: a message, another page, the window's buttons locked while the
// page records (its own controls stay usable). The customize page shows the mouse with its button captions.
void TestMainWindow::pagesReachTheWindow() {
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
    saveShot(m_window, "main_window_customize");
}

void TestMainWindow::lightingModesShowTheirControls_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("effect");
    QTest::addColumn<QString>("shown"); // b brightness, s speed, c colour; the upper row first
    const std::tuple<const char *, int, const char *, const char *> rows[] = {
        {"off", 0, "OFF", ""},
        {"full lighted", 1, "FULL LIGHTED", "bc"},
        {"breathing", 2, "BREATHING", "sc"},
        {"7 colour breathing", 3, "7 COLOR BREATHING", "s"},
        {"rainbow", 4, "RAINBOW", "bs"},
        {"not in the menu", 6, "Horizontal WAVE", "bs"},
        {"reactive", 11, "REACTIVE", "b"},
        {"beyond the table", 200, "OFF", ""}};
    for (const auto &[name, mode, effect, shown] : rows)
        QTest::newRow(name) << mode << QString(effect) << QString(shown);
}

// A profile's effect shows its name and its controls, the speed row above for the breathing effects; the
// speed slider changes that effect's speed alone, and a file without "LedMoveOFF" leaves the box unchecked.
void TestMainWindow::lightingModesShowTheirControls() {
    QFETCH(int, mode);
    QFETCH(QString, effect);
    QFETCH(QString, shown);
    m_window->switchPage(PageStack::kLightingPage);
    ConfigPage *page = m_window->page(PageStack::kLightingPage);
    const ProfileData before = working().profile;
    working().profile.ledMode = static_cast<uint8_t>(mode);
    working().profile.ledMoveOff = 255;
    page->refresh();
    QCOMPARE(page->findChild<VelPushButton *>("effectButton")->text(), effect);
    auto *bright = page->findChild<QSlider *>("brightnessSlider");
    auto *speed = page->findChild<QSlider *>("speedSlider");
    QString visible;
    for (QWidget *control : {static_cast<QWidget *>(bright), static_cast<QWidget *>(speed)}) {
        if (control->isVisible())
            visible += control == bright ? "b" : "s";
    }
    if (visible.size() == 2 && speed->y() < bright->y())
        visible = "sb";
    if (page->findChild<QWidget *>("colorSwatch")->isVisible())
        visible += "c";
    QCOMPARE(visible, shown);
    QVERIFY(!page->findChild<QCheckBox *>("moveOffBox")->isChecked());
    if (shown.contains('s')) {
        speed->setValue(speed->value() == 5 ? 1 : 5);
        for (int m = 0; m < int(working().profile.ledModes.size()); ++m)
            QCOMPARE(working().profile.ledModes[m].breath != before.ledModes[m].breath, m == mode);
    }
}

void TestMainWindow::modelWithoutLightingOpensOnCustomize() {
    m_tree->setIniValue("DefaultProfile.bin", "PROFILE/ledDisable", 1);
    openWindow();
    QCOMPARE(m_window->currentPage(), int(PageStack::kCustomizePage));
    m_window->switchPage(PageStack::kLightingPage);
    QCOMPARE(m_window->currentPage(), int(PageStack::kCustomizePage));
    QVERIFY(!m_window->page(PageStack::kLightingPage)->isVisible());
}

// What the pages set reaches the mouse with Apply: on the lighting page the breathing effect with a colour
// picked by hand, its speed, the sleep time and light-off-while-moving; on the DPI page a stage's X set by
// hand (in its sensor's encoding), the active stage, a stage colour, 500 HZ and Competitive. The DPI page
// (the model's six stages leave room below them) shows the same sleep time and light-off, and its change of
// them is the one sent. (That a write taken by the mouse is stored is the write thread's test.)
void TestMainWindow::pagesReachTheMouse() {
    m_window->switchPage(PageStack::kLightingPage);
    ConfigPage *lighting = m_window->page(PageStack::kLightingPage);
    QVERIFY(trigger(lighting, "BREATHING"));
    lighting->findChild<QSlider *>("speedSlider")->setValue(4);
    lighting->findChild<QSlider *>("sleepSlider")->setValue(6);
    const uint8_t moveOffBefore = working().profile.ledMoveOff;
    lighting->findChild<QCheckBox *>("moveOffBox")->click();
    QVERIFY(working().profile.ledMoveOff != moveOffBefore);
    const auto sleepShown = [](ConfigPage *page) {
        return QString("%1 %2")
            .arg(page->findChild<QSlider *>("sleepSlider")->value())
            .arg(page->findChild<QCheckBox *>("moveOffBox")->isChecked() ? "off while moving"
                                                                         : "on while moving");
    };
    QCOMPARE(sleepShown(lighting),
             QString("6 ") + (working().profile.ledMoveOff ? "on" : "off") + " while moving");
    pickNextColor(QColor(10, 200, 30));
    QTest::mouseClick(lighting->findChild<QWidget *>("colorSwatch"), Qt::LeftButton);
    saveShot(m_window, "main_window_lighting");

    m_window->switchPage(PageStack::kDpiPage);
    ConfigPage *dpi = m_window->page(PageStack::kDpiPage);
    QCOMPARE(sleepShown(dpi), sleepShown(lighting));
    dpi->findChild<QSlider *>("sleepSlider")->setValue(4);
    dpi->findChild<QCheckBox *>("moveOffBox")->click();
    QVERIFY(working().profile.ledMoveOff == moveOffBefore);
    QWidget *second = dpi->findChild<QWidget *>("stageRow1");
    if (second->findChild<QCheckBox *>("linkBox")->isChecked())
        second->findChild<QCheckBox *>("linkBox")->click();
    second->findChild<QSlider *>("xBar")->setValue(100);
    dpi->findChild<QRadioButton *>("stageRadio3")->click();
    pickNextColor(QColor(200, 0, 90));
    QTest::mouseClick(dpi->findChild<QWidget *>("stageRow2")->findChild<QWidget *>("colorButton"),
                      Qt::LeftButton);
    QVERIFY(trigger(dpi, "500 HZ"));
    dpi->findChild<QCheckBox *>("competitiveBox")->click();
    saveShot(m_window, "main_window_dpi");

    click("applyButton");
    QCOMPARE(messages(), QStringList());
    const SettingsView view(m_rig->mouse());
    QVERIFY(!m_rig->mouse().bracketOpen());
    QCOMPARE(view.currentModeBlock(), 2);
    const SettingsView::LightingBlock block = view.lightingBlock(2);
    QCOMPARE(block.colour, QColor(10, 200, 30));
    QCOMPARE(int(block.speed), 4);
    QCOMPARE(int(view.settings().ledSleepTime), 4);
    QCOMPARE(view.settings().ledMoveOff, working().profile.ledMoveOff);
    const int sensorId = config::sensorType();
    QCOMPARE(view.stage(1, sensorId).x, 100);
    QCOMPARE(view.stage(1, sensorId).dpiX, positionToDpi(sensorId, 100));
    QCOMPARE(view.stage(0, sensorId).dpiX, 800);
    QCOMPARE(int(view.settings().dpiStage), 3);
    QCOMPARE(view.stageColour(2), QColor(200, 0, 90));
    QCOMPARE(int(view.settings().pollRates[0]), 2);
    QCOMPARE(int(view.settings().sensorMode), 2);
}

// A macro recorded on the MACRO page, then on the CUSTOMIZE page a combo on button 3, that macro on button 4
// and "DPI +" on button 5, chosen through the page and its dialogs: Apply writes them into the mouse's button
// table and the macro's events into its macro area.
void TestMainWindow::buttonChoiceReachesTheMouse() {
    m_window->switchPage(PageStack::kMacroPage);
    auto *macros = qobject_cast<MacroDialog *>(m_window->page(PageStack::kMacroPage));
    macros->findChild<VelPushButton *>("newMacroButton")->click();
    const QString name = macros->currentMacro();
    macros->findChild<VelPushButton *>("startButton")->click();
    for (const auto &[code, flags] : {std::pair<int, int>{30, 0}, {30, 0x80}, {240, 1}, {240, 129}})
        macros->editor().record(code, flags);
    macros->findChild<VelPushButton *>("stopButton")->click();
    saveShot(m_window, "main_window_macro");
    const QVector<MacroStep> steps = macros->editor().model()->steps();
    QCOMPARE(steps.size(), 4);

    m_window->switchPage(PageStack::kCustomizePage);
    auto *page = qobject_cast<VelBtnWindow *>(m_window->page(PageStack::kCustomizePage));
    QVERIFY(page && &page->mouseView() == &m_window->mouseView());
    page->SelectButton(3, 0);
    answerNextDialog([](QDialog *dialog) {
        dialog->findChild<QCheckBox *>("ctrlBox")->click();
        qobject_cast<VelComboKeyWindow *>(dialog)->OnKey(46, 0); // C
    });
    page->OnFunctionChosen(devicecode::kCombo);
    page->SelectButton(4, 0);
    answerNextDialog([name](QDialog *dialog) {
        for (QToolButton *entry : dialog->findChildren<QToolButton *>("macroButton")) {
            if (entry->text() == name)
                entry->click();
        }
        dialog->findChild<QLineEdit *>("loopCountEdit")->setText("5");
    });
    page->OnFunctionChosen(devicecode::kMacro);
    page->SelectButton(5, 0);
    page->OnFunctionChosen(48);
    QCOMPARE(page->caption(0, 3)->text() + "|" + page->caption(0, 4)->text() + "|" +
                 page->caption(0, 5)->text(),
             "Ctrl + C|" + name + "|DPI +");
    saveShot(m_window, "main_window_buttons_assigned");
    click("applyButton");
    QCOMPARE(messages(), QStringList());
    QStringList table;
    for (int slot : {3, 4, 5}) {
        const ButtonEntry bytes = decodeButtonSlot(m_rig->mouse(), slot).bytes;
        table << QByteArray(reinterpret_cast<const char *>(bytes.data()), int(bytes.size())).toHex(' ');
    }
    QCOMPARE(table, QStringList({"8f 01 06 00", "91 00 05 00", "8a 00 00 00"}));
    // The mouse's image adds pauses around the clicks; the events are the recording's. The macro's number
    // is byte 1 of its button's entry.
    QVector<MacroStep> events =
        decodeMacroEvents(m_rig->mouse(), decodeButtonSlot(m_rig->mouse(), 4).bytes[1]);
    events.erase(
        std::remove_if(events.begin(), events.end(), [](const MacroStep &step) { return step.isDelay(); }),
        events.end());
    QCOMPARE(events, steps);

    // Renamed on the MACRO page, the button's caption follows. Its file gone behind the program's back,
    // Apply tells so and sends nothing rather than an empty macro.
    m_window->switchPage(PageStack::kMacroPage);
    macros->findChild<VelLineEdit *>("macroNameEdit")->setText("Burst");
    macros->findChild<VelPushButton *>("changeNameButton")->click();
    QCOMPARE(page->caption(0, 4)->text(), QString("Burst"));
    QVERIFY(QFile::remove(macrofile::macroFilePath("Burst")));
    m_rig->mouse().clearRecords();
    VelMessageBox::setNextAnswers({QDialog::Accepted});
    click("applyButton");
    QCOMPARE(messages(),
             QStringList{"A button's macro is missing: give that button another macro or function, "
                         "then apply again."});
    QVERIFY(!writtenCodes(m_rig->mouse()).contains("46"));
}

// A receiver this user may not open: instead of "Dongle Disconnect!" the warning says so and gives the
// command that installs the udev rule.
void TestMainWindow::unreadableReceiverShowsPermission() {
    qputenv("KORVANE_VIRTUAL_NO_ACCESS", "1");
    qputenv("KORVANE_UDEV_RULES_DIRS", m_tree->file("rules").toLocal8Bit());
    VelMessageBox::setNextAnswers({QDialog::Accepted});
    openWindow();
    qunsetenv("KORVANE_VIRTUAL_NO_ACCESS");
    QStringList shown;
    QTRY_VERIFY(!(shown += messages()).isEmpty());
    qunsetenv("KORVANE_UDEV_RULES_DIRS");
    QCOMPARE(shown.size(), 1);
    QVERIFY2(
        shown[0].contains("this user may not open it") &&
            shown[0].contains("sudo cp " + m_tree->path() + "/70-korvane-config.rules /etc/udev/rules.d/"),
        qPrintable(shown[0]));
}

// The monitor's offer to send again a write the mouse missed: in the shown window a question whose Yes
// sends and whose No declines; while the window is in the tray a notice whose action sends.
void TestMainWindow::resendOfferAskedOrNoticed() {
    VirtualMouse *mouse = &m_rig->mouse();
    ConnectionMonitor &monitor = m_window->monitor();
    const auto failedWrite = [this, mouse](const char *button) {
        mouse->failWrites(100);
        VelMessageBox::setNextAnswers({QDialog::Accepted});
        click(button);
        mouse->failWrites(0);
        mouse->clearRecords();
    };
    const auto profileWritten = [mouse] { return writtenCodes(*mouse).size() > 20; };
    const QString question =
        "The mouse is back, but the last settings did not reach it. Send the current profile again?";

    failedWrite("applyButton");
    VelMessageBox::setNextAnswers({QDialog::Accepted});
    mouse->plug(kCable);
    QTRY_VERIFY(!monitor.resendWanted());
    QCOMPARE(messages(), (QStringList{"Send data failed, please try again.", question}));
    QTRY_VERIFY(profileWritten());

    mouse->unplug(kCable);
    failedWrite("okButton");
    QVERIFY(m_window->isHidden() && monitor.resendWanted());
    mouse->plug(kCable);
    QTRY_COMPARE(m_notices, QStringList{"2|Korvane M7 Wireless|" + question + "|resend"});
    QCOMPARE(messages(), QStringList{"Send data failed, please try again."});
    emit m_window->notices().notifier()->actionInvoked(DesktopNotifier::Resend, "resend");
    QVERIFY(profileWritten() && !monitor.resendWanted());

    m_window->show();
    mouse->unplug(kCable);
    failedWrite("applyButton");
    VelMessageBox::setNextAnswers({QDialog::Rejected});
    mouse->plug(kCable);
    QTRY_VERIFY(!monitor.resendWanted());
    QCOMPARE(messages(), (QStringList{"Send data failed, please try again.", question}));
    QVERIFY(!profileWritten());
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
