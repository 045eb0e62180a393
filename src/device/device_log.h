#pragma once

#include <QLoggingCategory>

// The device link's debug output (enumeration, reports, the battery reader, the hidraw drain) and the
// virtual mouse's: off unless KORVANE_DEBUG=1 or QT_LOGGING_RULES turns it on.
Q_DECLARE_LOGGING_CATEGORY(lcDevice)
