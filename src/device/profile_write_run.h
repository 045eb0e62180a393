#pragma once

#include "device/mouse_condition.h"
#include "device/profile_write_outcome.h"
#include "device/profile_writer.h"
#include "device/result_code.h"

#include <functional>

class QObject;

// One profile write on a VelProcessThread while the caller waits in a modal loop (the progress dialog's
// exec): writeEnded runs on waiter's thread once the write is over and must end that loop. The caller's
// thread keeps serving events until the write thread has finished, so the write's requests to the
// battery reader are answered even when the modal loop ended early. mouse is what the battery reports
// told of the mouse. Returns what the write did.
ProfileWriteOutcome runProfileWrite(QObject *waiter, const std::function<void()> &writeEnded,
                                    const std::function<int()> &waitModal, MouseCondition mouse,
                                    ProfileWriteFunction write = writeProfileToMouse);

// The same for another exchange with the mouse (the profile switch of the slot menu): task runs on a
// worker thread and its result code is returned once it has finished.
ResultCode runDeviceTask(QObject *waiter, const std::function<void()> &taskEnded,
                         const std::function<int()> &waitModal, const std::function<ResultCode()> &task);
