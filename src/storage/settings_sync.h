#pragma once

#include "storage/file_result.h"

class QSettings;

// Writes pending changes to disk; WriteFailed when the settings layer reports that they did not get there.
FileResult syncSettings(QSettings &settings);
