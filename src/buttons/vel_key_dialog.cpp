#include "buttons/vel_key_dialog.h"

#include "storage/app_paths.h"
#include "widgets/accent_color.h"
#include "widgets/ui_language.h"
#include "widgets/vel_label.h"
#include "widgets/window_drag.h"

#include <QBitmap>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QSignalBlocker>
#include <QToolButton>

namespace {
const QColor kTitleColor(255, 125, 0);
const QColor kTextColor(225, 225, 225);
} // namespace

VelKeyDialog::VelKeyDialog(double scale, const QString &title, QWidget *parent)
    : QDialog(parent, Qt::FramelessWindowHint), m_scale(scale) {
    Q_INIT_RESOURCE(skin_resources);
    setModal(true);
    new WindowDrag(this, 0);
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowTitle(title);
    setFixedSize(px(kBaseWidth), px(kBaseHeight));
    QPixmap background(AppPaths::skinDir() + "/dlg.png");
    if (!background.isNull()) {
        m_background = background.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        setMask(m_background.mask());
    }

    auto *titleLabel = new VelLabel(title, this);
    titleLabel->setGeometry(scaled(QRect(24, 8, 300, 30)));
    titleLabel->setColor(kTitleColor);

    m_okButton = addDialogButton(QStringLiteral("msgBoxYesBtn"), QStringLiteral(":/yes_Btn"), tr("Ok"),
                                 QRect(75, 208, 110, 34));
    m_noButton = addDialogButton(QStringLiteral("msgBoxNoBtn"), QStringLiteral(":/no_Btn"), tr("No"),
                                 QRect(215, 208, 110, 34));
    connect(m_okButton, &QToolButton::released, this, &QDialog::accept);
    connect(m_noButton, &QToolButton::released, this, &QDialog::reject);
}

QToolButton *VelKeyDialog::addDialogButton(const QString &name, const QString &icon, const QString &text,
                                           const QRect &base) {
    QToolButton *button = addTextButton(name, base);
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(px(22), px(8)));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setText(text);
    QFont font = button->font();
    font.setPixelSize(qMax(1, px(15)));
    button->setFont(font);
    return button;
}

VelLabel *VelKeyDialog::addLabel(const QString &text, const QRect &base) {
    auto *label = new VelLabel(text, this);
    label->setGeometry(scaled(base));
    label->setColor(kTextColor);
    return label;
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

QLineEdit *VelKeyDialog::addEdit(const QString &name, const QRect &base) {
    auto *edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setGeometry(scaled(base));
    QFont font = UiLanguage::font();
    font.setPixelSize(qMax(1, px(13)));
    edit->setFont(font);
    edit->setAlignment(Qt::AlignCenter);
    edit->setStyleSheet(QStringLiteral("QLineEdit{color: rgb(225,225,225); background: rgb(18,18,22);"
                                       " border: 1px solid rgb(70,70,78); border-radius: 2px;}"));
    return edit;
}

QToolButton *VelKeyDialog::addTextButton(const QString &name, const QRect &base, QWidget *parent) {
    auto *button = new QToolButton(parent ? parent : this);
    button->setObjectName(name);
    button->setGeometry(scaled(base));
    button->setCursor(Qt::PointingHandCursor);
    QFont font = UiLanguage::font();
    font.setPixelSize(qMax(1, px(13)));
    button->setFont(font);
    const QColor accent = AccentColor::current();
    button->setStyleSheet(AccentColor::dialogButtonStyle() +
                          QString::asprintf("QToolButton:focus, QToolButton:checked{border: 1px solid"
                                            " rgb(%d, %d, %d);}"
                                            "QToolButton:disabled{color: rgb(120, 120, 120);"
                                            " border: 1px solid rgb(60, 60, 66);}",
                                            accent.red(), accent.green(), accent.blue()));
    return button;
}

void VelKeyDialog::setCapturesKeys(bool captures) {
    m_capturesKeys = captures;
    for (QToolButton *button : {m_okButton, m_noButton})
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

void VelKeyDialog::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    if (!m_background.isNull())
        painter.drawPixmap(0, 0, m_background);
    else
        painter.fillRect(rect(), QColor(30, 30, 34));
}
