#pragma once

#include "buttons/vel_key_dialog.h"
#include "keys/key_tables.h"
#include "widgets/display_scale.h"

class KeyCapture;
class QToolButton;

// The single key dialog: the next key pressed anywhere becomes the button's key; keys still reach the
// window that has the focus.
//
// Usage: VelSingleKeyWindow dialog(scale, page); dialog.SetKey(record.res1); if (dialog.exec() ==
// QDialog::Accepted) buttonrules::assignSingleKey(record, dialog.key());
class VelSingleKeyWindow : public VelKeyDialog {
    Q_OBJECT
public:
    explicit VelSingleKeyWindow(double scale = DisplayScale::factor(), QWidget *parent = nullptr);

    void SetKey(KeyCode key);
    // The chosen key; 0 while none was pressed.
    KeyCode key() const { return m_key; }

public slots:
    // A captured key (code after the capture rule): taken unless it repeats the last (code, flags) pair.
    void OnKey(int code, int flags);

signals:
    void SetSingleKeyValue(quint8 key);

private:
    QToolButton *m_caption;
    KeyCapture *m_capture;
    KeyCode m_key = 0;
};
