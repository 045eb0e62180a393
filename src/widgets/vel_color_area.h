#pragma once

#include "widgets/display_scale.h"
#include "widgets/vel_skin_dialog.h"

#include <QColor>

class HColorArea;
class PreviewColorArea;
class QLineEdit;
class QSpinBox;
class SVColorArea;

// The colour picker of the lighting page: a modal, frameless, skinned dialog in which the user chooses a
// lighting mode's colour with the hue bar and the square, as HSV or RGB numbers, as hexadecimal text or
// from seven fixed colours. Every one of these follows a change made through any other.
//
// Usage: VelColorArea picker(scale, parent); picker.setColor(c); if (picker.exec() == QDialog::Accepted)
// c = picker.color();
class VelColorArea : public VelSkinDialog {
    Q_OBJECT
public:
    static constexpr int kBaseWidth = 520;
    static constexpr int kBaseHeight = 330;
    static constexpr int kSwatchCount = 7;

    explicit VelColorArea(double scale = DisplayScale::factor(), QWidget *parent = nullptr);

    // The colour the picker opens with: the preview's "before" half and the starting point of every control.
    void setColor(const QColor &color);
    // The chosen colour, always valid and opaque.
    QColor color() const { return m_color; }

signals:
    // The colour changed, through whichever control.
    void VelChangeColor(QColor color);
    // One of the fixed colours was picked.
    void ApplyColor();

public slots:
    void color_clicked();
    void hValueChangedSlot(int value);
    void sValueChangedSlot(int value);
    void vValueChangedSlot(int value);
    void rValueChangedSlot(int value);
    void gValueChangedSlot(int value);
    void bValueChangedSlot(int value);
    void updateEditData(int hue, int saturation, int value);
    void editChangedSlot(const QString &text);
    void editFinishedSlot();
    // The hue bar and the square were let go; nothing to do, the colour already follows them.
    void MouseReleaseSlot() {}

private:
    QSpinBox *addNumberBox(const QString &name, const QString &prefix, int maximum, const QRect &base);
    void showHsv(int hue, int saturation, int value);
    void showRgb(const QColor &color, bool rewriteText = true);
    // Brings every control to the colour; the busy flag keeps their change signals from coming back here.
    void applyColor(const QColor &color, int hue, int saturation, int value, bool rewriteText);

    HColorArea *m_hueBar = nullptr;
    SVColorArea *m_square = nullptr;
    PreviewColorArea *m_preview = nullptr;
    QSpinBox *m_hSpin = nullptr;
    QSpinBox *m_sSpin = nullptr;
    QSpinBox *m_vSpin = nullptr;
    QSpinBox *m_rSpin = nullptr;
    QSpinBox *m_gSpin = nullptr;
    QSpinBox *m_bSpin = nullptr;
    QLineEdit *m_hexEdit = nullptr;
    int m_hue = 0;
    int m_saturation = 0;
    int m_value = 0;
    QColor m_color = QColor(0, 0, 0);
    bool m_busy = false;
};
