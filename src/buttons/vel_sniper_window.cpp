#include "buttons/vel_sniper_window.h"

#include "buttons/button_catalog.h"
#include "device/device_code_table.h"
#include "device/sensor_dpi.h"
#include "storage/config_file.h"
#include "widgets/accent_color.h"
#include "widgets/vel_label.h"
#include "widgets/vel_slider.h"

namespace {
// The sniper steps a sensor offers: the slider's range, the presets kept as they are (others become the
// fallback). Sensors not listed offer 1-10 and keep every preset.
struct SniperRange {
    int sensor;
    int sliderMin;
    int sliderMax;
    int acceptedMin;
    int acceptedMax;
    int fallback;
};
constexpr SniperRange kSniperRanges[] = {
    {sensor::k3325, 1, 10, 1, 10, 3},    {sensor::k3327, 1, 10, 1, 10, 3},
    {sensor::k3360, 1, 10, 1, 10, 3},    {sensor::k3335, 1, 10, 1, 10, 3},
    {sensor::k3333, 2, 10, 1, 10, 3},    {sensor::k3389, 2, 20, 2, 20, 6},
    {sensor::k3212, 16, 32, 17, 32, 16}, {sensor::k3104, 14, 26, 15, 26, 14},
};

const SniperRange *sniperRange(int sensorId) {
    for (const SniperRange &range : kSniperRanges) {
        if (range.sensor == sensorId)
            return &range;
    }
    return nullptr;
}
} // namespace

VelSniperWindow::VelSniperWindow(double scale, QWidget *parent)
    : VelKeyDialog(scale, buttoncatalog::functionLabel(devicecode::kSniper), parent),
      m_sensor(config::sensorType()) {
    addLabel(tr("DPI while the button is held:"), QRect(40, 58, 320, 24));
    m_slider = new VelSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("sniperSlider"));
    m_slider->setGeometry(scaled(QRect(40, 104, 240, 24)));
    m_slider->setStyleSheet(AccentColor::sliderStyle(scale));
    m_slider->setSingleStep(1);
    m_slider->setPageStep(1);
    const SniperRange *range = sniperRange(m_sensor);
    m_slider->setRange(range ? range->sliderMin : 1, range ? range->sliderMax : 10);
    m_dpiLabel = addLabel(QString(), QRect(296, 100, 70, 32));
    m_dpiLabel->setObjectName(QStringLiteral("sniperDpi"));
    m_dpiLabel->setAlignment(Qt::AlignCenter);
    m_dpiLabel->setBackgroundColor(QColor(18, 18, 22));
    connect(m_slider, &QSlider::valueChanged, this, &VelSniperWindow::showValue);
    showValue(m_slider->value());
}

void VelSniperWindow::SetSniper(quint8 value) {
    const SniperRange *range = sniperRange(m_sensor);
    int preset = value;
    if (range && (preset < range->acceptedMin || preset > range->acceptedMax))
        preset = range->fallback;
    {
        const QSignalBlocker blocker(m_slider);
        m_slider->setValue(preset);
    }
    showValue(m_slider->value());
}

void VelSniperWindow::showValue(int value) {
    m_value = static_cast<quint8>(value);
    m_dpiLabel->setText(QString::number(positionToDpi(m_sensor, value)));
    emit SetSniperValue(m_value);
}
