#include "lighting/lighting_log.h"

Q_LOGGING_CATEGORY(lcLighting, "korvane.lighting", QtWarningMsg)
