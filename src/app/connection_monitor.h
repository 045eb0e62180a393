#pragma once

#include "app/battery_alert.h"
#include "device/battery_status.h"
#include "device/mouse_condition.h"
#include "device/result_code.h"

#include <QObject>
#include <QStringList>
#include <memory>

class BatteryThreadController;
class DeviceNotifier;
class DevicePresence;
class HidBackend;

// Follows the mouse for the main window, without widgets: which mice are present and how the current one is
// connected, its battery (level, charging, off), the stage and rate changed with its own buttons, when the
// user is told of a low battery, when a warning is due with the window, and when a write that did not reach
// the mouse is offered again. It owns the presence (with the device link) and the battery reader, opens and
// closes the mouse as it comes and goes, and reports through signals; the window shows what it reports and
// asks the user what it must.
class ConnectionMonitor : public QObject {
    Q_OBJECT
public:
    static constexpr int kWarningDelayMs = 200; // after start-up, reconnection and removal
    static constexpr int kReopenPauseMs = 500;

    // What the window shows with itself: nothing more, the receiver warning (no mouse present), or why a
    // mouse that is plugged in cannot be used (this user may not open it).
    enum class Warning { None, ReceiverMissing, AccessDenied };

    // notifier (null where the system has none) tells of receivers and cables coming and going. The
    // backend must outlive the monitor.
    ConnectionMonitor(HidBackend &backend, std::unique_ptr<DeviceNotifier> notifier,
                      QObject *parent = nullptr);
    ~ConnectionMonitor() override;

    // Starts following hot-plug, finds the mice present (which settles the current product name) and takes
    // what the last run left: the battery level shown until the mouse reports, and whether the mouse missed
    // the last write ("Config/Diff").
    void start();
    // kWarningDelayMs from now the mouse is opened, if nothing did before, and the start-up warning asked
    // for; the window calls it once it is built.
    void scheduleStartupWarning();
    // No start-up warning: the program starts hidden in the tray.
    void skipStartupWarning() { m_startupWarning = false; }
    // Opens the mouse and starts its battery reader, once; the window calls it after its first frame.
    void openLink();
    // Stops the reader and closes the mouse, for a program about to end.
    void closeLink();
    // The reader starts again (after a language change).
    void restartReader();

    // While the mouse is written to, hot-plug changes wait, and so do the warnings and the reconnection
    // they lead to; released, they follow in order, the warnings queued behind the write's result.
    void holdChanges();
    void releaseChanges();

    int mouseCount() const;
    QStringList mouseNames() const;
    // Another present mouse is chosen. False when Config.ini cannot keep the choice: the device link opens
    // the mouse it names, so the old one would be opened under the new name.
    bool chooseMouse(const QString &name);
    battery::ConnectionState connectionState() const { return m_connection; }
    // Set once the mouse was reopened after the last one had gone; cleared when the last one goes.
    bool reconnected() const { return m_reconnected; }
    DevicePresence &presence() const { return *m_presence; }

    // The level last reported (10..100), or stored by the last run until the mouse reports; known only
    // once this run's mouse reported it.
    int batteryLevel() const { return m_level; }
    bool batteryKnown() const { return m_batteryKnown; }
    bool charging() const { return m_charging; }
    // The battery voltage of the last reading of a mouse that is on.
    int millivolts() const { return m_millivolts; }
    // The last reading was all zero: the mouse is off or asleep.
    bool mouseOff() const { return m_mouseOff; }
    // What a profile write is told of the mouse: off, and the capability its battery reports give.
    MouseCondition condition() const;
    // The battery level at which the user is told (0: never); stored for the next run as well.
    int noticeLevel() const { return m_alert.noticeLevel(); }
    void setNoticeLevel(int percent);

    // The warning due now: the receiver is missing, or the mouse is there but refused to this user.
    Warning warningDue() const;
    // The window tells while it shows a warning; the resend offer waits for it.
    bool warningShowing() const { return m_warningShowing; }
    void setWarningShowing(bool showing) { m_warningShowing = showing; }
    // Asks for the window with the warning due, now or, while changes are held, once they are released.
    void requestWarning();

    // The last write did not reach the mouse (or the files said so at start): offered again when the mouse
    // comes back.
    bool resendWanted() const { return m_resendWanted; }
    void writeEnded(ResultCode result) { m_resendWanted = result != kResultOk; }
    // The user declined the offer: not offered again until another write fails.
    void declineResend() { m_resendWanted = false; }

    // What the battery reader reports (its signals' arguments).
    void batteryReading(quint8 charge, quint8 lowByte, quint8 highByte);
    void statusReport(quint8 profile, quint8 stage, quint8 rate, quint8 mode);
    void writeStatusReport(quint8 status);

signals:
    // The present mice changed (names in mouseNames(); the current product name is settled).
    void mouseListChanged();
    void connectionChanged(battery::ConnectionState state);
    // A reading of a mouse that is on (after mouseOffChanged(false) when it was off).
    void batteryChanged(int level, bool charging);
    void mouseOffChanged(bool off);
    // The battery fell to the notice level: told once per fall.
    void lowBattery(int level);
    // The last mouse went away: its battery level is no longer known.
    void mouseLost();
    void reconnectedChanged(bool reconnected);
    // The mouse the program talks to was opened anew (reconnected, switched or chosen): its profiles and
    // pages are to be shown again.
    void currentMouseChanged();
    // Show the window with this warning.
    void warningNeeded(ConnectionMonitor::Warning warning);
    // The mouse is back while the last write did not reach it, and nothing else is on screen or under way.
    void resendOffered();
    // Changed with the mouse's own buttons and stored in the working configuration: the stage (0-based)
    // with its DPI, or the rate code.
    void stageChangedOnMouse(int stage, int dpi);
    void rateChangedOnMouse(int rateCode);

private:
    void startReader();
    void reopen();
    void openAfterPause();
    void reconnect();
    void onLastMouseRemoved();
    void onCurrentMouseSwitched();
    void updateConnectionState();
    void setMouseOff(bool off);
    void setReconnected(bool reconnected);
    // The mouse came back (receiver, cable, wake): the last failed write is offered once it settled.
    void mouseCameBack();
    void offerResend();

    std::unique_ptr<DevicePresence> m_presence;
    BatteryThreadController *m_readers = nullptr;
    bool m_linkOpened = false;
    bool m_startupWarning = true;
    battery::ConnectionState m_connection = battery::kDisconnected;
    bool m_reconnected = false;
    bool m_warningShowing = false;
    // A warning or a reconnection that came while the mouse was being written to.
    bool m_warningPending = false;
    bool m_reconnectPending = false;
    bool m_reopenPending = false;
    bool m_reopening = false; // closed for a reopen, until the pause is over

    int m_batteryFull = 0;
    int m_level = 0;
    int m_millivolts = 0;
    bool m_batteryKnown = false;
    bool m_charging = false;
    bool m_mouseOff = false;
    BatteryAlert m_alert;

    bool m_resendWanted = false;
    bool m_resendScheduled = false;
};
