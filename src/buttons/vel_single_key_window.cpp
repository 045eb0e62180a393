#include "buttons/vel_single_key_window.h"

#include "buttons/button_catalog.h"
#include "buttons/key_capture.h"
#include "device/device_code_table.h"

#include <QToolButton>

VelSingleKeyWindow::VelSingleKeyWindow(double scale, QWidget *parent)
    : VelKeyDialog(scale, buttoncatalog::functionLabel(devicecode::kSingleKey), parent) {
    addLabel(tr("Press the key the button sends."), QRect(40, 58, 320, 24));
    m_caption = addTextButton(QStringLiteral("keyCaption"), QRect(100, 96, 200, 40));
    m_capture = new KeyCapture(this, InputHook::Mode::PassOn, m_caption,
                               addLabel(QString(), QRect(24, 156, 352, 22)));
    connect(m_capture, &KeyCapture::keyArrived, this, &VelSingleKeyWindow::OnKey);
    setCapturesKeys(true);
    m_caption->setFocus();
}

void VelSingleKeyWindow::SetKey(KeyCode key) {
    m_key = key;
    m_capture->showKey(key);
}

void VelSingleKeyWindow::OnKey(int code, int flags) {
    if (!m_capture->take(code, flags))
        return;
    m_key = static_cast<KeyCode>(code);
    emit SetSingleKeyValue(m_key);
}
