#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "storage/profile_file.h"
#include "storage/profile_list.h"
#include "support/test_tree.h"

#include <QtTest>

namespace {
bool exists(const QString &name) {
    return QFileInfo::exists(profile::profileFilePath(name));
}
} // namespace

class TestProfileList : public QObject {
    Q_OBJECT
private slots:
    // ADD takes the lowest free number and starts from the factory profile, remade when its file is gone.
    void addTakesLowestFreeNumber() {
        TestTree tree;
        QVERIFY(QFile::copy(profile::factoryProfilePath(), profile::profileFilePath("Profile 3")));
        ProfileList list;
        list.load();
        QString name;
        QCOMPARE(list.add(name), ProfileListResult::Ok);
        QVERIFY(name == "Profile 2" && exists(name));
        QCOMPARE(config::loadProfileList(), (QStringList{"Profile 1", "Profile 2"}));
        ProfileData added, factory;
        profile::readProfileFile(added, profile::profileFilePath(name));
        profile::readProfileFile(factory, profile::factoryProfilePath());
        QVERIFY(added == factory);
        QVERIFY(QFile::remove(profile::factoryProfilePath()));
        QCOMPARE(list.add(name), ProfileListResult::Ok);
        QVERIFY(name == "Profile 4" && exists(name) && QFileInfo::exists(profile::factoryProfilePath()));
    }

    // COPY adds " copy", then " copy2", " copy3". The default profile is never renamed; names taken, empty
    // or leaving the folder are refused and leave the file alone.
    void copyAndRename() {
        TestTree tree;
        ProfileList list;
        list.load();
        QString name;
        for (const QString expected : {"Profile 1 copy", "Profile 1 copy2", "Profile 1 copy3"}) {
            QCOMPARE(list.copy("Profile 1", name), ProfileListResult::Ok);
            QVERIFY(name == expected && exists(name));
        }
        QCOMPARE(list.copy("Absent", name), ProfileListResult::NotFound);
        QCOMPARE(list.rename("Profile 1", "Main"), ProfileListResult::DefaultProtected);
        QCOMPARE(list.rename(name, "Profile 1 copy"), ProfileListResult::Exists);
        QCOMPARE(list.rename(name, "../escape"), ProfileListResult::InvalidName);
        QCOMPARE(list.rename(name, ""), ProfileListResult::InvalidName);
        QVERIFY(exists(name) && !QFileInfo::exists(AppPaths::configDir() + "/escape.prof"));
        QCOMPARE(list.rename(name, "Sniper"), ProfileListResult::Ok);
        QVERIFY(!exists(name) && exists("Sniper"));
        QCOMPARE(config::loadProfileList(),
                 (QStringList{"Profile 1", "Profile 1 copy", "Profile 1 copy2", "Sniper"}));
    }

    // The last profile and the default one stay. The next entry takes a removed one's place, the previous
    // one when the last is removed; while another slot is current the first slot's profile is stepped over.
    void removeRules() {
        TestTree tree;
        ProfileList list;
        list.load();
        QString a, b, c, next;
        QCOMPARE(list.remove("Profile 1", next), ProfileListResult::LastProfile);
        list.add(a); // Profile 2
        QCOMPARE(list.remove("Profile 1", next), ProfileListResult::DefaultProtected);
        QVERIFY(exists("Profile 1"));
        list.add(b); // Profile 3
        list.add(c); // Profile 4
        QCOMPARE(list.remove(b, next), ProfileListResult::Ok);
        QVERIFY(next == c && !exists(b));
        QCOMPARE(list.remove(c, next), ProfileListResult::Ok);
        QCOMPARE(next, a);
        list.add(b);
        QCOMPARE(list.remove(b, next, 1, a), ProfileListResult::Ok);
        QCOMPARE(next, QString("Profile 1"));
        QCOMPARE(config::loadProfileList(), (QStringList{"Profile 1", a}));
    }

    // Exported files carry the product mark; another product's file, a taken name or a missing file are
    // refused.
    void importAndExport() {
        TestTree tree;
        QTemporaryDir outside;
        const QString product = config::currentProductName();
        const QString exported = outside.filePath("Raid.prof");
        ProfileList list;
        list.load();
        QCOMPARE(list.exportFile("Profile 1", exported, product), ProfileListResult::Ok);
        QCOMPARE(profile::readProductMark(exported), product);
        QString name;
        QCOMPARE(list.importFile(exported, "Other Mouse", name), ProfileListResult::OtherProduct);
        QVERIFY(!exists("Raid"));
        QCOMPARE(list.importFile(exported, product, name), ProfileListResult::Ok);
        QVERIFY(name == "Raid" && exists("Raid"));
        QCOMPARE(list.importFile(exported, product, name), ProfileListResult::Exists);
        QCOMPARE(list.names(), (QStringList{"Profile 1", "Raid"}));
        QCOMPARE(list.exportFile("Raid", exported, product), ProfileListResult::Ok);
        QCOMPARE(list.importFile(outside.filePath("absent.prof"), product, name),
                 ProfileListResult::NotFound);
    }
};

QTEST_GUILESS_MAIN(TestProfileList)
#include "test_profile_list.moc"
