#pragma once

#include "buttons/vel_key_dialog.h"
#include "keys/key_tables.h"
#include "storage/button_assignment.h"
#include "widgets/display_scale.h"

#include <array>

class KeyCapture;
class QCheckBox;
class QLineEdit;
class QToolButton;

// The fire key dialog: what the button fires (the left, right or middle button, or a keyboard key taken
// from the capture while "Keyboard Key" is chosen), how many times (1-255) and the delay (1-255).
//
// Usage: VelFireKeyWindow dialog(scale, page); dialog.SetFireKey(record); if (dialog.exec() ==
// QDialog::Accepted) buttonrules::assignFireKey(record, dialog.fireKey(), dialog.times(), dialog.delay());
class VelFireKeyWindow : public VelKeyDialog {
    Q_OBJECT
public:
    enum FireType : quint8 { kLeft = 0, kRight = 1, kMiddle = 2, kKeyboardKey = 3 };

    explicit VelFireKeyWindow(double scale = DisplayScale::factor(), QWidget *parent = nullptr);

    void SetFireKey(const ButtonAssignment &record);
    quint8 fireType() const { return m_type; }
    // The keyboard key; 0 for the mouse buttons and while none was pressed.
    KeyCode key() const { return m_key; }
    // What the button fires as buttonrules::assignFireKey takes it: 240-242 for the buttons, else the key.
    KeyCode fireKey() const;
    // The edits' numbers; a text that is no number counts as 1.
    int times() const;
    int delay() const;
    // False while "Keyboard Key" is chosen and no key was pressed: Ok is disabled then.
    bool choiceComplete() const;

    // Refused while the choice is not complete: a keyboard fire key without its key would be stored as
    // a left-button burst.
    void accept() override;

public slots:
    // A captured key (code after the capture rule): taken unless it repeats the last (code, flags) pair.
    void OnKey(int code, int flags);
    void OnEditDataChanged(const QString &text);
    void OnEditDataChanged2(const QString &text);
    // A type box was clicked: its type is the only one checked.
    void checkbtn_clicked();
    void onEditReturn();

signals:
    void SetFireKeyValue(quint8 key, quint8 type, quint8 times, quint8 delay);

private:
    void setType(quint8 type);
    void emitValue();
    void updateOkButton();
    // Keys go to the caption while "Keyboard Key" is chosen and neither edit is being typed into.
    bool takesKeys() const;

    std::array<QCheckBox *, 4> m_boxes{};
    QToolButton *m_caption;
    QLineEdit *m_timesEdit;
    QLineEdit *m_delayEdit;
    KeyCapture *m_capture;
    quint8 m_type = kLeft;
    KeyCode m_key = 0;
    bool m_keySelected = false;
};
