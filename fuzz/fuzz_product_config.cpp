// The product folder's Config.ini, which holds the product's profile list: the list read names every
// profile once and never an empty one, holds no more names than the file has keys, and stored and read
// again it is the same list.
#include "storage/config_file.h"
#include "storage/profile_list.h"
#include "support/fuzz_check.h"
#include "support/fuzz_tree.h"
#include "support/input_bytes.h"

#include <QSet>
#include <QSettings>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    InputBytes in(data, size);
    FuzzTree tree;
    tree.write(FuzzTree::productConfig(), in.iniOver(FuzzTree::shipped(FuzzTree::productConfig())));

    // Read here first and whole, so that this reading's status tells whether the file parses (later readers
    // take it from the settings layer's cache, and their status says nothing).
    QSettings file(tree.file(FuzzTree::productConfig()), QSettings::IniFormat);
    file.allKeys(); // parses every section: a line the settings layer cannot read shows only then
    const bool parses = file.status() == QSettings::NoError;
    file.beginGroup("PROFILE_LIST");
    ProfileList list;
    list.load();
    const QStringList names = list.names();
    fuzz::require(names.size() <= file.childKeys().size(), "the list holds no more names than the file keys");
    fuzz::require(!names.contains(QString()), "no profile of the list is nameless");
    fuzz::require(QSet<QString>(names.begin(), names.end()).size() == names.size(),
                  "no profile is listed twice");
    for (const QString &name : names) {
        const QString next = list.successor(name, 1, names.value(0));
        fuzz::require(names.size() == 1 ? next.isEmpty() : names.contains(next) && next != name,
                      "a removed profile's place goes to another profile of the list");
    }

    // The settings layer writes over a file it cannot parse (a line cut short), dropping what it could not
    // read, yet reports the write as failed: only a file that parses is held to the round trip.
    if (!parses)
        return 0;
    fuzz::require(config::storeProfileList(names), "the list read can be stored");
    ProfileList again;
    again.load();
    fuzz::require(again.names() == names, "a profile list stored and read again is the same list");
    return 0;
}
