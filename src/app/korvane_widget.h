#pragma once

#include "app/battery_alert.h"
#include "app/korvane_tray.h"
#include "device/result_code.h"
#include "platform/desktop_session.h"
#include "storage/config_file.h"
#include "widgets/display_scale.h"
#include "widgets/language_switch.h"

#include <QPixmap>
#include <QSystemTrayIcon>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class BatteryThreadController;
class ConfigPage;
class DesktopNotifier;
class DeviceNotifier;
class DevicePresence;
class HidBackend;
class MouseView;
class OsdMessenger;
class ProfileBar;
class QAction;
class QStackedWidget;
class QTimer;
class StatusRow;
class VelMenu;
class VelProcessDialog;
class VelPushButton;

// The main window: frameless and shaped by its skin, scaled in steps with the screen's DPI, living on in
// the tray when closed. It frames the profile bar, the four pages and the bottom row, switches between the
// pages, sends the working configuration to the mouse and follows the mouse's presence, battery and
// on-mouse changes. Sending is in korvane_widget_send.cpp, device presence and status in
// korvane_widget_status.cpp.
class KorvaneWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBaseWidth = 999;
    static constexpr int kBaseHeight = 640;
    static constexpr int kDragThreshold = 4;    // pixels, horizontal plus vertical distance
    static constexpr int kWarningDelayMs = 200; // after start-up, reconnection and removal
    static constexpr int kReopenPauseMs = 500;
    static constexpr int kPageCount = 4;
    enum Page { kLightingPage, kCustomizePage, kDpiPage, kMacroPage };

    // backend carries every report to the mouse; notifier (null where the system has none) tells of
    // receivers and cables coming and going. The backend must outlive the window.
    KorvaneWidget(HidBackend &backend, std::unique_ptr<DeviceNotifier> notifier, QWidget *parent = nullptr);
    ~KorvaneWidget() override;

    static QSize windowSizeForStep(int step);

    int mouseCount() const { return m_iMouseCount; }
    int languageCount() const { return m_languages->count(); }
    bool languageButtonVisible() const;
    QSystemTrayIcon *trayIcon() const { return m_trayIcon; }
    int currentPage() const { return m_iPage; }
    // The page (built now if it was not yet); nullptr for an index outside the tabs.
    ConfigPage *page(int index);
    int connectionState() const { return m_iConnectState; }
    int batteryLevel() const { return m_iBatteryLevel; }
    bool reconnected() const { return m_bReconnected; }
    QStringList profileNames() const;
    DevicePresence &presence() const { return *m_presence; }
    MouseView &mouseView();
    // Replaces the on-screen-display messenger (tests record what would be shown).
    void setOsdMessenger(std::unique_ptr<OsdMessenger> messenger);
    // Replaces the desktop notifications (tests record them).
    void setDesktopNotifier(std::unique_ptr<DesktopNotifier> notifier);
    // The desktop notifications, made on first use.
    DesktopNotifier *notifier();
    // The session kind decides how on-mouse changes are shown (tests choose one).
    void setSessionKind(desktopsession::Kind kind) { m_sessionKind = kind; }
    // Starts hidden in the tray (--minimized): no window and no start-up warning. Where no tray is there
    // yet, the window waits kTrayWaitMs for one (a panel may start after the program at login), then shows
    // minimized rather than leave a program nobody can reach.
    void startHidden();
    static constexpr int kTrayWaitMs = 10000;
    static constexpr int kTrayPollMs = 500;
    // Whether a system tray is there to live on in; tests replace the check.
    static void setTrayCheck(std::function<bool()> check);
    static bool trayAvailable();
    // The last write did not reach the mouse (or the files said so at start): offered again when the
    // mouse comes back.
    bool resendWanted() const { return m_resendWanted; }

    static bool warningShowing();

public slots:
    void iconActivated(QSystemTrayIcon::ActivationReason reason);
    void slotWarning();
    void slotWarnClose();
    void switchPage(int page);
    void setLanguage(int index);

    void slotRefreshBatteryStatus(quint8 iCharge, quint8 iLowByte, quint8 iHiByte);
    void slotRefreshStatus(quint8 iProfile, quint8 iDPI, quint8 iRate, quint8 iMode);
    void slotRefreshWriteStatus(quint8 iStatus);
    void slotRefreshDPIStage(quint8 iDPI);
    void slotRefreshRate(quint8 iRate);
    void slotEnableButtons(bool bEnable);
    void slotGotoMacro(quint8 iBtn);
    void slot_show_mousename(QAction *action);
    // Hides into the tray, or ends the program where there is no tray to come back from.
    void closeWindow();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    // Window shell (korvane_widget.cpp).
    void applyScaleStep(int step);
    void followScreenScale();
    const QPixmap &backgroundForStep(int step);
    VelPushButton *makeButton(const QStringList &images, const char *name);
    void buildWidgets();
    void buildPages();
    void connectParts();
    void layoutWidgets();
    void createTray();
    void followTray();
    void setStartAtLogin(bool on);
    void setNoticeLevel(int percent);
    void onNoticeAction(int topic, const QString &actionKey);
    void retranslate();
    void showLanguageMenu();
    void refreshAllPages();

    // Sending to the mouse (korvane_widget_send.cpp).
    void okClicked();
    void cancelClicked();
    void onConfigLoaded();
    void switchSlot();
    // Writes the working configuration to the mouse behind the progress dialog and tells the result.
    void sendToDevice();
    // Runs one exchange with the mouse behind the progress dialog (run gets the dialog), with hot-plug
    // changes and the warnings they lead to held back until it is over. run's result.
    ResultCode runBehindProgress(const std::function<ResultCode(VelProcessDialog &dialog)> &run);
    void showResult(ResultCode result);

    // Device presence and status (korvane_widget_status.cpp).
    void startDeviceLink();
    void finishStartUp();
    void refreshMouseList();
    void reopenCurrentMouse();
    void onLastMouseRemoved();
    void onCurrentMouseSwitched();
    // Shows why a mouse that is plugged in cannot be used when this user may not open it.
    void showAccessWarning();
    void reloadForCurrentMouse();
    void updateConnectionState();
    void showBatteryLevel();
    void showOsdText(const QString &text);
    void startupWarning();
    void notifyLowBattery();
    void updateTrayStatus();
    // The mouse came back (receiver, cable, wake): the last failed write is offered again, once it settled.
    void mouseCameBack();
    void offerResend();
    void startFirmwareUpdate();
    void startBatteryThread();
    void stopBatteryThread();
    void closeDevice();

    std::unique_ptr<DevicePresence> m_presence;
    BatteryThreadController *m_batteryThreads = nullptr;
    std::unique_ptr<OsdMessenger> m_osd;
    std::unique_ptr<DesktopNotifier> m_notifier;
    DesktopNotifier *m_trayNotifier = nullptr;
    desktopsession::Kind m_sessionKind = desktopsession::current();
    BatteryAlert m_batteryAlert;
    bool m_batteryKnown = false;
    bool m_mouseOff = false;
    bool m_resendWanted = false;
    bool m_resendScheduled = false;
    bool m_resendAsking = false;
    bool m_startHidden = false;
    QTimer *m_trayWatch = nullptr;

    QString m_appDir;
    int m_iDpiVal = 0;
    double m_factor = 1.0;
    std::array<QPixmap, DisplayScale::kStepCount> m_backgrounds;
    QStringList m_tabImages;

    int m_iMouseCount = 0;
    bool m_bReconnected = false;
    // A warning or reconnection timer that fired while the mouse was being written to.
    bool m_bWarningPending = false;
    bool m_bWarnClosePending = false;
    int m_iConnectState = 3;
    bool m_bCharging = false;
    int m_iBatteryLevel = 0;
    int m_iBatteryFull = config::kDefaultBatteryFull;

    LanguageSwitch *m_languages = nullptr;

    VelPushButton *m_closeButton = nullptr;
    VelPushButton *m_minButton = nullptr;
    VelPushButton *m_langButton = nullptr;
    VelPushButton *m_mouseButton = nullptr;
    VelMenu *m_mouseMenu = nullptr;
    VelPushButton *m_firmwareButton = nullptr;
    std::array<VelPushButton *, kPageCount> m_tabs{};
    int m_iPage = 0;

    ProfileBar *m_profileBar = nullptr;
    StatusRow *m_statusRow = nullptr;
    QStackedWidget *m_pageStack = nullptr;
    std::array<ConfigPage *, kPageCount> m_pages{};
    MouseView *m_mouseView = nullptr;

    KorvaneTray *m_trayIcon = nullptr;

    bool m_shownOnce = false;
    bool m_linkOpened = false;

    // Set from the moment the receiver is found missing until the warning is confirmed.
    static bool s_bWarningShowing;
};
