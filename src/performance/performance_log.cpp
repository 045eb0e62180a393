#include "performance/performance_log.h"

Q_LOGGING_CATEGORY(lcPerformance, "korvane.performance", QtWarningMsg)
