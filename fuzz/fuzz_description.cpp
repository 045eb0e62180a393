// The device description (DefaultProfile.bin) as the program reads it at start-up and for every factory
// profile: the factory profile made from it lies inside the ranges of a profile, is written to its file
// and read back the same, and the stage count the DPI write sends is one the mouse has.
#include "device/dpi_stages.h"
#include "storage/app_config_file.h"
#include "storage/config_file.h"
#include "storage/description_file.h"
#include "storage/factory_profile.h"
#include "storage/profile_file.h"
#include "support/fuzz_check.h"
#include "support/fuzz_tree.h"
#include "support/input_bytes.h"
#include "support/profile_ranges.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    InputBytes in(data, size);
    // Without a current product the profile folder is the one the description names.
    const bool namedByDescription = in.byte() & 1;
    const uint8_t capability = in.byte();
    FuzzTree tree;
    tree.write("DefaultProfile.bin", in.iniOver(FuzzTree::shipped("DefaultProfile.bin")));
    if (namedByDescription)
        tree.write("Configs/Config.ini", "[Config]\nProfile1=Profile 1\n");

    AppConfig factory;
    profile::makeFactoryConfig(factory);
    fuzz::require(factory.profile.filled, "the factory profile is filled");
    fuzz::requireProfileInRange(factory.profile);

    const FileResult written = profile::writeFactoryProfileFile();
    if (written == FileResult::Ok) {
        ProfileData stored;
        fuzz::require(profile::readProfileFile(stored, profile::factoryProfilePath()) == FileResult::Ok,
                      "the factory profile file is read whole");
        fuzz::require(stored == factory.profile, "the factory profile file holds the factory profile");
    } else {
        fuzz::require(written == FileResult::InvalidName && config::profileProductName().isEmpty(),
                      "only a product name that is no folder name keeps the factory file from being written");
    }

    const int stages = dpistages::stageCountToSend(description::dpiStageCount());
    fuzz::require(stages >= 1 && stages <= dpistages::kMaxStages, "the DPI write sends 1 to 8 stages");
    (void)dpistages::reports(factory.profile, description::dpiStageCount(), config::sensorType(), capability);

    AppConfig loaded;
    (void)config::loadAppConfig(loaded); // the result is the profile file's, any of them will do
    return 0;
}
