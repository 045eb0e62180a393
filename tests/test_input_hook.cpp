#include "buttons/vel_combo_key_window.h"
#include "buttons/vel_single_key_window.h"
#include "keys/key_tables.h"
#include "macro/macro_action_model.h"
#include "macro/macro_dialog.h"
#include "macro/macro_editor.h"
#include "platform/input_hook.h"
#include "platform/linux/x11_active_window.h"
#include "platform/widget_key_hook.h"
#include "platform/x_keycode_mapping.h"
#include "storage/config_file.h"
#include "storage/macro_data.h"
#include "storage/macro_file.h"
#include "support/test_tree.h"
#include "widgets/vel_label.h"
#include "widgets/vel_push_button.h"

#include <QCheckBox>
#include <QSignalSpy>
#include <QToolButton>
#include <QWidget>
#include <QtTest>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <memory>

using Keys = QVector<QPair<int, int>>; // (scan code, flags) in the order reported
using Buttons = Keys;                  // (key code, up/down code) in the order reported

namespace {
// X keycodes of the virtual X server's keymap.
constexpr int kA = 38, kLeftAlt = 64, kKeypadEnter = 104, kRightCtrl = 105, kUp = 111;
constexpr int kF1 = 67; // typed by no case: marks the end of the events of the case before

// The window that has the focus, counting the keys and mouse buttons it is given.
class KeyCounter : public QWidget {
public:
    int keys = 0;
    int clicks = 0;
    int lastKey = 0; // X keycode of the last key given, negative for a release

protected:
    void keyPressEvent(QKeyEvent *event) override {
        ++keys;
        lastKey = int(event->nativeScanCode());
    }
    void keyReleaseEvent(QKeyEvent *event) override {
        ++keys;
        lastKey = -int(event->nativeScanCode());
    }
    void mousePressEvent(QMouseEvent *) override { ++clicks; }
    void mouseReleaseEvent(QMouseEvent *) override { ++clicks; }
};
} // namespace

// Under tests/run-with-xvfb.sh; a missing X server, XTEST or RECORD fails. Each case runs with the hook the
// program picks on X ("record", which must be system-wide) and with the window's own ("widget").
class TestInputHook : public QObject {
    Q_OBJECT
    std::unique_ptr<Display, int (*)(Display *)> m_typist{nullptr, XCloseDisplay};
    std::unique_ptr<KeyCounter> m_window;
    std::unique_ptr<InputHook> m_hook;
    Keys m_keys;
    Buttons m_buttons;

    bool startHook(InputHook::Mode mode, bool withMouseButtons = false) {
        const bool record = QTest::currentDataTag() == QLatin1String("record");
        m_hook.reset(record ? createInputHook(nullptr) : new WidgetKeyHook(m_window.get()));
        m_keys.clear();
        m_buttons.clear();
        connect(m_hook.get(), &InputHook::keyEvent, this,
                [this](int scan, int flags) { m_keys << qMakePair(scan, flags); });
        connect(m_hook.get(), &InputHook::mouseButtonEvent, this,
                [this](int code, int upDown) { m_buttons << qMakePair(code, upDown); });
        return m_hook->systemWide() == record && m_hook->start(mode, withMouseButtons);
    }
    // Types through XTEST as a keyboard would: a positive keycode presses, a negative one releases.
    void type(const QVector<int> &keys) {
        for (int key : keys)
            XTestFakeKeyEvent(m_typist.get(), unsigned(qAbs(key)), key > 0, CurrentTime);
        XSync(m_typist.get(), False);
    }
    // Clicks through XTEST over the middle of the window: a positive X button number presses, a negative one
    // releases.
    void click(const QVector<int> &buttons) {
        const QPoint middle = m_window->mapToGlobal(m_window->rect().center());
        XTestFakeMotionEvent(m_typist.get(), -1, middle.x(), middle.y(), CurrentTime);
        for (int button : buttons)
            XTestFakeButtonEvent(m_typist.get(), unsigned(qAbs(button)), button > 0, CurrentTime);
        XSync(m_typist.get(), False);
    }
    static void addHookRows() {
        QTest::addColumn<QString>("hook");
        for (const char *hook : {"record", "widget"})
            QTest::newRow(hook) << QString(hook);
    }

private slots:
    void initTestCase() {
        m_typist.reset(XOpenDisplay(nullptr));
        int event = 0, error = 0, major = 0, minor = 0;
        QVERIFY2(m_typist && XTestQueryExtension(m_typist.get(), &event, &error, &major, &minor), "no XTEST");
        m_window = std::make_unique<KeyCounter>();
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    // The window is given keys and clicks later than the record hook of the case before sees them, and in
    // order: once it has the marker, none of them is left to reach the next hook.
    void init() {
        m_hook.reset();
        m_window->lastKey = 0;
        type({kF1, -kF1});
        QTRY_COMPARE(m_window->lastKey, -kF1);
    }

    // An X keycode gives the scan code and flags the key dialogs read, and through them the key code (a
    // letter with Alt and right Ctrl, typed, are the cases below).
    void mapsXKeycodes() {
        constexpr int up = HookKey::kKeyUp, alt = HookKey::kAltDown;
        const struct {
            const char *name;
            int keycode, state, scanCode, flags, keyCode;
        } rows[] = {
            {"right Alt", 108, alt, 0x38, 0x21, 239},  {"keypad Enter", kKeypadEnter, 0, 0x1C, 0x01, 229},
            {"keypad slash", 106, 0, 0x35, 0x01, 226}, {"keypad 8", 80, 0, 0x48, 0x00, 236},
            {"up arrow", kUp, 0, 0x48, 0x01, 72},      {"Print Screen", 107, 0, 0x37, 0x01, 55},
            {"Num Lock", 77, 0, 0x45, 0x01, 225},      {"Pause", 127, 0, 0x45, 0x00, 69},
            {"left Windows", 133, 0, 0x5B, 0x01, 91},  {"F24", 202, 0, 0x76, 0x00, 118},
            {"volume up", 123, 0, 0, 0x00, 0},
        };
        for (const auto &row : rows) {
            const HookKey key = hookKeyForXKeycode(unsigned(row.keycode), row.state & up, row.state & alt);
            const int code = RemapHookScanCode(uint32_t(key.scanCode), uint32_t(key.flags));
            const QString line("%1: %2 %3 %4");
            QCOMPARE(line.arg(row.name).arg(key.scanCode).arg(key.flags).arg(code),
                     line.arg(row.name).arg(row.scanCode).arg(row.flags).arg(row.keyCode));
        }
    }

    // Typed keys arrive as the low-level hook reports them; an Alt key gives the Alt flag to its own press
    // and to every key until its release, and a held key repeats its press with equal flags.
    void typedKeysArriveAndGrab_data() { addHookRows(); }
    void typedKeysArriveAndGrab() {
        QVERIFY(startHook(InputHook::Mode::PassOn));
        type({kLeftAlt, kA, -kA, -kLeftAlt, kRightCtrl, -kRightCtrl, kKeypadEnter, -kKeypadEnter, kUp, -kUp});
        const Keys expected{{0x38, 0x20}, {0x1E, 0x20}, {0x1E, 0xA0}, {0x38, 0x80}, {0x1D, 0x01},
                            {0x1D, 0x81}, {0x1C, 0x01}, {0x1C, 0x81}, {0x48, 0x01}, {0x48, 0x81}};
        QTRY_COMPARE(m_keys, expected);
        m_keys.clear();
        type({kA});
        QTRY_VERIFY(m_keys.size() >= 3);
        type({-kA});
        QTRY_COMPARE(m_keys.constLast(), qMakePair(0x1E, 0x80));
        QCOMPARE(m_keys, Keys(m_keys.size() - 1, qMakePair(0x1E, 0x00)) << qMakePair(0x1E, 0x80));

        // While grabbing, the window that has the focus (another X client for the record hook) is given none
        // of the keys, else all of them; after stop() it is given keys again.
        init();
        for (const InputHook::Mode mode : {InputHook::Mode::Grab, InputHook::Mode::PassOn}) {
            m_window->keys = 0;
            QVERIFY(startHook(mode));
            type({kA, -kA, kRightCtrl, -kRightCtrl});
            QTRY_COMPARE(m_keys.size(), 4);
            m_hook->stop();
            // The window is given keys in order, so once these arrive every earlier one has.
            type({kUp, -kUp});
            QTRY_COMPARE(m_window->keys, (mode == InputHook::Mode::Grab ? 0 : 4) + 2);
            QCOMPARE(m_keys.size(), 4);
        }
    }

    // Asked for, the left, right and middle buttons arrive in order as macros store them and reach the
    // window as well, also while the keys are grabbed; a wheel step gives nothing. Unasked, no button
    // arrives (the key typed after the click arrives after it would have).
    void mouseButtonsArrive_data() { addHookRows(); }
    void mouseButtonsArrive() {
        m_window->clicks = 0;
        QVERIFY(startHook(InputHook::Mode::Grab, true));
        click({1, -1, 4, -4, 3, -3, 2, -2});
        const Buttons expected{{240, 1}, {240, 129}, {241, 1}, {241, 129}, {242, 1}, {242, 129}};
        QTRY_COMPARE(m_buttons, expected);
        QTRY_COMPARE(m_window->clicks, 6);
        QVERIFY(startHook(InputHook::Mode::PassOn));
        click({1, -1});
        type({kA, -kA});
        QTRY_COMPARE(m_keys.size(), 2);
        QCOMPARE(m_buttons, Buttons());
    }

    // The key dialogs as the program opens them: a key typed anywhere is named in the single key dialog (the
    // keycodes' key codes are checked above), and the combo key dialog takes its key while the window that
    // has the focus is given none.
    void keyDialogsTakeTypedKeys() {
        {
            VelSingleKeyWindow dialog(1.0);
            dialog.show();
            type({kRightCtrl, -kRightCtrl});
            QTRY_COMPARE(dialog.key(), KeyCode(238));
            QCOMPARE(dialog.findChild<QToolButton *>("keyCaption")->text(), QString("RCtr"));
        }
        // The dialog takes the focus when shown; the keys are typed into the other window all the same.
        VelComboKeyWindow combo(1.0);
        combo.show();
        QVERIFY(QTest::qWaitForWindowActive(&combo));
        XSetInputFocus(m_typist.get(), m_window->winId(), RevertToParent, CurrentTime);
        m_window->keys = 0;
        type({kA, -kA});
        QTRY_COMPARE(combo.keys(), QVector<KeyCode>({30}));
        combo.close();
        type({kUp, -kUp});
        QTRY_COMPARE(m_window->keys, 2);
    }

    // The MACRO page records what is typed and clicked anywhere: START, "ab" and a left click in another
    // window, STOP; the saved macro holds them in order with the pauses between them. In a Wayland session
    // the program may run on the X server all the same (Xwayland), but that server sees only the keys typed
    // into X windows. The capture is then the one of the program's own windows, and the MACRO page and the
    // key dialogs say so; keys typed into the page are still recorded.
    void macroPageRecordsTypedKeysAndClicks() {
        const auto restore = qScopeGuard([] { qputenv("XDG_SESSION_TYPE", "x11"); }); // run-with-xvfb.sh's
        for (const bool wayland : {false, true}) {
            qputenv("XDG_SESSION_TYPE", wayland ? "wayland" : "x11");
            QCOMPARE(std::unique_ptr<InputHook>(createInputHook(nullptr))->systemWide(), !wayland);
            TestTree tree;
            QVERIFY(macrofile::saveMacroSteps("Macro 1", {}) == FileResult::Ok &&
                    config::addMacroName("Macro 1"));
            MacroDialog page(1.0);
            page.show();
            if (wayland) {
                page.activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(&page));
            }
            QVERIFY(page.findChild<QCheckBox *>("recordDelaysBox")->isChecked());
            page.findChild<VelPushButton *>("startButton")->click();
            QCOMPARE(page.findChild<VelLabel *>("captureNote")->isVisible(), wayland);
            constexpr int kB = 56;
            type({kA, -kA, kB, -kB});
            if (!wayland)
                click({1, -1});
            QTRY_COMPARE(page.editor().model()->steps().size(), wayland ? 7 : 11);
            page.findChild<VelPushButton *>("stopButton")->click();
            MacroData saved;
            QVERIFY(macrofile::loadMacro("Macro 1", saved) == FileResult::Ok);
            QStringList rows;
            for (const MacroStep &step : saved.steps)
                rows << (step.isDelay() ? QString("delay")
                                        : QString::asprintf("%02x %02x", step.type, step.low));
            QCOMPARE(rows.join(", "), QString("84 04, delay, 04 04, delay, 84 05, delay, 04 05") +
                                          (wayland ? "" : ", delay, 81 01, delay, 01 01"));
            if (!wayland)
                continue;
            VelSingleKeyWindow dialog(1.0);
            dialog.show();
            QVERIFY(dialog.findChild<VelLabel *>("captureNote")->isVisible());
            saveShot(&page, "macro_page_wayland");
        }
    }

    // The window with focus is followed through the root window's _NET_ACTIVE_WINDOW, set here as a
    // window manager sets it: a change names the window's process and class (those found through either
    // alone are the link focus test's), a window gone names none, and no window means none has focus.
    void activeWindowFollowed() {
        X11ActiveWindow watcher;
        QVERIFY(watcher.isOpen());
        QSignalSpy changes(&watcher, &X11ActiveWindow::activeChanged);
        Display *display = m_typist.get();
        const ::Window root = DefaultRootWindow(display);
        const auto focus = [&](unsigned long window) {
            XChangeProperty(display, root, XInternAtom(display, "_NET_ACTIVE_WINDOW", False), XA_WINDOW, 32,
                            PropModeReplace, reinterpret_cast<unsigned char *>(&window), 1);
            XFlush(display);
        };
        const ::Window shooter = XCreateSimpleWindow(display, root, 0, 0, 10, 10, 0, 0, 0);
        unsigned long process = 4242;
        XChangeProperty(display, shooter, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                        PropModeReplace, reinterpret_cast<unsigned char *>(&process), 1);
        XClassHint hint{const_cast<char *>("shooter"), const_cast<char *>("Shooter")};
        XSetClassHint(display, shooter, &hint);
        focus(shooter);
        QTRY_COMPARE(watcher.active().pid, qint64(4242));
        QCOMPARE(watcher.active().windowClass, QString("Shooter"));
        XDestroyWindow(display, shooter);
        focus(0);
        QTRY_COMPARE(watcher.active().window, 0UL);
        focus(shooter);
        QTRY_COMPARE(watcher.active().window, shooter);
        QVERIFY(watcher.active().windowClass.isEmpty() && watcher.active().pid == 0);
        QCOMPARE(changes.size(), 3);
    }
};

int main(int argc, char *argv[]) {
    // The window needs no desktop bus; where none runs, Qt would try to start one and leave the attempt's
    // buffer behind for the sanitized build's leak check to report.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
    QApplication app(argc, argv);
    TestInputHook test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_input_hook.moc"
