// A profile file (".prof") as the program reads it from the profile folder or an import: a file the reader
// takes as whole holds values only inside their ranges, and writing it and reading it back gives the same
// record. A file it does not take leaves nothing of itself in the record. A file the one-pass reader takes
// reads to the same keys and values as through QSettings.
#include "storage/profile_file.h"
#include "storage/profile_keys.h"
#include "storage/settings_snapshot.h"
#include "support/fuzz_check.h"
#include "support/fuzz_tree.h"
#include "support/input_bytes.h"
#include "support/profile_ranges.h"

#include <QSettings>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    InputBytes in(data, size);
    FuzzTree tree;
    tree.write("Configs/read.prof", in.iniOver(FuzzTree::shipped(FuzzTree::productProfile("Profile 1"))));

    SettingsSnapshot snapshot;
    if (snapshot.read(tree.file("Configs/read.prof"))) {
        const QSettings settings(tree.file("Configs/read.prof"), QSettings::IniFormat);
        const QStringList keys = settings.allKeys();
        fuzz::require(settings.status() == QSettings::NoError && snapshot.size() == keys.size(),
                      "a file read in one pass has the keys QSettings reads");
        for (const QString &key : keys)
            fuzz::require(snapshot.value(key) == settings.value(key),
                          "a value read in one pass is QSettings'");
    }

    ProfileData read;
    const FileResult result = profile::readProfileFile(read, tree.file("Configs/read.prof"));
    if (result != FileResult::Ok) {
        ProfileData defaults;
        profile::setReadDefaults(defaults);
        fuzz::require(result == FileResult::Incomplete, "a file that is there is read or incomplete");
        fuzz::require(read == defaults && !read.filled, "a refused file leaves the read defaults");
        return 0;
    }
    fuzz::require(read.filled, "a profile read whole is filled");
    fuzz::requireProfileInRange(read);

    fuzz::require(profile::writeProfileFile(read, tree.file("Configs/written.prof")) == FileResult::Ok,
                  "a profile read whole can be written");
    ProfileData again;
    fuzz::require(profile::readProfileFile(again, tree.file("Configs/written.prof")) == FileResult::Ok,
                  "a profile written is read whole");
    fuzz::require(again == read, "a profile read, written and read again is the same record");
    return 0;
}
