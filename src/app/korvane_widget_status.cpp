// How the main window follows the mouse: presence and hot-plug, the receiver warning, battery and
// connection display, on-mouse changes with their on-screen notifications, and the firmware update.
#include "app/korvane_widget.h"

#include "app/device_presence.h"
#include "device/battery_status.h"
#include "device/battery_thread_controller.h"
#include "device/device_state.h"
#include "device/sensor_dpi.h"
#include "platform/osd_messenger.h"
#include "platform/process_launcher.h"
#include "storage/app_config_store.h"
#include "storage/config_file.h"
#include "storage/description_file.h"
#include "storage/profile_file.h"
#include "widgets/accent_color.h"
#include "widgets/display_scale.h"
#include "widgets/vel_label.h"
#include "widgets/vel_line_edit.h"
#include "widgets/vel_menu.h"
#include "widgets/vel_message_box.h"
#include "widgets/vel_processbar.h"
#include "widgets/vel_push_button.h"

#include <QApplication>
#include <QDebug>
#include <QFileInfo>
#include <QLabel>
#include <QThread>
#include <QTimer>
#include <cstdio>

namespace {
constexpr int kOsdDisplayMs = 1500;
constexpr int kOsdFontSize = 60;
constexpr int kMaxDpiStatus = 6; // stage numbers the mouse reports
const char *const kFirmwareUpdater = "/skin/mouse/bin/Q540-7716V1.5.exe";

AppConfig &working() {
    return AppConfigStore::instance().working();
}

QString barStyle(const QColor &chunk, const QColor &background, const QColor &text, int fontPx) {
    return QString("QProgressBar{background-color:%1;border-radius:2px;color:%2;font-weight:bold;"
                   "font-size:%3px;text-align:center;}QProgressBar::chunk{background-color:%4;border-radius:"
                   "2px;}")
        .arg(background.name(), text.name())
        .arg(fontPx)
        .arg(chunk.name());
}
} // namespace

void KorvaneWidget::buildMouseView() {
    QWidget *page = m_pages[kCustomizePage];
    m_mouseView = new QLabel(page);
    m_mouseView->setObjectName(QStringLiteral("mouseView"));
    m_mouseView->setAlignment(Qt::AlignCenter);
    m_frontButton = new VelPushButton(m_tabImages, page);
    m_frontButton->setObjectName(QStringLiteral("frontButton"));
    m_sideButton = new VelPushButton(m_tabImages, page);
    m_sideButton->setObjectName(QStringLiteral("sideButton"));
    for (VelPushButton *button : {m_frontButton, m_sideButton})
        connect(button, &QPushButton::clicked, this, &KorvaneWidget::onButtonClicked);
    for (int i = 0; i < kMouseLabelCount; ++i) {
        auto *label = new VelPushButton(m_tabImages, page);
        label->setObjectName(QStringLiteral("mouseLabel%1").arg(i));
        label->setNumber(static_cast<uint8_t>(i + 1));
        connect(label, &VelPushButton::OverSignal, this, &KorvaneWidget::slotMouseOver);
        m_mouseLabels[i] = label;
    }
    for (int i = 0; i < 2; ++i) {
        m_wheelLabels[i] = new VelPushButton({}, page);
        m_wheelLabels[i]->setObjectName(i == 0 ? QStringLiteral("wheelUp") : QStringLiteral("wheelDown"));
    }

    m_batteryBar = new VelProcessbar(this);
    m_batteryBar->setObjectName(QStringLiteral("batteryBar"));
    m_batteryBar->setRange(0, 100);
    m_lightningLabel = new QLabel(this);
    m_lightningLabel->setPixmap(QPixmap(m_appDir + "/skin/lightning.png"));
    m_lightningLabel->setScaledContents(true);
    m_lightningLabel->hide();
    m_receiverLabel = new QLabel(this);
    m_receiverLabel->setObjectName(QStringLiteral("receiverPicture"));
    m_receiverLabel->setPixmap(QPixmap(m_appDir + "/skin/dongle.png"));
    m_receiverLabel->setScaledContents(true);
    m_versionLabel = new VelLabel(this);
    m_versionLabel->setColor(QColor(150, 150, 158));
    m_modelLabel = new VelLabel(this);
    m_modelLabel->setColor(QColor(150, 150, 158));
}

void KorvaneWidget::startDeviceLink() {
    connect(m_presence.get(), &DevicePresence::firstMouseArrived, this,
            [this] { QTimer::singleShot(kWarningDelayMs, this, &KorvaneWidget::slotWarnClose); });
    connect(m_presence.get(), &DevicePresence::reopenRequested, this, &KorvaneWidget::reopenCurrentMouse);
    connect(m_presence.get(), &DevicePresence::lastMouseRemoved, this, &KorvaneWidget::onLastMouseRemoved);
    connect(m_presence.get(), &DevicePresence::currentMouseSwitched, this,
            &KorvaneWidget::onCurrentMouseSwitched);
    connect(m_presence.get(), &DevicePresence::mouseListChanged, this, &KorvaneWidget::refreshMouseList);
    connect(m_presence.get(), &DevicePresence::connectionChanged, this, [this] {
        updateConnectionState();
        startBatteryThread();
    });
    m_presence->openCurrent();
    startBatteryThread();
}

void KorvaneWidget::refreshMouseList() {
    m_iMouseCount = m_presence->mouseCount();
    const QStringList names = m_presence->mouseNames();
    m_mouseMenu->clear();
    for (const QString &name : names)
        m_mouseMenu->addAction(name);
    m_mouseButton->setVisible(names.size() > 1);
    m_mouseButton->setText(config::currentProductName());
    if (m_trayIcon)
        m_trayIcon->setToolTip(config::currentProductName());
}

void KorvaneWidget::reopenCurrentMouse() {
    closeDevice();
    QThread::msleep(kReopenPauseMs);
    m_presence->openCurrent();
    startBatteryThread();
}

void KorvaneWidget::onLastMouseRemoved() {
    closeDevice();
    m_bReconnected = false;
    VelMessageBox::setReconnected(false);
    s_bWarningShowing = true;
    QTimer::singleShot(kWarningDelayMs, this, &KorvaneWidget::slotWarning);
}

void KorvaneWidget::onCurrentMouseSwitched() {
    closeDevice();
    m_presence->openCurrent();
    startBatteryThread();
    reloadForCurrentMouse();
}

void KorvaneWidget::slotWarning() {
    if (m_presence->changesHeld()) {
        m_bWarningPending = true;
        return;
    }
    if (qEnvironmentVariableIntValue("KORVANE_REPORT_SHOWN") == 1) {
        std::fputs("korvane: warning timer\n", stderr);
        std::fflush(stderr);
    }
    setWindowOpacity(1.0);
    showNormal();
    if (m_iMouseCount != 0) {
        raise();
        activateWindow();
        return;
    }
    s_bWarningShowing = true;
    VelMessageBox box(VelMessageBox::ReceiverWarning, QString(), tr("Warning"), tr("Dongle Disconnect!"),
                      this, true);
    if (box.exec() == QDialog::Accepted && m_iMouseCount == 0)
        hide();
    s_bWarningShowing = false;
}

void KorvaneWidget::slotWarnClose() {
    // The reload rewrites the configuration the mouse is being written from.
    if (m_presence->changesHeld()) {
        m_bWarnClosePending = true;
        return;
    }
    m_presence->openCurrent();
    startBatteryThread();
    reloadForCurrentMouse();
    m_bReconnected = true;
    VelMessageBox::setReconnected(true);
}

// Everything that depends on which mouse is current: its pictures, stored profiles and pages.
void KorvaneWidget::reloadForCurrentMouse() {
    loadMousePictures();
    loadStoredConfig();
    showCurrentProfileName();
    refreshProfileList();
    switchPage(kLightingPage);
    refreshAllPages();
    updateConnectionState();
}

void KorvaneWidget::slot_show_mousename(QAction *action) {
    closeDevice();
    m_mouseButton->setText(action->text());
    config::setCurrentProductName(action->text());
    m_presence->openCurrent();
    reloadForCurrentMouse();
    startBatteryThread();
}

void KorvaneWidget::slotRefreshBatteryStatus(quint8 iCharge, quint8 iLowByte, quint8 iHiByte) {
    const int fontPx = DisplayScale::scaled(14, m_factor);
    if (iCharge == 0 && iLowByte == 0 && iHiByte == 0) {
        m_batteryBar->setTextVisible(false);
        m_batteryBar->setBarText(tr("MOUSE OFF"));
        m_batteryBar->setStyleSheet(
            barStyle(QColor(100, 100, 100), QColor(100, 100, 100), Qt::white, fontPx));
        m_lightningLabel->hide();
        DeviceState::instance().setMouseOff(true);
        return;
    }
    DeviceState::instance().setMouseOff(false);
    m_bCharging = iCharge != 0;
    const int level = battery::level(iHiByte * 256 + iLowByte, m_iBatteryFull);
    if (level != m_iBatteryLevel) {
        m_iBatteryLevel = level;
        config::setBatteryValue(level);
    }
    showBatteryLevel();
}

// The level last known (reported, or stored by the last run until the mouse reports) in the accent colour.
void KorvaneWidget::showBatteryLevel() {
    m_batteryBar->setBarText(QString());
    m_batteryBar->setStyleSheet(
        barStyle(AccentColor::current(), Qt::white, Qt::black, DisplayScale::scaled(14, m_factor)));
    updateConnectionState();
    const bool onCable =
        m_iConnectState == battery::kCableOnly || m_iConnectState == battery::kReceiverCharging;
    m_batteryBar->setTextVisible(!onCable);
    m_batteryBar->setFormat(onCable ? QString() : QStringLiteral("%p%"));
    m_batteryBar->setValue(onCable ? 100 : m_iBatteryLevel);
    update();
}

void KorvaneWidget::updateConnectionState() {
    const battery::ConnectionState state = m_presence->connectionState(m_bCharging);
    m_iConnectState = state;
    m_batteryBar->setVisible(battery::batteryBarShown(state));
    m_receiverLabel->setVisible(battery::receiverPictureShown(state));
    m_lightningLabel->hide();
    update();
}

void KorvaneWidget::slotRefreshStatus(quint8 iProfile, quint8 iDPI, quint8 iRate, quint8 iMode) {
    qDebug("Test data:profile =%x, dpi= %x, iRate= %x, mode= %x", iProfile, iDPI, iRate, iMode);
    if (iDPI < kMaxDpiStatus && iDPI != working().profile.dpiStage)
        slotRefreshDPIStage(iDPI);
    if (iRate != working().profile.pollRate)
        slotRefreshRate(iRate);
}

void KorvaneWidget::slotRefreshWriteStatus(quint8 iStatus) {
    if (iStatus == 0)
        config::setConfigDiff(1);
}

void KorvaneWidget::slotRefreshDPIStage(quint8 iDPI) {
    ProfileData &profile = working().profile;
    profile.dpiStage = iDPI;
    profile::setProfileDpiStage(working().profileNames[0], iDPI);
    const int raw = static_cast<int>(profile.dpiStages[iDPI % ProfileData::kStageCount].x);
    const int dpi = positionToDpi(config::sensorType(), raw);
    showOsdText(tr("DPI") + QString::asprintf(" %d:%d", iDPI + 1, dpi));
}

void KorvaneWidget::slotRefreshRate(quint8 iRate) {
    working().profile.pollRate = iRate;
    showOsdText(battery::rateText(iRate));
}

void KorvaneWidget::slotLiftChange(quint8 iLift) {
    working().liftHigh = iLift;
}

void KorvaneWidget::slotEnableButtons(bool bEnable) {
    for (VelPushButton *button : findChildren<VelPushButton *>()) {
        if (button != m_closeButton && button != m_minButton)
            button->setEnabled(bEnable);
    }
    m_nameEdit->setEnabled(bEnable);
}

void KorvaneWidget::slotPopOneClickBox() {
    VelMessageBox::inform(this, tr("AT LEAST ONE CLICK FUNCTION TO BE RETAINED."));
}

void KorvaneWidget::slotMouseOver(VelPushButton *btn, bool bType) {
    const int index = m_mouseLabels.size();
    for (int i = 0; i < index; ++i) {
        if (m_mouseLabels[i] != btn)
            continue;
        const QString folder = m_appDir + "/skin/mouse/" + config::currentProductName() + "/";
        showMousePicture(bType ? folder + QString::asprintf("mouse_%d.png", i + 1) : folder + "Mouse.png");
    }
}

void KorvaneWidget::slotGotoMacro(quint8 iBtn) {
    switchPage(iBtn);
}

void KorvaneWidget::SelBtnChanged(quint8 iBtn, quint8 iType) {
    if (iType == 0 && iBtn < kMouseLabelCount)
        slotMouseOver(m_mouseLabels[iBtn], true);
}

void KorvaneWidget::loadMousePictures() {
    if (!m_mouseView)
        return;
    const QString product = config::currentProductName();
    const QString front = m_appDir + "/skin/mouse/" + product + "/Mouse.png";
    const QString side = m_appDir + "/skin/mouse/" + product + "_Side.png";
    showMousePicture(m_sideView ? side : front);
    const int buttons = qBound(0, description::buttonCount(), int(kMouseLabelCount));
    for (int i = 0; i < kMouseLabelCount; ++i)
        m_mouseLabels[i]->setVisible(i < buttons && !m_sideView);
    static const QStringList kSpecialWheelModels = {
        "QUILMARA2", "VORTANE",  "BRASKEL",    "HALVERN FPS", "HALVERN",  "MORVAIN", "MORVAIN3", "TESKOL",
        "Z4Q1",      "K417-RGB", "5170-T8841", "GRENDOVA",    "K301",     "K302",    "K305-RGB", "SALVETH",
        "K306-PRO",  "K306-RGB", "K306-RGB2",  "ORLUNE2",     "VANTREL2", "CADMIRE"};
    const bool special = kSpecialWheelModels.contains(product);
    const QString skin = m_appDir + "/skin/";
    m_wheelLabels[0]->setImages(
        special ? QStringList{skin + "btn_up4.png", skin + "btn_up3.png", skin + "btn_up3.png"}
                : QStringList{skin + "btn_up2.png", skin + "btn_up1.png", skin + "btn_up1.png"});
    m_wheelLabels[1]->setImages(
        special ? QStringList{skin + "btn_down4.png", skin + "btn_down3.png", skin + "btn_down3.png"}
                : QStringList{skin + "btn_down2.png", skin + "btn_down1.png", skin + "btn_down1.png"});
}

void KorvaneWidget::showMousePicture(const QString &file) {
    m_mousePicture = file;
    const QPixmap picture(file);
    m_mouseView->setPixmap(picture.isNull() ? QPixmap()
                                            : picture.scaled(m_mouseView->size(), Qt::KeepAspectRatio,
                                                             Qt::SmoothTransformation));
}

void KorvaneWidget::showOsdText(const QString &text) {
    if (!m_osd)
        return;
    OsdRecord record;
    record.text = text;
    record.displayMs = kOsdDisplayMs;
    const QColor color = AccentColor::current();
    record.color = OsdRecord::colorRef(color.red(), color.green(), color.blue());
    record.fontSize = kOsdFontSize;
    record.face = QStringLiteral("Arial");
    m_osd->send(record);
}

void KorvaneWidget::startFirmwareUpdate() {
    m_firmwareButton->setChecked(false);
    if (!m_presence->cablePresent()) {
        VelMessageBox::inform(this,
                              tr("To update the firmware, please connect to the computer with a cable."));
        return;
    }
    if (!VelMessageBox::ask(this, tr("Do you want to upgrade the firmware?")))
        return;
    ProcessLauncher launcher;
    const QString updater = m_appDir + QString::fromLatin1(kFirmwareUpdater);
    const Launcher::Result started = launcher.startDetached(updater);
    if (started != Launcher::Started) {
        // The updater could not run here: the program stays, and says so.
        VelMessageBox::inform(this, tr("The firmware updater could not be started."));
        return;
    }
    closeDevice();
    QCoreApplication::exit(0);
}

void KorvaneWidget::startBatteryThread() {
    if (m_batteryThreads)
        m_batteryThreads->startBatteryThread();
}

void KorvaneWidget::stopBatteryThread() {
    if (m_batteryThreads)
        m_batteryThreads->stopBatteryThread();
}

void KorvaneWidget::closeDevice() {
    stopBatteryThread();
    // A stopped reader may still be inside its last read of the handles about to close.
    if (m_batteryThreads)
        m_batteryThreads->waitForStoppedReaders();
    m_presence->close();
}
