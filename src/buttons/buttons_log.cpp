#include "buttons/buttons_log.h"

Q_LOGGING_CATEGORY(lcButtons, "korvane.buttons", QtWarningMsg)
