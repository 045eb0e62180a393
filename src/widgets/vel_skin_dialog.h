#pragma once

#include <QDialog>
#include <QPixmap>

class QLineEdit;
class QSpinBox;
class QToolButton;
class VelLabel;

// The frame the program's skinned dialogs share: modal, frameless and translucent, painted with a picture
// of the skin stretched to the base size times the display scale and shaped by its transparent parts, the
// heading at the top left in the accent orange, and Ok beside a second answer (No, Cancel) at the bottom.
// A drag on any free spot moves it. Subclasses place their controls in unscaled coordinates through the
// helpers.
class VelSkinDialog : public QDialog {
    Q_OBJECT
protected:
    // background: a picture of the skin folder; heading: the heading and the window title.
    VelSkinDialog(double scale, const QSize &baseSize, const QString &background, const QString &heading,
                  QWidget *parent);

    double scale() const { return m_scale; }
    int px(int base) const { return qRound(base * m_scale); }
    QRect scaled(const QRect &base) const {
        return QRect(px(base.x()), px(base.y()), px(base.width()), px(base.height()));
    }
    // The controls of the dark skin, placed in parent (the dialog when none is given).
    VelLabel *addLabel(const QString &text, const QRect &base, QWidget *parent = nullptr);
    QLineEdit *addEdit(const QString &name, const QRect &base);
    QSpinBox *addSpinBox(const QString &name, int minimum, int maximum, const QRect &base,
                         QWidget *parent = nullptr);
    // A dark button with a centred text and an accent border when it has the focus or is checked.
    QToolButton *addTextButton(const QString &name, const QRect &base, QWidget *parent = nullptr);
    // Ok ("msgBoxYesBtn") and the second answer ("msgBoxNoBtn"), centred side by side with their tops at
    // base y. The second rejects the dialog; what Ok does is for the subclass to connect.
    void addAnswerButtons(int top, const QString &rejectText);
    QToolButton *okButton() const { return m_okButton; }
    QToolButton *noButton() const { return m_noButton; }

    void paintEvent(QPaintEvent *event) override;

private:
    QToolButton *addAnswerButton(const QString &name, const QString &icon, const QString &text, int x, int y);

    double m_scale;
    int m_baseWidth;
    QPixmap m_background;
    QToolButton *m_okButton = nullptr;
    QToolButton *m_noButton = nullptr;
};
