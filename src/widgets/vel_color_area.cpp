#include "widgets/vel_color_area.h"

#include "widgets/default_color_area.h"
#include "widgets/h_color_area.h"
#include "widgets/preview_color_area.h"
#include "widgets/sv_color_area.h"

#include <QLineEdit>
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
    : VelSkinDialog(scale, QSize(kBaseWidth, kBaseHeight), QStringLiteral("dlg.png"), tr("COLOR"), parent) {
    m_square = new SVColorArea(scale, this);
    m_square->move(px(24), px(62));
    m_hueBar = new HColorArea(scale, this);
    m_hueBar->move(px(162), px(62 - HColorArea::kTopMargin));
    m_preview = new PreviewColorArea(scale, this);
    m_preview->move(px(210), px(62));

    m_hSpin = addNumberBox(QStringLiteral("hueSpinBox"), tr("H "), 360, QRect(352, 62, 70, 26));
    m_sSpin = addNumberBox(QStringLiteral("saturationSpinBox"), tr("S "), 255, QRect(352, 96, 70, 26));
    m_vSpin = addNumberBox(QStringLiteral("valueSpinBox"), tr("V "), 255, QRect(352, 130, 70, 26));
    m_rSpin = addNumberBox(QStringLiteral("redSpinBox"), tr("R "), 255, QRect(430, 62, 70, 26));
    m_gSpin = addNumberBox(QStringLiteral("greenSpinBox"), tr("G "), 255, QRect(430, 96, 70, 26));
    m_bSpin = addNumberBox(QStringLiteral("blueSpinBox"), tr("B "), 255, QRect(430, 130, 70, 26));

    m_hexEdit = addEdit(QStringLiteral("hexEdit"), QRect(352, 164, 148, 26));
    QFont mono(QStringLiteral("Consolas"));
    mono.setStyleHint(QFont::Monospace);
    mono.setPixelSize(qMax(1, px(14)));
    m_hexEdit->setFont(mono);
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

    addAnswerButtons(268, tr("No"));
    connect(okButton(), &QToolButton::released, this, &QDialog::accept);

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

QSpinBox *VelColorArea::addNumberBox(const QString &name, const QString &prefix, int maximum,
                                     const QRect &base) {
    QSpinBox *box = addSpinBox(name, 0, maximum, base);
    box->setPrefix(prefix);
    return box;
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
