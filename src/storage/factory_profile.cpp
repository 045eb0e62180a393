#include "storage/factory_profile.h"

#include "storage/description_file.h"
#include "storage/profile_file.h"

namespace profile {
namespace {

// Stage colours of the factory profile, by stage.
const QColor kStageColors[ProfileData::kStageCount] = {
    QColor(255, 0, 0), QColor(0, 0, 255),   QColor(255, 0, 255), QColor(255, 255, 0),
    QColor(0, 255, 0), QColor(0, 255, 255), QColor(255, 0, 0),   QColor(255, 0, 0),
};

// Without a description: stage values, the first button functions and the lighting default.
constexpr uint32_t kBuiltInStageValues[ProfileData::kStageCount] = {8, 12, 16, 24, 50, 75, 0, 0};
constexpr int32_t kBuiltInButtonFunctions[] = {1, 2, 3, 4, 5, 4, 5};
constexpr uint8_t kBuiltInLedMode = 9;
constexpr uint32_t kBuiltInBright = 3;
constexpr uint32_t kBuiltInBreath = 3;

// Buttons whose factory function is taken from the description (16..19 have no entry and give 0).
constexpr int kFactoryButtonCount = 20;
constexpr uint32_t kFactoryHue = 360;
constexpr int kWheelUpButton = 40;
constexpr int kWheelDownButton = 41;
constexpr int32_t kWheelUpFunction = 52;
constexpr int32_t kWheelDownFunction = 53;

const char *const kFactoryProfileNames[AppConfig::kProfileNameCount] = {"Profile 1", "Profile 2", "Profile 3",
                                                                        "Profile 4", "Profile 5"};

void setStage(DpiStage &stage, uint32_t value, const QColor &color) {
    stage.used = 1;
    stage.link = 1;
    stage.xy = stage.x = stage.y = value;
    stage.color = color;
}

// The description's profile with the factory's own rules laid over it: every stage used and linked at its
// one value, the factory colours, no button ids and no functions past the factory buttons.
void fromDescription(ProfileData &profile, const ProfileData &source) {
    profile = source;
    for (int i = 0; i < ProfileData::kStageCount; ++i)
        setStage(profile.dpiStages[i], source.dpiStages[i].xy, kStageColors[i]);
    for (int b = 0; b < ProfileData::kButtonCount; ++b) {
        ButtonAssignment &button = profile.buttons[b];
        button = b < kFactoryButtonCount ? source.buttons[b] : ButtonAssignment();
        button.id = 0;
    }
    for (LedModeSetting &led : profile.ledModes) {
        led.h = kFactoryHue;
        led.s = 0;
        led.v = 0;
    }
}

void builtIn(ProfileData &profile) {
    profile.ledMoveOff = 0;
    profile.ledSleepTime = 1;
    profile.ledMode = kBuiltInLedMode;
    for (int i = 0; i < ProfileData::kStageCount; ++i)
        setStage(profile.dpiStages[i], kBuiltInStageValues[i], kStageColors[i]);
    for (int b = 0; b < kFactoryButtonCount; ++b) {
        const int count = int(sizeof kBuiltInButtonFunctions / sizeof kBuiltInButtonFunctions[0]);
        profile.buttons[b].function = b < count ? kBuiltInButtonFunctions[b] : 0;
    }
    for (int m = 0; m < ProfileData::kLedModeCount; ++m) {
        LedModeSetting &led = profile.ledModes[m];
        led.color = m == 10 ? QColor(0, 255, 0) : QColor(255, 0, 0);
        led.h = kFactoryHue;
        led.s = 0;
        led.v = 0;
        led.bright = kBuiltInBright;
        led.breath = kBuiltInBreath;
    }
    // A few modes start at a speed of their own.
    profile.ledModes[4].breath = 2;
    profile.ledModes[9].breath = 4;
    profile.ledModes[10].breath = 5;
    profile.ledModes[12].breath = 1;
}

} // namespace

bool makeFactoryProfile(ProfileData &profile) {
    ProfileData source;
    const bool found = description::loadDescription(source) == 0;
    profile = ProfileData();
    if (found) {
        fromDescription(profile, source);
    } else {
        profile.pollRate = 1;
        profile.dpiStage = 1;
        builtIn(profile);
    }
    profile.mouseSpeed = 10;
    profile.doubleClickSpeed = 5;
    profile.scrollIsPage = 0;
    profile.scrollSpeed = 1;
    profile.accelEnable = 1;
    profile.acee = 1;
    profile.ledSleepTime = 1;
    profile.profileName.clear();
    profile.profilePath.clear();
    profile.buttons[kWheelUpButton].function = kWheelUpFunction;
    profile.buttons[kWheelDownButton].function = kWheelDownFunction;
    profile.filled = true;
    return found;
}

void makeFactoryConfig(AppConfig &config) {
    config.profileId = 0;
    std::array<uint8_t, description::kSensorDefaultCount> sensor{};
    description::readSensorDefaults(sensor);
    config.angleValue = sensor[description::kAngle];
    config.liftHigh = sensor[description::kLift];
    config.jitter = sensor[description::kJitter];
    config.debounce = sensor[description::kButtonDelay];
    config.wake = sensor[description::kWake];
    config.sensorMode = sensor[description::kSensorMode];
    config.sync = sensor[description::kSync];
    makeFactoryProfile(config.profile);
    for (int i = 0; i < AppConfig::kProfileNameCount; ++i)
        config.profileNames[i] = kFactoryProfileNames[i];
}

FileResult writeFactoryProfileFile() {
    const QString path = factoryProfilePath();
    if (path.isEmpty())
        return FileResult::InvalidName;
    ProfileData profile;
    makeFactoryProfile(profile);
    // Rewriting a file that already holds the factory profile took most of the program's start-up.
    ProfileData stored;
    if (readProfileFile(stored, path) == FileResult::Ok && stored == profile)
        return FileResult::Ok;
    return writeProfileFile(profile, path);
}

} // namespace profile
