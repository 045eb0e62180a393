#pragma once

#include "storage/app_config.h"

// The process-wide pair of configurations: the copy loaded at start-up or mouse switch, and the working
// copy the pages edit and the profile write stores and sends.
class AppConfigStore {
public:
    static AppConfigStore &instance();

    AppConfig &loaded() { return m_loaded; }
    AppConfig &working() { return m_working; }
    const AppConfig &loaded() const { return m_loaded; }
    const AppConfig &working() const { return m_working; }

    // Starts the working copy over from the loaded one.
    void resetWorkingCopy() { m_working = m_loaded; }

private:
    AppConfig m_loaded;
    AppConfig m_working;
};

// The working copy of the process-wide store: the configuration the pages edit and the write sends.
inline AppConfig &workingConfig() {
    return AppConfigStore::instance().working();
}
