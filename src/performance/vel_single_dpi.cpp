#include "performance/vel_single_dpi.h"

#include "performance/performance_log.h"
#include "performance/performance_style.h"
#include "performance/vel_two_bar_slider.h"
#include "widgets/accent_color.h"
#include "widgets/default_color_area.h"
#include "widgets/display_scale.h"
#include "widgets/ui_language.h"
#include "widgets/vel_color_area.h"
#include "widgets/vel_label.h"

#include <QCheckBox>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace {
// Base geometry inside the row: the DPI the stage gives and its X and Y above, the slider between the
// sensor's lowest and highest DPI below, the on/off box at the left and the colour at the right.
constexpr QRect kOnBoxRect(0, 10, 18, 18);
constexpr QRect kDpiLabelRect(24, 0, 104, 17);
constexpr QRect kXLabelRect(130, 0, 74, 17);
constexpr QRect kYLabelRect(206, 0, 74, 17);
constexpr QRect kLinkBoxRect(290, 0, 100, 17);
constexpr QRect kMinLabelRect(24, 18, 40, 20);
constexpr QRect kSliderRect(70, 18, 236, 20);
constexpr QRect kMaxLabelRect(312, 18, 48, 20);
constexpr QRect kColorRect(366, 20, 26, 16);
} // namespace

VelSingleDPI::VelSingleDPI(quint8 index, QWidget *parent) : QWidget(parent), m_index(index) {
    setObjectName(QStringLiteral("stageRow%1").arg(index));
    m_onBox = new QCheckBox(this);
    m_onBox->setObjectName(QStringLiteral("onBox"));
    connect(m_onBox, &QCheckBox::clicked, this,
            [this](bool checked) { emit EnableSignal(checked ? 1 : 0, m_index); });
    m_linkBox = new QCheckBox(this);
    m_linkBox->setObjectName(QStringLiteral("linkBox"));
    m_linkBox->hide();
    connect(m_linkBox, &QCheckBox::clicked, this, [this](bool checked) {
        m_slider->setLinked(checked);
        emit LinkSignal(checked ? 1 : 0, m_index);
    });
    m_slider = new VelTwoBarSlider(this);
    connect(m_slider, &VelTwoBarSlider::SliderChangedSignal, this, &VelSingleDPI::onSliderChanged);
    m_dpiLabel = new VelLabel(this);
    m_dpiLabel->setObjectName(QStringLiteral("dpiLabel"));
    m_dpiLabel->setColor(QColor(235, 235, 240));
    m_xLabel = new VelLabel(this);
    m_yLabel = new VelLabel(this);
    m_minLabel = new VelLabel(this);
    m_minLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_maxLabel = new VelLabel(this);
    for (VelLabel *label : {m_xLabel, m_yLabel, m_minLabel, m_maxLabel})
        label->setColor(QColor(160, 160, 168));
    m_colorButton = new DefaultColorArea(this);
    m_colorButton->setObjectName(QStringLiteral("colorButton"));
    connect(m_colorButton, &DefaultColorArea::ClickedSignal, this, &VelSingleDPI::color_clicked);
    retranslate();
}

void VelSingleDPI::setSensor(int sensorId, const SensorRange &range) {
    if (!range.known)
        return;
    m_sensor = sensorId;
    m_minLabel->setText(QString::number(range.minDpi));
    m_maxLabel->setText(QString::number(range.maxDpi));
    m_slider->setRange(range.minRaw, range.maxRaw);
    m_slider->setValues(m_x, m_y);
    m_linkBox->setVisible(range.linkOffered);
    showValues();
}

void VelSingleDPI::setValues(int x, int y) {
    m_x = x;
    m_y = y;
    m_slider->setValues(x, y);
    showValues();
}

void VelSingleDPI::setLink(bool link) {
    const QSignalBlocker blocker(m_linkBox);
    m_linkBox->setChecked(link);
    m_slider->setLinked(link);
}

void VelSingleDPI::setStageOn(bool on) {
    const QSignalBlocker blocker(m_onBox);
    m_onBox->setChecked(on);
}

void VelSingleDPI::setColor(const QColor &color) {
    m_color = color;
    m_colorButton->setColor(color);
}

void VelSingleDPI::setColorShown(bool shown) {
    m_colorButton->setVisible(shown);
}

void VelSingleDPI::setScale(double factor) {
    m_factor = factor;
    resize(DisplayScale::scaled(kBaseWidth, factor), DisplayScale::scaled(kBaseHeight, factor));
    m_onBox->setGeometry(DisplayScale::scaled(kOnBoxRect, factor));
    m_linkBox->setGeometry(DisplayScale::scaled(kLinkBoxRect, factor));
    m_dpiLabel->setGeometry(DisplayScale::scaled(kDpiLabelRect, factor));
    m_xLabel->setGeometry(DisplayScale::scaled(kXLabelRect, factor));
    m_yLabel->setGeometry(DisplayScale::scaled(kYLabelRect, factor));
    m_minLabel->setGeometry(DisplayScale::scaled(kMinLabelRect, factor));
    m_slider->setGeometry(DisplayScale::scaled(kSliderRect, factor));
    m_maxLabel->setGeometry(DisplayScale::scaled(kMaxLabelRect, factor));
    m_colorButton->setGeometry(DisplayScale::scaled(kColorRect, factor));
    const QString boxStyle = AccentColor::checkBoxStyle(factor);
    m_onBox->setStyleSheet(boxStyle);
    m_linkBox->setStyleSheet(boxStyle);
    m_slider->setScale(factor);
}

void VelSingleDPI::retranslate() {
    m_linkBox->setText(tr("Link XY"));
    m_linkBox->setFont(UiLanguage::font());
    showValues();
}

void VelSingleDPI::onSliderChanged(int x, int y) {
    m_x = x;
    m_y = y;
    qCDebug(lcPerformance, "ix = %d", x);
    showValues();
    emit DPISignal(x, y, m_index);
}

void VelSingleDPI::color_clicked() {
    VelColorArea picker(m_factor, window());
    picker.setColor(m_color);
    if (picker.exec() == QDialog::Accepted) {
        setColor(picker.color());
        emit DPIColorSignal(m_color, m_index);
    }
}

void VelSingleDPI::mousePressEvent(QMouseEvent *event) {
    event->accept();
    emit MouseinSignal(m_index);
}

// The stage's DPI is the one of its Y value.
void VelSingleDPI::showValues() {
    m_dpiLabel->setText(tr("DPI : %1").arg(positionToDpi(m_sensor, m_y)));
    m_xLabel->setText(tr("X:%1").arg(positionToDpi(m_sensor, m_x)));
    m_yLabel->setText(tr("Y:%1").arg(positionToDpi(m_sensor, m_y)));
}
