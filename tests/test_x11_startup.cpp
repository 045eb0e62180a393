#include "device/pointer_speed.h"
#include "platform/linux/x11_pointer_settings.h"
#include "support/test_tree.h"

#include <QProcess>
#include <QtTest>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>
#include <memory>

namespace {
// The top-level window named title, a child of the root without a window manager; 0 when there is none.
Window findWindow(Display *display, const char *title) {
    Window root = 0, up = 0, *children = nullptr, found = 0;
    unsigned int count = 0;
    XQueryTree(display, DefaultRootWindow(display), &root, &up, &children, &count);
    for (unsigned int i = 0; i < count && !found; ++i) {
        char *name = nullptr;
        if (XFetchName(display, children[i], &name) && name) {
            found = qstrcmp(name, title) == 0 ? children[i] : 0;
            XFree(name);
        }
    }
    if (children)
        XFree(children);
    return found;
}

bool viewable(Display *display, Window window) {
    XWindowAttributes attributes{};
    return window && XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

// A system tray as panels provide one: a window that owns the screen's _NET_SYSTEM_TRAY_S0 selection,
// announced to the root window, and receives the icons' dock requests.
class FakeTray {
public:
    explicit FakeTray(Display *display) : m_display(display) {
        const int screen = DefaultScreen(display);
        m_window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, 1, 1, 0, 0, 0);
        const Atom selection = XInternAtom(display, "_NET_SYSTEM_TRAY_S0", False);
        XSetSelectionOwner(display, selection, m_window, CurrentTime);
        XClientMessageEvent manager{};
        manager.type = ClientMessage;
        manager.window = RootWindow(display, screen);
        manager.message_type = XInternAtom(display, "MANAGER", False);
        manager.format = 32;
        manager.data.l[0] = CurrentTime;
        manager.data.l[1] = long(selection);
        manager.data.l[2] = long(m_window);
        XSendEvent(display, RootWindow(display, screen), False, StructureNotifyMask,
                   reinterpret_cast<XEvent *>(&manager));
        XSync(display, False);
    }
    ~FakeTray() {
        XDestroyWindow(m_display, m_window);
        XSync(m_display, False);
    }
    // True once an icon asked to be docked (opcode 0 of _NET_SYSTEM_TRAY_OPCODE).
    bool dockRequested() {
        const Atom opcode = XInternAtom(m_display, "_NET_SYSTEM_TRAY_OPCODE", False);
        while (XPending(m_display)) {
            XEvent event;
            XNextEvent(m_display, &event);
            m_docked = m_docked || (event.type == ClientMessage && event.xclient.message_type == opcode &&
                                    event.xclient.data.l[1] == 0);
        }
        return m_docked;
    }

private:
    Display *m_display;
    Window m_window = 0;
    bool m_docked = false;
};

// A fresh tree's program on the virtual mouse, on this X server, without a session bus (so that the tray is
// the X one), with the given arguments; killed at the end unless it ended.
struct ProgramRun {
    TestTree tree;
    QTemporaryDir runtime;
    QProcess program;

    explicit ProgramRun(const QStringList &arguments) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("QT_QPA_PLATFORM");
        env.insert("KORVANE_VIRTUAL_MOUSE", "1");
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        env.insert("DBUS_SESSION_BUS_ADDRESS", "disabled:");
        program.setProcessEnvironment(env);
        program.start(tree.file("korvane-config"), arguments);
    }
    ~ProgramRun() {
        program.kill();
        program.waitForFinished();
    }
};
} // namespace

// Under tests/run-with-xvfb.sh: a missing X server is a failure of the set-up, never a reason to pass.
class TestX11Startup : public QObject {
    Q_OBJECT
    std::unique_ptr<Display, int (*)(Display *)> m_connection{nullptr, XCloseDisplay};

private slots:
    void initTestCase() {
        m_connection.reset(XOpenDisplay(nullptr));
        QVERIFY2(m_connection, "no X server");
    }

    // On X the profile's pointer speed goes to the X server's pointer acceleration, and every speed of
    // 1..20 reads back as itself, from another connection too.
    void profileSpeedReachesServer() {
        installPointerSettings(nullptr);
        QVERIFY2(dynamic_cast<X11PointerSettings *>(&pointerSettings()), "no X server");
        const int before = readPointerSpeed();
        X11PointerSettings other;
        QList<int> readBack, speeds;
        for (int speed = PointerSettings::kMinSpeed; speed <= PointerSettings::kMaxSpeed; ++speed) {
            applyPointerSpeed(uint8_t(speed));
            speeds << speed << speed;
            readBack << other.speed() << readPointerSpeed();
        }
        QCOMPARE(readBack, speeds);
        QVERIFY(other.setSpeed(before));
        installPointerSettings(nullptr);
    }

    // --minimized, as the autostart entry starts it: only the tray icon, no window, no start-up warning.
    // A tray that appears after the program still gets the icon.
    void minimizedStartsInTheTray() {
        Display *display = m_connection.get();
        for (const bool trayFirst : {true, false}) {
            std::unique_ptr<FakeTray> tray;
            if (trayFirst)
                tray = std::make_unique<FakeTray>(display);
            ProgramRun run({"--minimized"});
            QVERIFY(run.program.waitForStarted());
            if (!trayFirst) {
                QTest::qWait(1500);
                tray = std::make_unique<FakeTray>(display);
            }
            QTRY_VERIFY_WITH_TIMEOUT(tray->dockRequested(), 20000);
            // Past the start-up warning's timer: still no window.
            QTest::qWait(1000);
            QVERIFY(!viewable(display, findWindow(display, "Korvane M7 Wireless")));
            QCOMPARE(run.program.state(), QProcess::Running);
        }
    }

    // The program maps one window titled with the product name, undecorated and shaped. Without a system
    // tray a closed window could never be brought back: closing it ends the program. With a tray it hides,
    // and the program lives on.
    void windowShapedAndClosingWithoutTrayQuits() {
        Display *display = m_connection.get();
        for (const bool withTray : {true, false}) {
            std::unique_ptr<FakeTray> tray;
            if (withTray)
                tray = std::make_unique<FakeTray>(display);
            ProgramRun run({});
            QVERIFY(run.program.waitForStarted());
            Window window = 0;
            QTRY_VERIFY_WITH_TIMEOUT(viewable(display, window = findWindow(display, "Korvane M7 Wireless")),
                                     30000);
            // Undecorated: the Motif hints (flags, functions, decorations) give decorations, and none.
            Atom type = 0;
            int format = 0;
            unsigned long items = 0, after = 0;
            unsigned char *data = nullptr;
            XGetWindowProperty(display, window, XInternAtom(display, "_MOTIF_WM_HINTS", False), 0, 5, False,
                               AnyPropertyType, &type, &format, &items, &after, &data);
            const long *hints = reinterpret_cast<const long *>(data);
            QVERIFY(items >= 3 && hints[0] & 2 && hints[2] == 0);
            XFree(data);
            // A shaped window's bounding region is more than its one rectangle.
            int rectangles = 0, ordering = 0;
            if (XRectangle *shape =
                    XShapeGetRectangles(display, window, ShapeBounding, &rectangles, &ordering))
                XFree(shape);
            QVERIFY2(rectangles > 1, qPrintable(QString::number(rectangles)));
            // The window manager's close, as a title bar's button or Alt+F4 sends it.
            XClientMessageEvent close{};
            close.type = ClientMessage;
            close.window = window;
            close.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
            close.format = 32;
            close.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
            close.data.l[1] = CurrentTime;
            XSendEvent(display, window, False, NoEventMask, reinterpret_cast<XEvent *>(&close));
            XFlush(display);
            if (withTray) {
                QTRY_VERIFY_WITH_TIMEOUT(!viewable(display, window), 10000);
                QVERIFY(!run.program.waitForFinished(1000));
                continue;
            }
            QVERIFY(run.program.waitForFinished(10000));
            QCOMPARE(run.program.exitStatus(), QProcess::NormalExit);
            QCOMPARE(run.program.exitCode(), 0);
        }
    }
};

QTEST_MAIN(TestX11Startup)
#include "test_x11_startup.moc"
