#include "storage/app_config_file.h"
#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "storage/file_replace.h"
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

    // COPY adds " copy", then " copy2", " copy3". The default profile is never renamed, nor a name outside
    // the list; names taken, empty or leaving the folder are refused and leave the file alone.
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
        QCOMPARE(list.rename("Absent", "Phantom"), ProfileListResult::NotFound);
        QVERIFY(!list.names().contains("Phantom") && !exists("Phantom"));
        QCOMPARE(list.rename("Profile 1", "Main"), ProfileListResult::DefaultProtected);
        QCOMPARE(list.rename(name, "Profile 1 copy"), ProfileListResult::Exists);
        QCOMPARE(list.rename(name, "../escape"), ProfileListResult::InvalidName);
        QCOMPARE(list.rename(name, ""), ProfileListResult::InvalidName);
        QVERIFY(exists(name) && !QFileInfo::exists(AppPaths::configDir() + "/escape.prof"));
        QCOMPARE(list.rename(name, "Sniper"), ProfileListResult::Ok);
        QVERIFY(!exists(name) && exists("Sniper"));
        QCOMPARE(config::loadProfileList(),
                 (QStringList{"Profile 1", "Profile 1 copy", "Profile 1 copy2", "Sniper"}));
        // A named add refuses a taken name before making anything.
        QCOMPARE(list.addNamed("Sniper"), ProfileListResult::Exists);
        QCOMPARE(list.addNamed("../escape"), ProfileListResult::InvalidName);
        QCOMPARE(list.addNamed("Raid"), ProfileListResult::Ok);
        QVERIFY(exists("Raid") && !exists("Profile 2") && list.names().size() == 5);
    }

    // A profile whose file cannot be read is never selected: the configuration stays exactly as it was.
    void selectNeedsReadableFile_data() {
        QTest::addColumn<bool>("folder");
        QTest::newRow("file deleted") << false;
        QTest::newRow("folder in its place") << true;
    }

    void selectNeedsReadableFile() {
        QFETCH(bool, folder);
        TestTree tree;
        ProfileList list;
        list.load();
        QString name;
        QCOMPARE(list.add(name), ProfileListResult::Ok);
        AppConfig config;
        ProfileList::loadStoredConfig(config);
        const AppConfig before = config;
        QVERIFY(QFile::remove(profile::profileFilePath(name)));
        if (folder)
            QVERIFY(QDir().mkpath(profile::profileFilePath(name)));
        QCOMPARE(list.select(name, 0, config), ProfileListResult::FileMissing);
        QVERIFY(config == before);
        QCOMPARE(list.select("Profile 1", 0, config), ProfileListResult::Ok);
    }

    // The window and korvanectl start from the profile Config.ini names, or the default one when it names
    // none.
    void storedConfigFallsBackToDefaultProfile() {
        TestTree tree;
        AppConfig named;
        ProfileList::loadStoredConfig(named);
        tree.setIniValue("Configs/Config.ini", "Config/Profile1", QString());
        AppConfig unnamed;
        ProfileList::loadStoredConfig(unnamed);
        QCOMPARE(unnamed.profileNames[0], QString("Profile 1"));
        QVERIFY(unnamed == named);
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
        // Onto its own file the export only marks it.
        QCOMPARE(list.exportFile("Raid", profile::profileFilePath("Raid"), product), ProfileListResult::Ok);
        QCOMPARE(profile::readProductMark(profile::profileFilePath("Raid")), product);
    }

    // An export replaces its target only once the new file is complete: when the part file cannot be
    // written (a folder stands in its way) the old target stays as it was.
    void exportKeepsTargetUntilComplete_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("profile") << "Raid.prof";
        QTest::newRow("configuration") << "Raid.conf";
    }

    void exportKeepsTargetUntilComplete() {
        QFETCH(QString, target);
        TestTree tree;
        QTemporaryDir outside;
        const QString path = outside.filePath(target);
        const QString product = config::currentProductName();
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("[Old]\nkept=1\n") > 0);
        old.close();
        AppConfig config;
        ProfileList::loadStoredConfig(config);
        ProfileList list;
        list.load();
        auto exportTo = [&] {
            return target.endsWith(".conf") ? ProfileList::exportConfigFile(config, path, product)
                                            : list.exportFile("Profile 1", path, product);
        };
        QVERIFY(QDir().mkpath(filereplace::partPath(path) + "/blocked"));
        QCOMPARE(exportTo(), ProfileListResult::WriteFailed);
        {
            QSettings kept(path, QSettings::IniFormat);
            QVERIFY(kept.value("Old/kept").toBool() && profile::readProductMark(path).isEmpty());
        }
        QVERIFY(QDir(filereplace::partPath(path)).removeRecursively());
        QCOMPARE(exportTo(), ProfileListResult::Ok);
        // The old file is replaced, not merged into, and no part file is left behind.
        QSettings replaced(path, QSettings::IniFormat);
        QVERIFY(!replaced.contains("Old/kept") && profile::readProductMark(path) == product);
        QVERIFY(!QFileInfo::exists(filereplace::partPath(path)));
    }
};

QTEST_GUILESS_MAIN(TestProfileList)
#include "test_profile_list.moc"
