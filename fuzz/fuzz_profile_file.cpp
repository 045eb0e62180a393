// A profile file (".prof") as the program reads it from the profile folder or an import: a file the reader
// takes as whole holds values only inside their ranges, and writing it and reading it back gives the same
// record. A file it does not take leaves nothing of itself in the record.
#include "storage/profile_file.h"
#include "storage/profile_keys.h"
#include "support/fuzz_check.h"
#include "support/fuzz_tree.h"
#include "support/input_bytes.h"
#include "support/profile_ranges.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    InputBytes in(data, size);
    FuzzTree tree;
    tree.write("Configs/read.prof", in.iniOver(FuzzTree::shipped(FuzzTree::productProfile("Profile 1"))));

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
