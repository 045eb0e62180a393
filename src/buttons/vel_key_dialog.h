#pragma once

#include <QDialog>
#include <QPixmap>

class QCheckBox;
class QLineEdit;
class QToolButton;
class VelLabel;

// The frame the button page's parameter dialogs share: modal, frameless, painted with the skin's dlg.png,
// 400 x 258 times the display scale, the title at the top left and Ok and No at the bottom. Subclasses
// place their controls in unscaled coordinates through the helpers.
class VelKeyDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kBaseWidth = 400;
    static constexpr int kBaseHeight = 258;

protected:
    VelKeyDialog(double scale, const QString &title, QWidget *parent);

    int px(int base) const { return qRound(base * m_scale); }
    QRect scaled(const QRect &base) const {
        return QRect(px(base.x()), px(base.y()), px(base.width()), px(base.height()));
    }
    VelLabel *addLabel(const QString &text, const QRect &base);
    QCheckBox *addCheckBox(const QString &name, const QString &text, const QRect &base);
    QLineEdit *addEdit(const QString &name, const QRect &base);
    // A dark button with a centred text: the key caption, the macro names.
    QToolButton *addTextButton(const QString &name, const QRect &base, QWidget *parent = nullptr);
    // While keys are captured, Escape and Return are keys like any other: they do not close the dialog,
    // and Ok and No take no keyboard focus (Space would press them).
    void setCapturesKeys(bool captures);
    // The count edits' rule: a number below 1 becomes "1", one above 255 "255"; other texts stay as typed.
    static void clampCount(QLineEdit *edit);

    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QToolButton *addDialogButton(const QString &name, const QString &icon, const QString &text,
                                 const QRect &base);

    double m_scale;
    QPixmap m_background;
    QToolButton *m_okButton = nullptr;
    QToolButton *m_noButton = nullptr;
    bool m_capturesKeys = false;
};
