#include "app/status_row.h"

#include "app/connection_monitor.h"
#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "storage/description_file.h"
#include "storage/program_version.h"
#include "widgets/accent_color.h"
#include "widgets/display_scale.h"
#include "widgets/skin_pictures.h"
#include "widgets/vel_label.h"
#include "widgets/vel_processbar.h"
#include "widgets/vel_push_button.h"

#include <QLabel>
#include <QPainter>

namespace {
// The row's place in the window and its parts, in the window's base coordinates.
constexpr QRect kRowRect(60, 572, 930, 60);
constexpr QRect kBatteryPictureRect(69, 581, 86, 47);
constexpr QRect kBatteryBarRect(160, 596, 110, 18);
constexpr QRect kLightningRect(274, 590, 14, 22);
constexpr QRect kReceiverRect(292, 592, 60, 30);
constexpr QRect kVersionRect(362, 580, 150, 22);
constexpr QRect kModelRect(362, 604, 150, 22);
constexpr int kFirstButtonX = 520;
constexpr int kButtonStep = 77;
constexpr QSize kButtonSize(72, 30);
constexpr int kButtonY = 592;
constexpr int kBarFontPx = 14;

const char *const kButtonNames[StatusRow::kButtonCount] = {"resetAllButton", "load1Button",  "saveButton",
                                                           "okButton",       "cancelButton", "applyButton"};

QString barStyle(const QColor &chunk, const QColor &background, const QColor &text, int fontPx) {
    return QString("QProgressBar{background-color:%1;border-radius:2px;color:%2;font-weight:bold;"
                   "font-size:%3px;text-align:center;}QProgressBar::chunk{background-color:%4;border-radius:"
                   "2px;}")
        .arg(background.name(), text.name())
        .arg(fontPx)
        .arg(chunk.name());
}
} // namespace

StatusRow::StatusRow(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("statusRow"));
    const QString skin = AppPaths::skinDir() + "/";
    m_batteryBar = new VelProcessbar(this);
    m_batteryBar->setObjectName(QStringLiteral("batteryBar"));
    m_batteryBar->setRange(0, 100);
    m_lightningLabel = new QLabel(this);
    m_lightningLabel->setPixmap(QPixmap(skin + "lightning.png"));
    m_lightningLabel->setScaledContents(true);
    m_lightningLabel->hide();
    m_receiverLabel = new QLabel(this);
    m_receiverLabel->setObjectName(QStringLiteral("receiverPicture"));
    m_receiverLabel->setPixmap(QPixmap(skin + "dongle.png"));
    m_receiverLabel->setScaledContents(true);
    m_versionLabel = new VelLabel(this);
    m_versionLabel->setObjectName(QStringLiteral("versionLabel"));
    m_versionLabel->setColor(QColor(150, 150, 158));
    m_modelLabel = new VelLabel(this);
    m_modelLabel->setColor(QColor(150, 150, 158));
    for (int i = 0; i < kButtonCount; ++i) {
        m_buttons[i] = new VelPushButton(VelPushButton::tabImages(), this);
        m_buttons[i]->setObjectName(QString::fromLatin1(kButtonNames[i]));
    }
}

void StatusRow::setScale(double factor) {
    m_factor = factor;
    setGeometry(DisplayScale::scaled(kRowRect, factor));
    const std::pair<QWidget *, QRect> places[] = {{m_batteryBar, kBatteryBarRect},
                                                  {m_lightningLabel, kLightningRect},
                                                  {m_receiverLabel, kReceiverRect},
                                                  {m_versionLabel, kVersionRect},
                                                  {m_modelLabel, kModelRect}};
    for (const auto &place : places)
        place.first->setGeometry(DisplayScale::scaledIn(place.second, kRowRect, factor));
    for (int i = 0; i < kButtonCount; ++i) {
        const QRect base(QPoint(kFirstButtonX + i * kButtonStep, kButtonY), kButtonSize);
        m_buttons[i]->setGeometry(DisplayScale::scaledIn(base, kRowRect, factor));
    }
    // The bar's text takes the new size now, not at the next report.
    if (m_monitor)
        showBattery();
}

void StatusRow::follow(const ConnectionMonitor &monitor) {
    m_monitor = &monitor;
    connect(&monitor, &ConnectionMonitor::connectionChanged, this, &StatusRow::showConnection);
    connect(&monitor, &ConnectionMonitor::batteryChanged, this, &StatusRow::showBattery);
    connect(&monitor, &ConnectionMonitor::mouseOffChanged, this, [this](bool off) {
        if (off)
            showMouseOff();
    });
    showBattery();
}

// "MOUSE OFF", or the level last known (reported, or stored by the last run until the mouse reports).
void StatusRow::showBattery() {
    if (m_monitor->mouseOff())
        showMouseOff();
    else
        showLevel(m_monitor->batteryLevel(), m_monitor->connectionState());
}

void StatusRow::retranslate() {
    static const char *const kTexts[kButtonCount] = {QT_TR_NOOP("Reset All"), QT_TR_NOOP("LOAD1"),
                                                     QT_TR_NOOP("SAVE"),      QT_TR_NOOP("OK"),
                                                     QT_TR_NOOP("Cancel"),    QT_TR_NOOP("Apply")};
    for (int i = 0; i < kButtonCount; ++i)
        m_buttons[i]->setText(tr(kTexts[i]));
    m_versionLabel->setText(tr("Version") + " " + description::version());
    // The label names the mouse description's version; the program's own is a hover away.
    m_versionLabel->setToolTip(tr("Mouse description version %1\nKorvane Config %2")
                                   .arg(description::version(), program::version()));
    m_modelLabel->setText(config::modelText());
    if (m_monitor && m_monitor->mouseOff())
        m_batteryBar->setBarText(tr("MOUSE OFF"));
}

void StatusRow::showMouseOff() {
    m_batteryBar->setTextVisible(false);
    m_batteryBar->setBarText(tr("MOUSE OFF"));
    m_batteryBar->setStyleSheet(barStyle(QColor(100, 100, 100), QColor(100, 100, 100), Qt::white,
                                         DisplayScale::scaled(kBarFontPx, m_factor)));
    m_lightningLabel->hide();
}

void StatusRow::showLevel(int level, battery::ConnectionState state) {
    m_batteryBar->setBarText(QString());
    m_batteryBar->setStyleSheet(
        barStyle(AccentColor::current(), Qt::white, Qt::black, DisplayScale::scaled(kBarFontPx, m_factor)));
    showConnection(state);
    const bool onCable = state == battery::kCableOnly || state == battery::kReceiverCharging;
    m_batteryBar->setTextVisible(!onCable);
    m_batteryBar->setFormat(onCable ? QString() : QStringLiteral("%p%"));
    m_batteryBar->setValue(onCable ? 100 : level);
}

void StatusRow::showConnection(battery::ConnectionState state) {
    m_state = state;
    m_batteryBar->setVisible(battery::batteryBarShown(state));
    m_receiverLabel->setVisible(battery::receiverPictureShown(state));
    m_lightningLabel->hide();
    update();
}

// The battery picture: the full one while the mouse runs on its battery or nothing is connected.
void StatusRow::paintEvent(QPaintEvent *) {
    const bool onBattery = m_state == battery::kReceiverOnly || m_state == battery::kDisconnected;
    const QRect area = DisplayScale::scaledIn(kBatteryPictureRect, kRowRect, m_factor);
    // Scaled once per size, not at every paint.
    const QPixmap picture =
        SkinPictures::scaled(onBattery ? "bat1.png" : "bat2.png", area.size(), Qt::KeepAspectRatio);
    if (picture.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(area.topLeft(), picture);
}
