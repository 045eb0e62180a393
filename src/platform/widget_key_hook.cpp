#include "platform/widget_key_hook.h"

#include "platform/platform_log.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

namespace {
// The X number of a mouse button, as the system-wide capture sees it; 0 for the buttons without a key code.
unsigned xButtonNumber(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::MiddleButton:
        return 2;
    case Qt::RightButton:
        return 3;
    default:
        return 0;
    }
}
} // namespace

WidgetKeyHook::WidgetKeyHook(QObject *watched, QObject *parent)
    : InputHook(parent), m_watched(watched), m_watchAll(watched == nullptr) {}

WidgetKeyHook::~WidgetKeyHook() {
    stop();
}

bool WidgetKeyHook::start(Mode mode, bool withMouseButtons) {
    stop();
    if (!QCoreApplication::instance())
        return false;
    m_mode = mode;
    m_withMouseButtons = withMouseButtons;
    m_running = true;
    forgetHeldKeys();
    m_buttonsDown = 0;
    QCoreApplication::instance()->installEventFilter(this);
    qCDebug(lcPlatform, "Capturing keys typed into the program's window%s%s.",
            mode == Mode::Grab ? ", kept from it" : "", withMouseButtons ? ", and its mouse buttons" : "");
    return true;
}

void WidgetKeyHook::stop() {
    if (!m_running)
        return;
    m_running = false;
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool WidgetKeyHook::watchesFocus() const {
    if (m_watchAll)
        return true;
    for (QObject *object = QGuiApplication::focusObject(); object; object = object->parent()) {
        if (object == m_watched)
            return true;
    }
    return false;
}

bool WidgetKeyHook::watchesWindow(const QWindow *window) const {
    if (m_watchAll)
        return true;
    for (QObject *object = window->focusObject(); object; object = object->parent()) {
        if (object == m_watched)
            return true;
    }
    return false;
}

void WidgetKeyHook::takeMouseButton(const QWindow *window, const QMouseEvent *event) {
    const unsigned button = xButtonNumber(event->button());
    if (button == 0)
        return;
    const unsigned bit = 1u << button;
    const bool release = event->type() == QEvent::MouseButtonRelease;
    // A press may move the focus out of the watched widget; its release is reported all the same, so that a
    // recorded press is never left without its release.
    if (!watchesWindow(window) && !(release && (m_buttonsDown & bit)))
        return;
    m_buttonsDown = release ? m_buttonsDown & ~bit : m_buttonsDown | bit;
    deliverXButton(button, release);
}

bool WidgetKeyHook::eventFilter(QObject *receiver, QEvent *event) {
    const QEvent::Type type = event->type();
    // A click reaches its window once, before Qt hands it to the widget under the pointer and its parents
    // (and is never kept from them).
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease) {
        if (m_withMouseButtons && receiver->isWindowType())
            takeMouseButton(static_cast<QWindow *>(receiver), static_cast<QMouseEvent *>(event));
        return false;
    }
    // A grab also keeps the window's shortcuts from taking the keys.
    if (type == QEvent::ShortcutOverride && m_mode == Mode::Grab && watchesFocus()) {
        event->accept();
        return true;
    }
    // Each key reaches its window first, once, before Qt hands it to the focus widget and its parents.
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !receiver->isWindowType() ||
        !watchesFocus())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const bool release = type == QEvent::KeyRelease;
    // A held key repeats as presses alone.
    if (key->nativeScanCode() != 0 && !(release && key->isAutoRepeat()))
        deliverXKeycode(key->nativeScanCode(), release);
    return m_mode == Mode::Grab;
}
