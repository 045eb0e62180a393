#include "buttons/vel_combo_key_window.h"

#include "buttons/button_catalog.h"
#include "buttons/key_capture.h"
#include "device/device_code_table.h"

#include <QCheckBox>
#include <QToolButton>

VelComboKeyWindow::VelComboKeyWindow(double scale, QWidget *parent)
    : VelKeyDialog(scale, buttoncatalog::functionLabel(devicecode::kCombo), parent) {
    const QString names[kComboModifierCount] = {tr("Shift"), tr("Ctrl"), tr("Win"), tr("Alt")};
    const char *objectNames[kComboModifierCount] = {"shiftBox", "ctrlBox", "winBox", "altBox"};
    for (int m = 0; m < kComboModifierCount; ++m) {
        m_boxes[m] = addCheckBox(QLatin1String(objectNames[m]), names[m], QRect(40 + 84 * m, 56, 76, 24));
        m_boxes[m]->setFocusPolicy(Qt::NoFocus);
        connect(m_boxes[m], &QCheckBox::clicked, this, &VelComboKeyWindow::checkbtn_clicked);
    }
    addLabel(tr("Key:"), QRect(40, 100, 56, 32));
    m_caption = addTextButton(QStringLiteral("keyCaption"), QRect(100, 96, 200, 40));
    m_capture =
        new KeyCapture(this, InputHook::Mode::Grab, m_caption, addLabel(QString(), QRect(24, 156, 352, 22)));
    connect(m_capture, &KeyCapture::keyArrived, this, &VelComboKeyWindow::OnKey);
    setCapturesKeys(true);
    m_caption->setFocus();
}

void VelComboKeyWindow::SetCombo(const uint8_t entries[kComboEntryBytes]) {
    const ComboParts parts = SplitCombo(entries);
    for (int m = 0; m < kComboModifierCount; ++m) {
        m_used[m] = parts.modifiers[m] != 0;
        m_boxes[m]->setChecked(m_used[m]);
    }
    m_used[kKeySlot] = parts.hasKey && parts.key != 0;
    m_key = parts.key;
    m_capture->showKey(m_key);
}

QVector<KeyCode> VelComboKeyWindow::keys() const {
    QVector<KeyCode> keys;
    for (int m = 0; m < kComboModifierCount; ++m) {
        if (m_used[m])
            keys << kComboModifiers[m].left;
    }
    if (m_used[kKeySlot])
        keys << m_key;
    return keys;
}

void VelComboKeyWindow::OnKey(int code, int flags) {
    if (!m_capture->take(code, flags))
        return;
    m_key = static_cast<KeyCode>(code);
    m_used[kKeySlot] = true;
}

void VelComboKeyWindow::checkbtn_clicked() {
    for (int m = 0; m < kComboModifierCount; ++m) {
        if (sender() == m_boxes[m])
            m_used[m] = m_boxes[m]->isChecked();
    }
}
