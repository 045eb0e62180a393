#include "buttons/key_capture.h"

#include "buttons/buttons_log.h"
#include "widgets/vel_label.h"

#include <QAbstractButton>

KeyCapture::KeyCapture(QWidget *dialog, InputHook::Mode mode, QAbstractButton *caption, VelLabel *note)
    : QObject(dialog), m_hook(createInputHook(dialog)), m_caption(caption) {
    InputHook *hook = m_hook;
    connect(hook, &InputHook::keyEvent, this, [this](int scanCode, int flags) {
        emit keyArrived(RemapHookScanCode(static_cast<uint32_t>(scanCode), static_cast<uint32_t>(flags)),
                        flags);
    });
    const bool started = hook->start(mode);
    note->setText(tr("Keys are captured only while this window has the focus."));
    note->setVisible(!started || !hook->systemWide());
    qCDebug(lcButtons, "Key capture %s, %s.", started ? "started" : "failed",
            hook->systemWide() ? "system-wide" : "own window only");
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
