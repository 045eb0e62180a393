#include "device/profile_write_run.h"

#include "device/vel_process_thread.h"

#include <QCoreApplication>

namespace {
// milliseconds between looks at the write thread while events are served
constexpr unsigned long kJoinPollMs = 10;
} // namespace

uint8_t runProfileWrite(QObject *waiter, const std::function<void()> &writeEnded,
                        const std::function<int()> &waitModal, ProfileWriteFunction write) {
    VelProcessThread thread(std::move(write));
    // Connected before the start: a write that ends at once must still end the modal loop.
    QObject::connect(
        &thread, &VelProcessThread::DoProcessDlg, waiter, [writeEnded] { writeEnded(); },
        Qt::QueuedConnection);
    thread.start(QThread::InheritPriority);
    waitModal();
    while (!thread.wait(kJoinPollMs))
        QCoreApplication::processEvents();
    return thread.result();
}
