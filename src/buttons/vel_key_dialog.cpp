#include "buttons/vel_key_dialog.h"

#include "widgets/accent_color.h"
#include "widgets/ui_language.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>

VelKeyDialog::VelKeyDialog(double scale, const QString &title, QWidget *parent)
    : VelSkinDialog(scale, QSize(kBaseWidth, kBaseHeight), QStringLiteral("dlg.png"), title, parent) {
    addAnswerButtons(208, tr("No"));
    connect(okButton(), &QToolButton::released, this, &QDialog::accept);
}

QCheckBox *VelKeyDialog::addCheckBox(const QString &name, const QString &text, const QRect &base) {
    auto *box = new QCheckBox(text, this);
    box->setObjectName(name);
    box->setGeometry(scaled(base));
    QFont font = UiLanguage::font();
    font.setPixelSize(qMax(1, px(13)));
    box->setFont(font);
    box->setStyleSheet(
        QString("QCheckBox{color:rgb(200,200,206);}QCheckBox::indicator{width:%1px;height:%1px;"
                "border:1px solid rgb(150,150,158);border-radius:2px;background:rgb(30,30,30);}"
                "QCheckBox::indicator:checked{background:%2;}")
            .arg(px(14))
            .arg(AccentColor::current().name()));
    return box;
}

void VelKeyDialog::setCapturesKeys(bool captures) {
    m_capturesKeys = captures;
    for (QToolButton *button : {okButton(), noButton()})
        button->setFocusPolicy(captures ? Qt::NoFocus : Qt::TabFocus);
}

void VelKeyDialog::clampCount(QLineEdit *edit) {
    bool number = false;
    const int value = edit->text().toInt(&number);
    if (!number || (value >= 1 && value <= 255))
        return;
    const QSignalBlocker blocker(edit);
    edit->setText(value < 1 ? QStringLiteral("1") : QStringLiteral("255"));
}

void VelKeyDialog::keyPressEvent(QKeyEvent *event) {
    if (m_capturesKeys) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
