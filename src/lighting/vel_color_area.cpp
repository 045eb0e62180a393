#include "lighting/vel_color_area.h"

#include "lighting/default_color_area.h"
#include "lighting/h_color_area.h"
#include "lighting/preview_color_area.h"
#include "lighting/sv_color_area.h"
#include "storage/app_paths.h"
#include "widgets/accent_color.h"
#include "widgets/ui_language.h"
#include "widgets/vel_label.h"
#include "widgets/window_drag.h"

#include <QBitmap>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QToolButton>

namespace {
// Two lower-case hexadecimal digits per component, red first.
QString hexText(const QColor &color) {
    return QStringLiteral("%1%2%3")
        .arg(color.red(), 2, 16, QLatin1Char('0'))
        .arg(color.green(), 2, 16, QLatin1Char('0'))
        .arg(color.blue(), 2, 16, QLatin1Char('0'));
}

// The colour a text stands for while the user is still typing it: a short text fills the components from
// the blue end, three digits are the short form of six (abc is aabbcc), anything longer is black.
QColor colorOfHexText(const QString &text) {
    const auto part = [&text](int from, int count) { return int(text.mid(from, count).toUInt(nullptr, 16)); };
    switch (text.size()) {
    case 1:
    case 2:
        return QColor(0, 0, part(0, 2));
    case 3:
        return QColor(part(0, 1) * 17, part(1, 1) * 17, part(2, 1) * 17);
    case 4:
        return QColor(0, part(0, 2), part(2, 2));
    case 5:
        return QColor(part(0, 1), part(1, 2), part(3, 2));
    case 6:
        return QColor(part(0, 2), part(2, 2), part(4, 2));
    default:
        return QColor(0, 0, 0);
    }
}

// The six digits a text becomes once the user is done with it; they stand for the same colour.
QString completedHexText(const QString &text) {
    if (text.size() == 3)
        return QString(text[0]) + text[0] + text[1] + text[1] + text[2] + text[2];
    if (text.size() > 6)
        return QStringLiteral("000000");
    return text.rightJustified(6, QLatin1Char('0'));
}

const QColor kSwatchColors[VelColorArea::kSwatchCount] = {
    QColor(255, 0, 0),   QColor(0, 255, 0),   QColor(0, 0, 255),     QColor(0, 255, 255),
    QColor(255, 255, 0), QColor(255, 0, 255), QColor(255, 255, 255),
};
} // namespace

VelColorArea::VelColorArea(double scale, QWidget *parent)
    : QDialog(parent, Qt::FramelessWindowHint), m_scale(scale) {
    Q_INIT_RESOURCE(skin_resources);
    setModal(true);
    new WindowDrag(this, 0);
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowTitle(tr("COLOR"));
    setFixedSize(px(kBaseWidth), px(kBaseHeight));
    QPixmap background(AppPaths::skinDir() + "/dlg.png");
    if (!background.isNull()) {
        m_background = background.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        setMask(m_background.mask());
    }

    auto *title = new VelLabel(tr("COLOR"), this);
    title->setGeometry(scaled(QRect(24, 8, 300, 30)));
    title->setColor(QColor(255, 125, 0));

    m_square = new SVColorArea(m_scale, this);
    m_square->move(px(24), px(62));
    m_hueBar = new HColorArea(m_scale, this);
    m_hueBar->move(px(162), px(62 - HColorArea::kTopMargin));
    m_preview = new PreviewColorArea(m_scale, this);
    m_preview->move(px(210), px(62));

    m_hSpin = addSpinBox(QStringLiteral("hueSpinBox"), tr("H "), 360, QRect(352, 62, 70, 26));
    m_sSpin = addSpinBox(QStringLiteral("saturationSpinBox"), tr("S "), 255, QRect(352, 96, 70, 26));
    m_vSpin = addSpinBox(QStringLiteral("valueSpinBox"), tr("V "), 255, QRect(352, 130, 70, 26));
    m_rSpin = addSpinBox(QStringLiteral("redSpinBox"), tr("R "), 255, QRect(430, 62, 70, 26));
    m_gSpin = addSpinBox(QStringLiteral("greenSpinBox"), tr("G "), 255, QRect(430, 96, 70, 26));
    m_bSpin = addSpinBox(QStringLiteral("blueSpinBox"), tr("B "), 255, QRect(430, 130, 70, 26));

    m_hexEdit = new QLineEdit(this);
    m_hexEdit->setObjectName(QStringLiteral("hexEdit"));
    m_hexEdit->setGeometry(scaled(QRect(352, 164, 148, 26)));
    QFont mono(QStringLiteral("Consolas"));
    mono.setStyleHint(QFont::Monospace);
    mono.setPixelSize(qMax(1, px(14)));
    m_hexEdit->setFont(mono);
    m_hexEdit->setAlignment(Qt::AlignCenter);
    m_hexEdit->setStyleSheet(QStringLiteral("QLineEdit{color: rgb(225,225,225); background: rgb(18,18,22);"
                                            " border: 1px solid rgb(70,70,78); border-radius: 2px;}"));
    // Hexadecimal digits only, at most the six of a whole colour.
    m_hexEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9a-fA-F]{0,6}")), m_hexEdit));
    m_hexEdit->setText(hexText(m_color));

    for (int i = 0; i < kSwatchCount; ++i) {
        auto *swatch = new DefaultColorArea(this);
        swatch->setColor(kSwatchColors[i]);
        swatch->setGeometry(scaled(QRect(24 + 36 * i, 208, 26, 26)));
        connect(swatch, &DefaultColorArea::ClickedSignal, this, &VelColorArea::color_clicked);
    }

    auto *okButton = addButton(QStringLiteral("msgBoxYesBtn"), QStringLiteral(":/yes_Btn"), tr("Ok"),
                               QRect(135, 268, 110, 34));
    auto *noButton = addButton(QStringLiteral("msgBoxNoBtn"), QStringLiteral(":/no_Btn"), tr("No"),
                               QRect(275, 268, 110, 34));
    connect(okButton, &QToolButton::released, this, &QDialog::accept);
    connect(noButton, &QToolButton::released, this, &QDialog::reject);

    connect(m_hueBar, &HColorArea::hueChangedSignal, m_square, &SVColorArea::hueChangedSlot);
    connect(m_square, &SVColorArea::svChangedSignal, m_preview, &PreviewColorArea::svChangedSlot);
    connect(m_square, &SVColorArea::svChangedSignal, this, &VelColorArea::updateEditData);
    connect(m_hexEdit, &QLineEdit::textEdited, this, &VelColorArea::editChangedSlot);
    connect(m_hexEdit, &QLineEdit::editingFinished, this, &VelColorArea::editFinishedSlot);
    connect(m_hSpin, qOverload<int>(&QSpinBox::valueChanged), this, &VelColorArea::hValueChangedSlot);
    connect(m_sSpin, qOverload<int>(&QSpinBox::valueChanged), this, &VelColorArea::sValueChangedSlot);
    connect(m_vSpin, qOverload<int>(&QSpinBox::valueChanged), this, &VelColorArea::vValueChangedSlot);
    connect(m_rSpin, qOverload<int>(&QSpinBox::valueChanged), this, &VelColorArea::rValueChangedSlot);
    connect(m_gSpin, qOverload<int>(&QSpinBox::valueChanged), this, &VelColorArea::gValueChangedSlot);
    connect(m_bSpin, qOverload<int>(&QSpinBox::valueChanged), this, &VelColorArea::bValueChangedSlot);
    connect(m_hueBar, &HColorArea::mouseReleaseSignal, this, &VelColorArea::MouseReleaseSlot);
    connect(m_square, &SVColorArea::mouseReleaseSignal, this, &VelColorArea::MouseReleaseSlot);
}

QSpinBox *VelColorArea::addSpinBox(const QString &name, const QString &prefix, int maximum,
                                   const QRect &base) {
    auto *box = new QSpinBox(this);
    box->setObjectName(name);
    box->setGeometry(scaled(base));
    box->setRange(0, maximum);
    box->setPrefix(prefix);
    QFont font = UiLanguage::font();
    font.setPixelSize(qMax(1, px(13)));
    box->setFont(font);
    // A dark field with light steppers, so that the numbers read on the dark skin.
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, QColor(18, 18, 22));
    palette.setColor(QPalette::Button, QColor(40, 40, 46));
    palette.setColor(QPalette::ButtonText, QColor(225, 225, 225));
    palette.setColor(QPalette::WindowText, QColor(225, 225, 225));
    box->setPalette(palette);
    box->setStyleSheet(QStringLiteral("color: rgb(225,225,225)"));
    return box;
}

QToolButton *VelColorArea::addButton(const QString &name, const QString &icon, const QString &text,
                                     const QRect &base) {
    auto *button = new QToolButton(this);
    button->setObjectName(name);
    button->setGeometry(scaled(base));
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(px(22), px(8)));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setText(text);
    button->setCursor(Qt::PointingHandCursor);
    QFont font = UiLanguage::font();
    font.setPixelSize(qMax(1, px(15)));
    button->setFont(font);
    button->setStyleSheet(AccentColor::dialogButtonStyle());
    return button;
}

void VelColorArea::setColor(const QColor &color) {
    const QColor opaque =
        color.isValid() ? QColor(color.red(), color.green(), color.blue()) : QColor(0, 0, 0);
    m_preview->setBeforeColor(opaque);
    showRgb(opaque);
}

void VelColorArea::applyColor(const QColor &color, int hue, int saturation, int value, bool rewriteText) {
    m_busy = true;
    m_color = color;
    m_hue = hue;
    m_saturation = saturation;
    m_value = value;
    // Hue 360 and 0 are the same colour: a bar or box showing 360 keeps it.
    if (m_hueBar->hue() % 360 != hue)
        m_hueBar->setHue(hue);
    if (m_hSpin->value() % 360 != hue)
        m_hSpin->setValue(hue);
    m_square->setHsv(hue, saturation, value);
    m_preview->setAfterColor(color);
    m_sSpin->setValue(saturation);
    m_vSpin->setValue(value);
    m_rSpin->setValue(color.red());
    m_gSpin->setValue(color.green());
    m_bSpin->setValue(color.blue());
    if (rewriteText)
        m_hexEdit->setText(hexText(color));
    m_busy = false;
    emit VelChangeColor(color);
}

void VelColorArea::showHsv(int hue, int saturation, int value) {
    hue = qBound(0, hue, 360) % 360;
    saturation = qBound(0, saturation, 255);
    value = qBound(0, value, 255);
    applyColor(QColor::fromHsv(hue, saturation, value).toRgb(), hue, saturation, value, true);
}

void VelColorArea::showRgb(const QColor &color, bool rewriteText) {
    // Greys have no hue of their own (-1); they show hue 0.
    applyColor(color, qMax(0, color.hsvHue()), color.hsvSaturation(), color.value(), rewriteText);
}

void VelColorArea::hValueChangedSlot(int value) {
    if (m_busy)
        return;
    m_hueBar->setHue(value);
    showHsv(value, m_saturation, m_value);
}

void VelColorArea::sValueChangedSlot(int value) {
    if (!m_busy)
        showHsv(m_hue, value, m_value);
}

void VelColorArea::vValueChangedSlot(int value) {
    if (!m_busy)
        showHsv(m_hue, m_saturation, value);
}

void VelColorArea::rValueChangedSlot(int value) {
    if (!m_busy)
        showRgb(QColor(value, m_gSpin->value(), m_bSpin->value()));
}

void VelColorArea::gValueChangedSlot(int value) {
    if (!m_busy)
        showRgb(QColor(m_rSpin->value(), value, m_bSpin->value()));
}

void VelColorArea::bValueChangedSlot(int value) {
    if (!m_busy)
        showRgb(QColor(m_rSpin->value(), m_gSpin->value(), value));
}

void VelColorArea::updateEditData(int hue, int saturation, int value) {
    if (!m_busy)
        showHsv(hue, saturation, value);
}

void VelColorArea::editChangedSlot(const QString &text) {
    // The text stays as the user types it; only finishing completes it.
    if (!m_busy)
        showRgb(colorOfHexText(text), false);
}

void VelColorArea::editFinishedSlot() {
    if (!m_busy)
        m_hexEdit->setText(completedHexText(m_hexEdit->text()));
}

void VelColorArea::color_clicked() {
    const auto *swatch = qobject_cast<DefaultColorArea *>(sender());
    if (m_busy || !swatch || !swatch->color().isValid())
        return;
    showRgb(swatch->color());
    emit ApplyColor();
}

void VelColorArea::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    if (!m_background.isNull())
        painter.drawPixmap(0, 0, m_background);
    else
        painter.fillRect(rect(), QColor(30, 30, 34));
}
