#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "support/test_tree.h"

#include <QDir>
#include <QSettings>
#include <QtTest>

class TestConfig : public QObject {
    Q_OBJECT
private slots:
    void shippedConfiguration() {
        TestTree tree;
        QVERIFY(tree.isValid());
        QVERIFY(config::sensorType() == 3389 && config::batteryFull() == 4200);
        QVERIFY(!config::currentProductName().isEmpty());
        QCOMPARE(config::mouseListEntry(), config::currentProductName());
        LanguageTable table;
        config::readLanguageTable(table);
        QCOMPARE(table.count, 3);
        QCOMPARE(table.names[1], QString::fromUtf8("Fran\xc3\xa7"
                                                   "ais"));
        QVERIFY(!table.names[2].isEmpty() && table.names[3].isEmpty());
        QCOMPARE(config::loadProfileList(), QStringList{"Profile 1"});
    }

    void macroListFillsHolesAndRemovesLowestCopy() {
        TestTree tree;
        tree.setIniValue("Configs/Config.ini", "MACRO_LIST/0", "Reload");
        tree.setIniValue("Configs/Config.ini", "MACRO_LIST/2", "Burst");
        QCOMPARE(config::macroCount(), 2);
        QVERIFY(config::addMacroName("Jump"));
        QSettings file(tree.file("Configs/Config.ini"), QSettings::IniFormat);
        QCOMPARE(file.value("MACRO_LIST/1").toString(), QString("Jump"));

        // The same name in two slots: removal empties only the lower one.
        QVERIFY(config::addMacroName("Burst"));
        QCOMPARE(config::listMacros(), (QStringList{"Reload", "Jump", "Burst", "Burst"}));
        QVERIFY(config::removeMacroName("Burst") && !config::removeMacroName("burst"));
        file.sync();
        QCOMPARE(file.value("MACRO_LIST/2").toString(), QString());
        QCOMPARE(file.value("MACRO_LIST/3").toString(), QString("Burst"));
        QCOMPARE(config::macroCount(), 3);
        // Insertion order and slot order part ways once a hole is refilled.
        QVERIFY(config::addMacroName("Crouch"));
        QCOMPARE(config::listMacros(), (QStringList{"Reload", "Jump", "Crouch", "Burst"}));
        for (int i = 4; i < config::kMacroSlots; ++i)
            QVERIFY(config::addMacroName(QString("M%1").arg(i)));
        QVERIFY(!config::addMacroName("Overflow"));
        QVERIFY(config::macroCount() == config::kMacroSlots && !config::listMacros().contains("Overflow"));
    }

    void profileList() {
        TestTree tree;
        const QString product = "Configs/" + config::currentProductName() + "/Config.ini";
        tree.setIniValue(product, "PROFILE_LIST/Count", 0);
        QVERIFY(config::loadProfileList().isEmpty());
        QVERIFY(config::storeProfileList({"Profile 1", "Sniper", "Raid"}));
        QCOMPARE(config::loadProfileList(), (QStringList{"Profile 1", "Sniper", "Raid"}));
        QVERIFY(config::storeProfileList({"Profile 1", "Raid"}));
        QCOMPARE(config::loadProfileList(), (QStringList{"Profile 1", "Raid"}));
        QCOMPARE(QSettings(tree.file(product), QSettings::IniFormat).value("PROFILE_LIST/3").toString(),
                 QString("Raid"));
        // A list claiming more names than it holds reads the missing ones as empty.
        tree.setIniValue(product, "PROFILE_LIST/Count", 4);
        QCOMPARE(config::loadProfileList(), (QStringList{"Profile 1", "Raid", "Raid", ""}));
        QVERIFY(tree.remove(product));
        QVERIFY(config::loadProfileList().isEmpty());
    }

    void fontsByLanguageIndex() {
        TestTree tree;
        tree.setIniValue("Configs/Config.ini", "FONT_LIST/FONT_3", "Noto Sans");
        tree.setIniValue("Configs/Config.ini", "FONT_LIST/FONT_SIZE_3", 15);
        QCOMPARE(config::fontForLanguage(3).family, QString("Noto Sans"));
        QCOMPARE(config::fontForLanguage(3).pixelSize, 15u);
        QVERIFY(!config::fontForLanguage(1).family.isEmpty() && config::fontForLanguage(1).pixelSize > 0);
        QVERIFY(config::fontForLanguage(7).family.isEmpty() && config::fontForLanguage(7).pixelSize == 0);
        QVERIFY(config::setLanguageIndex(2));
        QCOMPARE(config::languageIndex(), 2);
    }

    // The product folder of a newly chosen mouse may not exist yet; its profile list must still be kept.
    // Without any configuration file every value reads its default and the first write creates the folder.
    void missingFilesAndFolders() {
        TestTree tree;
        QVERIFY(config::setCurrentProductName("Another Mouse"));
        QVERIFY(!QFileInfo::exists(AppPaths::productDir("Another Mouse")));
        QVERIFY(config::storeProfileList({"Profile 1"}));
        QCOMPARE(config::loadProfileList(), QStringList{"Profile 1"});
        QVERIFY(QDir(AppPaths::configDir()).removeRecursively());
        QCOMPARE(config::currentProductName(), QString());
        QVERIFY(config::languageIndex() == 0 && config::batteryFull() == 4200 && config::batteryValue() == 0);
        QVERIFY(config::sensorType() == 0 && config::macroCount() == 0 &&
                config::loadProfileList().isEmpty());
        LanguageTable table;
        table.count = 5;
        config::readLanguageTable(table);
        QCOMPARE(table.count, 0);
        QVERIFY(config::setBatteryValue(80));
        QCOMPARE(config::batteryValue(), 80);
    }

    // A settings file that cannot be written (a folder stands in its place, which stops root too) must
    // not be reported as saved.
    void failedWriteIsReported() {
        TestTree tree;
        QVERIFY(tree.remove("Configs/Config.ini") && QDir().mkpath(tree.file("Configs/Config.ini")));
        QVERIFY(!config::setBatteryValue(55) && !config::setCurrentProductName("Lost"));
        QVERIFY(!config::addMacroName("Lost"));
    }
};

QTEST_GUILESS_MAIN(TestConfig)
#include "test_config.moc"
