#include "device/vel_process_thread.h"

#include "device/device_state.h"
#include "device/result_code.h"
#include "storage/app_config_file.h"
#include "storage/app_config_store.h"
#include "storage/config_file.h"

VelProcessThread::VelProcessThread(ProfileWriteFunction write, QObject *parent)
    : QThread(parent), m_write(std::move(write)) {}

void VelProcessThread::run() {
    if (DeviceState::instance().mouseOff()) {
        m_iResult = kResultMouseOff;
    } else {
        AppConfigStore &store = AppConfigStore::instance();
        // The files are the user's copy and the result speaks of the mouse, so a file that could not be
        // stored does not stop the write.
        config::saveAppConfig(store.working());
        m_iResult = m_write ? m_write(store.working(), kAllSections) : uint8_t(kResultNoDevice);
        // The working copy becomes the loaded one even when the mouse refused it; "Config/Diff" remembers
        // that the mouse differs from the files.
        store.loaded() = store.working();
        config::setConfigDiff(m_iResult != kResultOk ? 1 : 0);
    }
    emit DoProcessDlg();
}
