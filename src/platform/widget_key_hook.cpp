#include "platform/widget_key_hook.h"

#include "platform/platform_log.h"

#include <QGuiApplication>
#include <QKeyEvent>

WidgetKeyHook::WidgetKeyHook(QObject *watched, QObject *parent)
    : InputHook(parent), m_watched(watched), m_watchAll(watched == nullptr) {}

WidgetKeyHook::~WidgetKeyHook() {
    stop();
}

bool WidgetKeyHook::start(Mode mode) {
    stop();
    if (!QCoreApplication::instance())
        return false;
    m_mode = mode;
    m_running = true;
    forgetHeldKeys();
    QCoreApplication::instance()->installEventFilter(this);
    qCDebug(lcPlatform, "Capturing keys typed into the program's window%s.",
            mode == Mode::Grab ? ", kept from it" : "");
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

bool WidgetKeyHook::eventFilter(QObject *receiver, QEvent *event) {
    const QEvent::Type type = event->type();
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
