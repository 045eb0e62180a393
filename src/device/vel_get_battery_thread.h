#pragma once

#include "device/command_report.h"

#include <QThread>
#include <atomic>
#include <future>

// The battery and status reader: asks the mouse for its battery state about every 25 s and, about every
// 450 ms, reads the reports the mouse sends on its own. What it reads reaches the window through queued
// signals. It ends at its next look at the stop flag, or at once when no command handle is open.
class VelGetBatteryThread : public QThread {
    Q_OBJECT
public:
    // One cycle: the request with its own read (cycle count 0), then passive reads at counts 2 to 57.
    static constexpr int kFirstPassiveRead = 2;
    static constexpr int kLastPassiveRead = 57;
    // milliseconds
    static constexpr int kRequestReadDelayMs = 10;
    static constexpr int kAfterRequestMs = 450;
    static constexpr int kAfterReadMs = 400;
    static constexpr int kAfterReadErrorMs = 450;
    static constexpr int kReadTimeoutMs = 50;

    explicit VelGetBatteryThread(QObject *parent = nullptr);
    ~VelGetBatteryThread() override;

    void stop() { m_bStop.store(true); }
    // Ready once run() has returned, that is after the last read; a waiter need not keep this object alive.
    std::shared_future<void> readingDone() const { return m_readingDone; }

    // Objects alive in the process, so that a leak of stopped readers shows.
    static int liveObjects() { return s_liveObjects.load(); }

signals:
    void RefreshBatteryStatus(quint8 iCharge, quint8 iLowByte, quint8 iHiByte);
    void RefreshStatus(quint8 iProfile, quint8 iDPI, quint8 iRate, quint8 iMode);
    void RefreshWriteStatus(quint8 iStatus);
    // The capability byte of every battery report read, before its RefreshBatteryStatus.
    void RefreshCapability(quint8 iCapability);

protected:
    void run() override;

private:
    void readLoop();
    void handleBatteryReport(const CommandReport &reply);

    std::atomic<bool> m_bStop{false};
    std::promise<void> m_readingFinished;
    std::shared_future<void> m_readingDone;
    static std::atomic<int> s_liveObjects;
};
