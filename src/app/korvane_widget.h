#pragma once

#include "app/connection_monitor.h"
#include "app/korvane_tray.h"
#include "app/page_stack.h"
#include "device/profile_write_outcome.h"
#include "device/result_code.h"
#include "storage/app_config.h"
#include "storage/profile_list.h"
#include "widgets/display_scale.h"
#include "widgets/language_switch.h"

#include <QPixmap>
#include <QSystemTrayIcon>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class ConfigPage;
class DeviceNotifier;
class HidBackend;
class LanguageMenu;
class LinkSwitcher;
class MouseMenu;
class MouseNotices;
class MouseView;
class PageTabs;
class ProfileBar;
class StatusRow;
class VelProcessDialog;
class VelPushButton;

// The main window: frameless and shaped by its skin, scaled in steps with the screen's DPI, living on in
// the tray when closed. It frames the profile bar, the four pages and the bottom row, switches between the
// pages, sends the working configuration to the mouse and shows what its ConnectionMonitor reports of the
// mouse. Sending is in korvane_widget_send.cpp, showing the mouse's state in korvane_widget_status.cpp.
class KorvaneWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBaseWidth = 999;
    static constexpr int kBaseHeight = 640;
    static constexpr int kDragThreshold = 4; // pixels, horizontal plus vertical distance

    // backend carries every report to the mouse; notifier (null where the system has none) tells of
    // receivers and cables coming and going. The backend must outlive the window.
    KorvaneWidget(HidBackend &backend, std::unique_ptr<DeviceNotifier> notifier, QWidget *parent = nullptr);
    ~KorvaneWidget() override;

    static QSize windowSizeForStep(int step);

    ConnectionMonitor &monitor() const { return *m_monitor; }
    MouseNotices &notices() const { return *m_notices; }
    int languageCount() const { return m_languages->count(); }
    QSystemTrayIcon *trayIcon() const { return m_trayIcon; }
    int currentPage() const { return m_iPage; }
    // The page (built now if it was not yet); nullptr for an index outside the tabs (PageStack::Page).
    ConfigPage *page(int index);
    QStringList profileNames() const;
    MouseView &mouseView();
    // Starts hidden in the tray (--minimized): no window and no start-up warning. Where no tray is there
    // yet, the window waits for one (a panel may start after the program at login), then shows minimized
    // rather than leave a program nobody can reach.
    void startHidden();

    // What the session-bus service asks of the window (korvane_widget_service.cpp).
    // Why a call from outside would clash with the user now (a write running, a macro being recorded or
    // edited, a dialog open); empty when the window is free.
    QString busyReason() const;
    QString currentProfileName() const;
    // As the profile menu; failedFile is the file a refusal speaks of.
    ProfileListResult switchProfile(const QString &name, QString &failedFile);
    // Stores and writes the working configuration as Apply does, without a dialog or a message box;
    // message is what Apply would say.
    ProfileWriteOutcome applyWithoutDialog(QString &message);
    // The profile list and current profile as the files hold them, after korvanectl changed them.
    void reloadProfiles();
    // Brings the window up as the tray icon does.
    void showFromOutside();
    // The pages hold edits that are neither stored nor sent (what the mouse changes with its own buttons
    // does not count).
    bool editsPending() const;
    MouseNotices &mouseNotices() const { return *m_notices; }
    // Switches profiles as linked programs ask; made after the first frame (null before).
    LinkSwitcher *linkSwitcher() const { return m_linkSwitcher; }

signals:
    // The first frame is on screen (or the program started hidden) and the mouse link is open.
    void startUpFinished();
    // The profile list or the current profile may be other ones.
    void profilesChanged();
    // A write to the mouse ended, with its result code and what the window said of it (empty when done).
    void writeFinished(int result, const QString &message);

public slots:
    void iconActivated(QSystemTrayIcon::ActivationReason reason);
    void switchPage(int page);
    void setLanguage(int index);
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
    void applyMask();
    void followScreenScale();
    const QPixmap &backgroundForStep(int step);
    const QPixmap &paintedBackground();
    VelPushButton *makeButton(const QStringList &images, const char *name);
    void buildWidgets();
    void connectParts();
    void layoutWidgets();
    void createTray();
    void setNoticeLevel(int percent);
    void retranslate();
    void refreshAllPages();
    void enableButtons(bool enable);

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
    // What Apply says of an outcome: a profile never read whole from its file is named.
    QString writeMessage(const ProfileWriteOutcome &outcome) const;
    void markClean();

    // What the monitor reports, shown (korvane_widget_status.cpp).
    void connectMonitor();
    void finishStartUp();
    void refreshMouseList();
    void chooseMouse(const QString &name);
    void reloadForCurrentMouse();
    void showWarning(ConnectionMonitor::Warning warning);
    void offerResend();
    void startFirmwareUpdate();

    ConnectionMonitor *m_monitor = nullptr;
    MouseNotices *m_notices = nullptr;
    bool m_resendAsking = false;
    bool m_writing = false;
    bool m_buttonsEnabled = true;
    // The working configuration as last stored, sent or loaded: what editsPending() compares with.
    AppConfig m_cleanConfig;
    LinkSwitcher *m_linkSwitcher = nullptr;
    bool m_startUpFinished = false;
    bool m_shownOnce = false;

    QString m_appDir;
    int m_iDpiVal = 0;
    double m_factor = 1.0;
    std::array<QPixmap, DisplayScale::kStepCount> m_backgrounds;
    QPixmap m_sharpBackground;

    LanguageSwitch *m_languages = nullptr;
    VelPushButton *m_closeButton = nullptr;
    VelPushButton *m_minButton = nullptr;
    LanguageMenu *m_languageMenu = nullptr;
    MouseMenu *m_mouseMenu = nullptr;
    VelPushButton *m_firmwareButton = nullptr;
    PageTabs *m_tabs = nullptr;
    int m_iPage = 0;

    ProfileBar *m_profileBar = nullptr;
    StatusRow *m_statusRow = nullptr;
    PageStack *m_pages = nullptr;
    KorvaneTray *m_trayIcon = nullptr;
};
