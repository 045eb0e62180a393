#include "storage/app_config.h"

bool AppConfig::operator==(const AppConfig &other) const {
    return profileId == other.profileId && profile == other.profile && angleValue == other.angleValue &&
           liftHigh == other.liftHigh && sync == other.sync && count == other.count &&
           jitter == other.jitter && debounce == other.debounce && wake == other.wake &&
           sensorMode == other.sensorMode && profileNames == other.profileNames;
}
