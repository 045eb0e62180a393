#pragma once

#include "buttons/vel_key_dialog.h"
#include "keys/key_tables.h"
#include "widgets/display_scale.h"

#include <QVector>
#include <array>

class KeyCapture;
class QCheckBox;
class QToolButton;

// The combo key dialog: the Shift, Ctrl, Win and Alt boxes and one key, captured while the dialog is open
// and kept from every other program. A combination always uses the left modifier keys.
//
// Usage: VelComboKeyWindow dialog(scale, page); dialog.SetCombo(buttoncatalog::comboEntries(record).data());
// if (dialog.exec() == QDialog::Accepted) buttonrules::assignCombo(record, dialog.keys());
class VelComboKeyWindow : public VelKeyDialog {
    Q_OBJECT
public:
    static constexpr int kKeySlot = kComboModifierCount;

    explicit VelComboKeyWindow(double scale = DisplayScale::factor(), QWidget *parent = nullptr);

    // Ticks the modifiers the entries hold and takes their other key (the last one) as the key.
    void SetCombo(const uint8_t entries[kComboEntryBytes]);
    // The keys of the ticked modifiers and the captured key, in the order Shift, Ctrl, Win, Alt, key.
    QVector<KeyCode> keys() const;

public slots:
    // A captured key (code after the capture rule): taken unless it repeats the last (code, flags) pair.
    void OnKey(int code, int flags);
    // A modifier box was clicked: its slot is used while the box is ticked.
    void checkbtn_clicked();

private:
    std::array<QCheckBox *, kComboModifierCount> m_boxes{};
    std::array<bool, kComboModifierCount + 1> m_used{}; // the modifiers, then the key
    QToolButton *m_caption;
    KeyCapture *m_capture;
    KeyCode m_key = 0;
};
