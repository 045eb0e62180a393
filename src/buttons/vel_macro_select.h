#pragma once

#include "buttons/vel_key_dialog.h"
#include "device/device_code_table.h"
#include "widgets/display_scale.h"

class QButtonGroup;
class QLineEdit;
class QToolButton;

// The macro select dialog: one of the configuration's macros (or gun files) for the button, and how it
// repeats: a number of times (1-255), while the button is held, or until it is pressed again.
//
// Usage: VelMacroSelect dialog(scale, page, function); dialog.SetMacro(record.macroName, record.loopNumber,
// record.res1); if (dialog.exec() == QDialog::Accepted) buttonrules::assignMacro(record, function,
// dialog.selectedName(), dialog.LoopCount(), dialog.LoopMode());
class VelMacroSelect : public VelKeyDialog {
    Q_OBJECT
public:
    // function: devicecode::kMacro or devicecode::kGunFile, which names the dialog.
    explicit VelMacroSelect(double scale = DisplayScale::factor(), QWidget *parent = nullptr,
                            int function = devicecode::kMacro);

    void SetMacro(const QString &name, int loopCount, quint8 loopMode);
    QString selectedName() const { return m_name; }
    // The number of the loop count edit (0 while it holds none).
    int LoopCount() const;
    // 0 loops a number of times, 1 repeats while the button is held, 2 until it is pressed again.
    quint8 LoopMode() const;

public slots:
    void OnEditDataChanged(const QString &text);
    // A macro of the list was clicked: it is the selected one.
    void onCustomMenuButtonClicked();

private:
    QString m_name;
    QToolButton *m_nameButton;
    QLineEdit *m_countEdit;
    QButtonGroup *m_modes;
};
