#include "storage/settings_sync.h"

#include <QSettings>

FileResult syncSettings(QSettings &settings) {
    settings.sync();
    // A file that did not parse whole keeps its FormatError after the write, though the write replaced it
    // with what was read and set: only an AccessError means the changes did not reach the disk.
    return settings.status() == QSettings::AccessError ? FileResult::WriteFailed : FileResult::Ok;
}
