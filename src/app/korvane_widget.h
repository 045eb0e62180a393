#pragma once

#include "storage/config_file.h"
#include "storage/profile_list.h"
#include "widgets/display_scale.h"

#include <QPixmap>
#include <QPoint>
#include <QSystemTrayIcon>
#include <QVector>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class BatteryThreadController;
class DevicePresence;
class OsdMessenger;
class QAction;
class QLabel;
class QMenu;
class QTranslator;
class VelLabel;
class VelLineEdit;
class VelMenu;
class VelProcessDialog;
class VelProcessbar;
class VelPushButton;

// The main window: frameless and shaped by its skin, scaled in steps with the screen's DPI, living on in
// the tray when closed. It keeps the user's profiles, sends them to the mouse and follows the mouse's
// presence, battery and on-mouse changes. Profile operations are in korvane_widget_profiles.cpp, device
// presence and status in korvane_widget_status.cpp.
class KorvaneWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBaseWidth = 999;
    static constexpr int kBaseHeight = 640;
    static constexpr int kDragThreshold = 4;    // pixels, horizontal plus vertical distance
    static constexpr int kWarningDelayMs = 200; // after start-up, reconnection and removal
    static constexpr int kReopenPauseMs = 500;
    static constexpr int kPageCount = 4;
    static constexpr int kMouseLabelCount = 20;
    enum Page { kLightingPage, kCustomizePage, kDpiPage, kMacroPage };

    explicit KorvaneWidget(QWidget *parent = nullptr);
    ~KorvaneWidget() override;

    static QSize windowSizeForStep(int step);

    int mouseCount() const { return m_iMouseCount; }
    int scaleStep() const { return m_iDpiVal; }
    int languageCount() const { return m_iLangNum; }
    bool languageButtonVisible() const;
    QSystemTrayIcon *trayIcon() const { return m_trayIcon; }
    int currentPage() const { return m_iPage; }
    int connectionState() const { return m_iConnectState; }
    int batteryLevel() const { return m_iBatteryLevel; }
    bool reconnected() const { return m_bReconnected; }
    QStringList profileNames() const { return m_profileList.names(); }
    DevicePresence &presence() const { return *m_presence; }
    // The picture the mouse view shows: the front picture or one of its button highlights.
    QString mousePicture() const { return m_mousePicture; }
    // Replaces the on-screen-display messenger (tests record what would be shown).
    void setOsdMessenger(std::unique_ptr<OsdMessenger> messenger);

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
    void slotLiftChange(quint8 iLift);
    void slotEnableButtons(bool bEnable);
    void slotPopOneClickBox();
    void slotMouseOver(VelPushButton *btn, bool bType);
    void slot_show_mousename(QAction *action);
    void slot_show_profilename(QAction *action);
    void slotGotoMacro(quint8 iBtn);
    void SelBtnChanged(quint8 iBtn, quint8 iType);
    void OnProfileMenuCheck(QWidget *item);
    void slotProfileNameChange();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private slots:
    void onButtonClicked();

private:
    // Window shell (korvane_widget.cpp).
    void applyScaleStep(int step);
    void followScreenScale();
    const QPixmap &backgroundForStep(int step);
    VelPushButton *makeButton(const QStringList &images, const char *name);
    void buildWidgets();
    void buildProfileBar();
    void buildBottomRow();
    void buildMouseView();
    void layoutWidgets();
    void loadLanguage();
    void createTray();
    void retranslate();
    void showLanguageMenu();
    void showPageWidgets();

    // Profiles (korvane_widget_profiles.cpp).
    void refreshProfileList();
    void buildProfileMenu();
    void loadStoredConfig();
    // The current profile as its file holds it, discarding unsent edits.
    void reloadCurrentProfile();
    void showCurrentProfileName();
    void refreshAllPages();
    void showProfileResult(ProfileListResult result);
    void onProfileChosen(const QString &name);
    void addProfile();
    void copyProfile();
    void deleteProfile();
    void resetProfile();
    void resetAllProfiles();
    void exportProfile();
    void importProfile();
    void loadConfigFile();
    void saveConfigFile();
    void okClicked();
    void cancelClicked();
    void applyClicked();
    void selectSlot();
    // Writes the working configuration to the mouse behind the progress dialog and tells the result.
    int sendToDevice();
    // Runs one exchange with the mouse behind the progress dialog (run gets the dialog), with hot-plug
    // changes and the warnings they lead to held back until it is over. run's result.
    uint8_t runBehindProgress(const std::function<uint8_t(VelProcessDialog &dialog)> &run);
    void showResult(uint8_t result);

    // Device presence and status (korvane_widget_status.cpp).
    void startDeviceLink();
    void refreshMouseList();
    void reopenCurrentMouse();
    void onLastMouseRemoved();
    void onCurrentMouseSwitched();
    void reloadForCurrentMouse();
    void updateConnectionState();
    void showBatteryLevel();
    void loadMousePictures();
    void showMousePicture(const QString &file);
    void showOsdText(const QString &text);
    void startFirmwareUpdate();
    void startBatteryThread();
    void stopBatteryThread();
    void closeDevice();

    std::unique_ptr<DevicePresence> m_presence;
    BatteryThreadController *m_batteryThreads = nullptr;
    std::unique_ptr<OsdMessenger> m_osd;
    ProfileList m_profileList;

    QString m_appDir;
    int m_iDpiVal = 0;
    int m_iPrevDpiVal = 0;
    double m_factor = 1.0;
    int m_iWidth = kBaseWidth;
    int m_iHeight = kBaseHeight;
    std::array<QPixmap, DisplayScale::kStepCount> m_backgrounds;
    QPixmap m_batteryFull;
    QPixmap m_batteryEmpty;
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
    uint8_t m_iLift = 0;

    int m_iLangNum = 0;
    int m_iLangIndex = 0;
    QStringList m_langNames;
    QStringList m_langFiles;
    QTranslator *m_translator = nullptr;

    VelPushButton *m_closeButton = nullptr;
    VelPushButton *m_minButton = nullptr;
    VelPushButton *m_langButton = nullptr;
    VelPushButton *m_mouseButton = nullptr;
    VelMenu *m_mouseMenu = nullptr;
    std::array<VelPushButton *, kPageCount> m_tabs{};
    int m_iPage = 0;

    VelLabel *m_nameLabel = nullptr;
    VelLineEdit *m_nameEdit = nullptr;
    VelPushButton *m_profileDropButton = nullptr;
    VelMenu *m_profileMenu = nullptr;
    VelPushButton *m_addButton = nullptr;
    VelPushButton *m_deleteButton = nullptr;
    VelPushButton *m_copyButton = nullptr;
    VelPushButton *m_resetButton = nullptr;
    VelPushButton *m_exportButton = nullptr;
    VelPushButton *m_importButton = nullptr;
    VelPushButton *m_slotButton = nullptr;
    VelPushButton *m_slotSelector = nullptr;
    VelMenu *m_slotMenu = nullptr;
    VelPushButton *m_firmwareButton = nullptr;

    VelPushButton *m_resetAllButton = nullptr;
    VelPushButton *m_okButton = nullptr;
    VelPushButton *m_cancelButton = nullptr;
    VelPushButton *m_applyButton = nullptr;
    VelPushButton *m_load1Button = nullptr;
    VelPushButton *m_saveButton = nullptr;

    VelProcessbar *m_batteryBar = nullptr;
    QLabel *m_lightningLabel = nullptr;
    QLabel *m_receiverLabel = nullptr;
    VelLabel *m_versionLabel = nullptr;
    VelLabel *m_modelLabel = nullptr;

    QLabel *m_mouseView = nullptr;
    QString m_mousePicture;
    bool m_sideView = false;
    VelPushButton *m_frontButton = nullptr;
    VelPushButton *m_sideButton = nullptr;
    std::array<VelPushButton *, kMouseLabelCount> m_mouseLabels{};
    std::array<VelPushButton *, 2> m_wheelLabels{};
    std::array<QWidget *, kPageCount> m_pages{};

    QSystemTrayIcon *m_trayIcon = nullptr;
    QMenu *m_trayMenu = nullptr;
    QAction *m_loadConfigAction = nullptr;
    QAction *m_quitAction = nullptr;

    bool m_dragging = false;
    QPoint m_pressPos;
    bool m_shownOnce = false;

    // Set from the moment the receiver is found missing until the warning is confirmed.
    static bool s_bWarningShowing;
};
