#include "widgets/vel_skin_dialog.h"

#include "widgets/accent_color.h"
#include "widgets/skin_pictures.h"
#include "widgets/ui_language.h"
#include "widgets/vel_label.h"
#include "widgets/vel_line_edit.h"
#include "widgets/window_drag.h"

#include <QBitmap>
#include <QFontMetrics>
#include <QPainter>
#include <QSpinBox>
#include <QToolButton>

namespace {
const QColor kHeadingColor(255, 125, 0);
const QColor kTextColor(225, 225, 225);
const QColor kFieldColor(18, 18, 22);
constexpr int kAnswerWidth = 110;
constexpr int kAnswerHeight = 34;
constexpr int kAnswerGap = 30;
} // namespace

VelSkinDialog::VelSkinDialog(double scale, const QSize &baseSize, const QString &background,
                             const QString &heading, QWidget *parent)
    : QDialog(parent, Qt::FramelessWindowHint), m_scale(scale), m_baseWidth(baseSize.width()) {
    Q_INIT_RESOURCE(skin_resources);
    setModal(true);
    new WindowDrag(this, 0);
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowTitle(heading);
    setFixedSize(px(baseSize.width()), px(baseSize.height()));
    m_background = SkinPictures::scaled(background, size(), Qt::IgnoreAspectRatio);
    if (!m_background.isNull())
        setMask(m_background.mask());

    auto *headingLabel = new VelLabel(heading, this);
    headingLabel->setGeometry(scaled(QRect(24, 8, 300, 30)));
    headingLabel->setColor(kHeadingColor);
}

VelLabel *VelSkinDialog::addLabel(const QString &text, const QRect &base, QWidget *parent) {
    auto *label = new VelLabel(text, parent ? parent : this);
    label->setGeometry(scaled(base));
    label->setColor(kTextColor);
    return label;
}

QLineEdit *VelSkinDialog::addEdit(const QString &name, const QRect &base) {
    auto *edit = new VelLineEdit(this);
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

QSpinBox *VelSkinDialog::addSpinBox(const QString &name, int minimum, int maximum, const QRect &base,
                                    QWidget *parent) {
    auto *box = new QSpinBox(parent ? parent : this);
    box->setObjectName(name);
    box->setGeometry(scaled(base));
    box->setRange(minimum, maximum);
    QFont font = UiLanguage::font();
    font.setPixelSize(qMax(1, px(13)));
    box->setFont(font);
    // A dark field with light steppers, so that the numbers read on the dark skin.
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, kFieldColor);
    palette.setColor(QPalette::Button, QColor(40, 40, 46));
    palette.setColor(QPalette::ButtonText, kTextColor);
    palette.setColor(QPalette::WindowText, kTextColor);
    box->setPalette(palette);
    box->setStyleSheet(QStringLiteral("color: rgb(225,225,225)"));
    return box;
}

QToolButton *VelSkinDialog::addTextButton(const QString &name, const QRect &base, QWidget *parent) {
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

void VelSkinDialog::addAnswerButtons(int top, const QString &rejectText) {
    const int left = (m_baseWidth - 2 * kAnswerWidth - kAnswerGap) / 2;
    m_okButton =
        addAnswerButton(QStringLiteral("msgBoxYesBtn"), QStringLiteral(":/yes_Btn"), tr("Ok"), left, top);
    m_noButton = addAnswerButton(QStringLiteral("msgBoxNoBtn"), QStringLiteral(":/no_Btn"), rejectText,
                                 left + kAnswerWidth + kAnswerGap, top);
    connect(m_noButton, &QToolButton::released, this, &QDialog::reject);
}

QToolButton *VelSkinDialog::addAnswerButton(const QString &name, const QString &icon, const QString &text,
                                            int x, int y) {
    QToolButton *button = addTextButton(name, QRect(x, y, kAnswerWidth, kAnswerHeight));
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(px(22), px(8)));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setText(text);
    // A longer answer (a longer language) takes a smaller font rather than running into the border.
    QFont font = button->font();
    int pixels = px(15);
    font.setPixelSize(qMax(1, pixels));
    while (pixels > px(10) && QFontMetrics(font).horizontalAdvance(text) + px(22 + 16) > px(kAnswerWidth))
        font.setPixelSize(--pixels);
    button->setFont(font);
    return button;
}

void VelSkinDialog::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    if (!m_background.isNull())
        painter.drawPixmap(0, 0, m_background);
    else
        painter.fillRect(rect(), QColor(30, 30, 34));
}
