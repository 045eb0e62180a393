#include "device/device_state.h"
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
} // namespace

// Under tests/run-with-xvfb.sh: a missing X server is a failure of the set-up, never a reason to pass.
class TestX11Startup : public QObject {
    Q_OBJECT
private slots:
    // On X the profile's pointer speed goes to the X server's pointer acceleration, and every speed of
    // 1..20 reads back as itself, from another connection too.
    void profileSpeedReachesServer() {
        installPointerSettings(nullptr);
        QVERIFY2(dynamic_cast<X11PointerSettings *>(&pointerSettings()), "no X server");
        const int before = readPointerSpeed();
        X11PointerSettings other;
        QList<int> readBack, speeds;
        for (int speed = PointerSettings::kMinSpeed; speed <= PointerSettings::kMaxSpeed; ++speed) {
            DeviceState::instance().deviceCopy().profile.mouseSpeed = uint8_t(speed);
            applyPointerSpeed();
            speeds << speed << speed;
            readBack << other.speed() << readPointerSpeed();
        }
        QCOMPARE(readBack, speeds);
        QVERIFY(other.setSpeed(before));
        installPointerSettings(nullptr);
    }

    // The installed program maps one window titled with the product name, undecorated and shaped.
    void windowTitledFramelessAndShaped() {
        // Closed however the test ends, so that a failed check reports the failure and not a leak.
        const std::unique_ptr<Display, int (*)(Display *)> connection(XOpenDisplay(nullptr), XCloseDisplay);
        Display *display = connection.get();
        QVERIFY2(display, "no X server");
        TestTree tree;
        QTemporaryDir runtime;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("QT_QPA_PLATFORM");
        // With the virtual mouse present the window shows at once, without the receiver warning on top.
        env.insert("KORVANE_VIRTUAL_MOUSE", "1");
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(tree.file("korvane-config"), QStringList());
        QVERIFY(program.waitForStarted());
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
        XRectangle *shape = XShapeGetRectangles(display, window, ShapeBounding, &rectangles, &ordering);
        if (shape)
            XFree(shape);
        QVERIFY2(rectangles > 1, qPrintable(QString::number(rectangles)));
        program.kill();
        program.waitForFinished();
    }
};

QTEST_MAIN(TestX11Startup)
#include "test_x11_startup.moc"
