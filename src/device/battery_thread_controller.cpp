#include "device/battery_thread_controller.h"

#include "device/link_hooks.h"
#include "device/vel_get_battery_thread.h"

#include <QThread>
#include <chrono>

namespace {

bool isReady(const std::shared_future<void> &done) {
    return done.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

} // namespace

BatteryThreadController::BatteryThreadController(QObject *parent) : QObject(parent) {
    BatteryControl::install(this);
}

BatteryThreadController::~BatteryThreadController() {
    BatteryControl::install(nullptr);
    stopOnOwnThread();
    for (VelGetBatteryThread *thread : m_stopped) {
        thread->wait();
        delete thread;
    }
    m_stopped.clear();
}

bool BatteryThreadController::onOwnThread() const {
    return QThread::currentThread() == thread();
}

void BatteryThreadController::startBatteryThread() {
    if (onOwnThread()) {
        startOnOwnThread();
        return;
    }
    // Nothing waits for the new reader, so the request need not block the caller.
    QMetaObject::invokeMethod(
        this, [this] { startOnOwnThread(); }, Qt::QueuedConnection);
}

void BatteryThreadController::stopBatteryThread() {
    if (onOwnThread()) {
        stopOnOwnThread();
        return;
    }
    // The GUI thread serves this from any event loop it runs, the progress dialog's included.
    ReadingDone pending;
    QMetaObject::invokeMethod(
        this, [this, &pending] { pending = stopOnOwnThread(); }, Qt::BlockingQueuedConnection);
    for (const std::shared_future<void> &done : pending)
        done.wait();
}

void BatteryThreadController::waitForStoppedReaders() {
    for (VelGetBatteryThread *thread : m_stopped)
        thread->readingDone().wait();
    deleteFinishedReaders();
}

void BatteryThreadController::startOnOwnThread() {
    if (m_pGetBatteryThread)
        stopOnOwnThread();
    auto *thread = new VelGetBatteryThread(this);
    connect(thread, &VelGetBatteryThread::RefreshBatteryStatus, this,
            &BatteryThreadController::RefreshBatteryStatus, Qt::QueuedConnection);
    connect(thread, &VelGetBatteryThread::RefreshStatus, this, &BatteryThreadController::RefreshStatus,
            Qt::QueuedConnection);
    connect(thread, &VelGetBatteryThread::RefreshWriteStatus, this,
            &BatteryThreadController::RefreshWriteStatus, Qt::QueuedConnection);
    connect(
        thread, &VelGetBatteryThread::RefreshCapability, this,
        [this](quint8 capability) { m_capability = capability; }, Qt::QueuedConnection);
    connect(thread, &QThread::finished, this, &BatteryThreadController::deleteFinishedReaders,
            Qt::QueuedConnection);
    m_pGetBatteryThread = thread;
    thread->start(QThread::InheritPriority);
}

BatteryThreadController::ReadingDone BatteryThreadController::stopOnOwnThread() {
    if (VelGetBatteryThread *thread = m_pGetBatteryThread) {
        thread->stop();
        devicelink::pause(kStopPauseMs);
        thread->stop();
        // What a stopped reader still reads is no news for the window any more.
        disconnect(thread, &VelGetBatteryThread::RefreshBatteryStatus, this, nullptr);
        disconnect(thread, &VelGetBatteryThread::RefreshStatus, this, nullptr);
        disconnect(thread, &VelGetBatteryThread::RefreshWriteStatus, this, nullptr);
        m_stopped.append(thread);
        m_pGetBatteryThread = nullptr;
    }
    ReadingDone pending;
    for (VelGetBatteryThread *thread : m_stopped)
        pending.push_back(thread->readingDone());
    return pending;
}

// A reader's run() has returned once its reading-done state is ready, so wait() ends at once. A current
// reader that ended by itself (no command handle) is forgotten too.
void BatteryThreadController::deleteFinishedReaders() {
    if (m_pGetBatteryThread && isReady(m_pGetBatteryThread->readingDone())) {
        m_stopped.append(m_pGetBatteryThread);
        m_pGetBatteryThread = nullptr;
    }
    for (auto it = m_stopped.begin(); it != m_stopped.end();) {
        VelGetBatteryThread *thread = *it;
        if (!isReady(thread->readingDone())) {
            ++it;
            continue;
        }
        thread->wait();
        delete thread;
        it = m_stopped.erase(it);
    }
}
