#pragma once

#include "device/battery_control.h"

#include <QList>
#include <QObject>
#include <cstdint>
#include <future>
#include <vector>

class VelGetBatteryThread;

// Starts and stops the battery reader for the main window, which owns one instance. Only the thread this
// object lives in (the GUI thread) creates readers and changes which one is current: requests from other
// threads, such as the profile write's, are posted to it. Stopped readers are joined and deleted once
// their last read is over. The readers' signals arrive here, queued, and are sent on under the same names;
// the capability byte is kept here for the next profile write.
class BatteryThreadController : public QObject, public BatteryControl {
    Q_OBJECT
public:
    // milliseconds between the two stop requests
    static constexpr int kStopPauseMs = 10;

    // Installs itself as the device link's battery control.
    explicit BatteryThreadController(QObject *parent = nullptr);
    // Stops every reader, waits for each to end and uninstalls itself.
    ~BatteryThreadController() override;

    // A new reader; a current one is stopped first, so only one reader is ever current.
    void startBatteryThread() override;
    // On the GUI thread: the current reader is told to stop and forgotten, without waiting. From another
    // thread: the same is done on the GUI thread, and the call returns only once every stopped reader has
    // finished its last read, so that no reply meant for the caller is read by a reader. The GUI thread
    // must keep serving events meanwhile, as the progress dialog's exec() and runProfileWrite() do.
    void stopBatteryThread() override;

    // Blocks until every stopped reader has finished its last read (at most one read and one pause,
    // about half a second), for the window to call before it closes the command handles.
    void waitForStoppedReaders();

    bool hasBatteryThread() const { return m_pGetBatteryThread != nullptr; }
    // The current reader and the stopped ones not yet deleted.
    int readerCount() const { return m_stopped.size() + (m_pGetBatteryThread ? 1 : 0); }
    // The capability byte of the last battery report a reader read; 0 before the first.
    uint8_t capabilityByte() const { return m_capability; }

signals:
    void RefreshBatteryStatus(quint8 iCharge, quint8 iLowByte, quint8 iHiByte);
    void RefreshStatus(quint8 iProfile, quint8 iDPI, quint8 iRate, quint8 iMode);
    void RefreshWriteStatus(quint8 iStatus);

private:
    using ReadingDone = std::vector<std::shared_future<void>>;

    bool onOwnThread() const;
    void startOnOwnThread();
    // The reading-done states of every reader that may still read, the current one stopped first.
    ReadingDone stopOnOwnThread();
    void deleteFinishedReaders();

    VelGetBatteryThread *m_pGetBatteryThread = nullptr;
    QList<VelGetBatteryThread *> m_stopped;
    uint8_t m_capability = 0;
};
