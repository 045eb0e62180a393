#pragma once

#include "buttons/vel_key_dialog.h"
#include "widgets/display_scale.h"

class VelLabel;
class VelSlider;

// The sniper dialog: the DPI step the button holds while it is down, chosen on a slider within what the
// configured sensor offers, with the DPI it stands for beside it.
//
// Usage: VelSniperWindow dialog(scale, page); dialog.SetSniper(record.res1); if (dialog.exec() ==
// QDialog::Accepted) buttonrules::assignSniper(record, dialog.value());
class VelSniperWindow : public VelKeyDialog {
    Q_OBJECT
public:
    explicit VelSniperWindow(double scale = DisplayScale::factor(), QWidget *parent = nullptr);

    // A value the sensor does not accept is replaced by its fallback; the slider's range bounds the rest.
    void SetSniper(quint8 value);
    quint8 value() const { return m_value; }

signals:
    void SetSniperValue(quint8 value);

private:
    void showValue(int value);

    int m_sensor;
    quint8 m_value = 0;
    VelSlider *m_slider;
    VelLabel *m_dpiLabel;
};
