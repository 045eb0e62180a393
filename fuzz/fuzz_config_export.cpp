// A configuration export (".conf") as an import reads it: a file taken as whole holds a slot the mouse
// has and a profile inside its ranges, and exporting it and importing that again gives the same
// configuration. A file that is refused leaves the configuration in use as it was.
#include "storage/app_config_file.h"
#include "storage/factory_profile.h"
#include "storage/profile_list.h"
#include "support/fuzz_check.h"
#include "support/fuzz_tree.h"
#include "support/input_bytes.h"
#include "support/profile_ranges.h"

#include <QFile>

namespace {

// An export of the factory configuration, made once, for inputs that change a whole file.
QByteArray wholeExport() {
    static const QByteArray bytes = [] {
        FuzzTree tree;
        AppConfig factory;
        profile::makeFactoryConfig(factory);
        fuzz::require(ProfileList::exportConfigFile(factory, tree.file("whole.conf"), FuzzTree::kProduct) ==
                          ProfileListResult::Ok,
                      "the factory configuration can be exported");
        QFile file(tree.file("whole.conf"));
        fuzz::require(file.open(QIODevice::ReadOnly), "the export can be read");
        return file.readAll();
    }();
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    InputBytes in(data, size);
    const QByteArray input = in.iniOver(wholeExport());
    FuzzTree tree;
    tree.write("import.conf", input);

    // The configuration in use: its profile name and stage colours are the import's to keep.
    AppConfig inUse;
    profile::makeFactoryConfig(inUse);
    AppConfig imported = inUse;
    const ProfileListResult result =
        ProfileList::importConfigFile(imported, tree.file("import.conf"), FuzzTree::kProduct);
    if (result != ProfileListResult::Ok) {
        fuzz::require(imported == inUse, "a refused import leaves the configuration as it was");
        return 0;
    }
    fuzz::require(imported.profileId < AppConfig::kProfileNameCount, "the slot is one the mouse has");
    fuzz::require(imported.profile.filled, "an imported profile is filled");
    fuzz::require(imported.profileNames == inUse.profileNames, "an import keeps the profile names");
    fuzz::requireProfileInRange(imported.profile);

    fuzz::require(ProfileList::exportConfigFile(imported, tree.file("again.conf"), FuzzTree::kProduct) ==
                      ProfileListResult::Ok,
                  "an imported configuration can be exported");
    AppConfig again = inUse;
    fuzz::require(ProfileList::importConfigFile(again, tree.file("again.conf"), FuzzTree::kProduct) ==
                      ProfileListResult::Ok,
                  "an export is imported whole");
    fuzz::require(again == imported, "a configuration imported, exported and imported again is the same");
    return 0;
}
