#pragma once

#include "device/mouse_condition.h"
#include "device/profile_write_outcome.h"
#include "device/profile_writer.h"
#include "device/result_code.h"
#include "storage/app_config.h"

#include <QThread>

// One profile write off the GUI thread: stores the working configuration, sends it to the mouse and
// emits DoProcessDlg when done, leaving the result code for the window to judge. The configuration and
// the mouse's condition are those of when the thread was made: the window goes on serving status and
// battery reports (which edit the working copy) while the write runs, so the write never reads them.
class VelProcessThread : public QThread {
    Q_OBJECT
public:
    // mouse: what the battery reports told of the mouse; a mouse that is off is not written.
    explicit VelProcessThread(MouseCondition mouse, ProfileWriteFunction write = writeProfileToMouse,
                              QObject *parent = nullptr);

    // 0 accepted, 5 mouse marked as off, else the first failing report's code; read it after DoProcessDlg.
    ResultCode result() const { return m_iResult; }
    // The result with whether the configuration was stored; read it after DoProcessDlg.
    ProfileWriteOutcome outcome() const { return {m_iResult, m_bSaved}; }

signals:
    void DoProcessDlg();

protected:
    void run() override;

private:
    MouseCondition m_mouse;
    ProfileWriteFunction m_write;
    AppConfig m_config;
    ResultCode m_iResult = kResultOk;
    bool m_bSaved = true;
};
