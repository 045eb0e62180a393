#include "storage/settings_sync.h"

#include <QSettings>

FileResult syncSettings(QSettings &settings) {
    settings.sync();
    return settings.status() == QSettings::NoError ? FileResult::Ok : FileResult::WriteFailed;
}
