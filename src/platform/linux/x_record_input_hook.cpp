#include "platform/linux/x_record_input_hook.h"

#include "platform/platform_log.h"

#include <QSocketNotifier>
#include <QThread>
#include <X11/Xlib.h>
#include <X11/extensions/record.h>

// What the recording thread knows: the hook to hand events to and the session they belong to.
struct XRecordInputHook::Session {
    XRecordInputHook *hook;
    unsigned number;
    bool started = false;

    static void intercept(XPointer closure, XRecordInterceptData *data) {
        auto *session = reinterpret_cast<Session *>(closure);
        if (data->category == XRecordStartOfData) {
            session->started = true;
            session->hook->m_recording = true;
            session->hook->m_ready.release();
        } else if (data->category == XRecordFromServer && data->data && data->data_len > 0) {
            // The context records key and button events alone: the event type, then the keycode or button.
            const int type = data->data[0] & 0x7f;
            const unsigned detail = data->data[1];
            XRecordInputHook *hook = session->hook;
            const unsigned number = session->number;
            QMetaObject::invokeMethod(
                hook, [hook, type, detail, number] { hook->receive(type, detail, number); },
                Qt::QueuedConnection);
        }
        XRecordFreeData(data);
    }
};

XRecordInputHook::XRecordInputHook(QObject *parent)
    : InputHook(parent), m_control(XOpenDisplay(nullptr)), m_data(XOpenDisplay(nullptr)) {
    int major = 0, minor = 0;
    m_open = m_control && m_data && XRecordQueryVersion(m_control, &major, &minor);
    if (!m_open) {
        qCDebug(lcPlatform, "No system-wide key capture: %s.",
                m_control && m_data ? "the X server has no RECORD extension" : "no X display");
        return;
    }
    // Keys grabbed on the control connection come to it; they are read and dropped.
    m_controlNotifier = new QSocketNotifier(ConnectionNumber(m_control), QSocketNotifier::Read, this);
    connect(m_controlNotifier, &QSocketNotifier::activated, this, &XRecordInputHook::discardGrabbedKeys);
}

XRecordInputHook::~XRecordInputHook() {
    stop();
    delete m_controlNotifier;
    if (m_control)
        XCloseDisplay(m_control);
    if (m_data)
        XCloseDisplay(m_data);
}

bool XRecordInputHook::start(Mode mode, bool withMouseButtons) {
    stop();
    if (!m_open)
        return false;
    XRecordClientSpec clients = XRecordAllClients;
    XRecordRange *range = XRecordAllocRange();
    if (!range)
        return false;
    // ButtonPress and ButtonRelease follow KeyPress and KeyRelease. Recording never grabs the pointer.
    range->device_events.first = KeyPress;
    range->device_events.last = withMouseButtons ? ButtonRelease : KeyRelease;
    m_context = XRecordCreateContext(m_control, 0, &clients, 1, &range, 1);
    XFree(range);
    // The context must exist on the server before the data connection enables it.
    XSync(m_control, False);
    if (!m_context) {
        qCDebug(lcPlatform, "The X server refused a key recording context.");
        return false;
    }
    m_recording = false;
    const unsigned long context = m_context;
    const unsigned session = ++m_session;
    m_thread = QThread::create([this, context, session] { record(context, session); });
    m_thread->start();
    // Keys typed once start() has returned are all seen.
    m_ready.acquire();
    if (!m_recording) {
        qCDebug(lcPlatform, "The X server did not start recording keys.");
        stop();
        return false;
    }
    forgetHeldKeys();
    if (mode == Mode::Grab) {
        m_grabbed = XGrabKeyboard(m_control, DefaultRootWindow(m_control), False, GrabModeAsync,
                                  GrabModeAsync, CurrentTime) == GrabSuccess;
        if (!m_grabbed)
            qCDebug(lcPlatform, "Another program holds the keyboard; captured keys also reach it.");
    }
    qCDebug(lcPlatform, "Capturing keys system-wide%s%s.", m_grabbed ? ", grabbed" : "",
            withMouseButtons ? ", and the mouse buttons" : "");
    return true;
}

void XRecordInputHook::stop() {
    if (!m_thread)
        return;
    ++m_session;
    if (m_grabbed)
        XUngrabKeyboard(m_control, CurrentTime);
    m_grabbed = false;
    // Ends XRecordEnableContext on the data connection once the server has sent what it recorded.
    XRecordDisableContext(m_control, m_context);
    XSync(m_control, False);
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    XRecordFreeContext(m_control, m_context);
    XSync(m_control, False);
    m_context = 0;
    discardGrabbedKeys();
    qCDebug(lcPlatform, "Key capture ended.");
}

void XRecordInputHook::record(unsigned long context, unsigned session) {
    Session current{this, session};
    if (!XRecordEnableContext(m_data, context, &Session::intercept, reinterpret_cast<XPointer>(&current)))
        qCDebug(lcPlatform, "Recording keys failed.");
    if (!current.started)
        m_ready.release();
}

void XRecordInputHook::receive(int type, unsigned detail, unsigned session) {
    if (session != m_session)
        return;
    if (type == KeyPress || type == KeyRelease)
        deliverXKeycode(detail, type == KeyRelease);
    else if (type == ButtonPress || type == ButtonRelease)
        deliverXButton(detail, type == ButtonRelease);
}

void XRecordInputHook::discardGrabbedKeys() {
    while (XPending(m_control)) {
        XEvent event;
        XNextEvent(m_control, &event);
    }
}
