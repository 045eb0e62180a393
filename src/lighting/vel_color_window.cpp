#include "lighting/vel_color_window.h"

#include "lighting/lighting_log.h"
#include "storage/app_config_store.h"
#include "storage/app_paths.h"
#include "storage/description_file.h"
#include "widgets/accent_color.h"
#include "widgets/default_color_area.h"
#include "widgets/display_scale.h"
#include "widgets/ui_language.h"
#include "widgets/vel_action.h"
#include "widgets/vel_color_area.h"
#include "widgets/vel_label.h"
#include "widgets/vel_menu.h"
#include "widgets/vel_push_button.h"
#include "widgets/vel_slider.h"

#include <QCheckBox>

namespace {
// Base geometry inside the page area.
constexpr QRect kEffectLabelRect(30, 18, 201, 18);
constexpr QRect kEffectButtonRect(30, 38, 228, 30);
constexpr QRect kUpperLabelRect(30, 78, 201, 18);
constexpr QRect kUpperSliderRect(30, 97, 228, 25);
constexpr QRect kLowerLabelRect(30, 137, 201, 18);
constexpr QRect kLowerSliderRect(30, 156, 228, 25);
// The colour row shows only with a single slider (full lighted, breathing): it takes the lower row's place.
constexpr QRect kColorLabelRect(30, 137, 201, 18);
constexpr QRect kSwatchRect(30, 157, 60, 24);

// The sleep row's three arrangements: its label, slider, value and the "MOVE TO LIGHT OFF" box.
struct SleepPlaces {
    QRect label, slider, value, box;
};
constexpr SleepPlaces kSleepBelow{
    {30, 200, 201, 18}, {30, 219, 228, 25}, {268, 219, 110, 25}, {30, 262, 300, 24}};
constexpr SleepPlaces kSleepBeside{
    {360, 78, 201, 18}, {360, 97, 228, 25}, {360, 126, 110, 25}, {360, 158, 280, 24}};
constexpr SleepPlaces kSleepBottom{
    {30, 386, 120, 25}, {150, 386, 228, 25}, {388, 386, 90, 25}, {30, 354, 300, 24}};

const char *const kModeTexts[VelColorWindow::kModeCount] = {
    QT_TRANSLATE_NOOP("VelColorWindow", "OFF"),
    QT_TRANSLATE_NOOP("VelColorWindow", "FULL LIGHTED"),
    QT_TRANSLATE_NOOP("VelColorWindow", "BREATHING"),
    QT_TRANSLATE_NOOP("VelColorWindow", "7 COLOR BREATHING"),
    QT_TRANSLATE_NOOP("VelColorWindow", "RAINBOW"),
    QT_TRANSLATE_NOOP("VelColorWindow", "FLASH"),
    QT_TRANSLATE_NOOP("VelColorWindow", "Horizontal WAVE"),
    QT_TRANSLATE_NOOP("VelColorWindow", "Horizontal GO WITHOUT TRACE"),
    QT_TRANSLATE_NOOP("VelColorWindow", "Raindrop"),
    QT_TRANSLATE_NOOP("VelColorWindow", "WAVE"),
    QT_TRANSLATE_NOOP("VelColorWindow", "GO WITHOUT TRACE"),
    QT_TRANSLATE_NOOP("VelColorWindow", "REACTIVE"),
    QT_TRANSLATE_NOOP("VelColorWindow", "yo-yo"),
    QT_TRANSLATE_NOOP("VelColorWindow", "Marbles")};

ProfileData &profile() {
    return workingConfig().profile;
}

// The lighting entry of the current effect; a mode number the file may hold beyond the table reads the
// first entry instead of memory past it.
LedModeSetting &currentEntry() {
    return profile().ledModes[profile().ledMode < VelColorWindow::kModeCount ? profile().ledMode : 0];
}

int currentMode() {
    return profile().ledMode < VelColorWindow::kModeCount ? profile().ledMode : 0;
}
} // namespace

VelColorWindow::VelColorWindow(double scale, QWidget *parent) : ConfigPage(parent) {
    setObjectName(QStringLiteral("lightingPage"));
    description::sleepRange(m_sleepMin, m_sleepMax);
    m_sleepMax = qMax(m_sleepMin, m_sleepMax);
    const QColor text(200, 200, 206);
    m_effectLabel = new VelLabel(this);
    m_effectButton = new VelPushButton({AppPaths::skinDir() + "/profilesel.png"}, this);
    m_effectButton->setObjectName(QStringLiteral("effectButton"));
    m_effectMenu = new VelMenu(this);
    for (int mode = 0; mode < kModeCount; ++mode) {
        m_actions[mode] = new VelAction(this);
        m_actions[mode]->setCheckable(true);
        connect(m_actions[mode], &QAction::triggered, this, [this, mode] { chooseEffect(mode); });
    }
    connect(m_effectButton, &QPushButton::clicked, this, [this] {
        m_effectMenu->setFixedWidth(m_effectButton->width());
        m_effectMenu->exec(m_effectButton->mapToGlobal(QPoint(0, m_effectButton->height())));
    });

    m_brightLabel = new VelLabel(this);
    m_brightSlider = makeSlider(1, 3);
    m_brightSlider->setObjectName(QStringLiteral("brightnessSlider"));
    connect(m_brightSlider, &QSlider::valueChanged, this, [](int v) { currentEntry().bright = uint32_t(v); });
    m_speedLabel = new VelLabel(this);
    m_speedSlider = makeSlider(1, 5);
    m_speedSlider->setObjectName(QStringLiteral("speedSlider"));
    connect(m_speedSlider, &QSlider::valueChanged, this, [](int v) { currentEntry().breath = uint32_t(v); });
    m_colorLabel = new VelLabel(this);
    m_swatch = new DefaultColorArea(this);
    m_swatch->setObjectName(QStringLiteral("colorSwatch"));
    connect(m_swatch, &DefaultColorArea::ClickedSignal, this, &VelColorWindow::color_clicked);

    m_sleepLabel = new VelLabel(this);
    m_sleepSlider = makeSlider(m_sleepMin, m_sleepMax);
    m_sleepSlider->setObjectName(QStringLiteral("sleepSlider"));
    m_sleepValue = new VelLabel(this);
    m_sleepValue->setObjectName(QStringLiteral("sleepValue"));
    connect(m_sleepSlider, &QSlider::valueChanged, this, [this](int v) {
        profile().ledSleepTime = static_cast<uint8_t>(v);
        showSleepValue(v);
    });
    m_moveOffBox = new QCheckBox(this);
    m_moveOffBox->setObjectName(QStringLiteral("moveOffBox"));
    connect(m_moveOffBox, &QCheckBox::clicked, this, &VelColorWindow::checkbtn_clicked);
    for (VelLabel *label :
         {m_effectLabel, m_brightLabel, m_speedLabel, m_colorLabel, m_sleepLabel, m_sleepValue})
        label->setColor(text);
    setScale(scale);
    retranslate();
}

VelSlider *VelColorWindow::makeSlider(int minimum, int maximum) {
    auto *slider = new VelSlider(Qt::Horizontal, this);
    slider->setRange(minimum, maximum);
    slider->setSingleStep(1);
    slider->setPageStep(1);
    slider->setTickPosition(QSlider::NoTicks);
    connect(slider, &VelSlider::MouseChange, this, &VelColorWindow::slotSliderMouseChange);
    return slider;
}

const std::array<int, 10> &VelColorWindow::menuModes() {
    static const std::array<int, 10> modes = {1, 2, 3, 4, 9, 11, 10, 12, 13, 0};
    return modes;
}

bool VelColorWindow::showsBrightness(int mode) {
    return mode != kOff && mode != kBreathing && mode != kColorBreathing;
}

bool VelColorWindow::showsSpeed(int mode) {
    return mode != kOff && mode != kFullLighted && mode != kReactive;
}

bool VelColorWindow::showsColor(int mode) {
    return mode == kFullLighted || mode == kBreathing;
}

void VelColorWindow::setScale(double factor) {
    ConfigPage::setScale(factor);
    m_effectLabel->setGeometry(DisplayScale::scaled(kEffectLabelRect, factor));
    m_effectButton->setGeometry(DisplayScale::scaled(kEffectButtonRect, factor));
    m_colorLabel->setGeometry(DisplayScale::scaled(kColorLabelRect, factor));
    m_swatch->setGeometry(DisplayScale::scaled(kSwatchRect, factor));
    const QString style = AccentColor::sliderStyle(factor);
    for (VelSlider *slider : {m_brightSlider, m_speedSlider, m_sleepSlider})
        slider->setStyleSheet(style);
    const QColor accent = AccentColor::current();
    m_moveOffBox->setStyleSheet(
        QString("QCheckBox{color:rgb(200,200,206);}QCheckBox::indicator{width:%1px;height:%1px;"
                "border:1px solid rgb(150,150,158);border-radius:2px;background:rgb(30,30,30);}"
                "QCheckBox::indicator:checked{background:%2;}")
            .arg(DisplayScale::scaled(14, factor))
            .arg(accent.name()));
    layoutSleepRow();
    applyMode(currentMode());
}

void VelColorWindow::layoutSleepRow() {
    const int arrangement = description::showSleep();
    const SleepPlaces &places = arrangement == 1   ? kSleepBelow
                                : arrangement == 0 ? kSleepBeside
                                                   : kSleepBottom;
    m_sleepLabel->setGeometry(DisplayScale::scaled(places.label, scale()));
    m_sleepSlider->setGeometry(DisplayScale::scaled(places.slider, scale()));
    m_sleepValue->setGeometry(DisplayScale::scaled(places.value, scale()));
    m_moveOffBox->setGeometry(DisplayScale::scaled(places.box, scale()));
}

void VelColorWindow::applyMode(int mode) {
    if (mode < 0 || mode >= kModeCount)
        mode = kOff;
    m_effectButton->setText(m_actions[mode]->text());
    for (int i = 0; i < kModeCount; ++i)
        m_actions[i]->setChecked(i == mode);
    // Breathing effects have no brightness: their speed row takes the upper place.
    const bool speedFirst = mode == kBreathing || mode == kColorBreathing;
    m_brightLabel->setGeometry(DisplayScale::scaled(speedFirst ? kLowerLabelRect : kUpperLabelRect, scale()));
    m_brightSlider->setGeometry(
        DisplayScale::scaled(speedFirst ? kLowerSliderRect : kUpperSliderRect, scale()));
    m_speedLabel->setGeometry(DisplayScale::scaled(speedFirst ? kUpperLabelRect : kLowerLabelRect, scale()));
    m_speedSlider->setGeometry(
        DisplayScale::scaled(speedFirst ? kUpperSliderRect : kLowerSliderRect, scale()));
    m_brightLabel->setVisible(showsBrightness(mode));
    m_brightSlider->setVisible(showsBrightness(mode));
    m_speedLabel->setVisible(showsSpeed(mode));
    m_speedSlider->setVisible(showsSpeed(mode));
    m_colorLabel->setVisible(showsColor(mode));
    m_swatch->setVisible(showsColor(mode));
}

void VelColorWindow::chooseEffect(int mode) {
    applyMode(mode);
    profile().ledMode = static_cast<uint8_t>(mode);
    const LedModeSetting &entry = currentEntry();
    m_brightSlider->setValue(int(entry.bright));
    m_speedSlider->setValue(int(entry.breath));
    qCDebug(lcLighting, "EffectMenuFunction iProfile=%d i=%d r=%d g=%d b=%d", workingConfig().profileId, mode,
            entry.color.red(), entry.color.green(), entry.color.blue());
    m_swatch->setColor(entry.color);
}

void VelColorWindow::buildMenu() {
    m_effectMenu->clear();
    for (int mode : menuModes())
        m_effectMenu->addAction(m_actions[mode]);
}

void VelColorWindow::refresh() {
    const int mode = currentMode();
    applyMode(mode);
    const LedModeSetting &entry = currentEntry();
    // The sliders show the stored levels; setting them must not write a clamped level back.
    for (VelSlider *slider : {m_brightSlider, m_speedSlider, m_sleepSlider})
        slider->blockSignals(true);
    m_brightSlider->setValue(int(entry.bright));
    m_speedSlider->setValue(int(entry.breath));
    m_sleepSlider->setValue(profile().ledSleepTime);
    for (VelSlider *slider : {m_brightSlider, m_speedSlider, m_sleepSlider})
        slider->blockSignals(false);
    m_swatch->setColor(entry.color);
    showSleepValue(profile().ledSleepTime);
    m_moveOffBox->setChecked(profile().ledMoveOff == 0);
    buildMenu();
}

void VelColorWindow::retranslate() {
    m_effectLabel->setText(tr("EFFECT"));
    m_brightLabel->setText(tr("BRIGHTNESS"));
    m_speedLabel->setText(tr("SPEED"));
    m_colorLabel->setText(tr("COLOR"));
    m_sleepLabel->setText(tr("SLEEP TIME"));
    m_moveOffBox->setText(tr("MOVE TO LIGHT OFF"));
    m_moveOffBox->setFont(UiLanguage::font());
    showSleepValue(profile().ledSleepTime);
    for (int mode = 0; mode < kModeCount; ++mode)
        m_actions[mode]->setText(tr(kModeTexts[mode]));
    applyMode(currentMode());
}

void VelColorWindow::showSleepValue(int minutes) {
    m_sleepValue->setText(QString::number(minutes) + tr(" MINUTE"));
}

void VelColorWindow::slotSliderMouseChange() {}

void VelColorWindow::slotSendLedState(QColor color) {
    qCDebug(lcLighting, "slotSendLedState iProfile=%d i=%d r=%d g=%d b=%d", workingConfig().profileId,
            currentMode(), color.red(), color.green(), color.blue());
    currentEntry().color = color;
}

void VelColorWindow::slotApplyColor() {}

void VelColorWindow::color_clicked() {
    VelColorArea dialog(scale(), window());
    dialog.setColor(currentEntry().color);
    if (dialog.exec() == QDialog::Accepted) {
        currentEntry().color = dialog.color();
        m_swatch->setColor(dialog.color());
    }
}

void VelColorWindow::checkbtn_clicked() {
    profile().ledMoveOff = m_moveOffBox->isChecked() ? 0 : 255;
}
