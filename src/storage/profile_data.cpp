#include "storage/profile_data.h"

bool ProfileData::operator==(const ProfileData &other) const {
    return pollRate == other.pollRate && dpiStage == other.dpiStage && ledMode == other.ledMode &&
           ledMoveOff == other.ledMoveOff && ledSleepTime == other.ledSleepTime &&
           dpiStages == other.dpiStages && mouseSpeed == other.mouseSpeed &&
           doubleClickSpeed == other.doubleClickSpeed && scrollIsPage == other.scrollIsPage &&
           scrollSpeed == other.scrollSpeed && accelEnable == other.accelEnable && acee == other.acee &&
           buttons == other.buttons && ledModes == other.ledModes && profileName == other.profileName &&
           profilePath == other.profilePath;
}
