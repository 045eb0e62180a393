#pragma once

#include <QLoggingCategory>

// The button page's and its dialogs' debug output, off unless KORVANE_DEBUG=1 or QT_LOGGING_RULES turns it
// on.
Q_DECLARE_LOGGING_CATEGORY(lcButtons)
