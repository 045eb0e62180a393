#pragma once

#include "widgets/vel_skin_dialog.h"

class QCheckBox;
class QLineEdit;

// The frame the button page's parameter dialogs share: the skin's dlg.png, 400 x 258 times the display
// scale, the title at the top left and Ok and No at the bottom.
class VelKeyDialog : public VelSkinDialog {
    Q_OBJECT
public:
    static constexpr int kBaseWidth = 400;
    static constexpr int kBaseHeight = 258;

protected:
    VelKeyDialog(double scale, const QString &title, QWidget *parent);

    QCheckBox *addCheckBox(const QString &name, const QString &text, const QRect &base);
    // While keys are captured, Escape and Return are keys like any other: they do not close the dialog,
    // and Ok and No take no keyboard focus (Space would press them).
    void setCapturesKeys(bool captures);
    // The count edits' rule: a number below 1 becomes "1", one above 255 "255"; other texts stay as typed.
    static void clampCount(QLineEdit *edit);

    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_capturesKeys = false;
};
