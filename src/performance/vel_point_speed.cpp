#include "performance/vel_point_speed.h"

#include "performance/performance_log.h"
#include "platform/process_launcher.h"
#include "storage/app_config_store.h"
#include "storage/app_paths.h"
#include "widgets/accent_color.h"
#include "widgets/display_scale.h"
#include "widgets/ui_language.h"
#include "widgets/vel_label.h"
#include "widgets/vel_message_box.h"
#include "widgets/vel_push_button.h"
#include "widgets/vel_slider.h"

#include <QCheckBox>
#include <QPainter>
#include <QSpinBox>

namespace {
// Base geometry inside the group.
constexpr QRect kResponseLabelRect(12, 8, 140, 18);
constexpr QRect kResponseValueRect(152, 8, 40, 18);
constexpr QRect kResponseSliderRect(12, 28, 180, 18);
constexpr QRect kSyncRect(12, 52, 180, 20);
constexpr QRect kLiftLabelRect(12, 76, 180, 18);
constexpr QRect kLift1Rect(12, 95, 86, 20);
constexpr QRect kLift2Rect(104, 95, 88, 20);
constexpr QRect kAngleRect(12, 119, 180, 20);
constexpr QRect kJitterRect(12, 141, 180, 20);
constexpr QRect kWakeRect(12, 163, 180, 20);
constexpr QRect kModeLabelRect(12, 187, 180, 18);
constexpr QRect kModeRects[3] = {{12, 206, 86, 20}, {104, 206, 88, 20}, {12, 228, 180, 20}};
constexpr int kRuleY = 254; // the line between the sensor settings and the pointer settings
constexpr QRect kScrollLabelRect(12, 260, 112, 22);
constexpr QRect kScrollSpinRect(128, 260, 64, 22);
constexpr QRect kSettingsButtonRect(12, 286, 180, 20);

constexpr int kMinResponse = 1;
constexpr int kMaxResponse = 255;
constexpr int kMinScroll = 1;
constexpr int kMaxScroll = 20;

} // namespace

VelPointSpeed::VelPointSpeed(double scale, QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pointSpeed"));
    m_responseLabel = new VelLabel(this);
    m_responseValue = new VelLabel(this);
    m_responseValue->setObjectName(QStringLiteral("responseValue"));
    m_responseValue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_liftLabel = new VelLabel(this);
    m_modeLabel = new VelLabel(this);
    m_scrollLabel = new VelLabel(this);
    for (VelLabel *label : {m_responseLabel, m_responseValue, m_liftLabel, m_modeLabel, m_scrollLabel})
        label->setColor(QColor(200, 200, 206));

    m_responseSlider = new VelSlider(Qt::Horizontal, this);
    m_responseSlider->setObjectName(QStringLiteral("responseSlider"));
    m_responseSlider->setRange(kMinResponse, kMaxResponse);
    m_responseSlider->setSingleStep(1);
    m_responseSlider->setPageStep(1);
    m_responseSlider->setTickPosition(QSlider::NoTicks);
    connect(m_responseSlider, &QSlider::valueChanged, this, [this](int value) {
        workingConfig().debounce = static_cast<uint8_t>(value);
        qCDebug(lcPerformance, "slider_clicked 1 = %d", value);
        m_responseValue->setText(QString::number(value));
    });

    m_syncBox = makeBox("syncBox");
    m_lift1Box = makeBox("lift1Box");
    m_lift2Box = makeBox("lift2Box");
    m_angleBox = makeBox("angleBox");
    m_jitterBox = makeBox("jitterBox");
    m_wakeBox = makeBox("wakeBox");
    m_modeBoxes[0] = makeBox("ecoBox");
    m_modeBoxes[1] = makeBox("standardBox");
    m_modeBoxes[2] = makeBox("competitiveBox");

    m_scrollSpin = new QSpinBox(this);
    m_scrollSpin->setObjectName(QStringLiteral("scrollSpin"));
    m_scrollSpin->setRange(kMinScroll, kMaxScroll);
    m_scrollSpin->setAlignment(Qt::AlignCenter);
    // A dark field with light steppers, so that the numbers read on the dark skin.
    QPalette palette = m_scrollSpin->palette();
    palette.setColor(QPalette::Base, QColor(18, 18, 22));
    palette.setColor(QPalette::Button, QColor(40, 40, 46));
    palette.setColor(QPalette::ButtonText, QColor(225, 225, 225));
    palette.setColor(QPalette::WindowText, QColor(225, 225, 225));
    m_scrollSpin->setPalette(palette);
    m_scrollSpin->setStyleSheet(QStringLiteral("color: rgb(225,225,225)"));
    connect(m_scrollSpin, qOverload<int>(&QSpinBox::valueChanged), this, &VelPointSpeed::sValueChangedSlot);

    m_settingsButton = new VelPushButton(VelPushButton::tabImages(), this);
    m_settingsButton->setObjectName(QStringLiteral("mouseSettingButton"));
    connect(m_settingsButton, &QPushButton::clicked, this, &VelPointSpeed::btn_clicked);

    setScale(scale);
    retranslate();
}

QCheckBox *VelPointSpeed::makeBox(const char *name) {
    auto *box = new QCheckBox(this);
    box->setObjectName(QString::fromLatin1(name));
    connect(box, &QCheckBox::clicked, this, &VelPointSpeed::checkbtn_clicked);
    return box;
}

void VelPointSpeed::place(QWidget *child, const QRect &base) {
    child->setGeometry(DisplayScale::scaledIn(base.translated(kBaseRect.topLeft()), kBaseRect, m_scale));
}

void VelPointSpeed::setScale(double factor) {
    m_scale = factor;
    setGeometry(DisplayScale::scaled(kBaseRect, factor));
    const std::pair<QWidget *, QRect> places[] = {{m_responseLabel, kResponseLabelRect},
                                                  {m_responseValue, kResponseValueRect},
                                                  {m_responseSlider, kResponseSliderRect},
                                                  {m_syncBox, kSyncRect},
                                                  {m_liftLabel, kLiftLabelRect},
                                                  {m_lift1Box, kLift1Rect},
                                                  {m_lift2Box, kLift2Rect},
                                                  {m_angleBox, kAngleRect},
                                                  {m_jitterBox, kJitterRect},
                                                  {m_wakeBox, kWakeRect},
                                                  {m_modeLabel, kModeLabelRect},
                                                  {m_modeBoxes[0], kModeRects[0]},
                                                  {m_modeBoxes[1], kModeRects[1]},
                                                  {m_modeBoxes[2], kModeRects[2]},
                                                  {m_scrollLabel, kScrollLabelRect},
                                                  {m_scrollSpin, kScrollSpinRect},
                                                  {m_settingsButton, kSettingsButtonRect}};
    for (const auto &entry : places)
        place(entry.first, entry.second);
    m_responseSlider->setStyleSheet(AccentColor::sliderStyle(factor));
    const QString skin = AppPaths::skinDir();
    const QString boxStyle =
        QString("QCheckBox{color:rgb(200,200,206);background:transparent;spacing:%1px;}"
                "QCheckBox::indicator{width:%2px;height:%2px;}"
                "QCheckBox::indicator:unchecked{border-image:url(\"%3/checkbox1-1.png\");}"
                "QCheckBox::indicator:checked{border-image:url(\"%3/checkbox1-2.png\");}")
            .arg(DisplayScale::scaled(6, factor))
            .arg(qMax(8, DisplayScale::scaled(14, factor)))
            .arg(skin);
    for (QCheckBox *box : findChildren<QCheckBox *>(QString(), Qt::FindDirectChildrenOnly))
        box->setStyleSheet(boxStyle);
    update();
}

void VelPointSpeed::retranslate() {
    m_responseLabel->setText(tr("Key Response"));
    m_syncBox->setText(tr("Enable sync"));
    m_liftLabel->setText(tr("Lift Distance"));
    m_lift1Box->setText(tr("1mm"));
    m_lift2Box->setText(tr("2mm"));
    m_angleBox->setText(tr("Angle Snapping"));
    m_jitterBox->setText(tr("Jitter"));
    m_wakeBox->setText(tr("Motion Wake"));
    m_modeLabel->setText(tr("Sensor Mode"));
    m_modeBoxes[0]->setText(tr("Eco"));
    m_modeBoxes[1]->setText(tr("Standard"));
    m_modeBoxes[2]->setText(tr("Competitive"));
    m_scrollLabel->setText(tr("Scroll Speed"));
    m_settingsButton->setText(tr("Mouse Setting"));
    const QFont font = UiLanguage::font();
    for (QCheckBox *box : findChildren<QCheckBox *>(QString(), Qt::FindDirectChildrenOnly))
        box->setFont(font);
    m_scrollSpin->setFont(font);
}

void VelPointSpeed::refresh() {
    AppConfig &config = workingConfig();
    if (config.liftHigh != 1)
        config.liftHigh = 2;
    // Showing the stored values is no edit: the slider and the spin box would write a clamped value back.
    const QSignalBlocker sliderBlocker(m_responseSlider);
    const QSignalBlocker spinBlocker(m_scrollSpin);
    m_responseSlider->setValue(config.debounce);
    m_responseValue->setText(QString::number(m_responseSlider->value()));
    m_scrollSpin->setValue(config.profile.scrollSpeed);
    m_syncBox->setChecked(config.sync == 1);
    showLift(config.liftHigh);
    m_angleBox->setChecked(config.angleValue == 0);
    m_jitterBox->setChecked(config.jitter == 0);
    m_wakeBox->setChecked(config.wake == 0);
    showSensorMode(config.sensorMode);
}

void VelPointSpeed::showLift(quint8 lift) {
    m_lift1Box->setChecked(lift == 1);
    m_lift2Box->setChecked(lift == 2);
}

void VelPointSpeed::showSensorMode(quint8 mode) {
    for (int i = 0; i < 3; ++i)
        m_modeBoxes[i]->setChecked(i == mode);
}

void VelPointSpeed::sValueChangedSlot(int s) {
    qCDebug(lcPerformance, "slider_clicked 1 = %d", s);
    workingConfig().profile.scrollSpeed = static_cast<uint8_t>(s);
}

void VelPointSpeed::checkbtn_clicked() {
    AppConfig &config = workingConfig();
    const QObject *box = sender();
    // Angle snapping, jitter and motion wake are stored as 0 when on.
    const auto offCode = [](const QCheckBox *b) { return static_cast<uint8_t>(b->isChecked() ? 0 : 1); };
    if (box == m_syncBox) {
        config.sync = m_syncBox->isChecked() ? 1 : 0;
    } else if (box == m_lift1Box || box == m_lift2Box) {
        const quint8 lift = box == m_lift1Box ? 1 : 2;
        config.liftHigh = lift;
        showLift(lift);
        emit LiftChanged(lift);
    } else if (box == m_angleBox) {
        config.angleValue = offCode(m_angleBox);
    } else if (box == m_jitterBox) {
        config.jitter = offCode(m_jitterBox);
    } else if (box == m_wakeBox) {
        config.wake = offCode(m_wakeBox);
    } else {
        for (int i = 0; i < 3; ++i) {
            if (box == m_modeBoxes[i]) {
                config.sensorMode = static_cast<uint8_t>(i);
                showSensorMode(static_cast<quint8>(i));
            }
        }
    }
    qCDebug(lcPerformance, "sync=%d lift=%d angle=%d jitter=%d wake=%d mode=%d", config.sync, config.liftHigh,
            config.angleValue, config.jitter, config.wake, config.sensorMode);
}

void VelPointSpeed::btn_clicked() {
    ProcessLauncher launcher;
    if (launcher.openMouseSettings())
        return;
    qCDebug(lcPerformance, "no mouse settings program found");
    VelMessageBox::inform(window(), tr("No mouse settings program was found on this desktop."));
}

void VelPointSpeed::paintEvent(QPaintEvent *) {
    // A dark rounded panel like the report-rate group's, with a rule above the pointer settings.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal line = qMax(1.0, m_scale);
    painter.setPen(QPen(QColor(62, 62, 70), line));
    painter.setBrush(QColor(34, 34, 40));
    const qreal radius = 6 * m_scale;
    painter.drawRoundedRect(QRectF(rect()).adjusted(line / 2, line / 2, -line / 2, -line / 2), radius,
                            radius);
    const int y = DisplayScale::scaled(kRuleY, m_scale);
    painter.drawLine(QPointF(DisplayScale::scaled(12, m_scale), y),
                     QPointF(width() - DisplayScale::scaled(12, m_scale), y));
}
