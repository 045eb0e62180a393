#pragma once

#include <QLoggingCategory>

// The platform layer's debug output (hot-plug watch, OSD delivery): off unless KORVANE_DEBUG=1 or
// QT_LOGGING_RULES turns it on.
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
