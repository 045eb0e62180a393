// The whole way from a window taking focus on an X11 desktop to the mouse: the real window on the virtual
// X server follows _NET_ACTIVE_WINDOW as a window manager sets it on a client's request, finds the
// program through its _NET_WM_PID in /proc or through its WM_CLASS, and writes the linked profile to the
// virtual mouse once the hold has passed; nothing while edits are pending or another write runs.
#include "app/korvane_widget.h"
#include "app/link_follower.h"
#include "app/link_switcher.h"
#include "app/mouse_notices.h"
#include "device/link_hooks.h"
#include "device/profile_write_outcome.h"
#include "sim/virtual_mouse.h"
#include "storage/app_config_store.h"
#include "storage/config_file.h"
#include "storage/profile_links.h"
#include "storage/profile_list.h"
#include "support/recording_osd.h"
#include "support/test_tree.h"
#include "support/virtual_window.h"
#include "widgets/vel_push_button.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <atomic>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {
// The part of a window manager the test needs: a client's request to activate a window
// (a _NET_ACTIVE_WINDOW message to the root window) makes it the active window.
class FocusManager {
public:
    FocusManager() : m_display(XOpenDisplay(nullptr)) {
        if (!m_display)
            return;
        m_active = XInternAtom(m_display, "_NET_ACTIVE_WINDOW", False);
        XSelectInput(m_display, DefaultRootWindow(m_display), SubstructureNotifyMask);
        XSync(m_display, False);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { pump(); });
        m_timer.start(5);
    }
    ~FocusManager() {
        if (m_display)
            XCloseDisplay(m_display);
    }
    bool isOpen() const { return m_display != nullptr; }

private:
    void pump() {
        while (XPending(m_display)) {
            XEvent event;
            XNextEvent(m_display, &event);
            if (event.type != ClientMessage || event.xclient.message_type != m_active)
                continue;
            unsigned long window = event.xclient.window;
            XChangeProperty(m_display, DefaultRootWindow(m_display), m_active, XA_WINDOW, 32, PropModeReplace,
                            reinterpret_cast<unsigned char *>(&window), 1);
            XFlush(m_display);
        }
    }

    Display *m_display;
    Atom m_active = 0;
    QTimer m_timer;
};

// Test clients' windows on a connection of their own, each naming a process and a class.
class Clients {
public:
    Clients() : m_display(XOpenDisplay(nullptr)) {}
    ~Clients() {
        if (m_display)
            XCloseDisplay(m_display);
    }
    bool isOpen() const { return m_display != nullptr; }

    ::Window open(unsigned long pid, const char *name, const char *windowClass) {
        const ::Window root = DefaultRootWindow(m_display);
        const ::Window window = XCreateSimpleWindow(m_display, root, 0, 0, 40, 40, 0, 0, 0);
        if (pid)
            XChangeProperty(m_display, window, XInternAtom(m_display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                            PropModeReplace, reinterpret_cast<unsigned char *>(&pid), 1);
        XClassHint hint{const_cast<char *>(name), const_cast<char *>(windowClass)};
        XSetClassHint(m_display, window, &hint);
        XMapWindow(m_display, window);
        XFlush(m_display);
        return window;
    }

    // Asks the window manager to activate window, as a pager or a task bar does.
    void activate(::Window window) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(m_display, "_NET_ACTIVE_WINDOW", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = 2; // the request comes from a pager
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(m_display, DefaultRootWindow(m_display), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
        XFlush(m_display);
    }

private:
    Display *m_display;
};

// The reports written to the mouse apart from the battery reader's requests.
int writtenCount(const VirtualMouse &mouse) {
    int count = 0;
    for (const VirtualMouse::Record &record : mouse.records())
        count += record.direction == VirtualMouse::Direction::Written && record.bytes[3] != 0x48;
    return count;
}
} // namespace

class TestLinkFocus : public QObject {
    Q_OBJECT
private slots:
    void focusedProgramsSwitchTheMouse();
};

void TestLinkFocus::focusedProgramsSwitchTheMouse() {
    QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
    TestTree tree;
    QVERIFY(tree.isValid());
    // Short real pauses keep the protocol's order without the test waiting for them; a slow write takes
    // four times the real ones. Set once: the battery reader pauses on its own thread.
    static std::atomic<bool> slowWrites{false};
    devicelink::setPauseFunction(
        [](int ms) { QThread::msleep(static_cast<unsigned long>(slowWrites ? ms * 4 : qMin(ms, 2))); });

    // A program to run under a name of its own: its /proc entry names it "shooter".
    QTemporaryDir bin;
    QVERIFY(QFile::copy("/bin/sleep", bin.filePath("shooter")));
    QProcess shooter;
    shooter.start(bin.filePath("shooter"), {"60"});
    QVERIFY(shooter.waitForStarted());

    ProfileList list;
    list.load();
    QString raid;
    QCOMPARE(list.add(raid), ProfileListResult::Ok);
    ProfileLinks links;
    links.links = {{"shooter", raid, true, QString()}, {"editor", "Profile 1", true, "Editor"}};
    QVERIFY(config::storeProfileLinks(links));

    VirtualWindow rig;
    KorvaneWidget &window = *rig.window;
    QStringList osd;
    window.notices().setOsdMessenger(std::make_unique<RecordingOsd>(osd));
    window.show();
    QTRY_VERIFY(window.linkSwitcher());
    LinkSwitcher &switcher = *window.linkSwitcher();
    QVERIFY(switcher.followsFocus());
    QSignalSpy switched(&switcher, &LinkSwitcher::switched);
    QSignalSpy waiting(&switcher, &LinkSwitcher::waitingChanged);

    FocusManager manager;
    Clients clients;
    QVERIFY(manager.isOpen() && clients.isOpen());
    const ::Window shooterWindow =
        clients.open(static_cast<unsigned long>(shooter.processId()), "shooter", "Shooter");
    // The editor's window names no process: its class links it.
    const ::Window editorWindow = clients.open(0, "editor", "Editor");
    VirtualMouse &mouse = rig.mouse();
    mouse.clearRecords();

    // The shooter takes focus: nothing is written before the hold, its profile after it.
    QElapsedTimer sinceFocus;
    sinceFocus.start();
    clients.activate(shooterWindow);
    QTest::qWait(1000);
    QCOMPARE(writtenCount(mouse), 0);
    QTRY_COMPARE_WITH_TIMEOUT(switched.size(), 1, 5000);
    QVERIFY(sinceFocus.elapsed() >= LinkFollower::kHoldMs);
    QCOMPARE(switched.last(), QVariantList({raid, 0}));
    QCOMPARE(window.currentProfileName(), raid);
    QVERIFY(writtenCount(mouse) > 30);
    QCOMPARE(osd.last(), "Profile: " + raid);

    // Alt-tab to the editor and straight back writes nothing.
    mouse.clearRecords();
    clients.activate(editorWindow);
    QTest::qWait(300);
    clients.activate(shooterWindow);
    QTest::qWait(LinkFollower::kHoldMs + 500);
    QCOMPARE(switched.size(), 1);
    QCOMPARE(writtenCount(mouse), 0);

    // Edits not applied hold the editor's profile back until they are dropped.
    AppConfigStore::instance().working().profile.mouseSpeed =
        uint8_t(AppConfigStore::instance().working().profile.mouseSpeed % 20 + 1);
    QVERIFY(window.editsPending());
    clients.activate(editorWindow);
    QTRY_COMPARE_WITH_TIMEOUT(switcher.waitingProfile(), QString("Profile 1"), 5000);
    QCOMPARE(writtenCount(mouse), 0);
    QTest::mouseClick(window.findChild<VelPushButton *>("cancelButton"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(switched.size(), 2, 5000);
    QCOMPARE(window.currentProfileName(), QString("Profile 1"));
    QVERIFY(switcher.waitingProfile().isEmpty());

    // A write that runs across the end of the hold: the switch waits for it, then follows.
    clients.activate(shooterWindow);
    QTest::qWait(300);
    slowWrites = true;
    waiting.clear();
    QString message;
    QCOMPARE(window.applyWithoutDialog(message).result, 0);
    QCOMPARE(switched.size(), 2);
    QVERIFY(waiting.contains(QVariantList{raid}));
    slowWrites = false;
    QTRY_COMPARE_WITH_TIMEOUT(switched.size(), 3, 5000);
    QCOMPARE(window.currentProfileName(), raid);

    shooter.kill();
    shooter.waitForFinished();
}

int main(int argc, char *argv[]) {
    // The window needs no desktop bus; where none runs, Qt would try to start one.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
    QApplication app(argc, argv);
    TestLinkFocus test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_link_focus.moc"
