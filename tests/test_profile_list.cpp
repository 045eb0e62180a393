#include "storage/app_config_file.h"
#include "storage/app_config_store.h"
#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "storage/factory_profile.h"
#include "storage/file_replace.h"
#include "storage/profile_file.h"
#include "storage/profile_links.h"
#include "storage/profile_list.h"
#include "storage/profile_session.h"
#include "support/test_tree.h"

#include <QSettings>
#include <QtTest>

namespace {
bool exists(const QString &name) {
    return QFileInfo::exists(profile::profileFilePath(name));
}
} // namespace

class TestProfileList : public QObject {
    Q_OBJECT
    std::unique_ptr<TestTree> m_tree;
    ProfileList m_list;

private slots:
    void init() {
        m_tree = std::make_unique<TestTree>();
        QVERIFY(m_tree->isValid());
        m_list = ProfileList();
        m_list.load();
    }

    // The links are kept beside the profile list, neither store disturbing the other; entries a hand
    // left without a program or a profile, or twice for one program, are left out. A deleted profile's links
    // go, returned so that the user can be told, and a default still listed stays. (That a rename takes the
    // links and the default along, and that a deleted default goes, is korvanectl's links test.)
    void linksKeptAndFollowed() {
        QCOMPARE(m_list.addNamed("Raid"), ProfileListResult::Ok);
        ProfileLinks links;
        links.set({"shooter", "Profile 1", false, QString()});
        links.set({"/opt/Racer Ünï/racer", "Raid", true, "racer.Racer"});
        links.set({"shooter", "Raid", true, QString()});
        links.defaultProfile = "Profile 1";
        links.automatic = false;
        QCOMPARE(links.links.size(), 2);
        QVERIFY(config::storeProfileLinks(links));
        QVERIFY(config::storeProfileList({"Profile 1", "Raid"}));
        const ProfileLinks back = config::loadProfileLinks();
        QVERIFY(back.links == links.links && back.defaultProfile == "Profile 1" && !back.automatic);
        QCOMPARE(config::loadProfileList(), (QStringList{"Profile 1", "Raid"}));

        const QString file = AppPaths::productConfigFile(config::profileProductName());
        for (const auto &[key, value] : {std::pair<QString, QString>{"LINKS/Link/3/Program", ""},
                                         {"LINKS/Link/3/Profile", "Raid"},
                                         {"LINKS/Link/4/Program", "shooter"},
                                         {"LINKS/Link/4/Profile", "Profile 1"},
                                         {"LINKS/Link/size", "4"}})
            QSettings(file, QSettings::IniFormat).setValue(key, value);
        QCOMPARE(config::loadProfileLinks().links, links.links);

        // Deleted through the operation of the window and korvanectl.
        ProfileSession session(workingConfig());
        session.load();
        QCOMPARE(session.remove("Raid"), ProfileListResult::Ok);
        QCOMPARE(session.droppedLinks().size(), 2);
        QVERIFY(config::loadProfileLinks().links.isEmpty());
        QCOMPARE(config::loadProfileLinks().defaultProfile, QString("Profile 1"));
    }

    // ADD passes over a number whose file is there though the list does not hold it, and remakes the
    // factory profile when its file is gone. A list file with a line cut short is rewritten whole by the
    // change, which the list then takes: it never names a profile whose file it deleted as unstored.
    void addTakesLowestFreeNumber() {
        QVERIFY(QFile::copy(profile::factoryProfilePath(), profile::profileFilePath("Profile 2")));
        QVERIFY(QFile::remove(profile::factoryProfilePath()));
        QFile file(AppPaths::productConfigFile(config::profileProductName()));
        QVERIFY(file.open(QIODevice::Append) && file.write("\n[Broken\nx") > 0);
        file.close();
        QString name;
        QCOMPARE(m_list.add(name), ProfileListResult::Ok);
        QVERIFY(name == "Profile 3" && exists(name) && QFileInfo::exists(profile::factoryProfilePath()));
        ProfileList reread;
        reread.load();
        QVERIFY(reread.names().contains(name));
    }

    // A profile whose file is gone, or a folder, is never selected: the configuration stays exactly as it
    // was.
    void selectNeedsReadableFile() {
        QString deleted, folder;
        QVERIFY(m_list.add(deleted) == ProfileListResult::Ok && m_list.add(folder) == ProfileListResult::Ok);
        AppConfig config;
        QCOMPARE(ProfileList::loadStoredConfig(config), FileResult::Ok);
        const AppConfig before = config;
        QVERIFY(QFile::remove(profile::profileFilePath(deleted)) &&
                QFile::remove(profile::profileFilePath(folder)));
        QVERIFY(QDir().mkpath(profile::profileFilePath(folder)));
        QCOMPARE(m_list.select(deleted, 0, config), ProfileListResult::FileMissing);
        QCOMPARE(m_list.select(folder, 0, config), ProfileListResult::FileMissing);
        QVERIFY(config == before);
        QCOMPARE(m_list.select("Profile 1", 0, config), ProfileListResult::Ok);
    }

    // Each refusal of copy, rename, named add and delete gives its own result, which chooses the message the
    // user reads, and leaves the files alone (that it leaves the list alone is the random operations'): the
    // last profile and the default one stay. While another slot is current, a removed profile's place never
    // goes to the first slot's profile. (Which entry takes a removed one's place is the random operations'.)
    void refusalsAndRemovedPlace() {
        QString a, b, copied;
        QCOMPARE(m_list.remove("Profile 1"), ProfileListResult::LastProfile);
        QVERIFY(m_list.add(a) == ProfileListResult::Ok && m_list.add(b) == ProfileListResult::Ok);
        const QMap<QString, QByteArray> files = filesUnder(m_tree->path());
        QCOMPARE(m_list.remove("Profile 1"), ProfileListResult::DefaultProtected);
        QCOMPARE(m_list.copy("Absent", copied), ProfileListResult::NotFound);
        QCOMPARE(m_list.rename("Absent", "Phantom"), ProfileListResult::NotFound);
        QCOMPARE(m_list.rename(a, "Profile 1"), ProfileListResult::Exists);
        QCOMPARE(m_list.rename(a, "../escape"), ProfileListResult::InvalidName);
        QCOMPARE(m_list.addNamed(""), ProfileListResult::InvalidName);
        QCOMPARE(filesUnder(m_tree->path()), files);
        QCOMPARE(m_list.successor(b), a);
        QCOMPARE(m_list.successor(b, 1, a), QString("Profile 1"));
    }

    // A missing file and a name the list already holds (even when its file is gone) are refused; a
    // read-only file is copied with the user's mode. Another product's file and one that holds no whole
    // profile are korvanectl's rows, with their messages.
    void importAndExport() {
        QTemporaryDir outside;
        const QString product = config::currentProductName();
        const QString exported = outside.filePath("Raid.prof");
        QCOMPARE(m_list.exportFile("Profile 1", exported, product), ProfileListResult::Ok);
        QString name;
        QCOMPARE(m_list.importFile(exported, product, name), ProfileListResult::Ok);
        QCOMPARE(m_list.importFile(outside.filePath("absent.prof"), product, name),
                 ProfileListResult::NotFound);
        // Onto its own file the export only marks it.
        QCOMPARE(m_list.exportFile("Raid", profile::profileFilePath("Raid"), product), ProfileListResult::Ok);
        QCOMPARE(profile::readProductMark(profile::profileFilePath("Raid")), product);
        QVERIFY(QFile::remove(profile::profileFilePath("Raid")));
        QCOMPARE(m_list.importFile(exported, product, name), ProfileListResult::Exists);
        QCOMPARE(m_list.names(), (QStringList{"Profile 1", "Raid"}));

        const QString locked = outside.filePath("Locked.prof");
        QVERIFY(QFile::copy(exported, locked));
        QVERIFY(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        QCOMPARE(m_list.importFile(locked, product, name), ProfileListResult::Ok);
        QVERIFY(QFileInfo(profile::profileFilePath("Locked")).permissions() & QFileDevice::WriteOwner);
        ProfileData copy;
        QCOMPARE(profile::readProfileFile(copy, profile::profileFilePath("Locked")), FileResult::Ok);
        QCOMPARE(profile::saveProfileByName(copy, "Locked"), FileResult::Ok);

        // When the list cannot be stored (a folder in place of the product's Config.ini), add, copy, rename
        // and import leave no file behind and rename puts the old file back: the list and the files agree.
        const QString listFile = AppPaths::productConfigFile(config::profileProductName());
        QVERIFY(QFile::remove(listFile) && QDir().mkpath(listFile));
        QVERIFY(QFile::rename(locked, outside.filePath("Spare.prof")));
        const QStringList names = m_list.names();
        const QStringList files = QDir(profile::profileDir()).entryList(QDir::Files);
        QCOMPARE(m_list.add(name), ProfileListResult::WriteFailed);
        QCOMPARE(m_list.addNamed("Scout"), ProfileListResult::WriteFailed);
        QCOMPARE(m_list.copy("Profile 1", name), ProfileListResult::WriteFailed);
        QCOMPARE(m_list.rename("Locked", "Scout"), ProfileListResult::WriteFailed);
        QCOMPARE(m_list.importFile(outside.filePath("Spare.prof"), product, name),
                 ProfileListResult::WriteFailed);
        QCOMPARE(m_list.names(), names);
        QCOMPARE(QDir(profile::profileDir()).entryList(QDir::Files), files);
    }

    // A part file that cannot be written (a folder in its way) leaves the old target as it was, for a
    // profile and for a configuration.
    void exportKeepsTargetUntilComplete() {
        QTemporaryDir outside;
        const QString product = config::currentProductName();
        AppConfig config;
        QCOMPARE(ProfileList::loadStoredConfig(config), FileResult::Ok);
        for (const QString &path : {outside.filePath("Raid.prof"), outside.filePath("Raid.conf")}) {
            QVERIFY(writeFile(path, "[Old]\nkept=1\n"));
            auto exportTo = [&] {
                return path.endsWith(".conf") ? ProfileList::exportConfigFile(config, path, product)
                                              : m_list.exportFile("Profile 1", path, product);
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
    }

    // A profile file that links outside the configuration folder is not written through (a product name
    // that would leave it is the configuration fuzz seeds').
    void linkOutsideIsNotWrittenThrough() {
        QTemporaryDir outside;
        const QString target = outside.filePath("victim.txt");
        QVERIFY(writeFile(target, "keep me\n"));
        QVERIFY(QFile::link(target, profile::profileFilePath("Linked")));
        ProfileData data;
        profile::makeFactoryProfile(data);
        QCOMPARE(profile::saveProfileByName(data, "Linked"), FileResult::OutsideLink);
        QCOMPARE(profile::setProfileDpiStage("Linked", 3), FileResult::OutsideLink);
        QCOMPARE(readFile(target), QByteArray("keep me\n"));
        // A link to another file of the configuration folder is written through as before.
        QVERIFY(QFile::remove(profile::profileFilePath("Linked")) &&
                QFile::link(profile::profileFilePath("Profile 1"), profile::profileFilePath("Linked")));
        QCOMPARE(profile::saveProfileByName(data, "Linked"), FileResult::Ok);
    }
};

QTEST_GUILESS_MAIN(TestProfileList)
#include "test_profile_list.moc"
