// The application's Config.ini as the window and korvanectl read it at start: a slot the mouse has, a
// product name that stays a folder of the configuration, a macro list of named slots only, and the
// configuration stored and read again is the same.
#include "storage/app_config_file.h"
#include "storage/config_file.h"
#include "storage/file_name.h"
#include "storage/profile_list.h"
#include "support/fuzz_check.h"
#include "support/fuzz_tree.h"
#include "support/input_bytes.h"
#include "support/profile_ranges.h"

namespace {

// The fields Config.ini holds; the profile is its own file's.
bool sameSettings(const AppConfig &a, const AppConfig &b) {
    return a.profileId == b.profileId && a.angleValue == b.angleValue && a.liftHigh == b.liftHigh &&
           a.sync == b.sync && a.count == b.count && a.jitter == b.jitter && a.debounce == b.debounce &&
           a.wake == b.wake && a.sensorMode == b.sensorMode && a.profileNames[0] == b.profileNames[0];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    InputBytes in(data, size);
    FuzzTree tree;
    tree.write("Configs/Config.ini", in.iniOver(FuzzTree::shipped("Configs/Config.ini")));

    AppConfig config;
    const FileResult read = ProfileList::loadStoredConfig(config);
    fuzz::require(config.profileId < AppConfig::kProfileNameCount, "the slot is one the mouse has");
    fuzz::require(!config.profileNames[0].isEmpty(), "a configuration always names its profile");
    if (read == FileResult::Ok)
        fuzz::requireProfileInRange(config.profile);
    else
        fuzz::require(!config.profile.filled, "a profile not read whole is not filled");

    const QString product = config::currentProductName();
    fuzz::require(product.isEmpty() || filename::isSafe(product), "the product name is a folder name");
    const QStringList macros = config::listMacros();
    fuzz::require(macros.size() <= config::kMacroSlots && !macros.contains(QString()),
                  "the macro list holds at most fifty names, none empty");

    (void)config::saveAppConfig(config); // the Config keys are stored first, whatever the profile's file
    AppConfig again;
    (void)config::loadAppConfig(again); // as above: only the Config keys are compared
    fuzz::require(sameSettings(again, config), "Config.ini stored and read again gives the same settings");
    return 0;
}
