#include "device/vel_process_thread.h"

#include "device/profile_write.h"
#include "device/result_code.h"
#include "storage/app_config_file.h"
#include "storage/app_config_store.h"
#include "storage/config_file.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

VelProcessThread::VelProcessThread(MouseCondition mouse, ProfileWriteFunction write, QObject *parent)
    : QThread(parent), m_mouse(mouse), m_write(std::move(write)), m_config(workingConfig()) {}

void VelProcessThread::run() {
    if (m_mouse.off) {
        m_iResult = kResultMouseOff;
    } else if (!m_config.profile.filled) {
        // Storing it would make an empty record look like the user's profile file next time.
        m_iResult = kResultNoProfile;
    } else {
        AppConfigStore &store = AppConfigStore::instance();
        // The files are the user's copy and the result speaks of the mouse, so a file that could not be
        // stored does not stop the write; the outcome tells it.
        m_bSaved = config::saveAppConfig(m_config) == FileResult::Ok;
        // Marked before the first report: a write that never ends (killed, crashed) must leave the mark. A
        // Config.ini that cannot take it has failed the save just made, which the outcome tells.
        (void)config::setConfigDiff(1);
        m_iResult = m_write ? m_write(m_config, writeflags::kWriteAll, m_mouse.capability) : kResultNoDevice;
        // What was written becomes the loaded copy even when the mouse refused it; "Config/Diff"
        // remembers that the mouse differs from the files.
        store.loaded() = m_config;
        // The files differ from the mouse as well when they could not take what the mouse took.
        // A mark that stays 1 only offers a resend the mouse does not need.
        if (m_iResult == kResultOk && m_bSaved)
            (void)config::setConfigDiff(0);
#ifdef __GLIBC__
        // Storing the profile's thousands of keys takes a few MiB for a moment. The C library keeps what
        // this thread freed resident in the thread's own arena, and a later write thread may be given a
        // new arena: each Apply could leave another few MiB behind. They go back to the system here.
        malloc_trim(0);
#endif
    }
    emit DoProcessDlg();
}
