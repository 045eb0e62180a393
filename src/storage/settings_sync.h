#pragma once

#include "storage/file_result.h"

class QSettings;

// Writes pending changes to disk; WriteFailed when the settings layer reports that they did not get there.
// Every writer of a settings file judges its write here.
FileResult syncSettings(QSettings &settings);
