#include "performance/vel_dpi_window.h"

#include "device/pointer_speed.h"
#include "device/sensor_dpi.h"
#include "performance/performance_log.h"
#include "performance/performance_style.h"
#include "performance/vel_point_speed.h"
#include "performance/vel_report_rate.h"
#include "performance/vel_single_dpi.h"
#include "storage/app_config_store.h"
#include "storage/config_file.h"
#include "storage/description_file.h"
#include "widgets/accent_color.h"
#include "widgets/display_scale.h"
#include "widgets/ui_language.h"
#include "widgets/vel_label.h"
#include "widgets/vel_slider.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QPainter>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {
// Base geometry inside the page area. Stage i sits at y = 43 + 50 × i, its radio button at the left and
// its row beside it; everything stays left of x 430 (the right part of the page holds the report rate
// and the mouse settings).
constexpr int kRowTop = 43;
constexpr int kRowPitch = 50;
constexpr int kRadioX = 8;
constexpr int kRadioSize = 20;
constexpr int kRowX = 34;
// The sleep widgets, relative to the first free row place: title, slider and value on one line, the
// "MOVE TO LIGHT OFF" box on the next.
constexpr QRect kSleepLabelRect(kRowX, 0, 110, 24);
constexpr QRect kSleepSliderRect(kRowX + 112, 0, 180, 24);
constexpr QRect kSleepValueRect(kRowX + 300, 0, 96, 24);
constexpr QRect kMoveOffRect(kRowX, 30, 300, 22);
constexpr int kSleepHeight = 52;
// The pointer speed note, at the foot of the stage column when the stages leave room for it.
constexpr QRect kPointerNoteRect(kRowX, 398, 396, 34);

ProfileData &profile() {
    return workingConfig().profile;
}

int rowTop(int index) {
    return kRowTop + kRowPitch * index;
}
} // namespace

VelDPIWindow::VelDPIWindow(double scale, QWidget *parent) : ConfigPage(parent) {
    setObjectName(QStringLiteral("dpiPage"));
    m_radioGroup = new QButtonGroup(this);
    m_radioGroup->setExclusive(true);
    for (int i = 0; i < kStageCount; ++i) {
        m_radios[i] = new QRadioButton(this);
        m_radios[i]->setObjectName(QStringLiteral("stageRadio%1").arg(i));
        m_radioGroup->addButton(m_radios[i], i);
        m_rows[i] = new VelSingleDPI(static_cast<quint8>(i), this);
        connect(m_rows[i], &VelSingleDPI::DPISignal, this, &VelDPIWindow::onSliderChanged);
        connect(m_rows[i], &VelSingleDPI::LinkSignal, this, &VelDPIWindow::onLinkChanged);
        connect(m_rows[i], &VelSingleDPI::EnableSignal, this, &VelDPIWindow::onEnableChanged);
        connect(m_rows[i], &VelSingleDPI::MouseinSignal, this, [this](quint8 index) { selectStage(index); });
        connect(m_rows[i], &VelSingleDPI::DPIColorSignal, this, &VelDPIWindow::onDPIColorChanged);
    }
    connect(m_radioGroup, &QButtonGroup::idClicked, this, &VelDPIWindow::onRadioChanged);

    // The lighting's sleep time and light-off, for models whose stages leave room for them here: the
    // working profile's, which the lighting page edits as well, so each page shows what the other set.
    int sleepMin = 1;
    int sleepMax = 9;
    description::sleepRange(sleepMin, sleepMax);
    m_sleepLabel = new VelLabel(this);
    m_sleepSlider = new VelSlider(Qt::Horizontal, this);
    m_sleepSlider->setObjectName(QStringLiteral("sleepSlider"));
    m_sleepSlider->setRange(sleepMin, qMax(sleepMin, sleepMax));
    m_sleepSlider->setSingleStep(1);
    m_sleepSlider->setPageStep(1);
    m_sleepSlider->setTickPosition(QSlider::NoTicks);
    connect(m_sleepSlider, &QSlider::valueChanged, this, &VelDPIWindow::onSleepChanged);
    m_sleepValue = new VelLabel(this);
    m_sleepValue->setObjectName(QStringLiteral("sleepValue"));
    m_moveOffBox = new QCheckBox(this);
    m_moveOffBox->setObjectName(QStringLiteral("moveOffBox"));
    connect(m_moveOffBox, &QCheckBox::clicked, this, &VelDPIWindow::onMoveOffClicked);
    m_pointerNote = new VelLabel(this);
    m_pointerNote->setObjectName(QStringLiteral("pointerNote"));
    m_pointerNote->setTextWrap(true);
    for (VelLabel *label : {m_sleepLabel, m_sleepValue, m_pointerNote})
        label->setColor(QColor(200, 200, 206));

    m_reportRate = new VelReportRate(scale, this);
    m_pointSpeed = new VelPointSpeed(scale, this);
    // Both groups set the lift-off distance; each shows what the other chose.
    connect(m_reportRate, &VelReportRate::RefreshLift, m_pointSpeed, &VelPointSpeed::refresh);
    connect(m_pointSpeed, &VelPointSpeed::LiftChanged, m_reportRate, &VelReportRate::refresh);

    // Until the configuration names a sensor the program knows, the rows show the 3325's range.
    setSensor(sensor::k3325);
    refresh();
    setScale(scale);
    retranslate();
}

int VelDPIWindow::visibleStageCount() {
    const int count = description::dpiStageCount();
    return count >= 1 && count <= kStageCount ? count : kStageCount;
}

void VelDPIWindow::setSensor(int sensorId) {
    const SensorRange range =
        sensorRange(sensorId, description::extendedDpiRange() == 1, config::currentProductName());
    if (!range.known) {
        qCDebug(lcPerformance, "unknown sensor %d, rows keep sensor %d", sensorId, m_sensor);
        return;
    }
    m_sensor = sensorId;
    for (VelSingleDPI *row : m_rows)
        row->setSensor(sensorId, range);
}

void VelDPIWindow::refresh() {
    setSensor(config::sensorType());
    m_visible = visibleStageCount();
    const ProfileData &data = profile();
    const bool colorShown = description::showDpiLed() == 1;
    for (int i = 0; i < kStageCount; ++i) {
        const DpiStage &stage = data.dpiStages[i];
        m_rows[i]->setValues(int(stage.x), int(stage.y));
        m_rows[i]->setLink(stage.link != 0);
        m_rows[i]->setStageOn(stage.used != 0);
        m_rows[i]->setColor(stage.color);
        m_rows[i]->setColorShown(colorShown);
    }
    if (data.dpiStage < kStageCount) {
        const QSignalBlocker blocker(m_radioGroup);
        m_radios[data.dpiStage]->setChecked(true);
    }
    {
        const QSignalBlocker blocker(m_sleepSlider);
        m_sleepSlider->setValue(data.ledSleepTime);
    }
    showSleepValue(data.ledSleepTime);
    m_moveOffBox->setChecked(data.ledMoveOff == 0);
    if (m_reportRate) {
        m_reportRate->refresh();
        m_pointSpeed->refresh();
    }
    layoutWidgets();
}

void VelDPIWindow::retranslate() {
    m_sleepLabel->setText(tr("SLEEP TIME"));
    m_moveOffBox->setText(tr("MOVE TO LIGHT OFF"));
    m_moveOffBox->setFont(UiLanguage::font());
    m_pointerNote->setText(
        tr("On this desktop the pointer speed is set in its own mouse settings (Mouse Setting)."));
    showSleepValue(m_sleepSlider->value());
    for (VelSingleDPI *row : m_rows)
        row->retranslate();
    m_reportRate->retranslate();
    m_pointSpeed->retranslate();
}

void VelDPIWindow::setScale(double factor) {
    ConfigPage::setScale(factor);
    const QString radioStyle = performancestyle::stageRadio(factor);
    for (QRadioButton *radio : m_radios)
        radio->setStyleSheet(radioStyle);
    for (VelSingleDPI *row : m_rows)
        row->setScale(factor);
    m_sleepSlider->setStyleSheet(performancestyle::slider(factor));
    m_moveOffBox->setStyleSheet(AccentColor::checkBoxStyle(factor));
    m_reportRate->setScale(factor);
    m_pointSpeed->setScale(factor);
    layoutWidgets();
}

// Stages beyond the mouse's count are hidden. The sleep widgets take the place below the last stage;
// they show only for a mouse with lighting ("PROFILE/ledDisable" 0) and only when that place is inside
// the page, that is with at most six stages. With seven or eight the lighting page alone shows them.
void VelDPIWindow::layoutWidgets() {
    const double f = scale();
    for (int i = 0; i < kStageCount; ++i) {
        const int top = rowTop(i);
        m_radios[i]->setGeometry(DisplayScale::scaled(
            QRect(kRadioX, top + (VelSingleDPI::kBaseHeight - kRadioSize) / 2, kRadioSize, kRadioSize), f));
        m_rows[i]->move(DisplayScale::scaled(kRowX, f), DisplayScale::scaled(top, f));
        m_radios[i]->setVisible(i < m_visible);
        m_rows[i]->setVisible(i < m_visible);
    }
    const int sleepTop = rowTop(m_visible);
    const bool sleepShown = description::ledDisable() == 0 && sleepTop + kSleepHeight <= kBaseHeight;
    m_sleepLabel->setGeometry(DisplayScale::scaled(kSleepLabelRect.translated(0, sleepTop), f));
    m_sleepSlider->setGeometry(DisplayScale::scaled(kSleepSliderRect.translated(0, sleepTop), f));
    m_sleepValue->setGeometry(DisplayScale::scaled(kSleepValueRect.translated(0, sleepTop), f));
    m_moveOffBox->setGeometry(DisplayScale::scaled(kMoveOffRect.translated(0, sleepTop), f));
    for (QWidget *widget : {static_cast<QWidget *>(m_sleepLabel), static_cast<QWidget *>(m_sleepSlider),
                            static_cast<QWidget *>(m_sleepValue), static_cast<QWidget *>(m_moveOffBox)})
        widget->setVisible(sleepShown);
    const int freeTop = sleepTop + (sleepShown ? kSleepHeight : 0);
    m_pointerNote->setGeometry(DisplayScale::scaled(kPointerNoteRect, f));
    m_pointerNote->setVisible(pointerSettings().desktopSetsSpeed() && freeTop <= kPointerNoteRect.top());
}

void VelDPIWindow::selectStage(int index) {
    if (index < 0 || index >= kStageCount)
        return;
    profile().dpiStage = static_cast<uint8_t>(index);
    const QSignalBlocker blocker(m_radioGroup);
    m_radios[index]->setChecked(true);
}

void VelDPIWindow::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(25, 25, 25, 204));
}

void VelDPIWindow::onRadioChanged() {
    const int id = m_radioGroup->checkedId();
    if (id < 0)
        return;
    profile().dpiStage = static_cast<uint8_t>(id);
    qCDebug(lcPerformance, "m_ProfileData.dpi = %d", id);
}

void VelDPIWindow::onLinkChanged(quint8 link, quint8 index) {
    profile().dpiStages[index].link = link;
}

void VelDPIWindow::onEnableChanged(quint8 on, quint8 index) {
    profile().dpiStages[index].used = on;
}

void VelDPIWindow::onSliderChanged(int x, int y, quint8 index) {
    DpiStage &stage = profile().dpiStages[index];
    stage.x = uint32_t(x);
    stage.y = uint32_t(y);
}

void VelDPIWindow::onDPIColorChanged(QColor color, quint8 index) {
    profile().dpiStages[index].color = color;
}

void VelDPIWindow::onSleepChanged(int minutes) {
    profile().ledSleepTime = static_cast<uint8_t>(minutes);
    showSleepValue(minutes);
}

void VelDPIWindow::onMoveOffClicked(bool checked) {
    profile().ledMoveOff = checked ? 0 : 255;
}

void VelDPIWindow::showSleepValue(int minutes) {
    m_sleepValue->setText(QString::number(minutes) + tr(" MINUTE"));
}
