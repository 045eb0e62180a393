#include "platform/linux/x11_active_window.h"

#include <QSocketNotifier>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {
// The first value of a 32-bit property of window; 0 where it has none.
unsigned long cardinalProperty(Display *display, ::Window window, Atom property, Atom type) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char *data = nullptr;
    unsigned long value = 0;
    if (XGetWindowProperty(display, window, property, 0, 1, False, type, &actualType, &format, &count,
                           &remaining, &data) == Success &&
        data && actualType == type && format == 32 && count == 1)
        value = reinterpret_cast<unsigned long *>(data)[0];
    if (data)
        XFree(data);
    return value;
}

// A window that is gone by the time it is asked about raises BadWindow: not an error of the program.
int ignoreErrors(Display *, XErrorEvent *) {
    return 0;
}
} // namespace

X11ActiveWindow::X11ActiveWindow(QObject *parent) : QObject(parent), m_display(XOpenDisplay(nullptr)) {
    if (!m_display)
        return;
    m_activeAtom = XInternAtom(m_display, "_NET_ACTIVE_WINDOW", False);
    m_pidAtom = XInternAtom(m_display, "_NET_WM_PID", False);
    XSelectInput(m_display, DefaultRootWindow(m_display), PropertyChangeMask);
    XFlush(m_display);
    m_active = readActive();
    m_notifier = new QSocketNotifier(ConnectionNumber(m_display), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &X11ActiveWindow::readEvents);
    // Reading the properties may have taken events off the connection that the notifier will not see.
    QMetaObject::invokeMethod(this, &X11ActiveWindow::readEvents, Qt::QueuedConnection);
}

X11ActiveWindow::~X11ActiveWindow() {
    delete m_notifier;
    if (m_display)
        XCloseDisplay(m_display);
}

void X11ActiveWindow::readEvents() {
    // Reading the properties takes further events off the connection: they are read on until none is left.
    bool changed = true;
    while (changed) {
        changed = false;
        while (XPending(m_display) > 0) {
            XEvent event;
            XNextEvent(m_display, &event);
            changed = changed || (event.type == PropertyNotify && event.xproperty.atom == m_activeAtom);
        }
        if (!changed)
            return;
        const Active now = readActive();
        if (now == m_active)
            continue;
        m_active = now;
        emit activeChanged();
    }
}

X11ActiveWindow::Active X11ActiveWindow::readActive() const {
    Active active;
    active.window = cardinalProperty(m_display, DefaultRootWindow(m_display), m_activeAtom, XA_WINDOW);
    if (active.window == 0)
        return active;
    const auto previous = XSetErrorHandler(ignoreErrors);
    active.pid = static_cast<qint64>(cardinalProperty(m_display, active.window, m_pidAtom, XA_CARDINAL));
    XClassHint hint{nullptr, nullptr};
    if (XGetClassHint(m_display, active.window, &hint)) {
        active.windowClass = QString::fromLocal8Bit(hint.res_class);
        XFree(hint.res_name);
        XFree(hint.res_class);
    }
    XSync(m_display, False);
    XSetErrorHandler(previous);
    return active;
}
