#include "storage/app_config_store.h"

AppConfigStore &AppConfigStore::instance() {
    static AppConfigStore store;
    return store;
}
