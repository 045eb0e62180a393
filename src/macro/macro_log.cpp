#include "macro/macro_log.h"

Q_LOGGING_CATEGORY(lcMacro, "korvane.macro", QtWarningMsg)
