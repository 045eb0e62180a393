#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "storage/profile_file.h"
#include "storage/profile_list.h"
#include "support/test_tree.h"

#include <QtTest>

class TestProfileList : public QObject {
    Q_OBJECT
private slots:
    void addTakesLowestFreeNumber();
    void addRemakesMissingFactoryFile();
    void copyNames();
    void renameRules();
    void removeRules();
    void removePicksNeighbour();
    void importAndExport();

private:
    static bool exists(const QString &name) { return QFileInfo::exists(profile::profileFilePath(name)); }
    static ProfileData named(const QString &name, int poll) {
        ProfileData data;
        data.profileName = name;
        data.pollRate = static_cast<uint8_t>(poll);
        return data;
    }
};

void TestProfileList::addTakesLowestFreeNumber() {
    TestTree tree;
    QVERIFY(profile::writeProfileFile(named("Profile 3", 2), profile::profileFilePath("Profile 3")) ==
            FileResult::Ok);
    ProfileList list;
    list.load();
    QString name;
    QCOMPARE(list.add(name), ProfileListResult::Ok);
    QCOMPARE(name, QString("Profile 2"));
    QVERIFY(exists("Profile 2"));
    QCOMPARE(config::loadProfileList(), (QStringList{"Profile 1", "Profile 2"}));
    // The new profile starts as the factory profile.
    ProfileData added, factory;
    profile::readProfileFile(added, profile::profileFilePath("Profile 2"));
    profile::readProfileFile(factory, profile::factoryProfilePath());
    QVERIFY(added == factory);
    QCOMPARE(list.add(name), ProfileListResult::Ok);
    QCOMPARE(name, QString("Profile 4"));
}

void TestProfileList::addRemakesMissingFactoryFile() {
    TestTree tree;
    QVERIFY(QFile::remove(profile::factoryProfilePath()));
    ProfileList list;
    list.load();
    QString name;
    QCOMPARE(list.add(name), ProfileListResult::Ok);
    QVERIFY(exists(name));
    QVERIFY(QFileInfo::exists(profile::factoryProfilePath()));
}

void TestProfileList::copyNames() {
    TestTree tree;
    ProfileList list;
    list.load();
    QString name;
    QCOMPARE(list.copy("Profile 1", name), ProfileListResult::Ok);
    QCOMPARE(name, QString("Profile 1 copy"));
    QCOMPARE(list.copy("Profile 1", name), ProfileListResult::Ok);
    QCOMPARE(name, QString("Profile 1 copy2"));
    QCOMPARE(list.copy("Profile 1", name), ProfileListResult::Ok);
    QCOMPARE(name, QString("Profile 1 copy3"));
    QCOMPARE(list.names(),
             (QStringList{"Profile 1", "Profile 1 copy", "Profile 1 copy2", "Profile 1 copy3"}));
    QCOMPARE(list.copy("Absent", name), ProfileListResult::NotFound);
    QCOMPARE(list.names().size(), 4);
}

void TestProfileList::renameRules() {
    TestTree tree;
    ProfileList list;
    list.load();
    QString copy;
    list.copy("Profile 1", copy);
    QCOMPARE(list.rename("Profile 1", "Main"), ProfileListResult::DefaultProtected);
    QCOMPARE(list.rename(copy, "Profile 1"), ProfileListResult::Exists);
    QVERIFY(exists(copy));
    QCOMPARE(list.rename(copy, "../escape"), ProfileListResult::InvalidName);
    QCOMPARE(list.rename(copy, ""), ProfileListResult::InvalidName);
    QVERIFY(!QFileInfo::exists(AppPaths::configDir() + "/escape.prof"));
    QCOMPARE(list.rename(copy, "Sniper"), ProfileListResult::Ok);
    QVERIFY(!exists(copy));
    QVERIFY(exists("Sniper"));
    QCOMPARE(config::loadProfileList(), (QStringList{"Profile 1", "Sniper"}));
}

void TestProfileList::removeRules() {
    TestTree tree;
    ProfileList list;
    list.load();
    QString next;
    QCOMPARE(list.remove("Profile 1", next), ProfileListResult::LastProfile);
    QString copy;
    list.copy("Profile 1", copy);
    QCOMPARE(list.remove("Profile 1", next), ProfileListResult::DefaultProtected);
    QVERIFY(exists("Profile 1"));
    QCOMPARE(list.remove(copy, next), ProfileListResult::Ok);
    QCOMPARE(next, QString("Profile 1"));
    QVERIFY(!exists(copy));
    QCOMPARE(config::loadProfileList(), QStringList{"Profile 1"});
}

void TestProfileList::removePicksNeighbour() {
    TestTree tree;
    ProfileList list;
    list.load();
    QString a, b, c;
    list.add(a); // Profile 2
    list.add(b); // Profile 3
    list.add(c); // Profile 4
    QString next;
    QCOMPARE(list.remove(b, next), ProfileListResult::Ok);
    QCOMPARE(next, c); // the next entry takes its place
    QCOMPARE(list.remove(c, next), ProfileListResult::Ok);
    QCOMPARE(next, a); // the last one removed: the previous entry
    // While another slot is current, the first slot's profile is stepped over.
    list.add(b);
    QCOMPARE(list.remove(b, next, 1, a), ProfileListResult::Ok);
    QCOMPARE(next, QString("Profile 1"));
}

void TestProfileList::importAndExport() {
    TestTree tree;
    QTemporaryDir outside;
    const QString product = config::currentProductName();
    ProfileList list;
    list.load();
    const QString exported = outside.filePath("Raid.prof");
    QCOMPARE(list.exportFile("Profile 1", exported, product), ProfileListResult::Ok);
    QCOMPARE(profile::readProductMark(exported), product);
    QString name;
    QCOMPARE(list.importFile(exported, "Other Mouse", name), ProfileListResult::OtherProduct);
    QVERIFY(!exists("Raid"));
    QCOMPARE(list.importFile(exported, product, name), ProfileListResult::Ok);
    QCOMPARE(name, QString("Raid"));
    QVERIFY(exists("Raid"));
    QCOMPARE(list.importFile(exported, product, name), ProfileListResult::Exists);
    QCOMPARE(list.names(), (QStringList{"Profile 1", "Raid"}));
    // Exporting over an earlier export replaces it.
    QCOMPARE(list.exportFile("Raid", exported, product), ProfileListResult::Ok);
    QCOMPARE(list.importFile(outside.filePath("absent.prof"), product, name), ProfileListResult::NotFound);
}

QTEST_GUILESS_MAIN(TestProfileList)
#include "test_profile_list.moc"
