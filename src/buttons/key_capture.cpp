#include "buttons/key_capture.h"

#include "buttons/buttons_log.h"
#include "widgets/vel_label.h"

#include <QAbstractButton>
#include <QEvent>

KeyCapture::KeyCapture(QWidget *dialog, InputHook::Mode mode, QAbstractButton *caption, VelLabel *note)
    : QObject(dialog), m_hook(createInputHook(dialog)), m_caption(caption), m_note(note), m_mode(mode) {
    InputHook *hook = m_hook;
    connect(hook, &InputHook::keyEvent, this, [this](int scanCode, int flags) {
        emit keyArrived(RemapHookScanCode(static_cast<uint32_t>(scanCode), static_cast<uint32_t>(flags)),
                        flags);
    });
    note->setObjectName(QStringLiteral("captureNote"));
    note->setText(tr("Keys are captured only while this window has the focus."));
    note->setVisible(!hook->systemWide());
    // Capturing (and the combo dialog's grab, which keeps every key from the desktop) lasts only while the
    // dialog is shown.
    dialog->installEventFilter(this);
}

bool KeyCapture::eventFilter(QObject *watched, QEvent *event) {
    if (watched != parent() || !m_hook)
        return false;
    if (event->type() == QEvent::Show) {
        const bool started = m_hook->start(m_mode);
        if (!started)
            m_note->show();
        qCDebug(lcButtons, "Key capture %s, %s.", started ? "started" : "failed",
                m_hook->systemWide() ? "system-wide" : "own window only");
    } else if (event->type() == QEvent::Hide) {
        m_hook->stop();
    }
    return false;
}

KeyCapture::~KeyCapture() {
    if (m_hook)
        m_hook->stop();
}

bool KeyCapture::take(int code, int flags) {
    if (code == m_lastCode && flags == m_lastFlags)
        return false;
    m_lastCode = code;
    m_lastFlags = flags;
    showKey(static_cast<KeyCode>(code));
    return true;
}

void KeyCapture::showKey(KeyCode code) {
    m_caption->setText(KeyName(code));
}
