#include "support/profile_ranges.h"

#include "storage/profile_data.h"
#include "support/fuzz_check.h"

namespace fuzz {

void requireProfileInRange(const ProfileData &profile) {
    const int rate = profile.pollRate;
    require(rate == 1 || rate == 2 || rate == 4 || rate == 8, "the report rate is a rate code");
    require(profile.dpiStage < ProfileData::kStageCount, "the active stage is one of the profile's");
    require(profile.ledMode < ProfileData::kLedModeCount, "the lighting mode is one of the profile's");
    for (const DpiStage &stage : profile.dpiStages) {
        require(stage.used <= 1 && stage.link <= 1, "a stage's flags are 0 or 1");
        require(stage.xy <= 1023 && stage.x <= 1023 && stage.y <= 1023, "a stage value is a slider position");
    }
    require(profile.mouseSpeed >= 1 && profile.mouseSpeed <= 20, "the pointer speed is 1..20");
    require(profile.scrollSpeed >= 1 && profile.scrollSpeed <= 20, "the scroll speed is 1..20");
    for (const ButtonAssignment &button : profile.buttons) {
        for (const int field : {button.id, button.function, button.loopNumber, button.keyNumber})
            require(field >= 0 && field <= 0xFFFF, "a button's number fits its 16 bits");
    }
    for (const LedModeSetting &led : profile.ledModes) {
        require(led.h <= 360 && led.s <= 255 && led.v <= 255, "a lighting colour is a hue and two bytes");
        require(led.bright <= 3 && led.breath <= 5, "brightness and speed are levels the mouse has");
    }
}

} // namespace fuzz
