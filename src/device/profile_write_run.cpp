#include "device/profile_write_run.h"

#include "device/result_code.h"
#include "device/vel_process_thread.h"

#include <QCoreApplication>
#include <memory>

namespace {
// milliseconds between looks at the write thread while events are served
constexpr unsigned long kJoinPollMs = 10;
} // namespace

namespace {
// Runs the modal loop, then keeps serving events until the thread has ended.
void waitServingEvents(QThread &thread, const std::function<int()> &waitModal) {
    waitModal();
    while (!thread.wait(kJoinPollMs))
        QCoreApplication::processEvents();
}
} // namespace

ProfileWriteOutcome runProfileWrite(QObject *waiter, const std::function<void()> &writeEnded,
                                    const std::function<int()> &waitModal, MouseCondition mouse,
                                    ProfileWriteFunction write) {
    VelProcessThread thread(mouse, std::move(write));
    // Connected before the start: a write that ends at once must still end the modal loop.
    QObject::connect(
        &thread, &VelProcessThread::DoProcessDlg, waiter, [writeEnded] { writeEnded(); },
        Qt::QueuedConnection);
    thread.start(QThread::InheritPriority);
    waitServingEvents(thread, waitModal);
    return thread.outcome();
}

ResultCode runDeviceTask(QObject *waiter, const std::function<void()> &taskEnded,
                         const std::function<int()> &waitModal, const std::function<ResultCode()> &task) {
    ResultCode result = kResultOk;
    std::unique_ptr<QThread> thread(QThread::create([&result, task] { result = task(); }));
    QObject::connect(
        thread.get(), &QThread::finished, waiter, [taskEnded] { taskEnded(); }, Qt::QueuedConnection);
    thread->start(QThread::InheritPriority);
    waitServingEvents(*thread, waitModal);
    return result;
}
