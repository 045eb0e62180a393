#pragma once

#include <QLoggingCategory>

// The widget kit's debug output (the colour picker's presses), off unless KORVANE_DEBUG=1 or
// QT_LOGGING_RULES turns it on.
Q_DECLARE_LOGGING_CATEGORY(lcWidgets)
