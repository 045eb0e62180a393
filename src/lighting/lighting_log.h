#pragma once

#include <QLoggingCategory>

// The lighting page's debug output, off unless KORVANE_DEBUG=1 or QT_LOGGING_RULES
// turns it on.
Q_DECLARE_LOGGING_CATEGORY(lcLighting)
