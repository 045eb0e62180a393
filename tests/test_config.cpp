#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "storage/description_file.h"
#include "support/test_tree.h"

#include <QDir>
#include <QSettings>
#include <QtTest>

// Config.ini, the product's profile list and the model's description file.
class TestConfig : public QObject {
    Q_OBJECT
private slots:
    // As shipped: the sample model with 7 buttons and 6 stages (its ids and button slots are proved where the
    // mouse is found and the profiles load), three languages, one profile.
    void shippedFiles() {
        TestTree tree;
        QVERIFY(tree.isValid() && config::sensorType() == 3389 && config::batteryFull() == 4200);
        QVERIFY(!config::currentProductName().isEmpty() &&
                config::mouseListEntry() == config::currentProductName());
        LanguageTable table;
        config::readLanguageTable(table);
        QCOMPARE(table.count, 3);
        QCOMPARE(table.names[1], QString::fromUtf8("Fran\xc3\xa7"
                                                   "ais"));
        QVERIFY(!table.names[2].isEmpty() && table.names[3].isEmpty());
        QCOMPARE(config::loadProfileList(), QStringList{"Profile 1"});
        QVERIFY(!description::productName().isEmpty() && !description::version().isEmpty());
        QVERIFY(description::buttonCount() == 7 && description::dpiStageCount() == 6);
        DeviceDescription record;
        QCOMPARE(description::loadDescription(record), 0);
        QVERIFY(record.dpiValues[0] > 0 && record.dpiValues[5] > 0);
    }

    // Holes are filled first; the same name in two slots: removal empties only the lower one.
    void macroListFillsHolesAndRemovesLowestCopy() {
        TestTree tree;
        tree.setIniValue("Configs/Config.ini", "MACRO_LIST/0", "Reload");
        tree.setIniValue("Configs/Config.ini", "MACRO_LIST/2", "Burst");
        QCOMPARE(config::macroCount(), 2);
        QVERIFY(config::addMacroName("Jump") && config::addMacroName("Burst"));
        QCOMPARE(config::listMacros(), (QStringList{"Reload", "Jump", "Burst", "Burst"}));
        QVERIFY(config::removeMacroName("Burst") && !config::removeMacroName("burst"));
        QSettings file(tree.file("Configs/Config.ini"), QSettings::IniFormat);
        QCOMPARE((QStringList{file.value("MACRO_LIST/1").toString(), file.value("MACRO_LIST/2").toString(),
                              file.value("MACRO_LIST/3").toString()}),
                 (QStringList{"Jump", "", "Burst"}));
        QCOMPARE(config::macroCount(), 3);
        // Insertion order and slot order part ways once a hole is refilled.
        QVERIFY(config::addMacroName("Crouch"));
        QCOMPARE(config::listMacros(), (QStringList{"Reload", "Jump", "Crouch", "Burst"}));
        for (int i = 4; i < config::kMacroSlots; ++i)
            QVERIFY(config::addMacroName(QString("M%1").arg(i)));
        QVERIFY(!config::addMacroName("Overflow"));
        QVERIFY(config::macroCount() == config::kMacroSlots && !config::listMacros().contains("Overflow"));
    }

    // A shorter list leaves stale entries behind its count; a count past the entries reads them as empty.
    void profileList() {
        TestTree tree;
        const QString product = "Configs/" + config::currentProductName() + "/Config.ini";
        tree.setIniValue(product, "PROFILE_LIST/Count", 0);
        QVERIFY(config::loadProfileList().isEmpty());
        QVERIFY(config::storeProfileList({"Profile 1", "Sniper", "Raid"}));
        QVERIFY(config::storeProfileList({"Profile 1", "Raid"}));
        QCOMPARE(config::loadProfileList(), (QStringList{"Profile 1", "Raid"}));
        tree.setIniValue(product, "PROFILE_LIST/Count", 4);
        QCOMPARE(config::loadProfileList(), (QStringList{"Profile 1", "Raid", "Raid", ""}));
        QVERIFY(tree.remove(product));
        QVERIFY(config::loadProfileList().isEmpty());
    }

    void fontsByLanguageIndex() {
        TestTree tree;
        tree.setIniValue("Configs/Config.ini", "FONT_LIST/FONT_3", "Noto Sans");
        tree.setIniValue("Configs/Config.ini", "FONT_LIST/FONT_SIZE_3", 15);
        QVERIFY(config::fontForLanguage(3).family == "Noto Sans" &&
                config::fontForLanguage(3).pixelSize == 15);
        QVERIFY(!config::fontForLanguage(1).family.isEmpty() && config::fontForLanguage(1).pixelSize > 0);
        QVERIFY(config::fontForLanguage(7).family.isEmpty() && config::fontForLanguage(7).pixelSize == 0);
        QVERIFY(config::setLanguageIndex(2));
        QCOMPARE(config::languageIndex(), 2);
    }

    // The product folder of a newly chosen mouse may not exist yet; its profile list must still be kept.
    // Without any configuration or description file every value reads its default, the bulk reads report
    // the missing file and leave their outputs alone, and the first write creates the folder.
    void missingFilesAndFolders() {
        TestTree tree;
        QVERIFY(config::setCurrentProductName("Another Mouse"));
        QVERIFY(!QFileInfo::exists(AppPaths::productDir("Another Mouse")));
        QVERIFY(config::storeProfileList({"Profile 1"}));
        QCOMPARE(config::loadProfileList(), QStringList{"Profile 1"});
        QVERIFY(QDir(AppPaths::configDir()).removeRecursively() && tree.remove("DefaultProfile.bin"));
        QCOMPARE(config::currentProductName(), QString());
        QVERIFY(config::languageIndex() == 0 && config::batteryFull() == 4200 && config::batteryValue() == 0);
        QVERIFY(config::sensorType() == 0 && config::macroCount() == 0 &&
                config::loadProfileList().isEmpty());
        LanguageTable table;
        table.count = 5;
        config::readLanguageTable(table);
        QCOMPARE(table.count, 0);

        QVERIFY(description::productName().isEmpty() && description::newMacroName() == "Macro");
        QVERIFY(description::buttonCount() == 0 && description::dpiStageCount() == 0);
        int ids[4] = {};
        description::deviceIds(ids[0], ids[1], ids[2], ids[3]);
        QCOMPARE(QVector<int>(ids, ids + 4), (QVector<int>{0x248A, 0x8373, 0x248A, 0xFB01}));
        QVERIFY(description::frenchLanguage() == -1 && description::germanLanguage() == -1);
        QVERIFY(description::showSleep() == 1 && description::minDelay() == 10 &&
                description::colorMode() == 1);
        int sleepMin = 0, sleepMax = 0;
        description::sleepRange(sleepMin, sleepMax);
        QVERIFY(sleepMin == 1 && sleepMax == 9);
        DeviceDescription record;
        record.pollRate = 77;
        std::array<uint8_t, 16> matrix;
        matrix.fill(9);
        std::array<uint8_t, description::kSensorDefaultCount> sensor;
        sensor.fill(9);
        QVERIFY(description::loadDescription(record) == -1 && description::readButtonMatrix(matrix) == -1 &&
                description::readSensorDefaults(sensor) == -1);
        QVERIFY(record.pollRate == 77 && matrix[15] == 9 && sensor[description::kSync] == 9);

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

    // Description counts are stored encoded (13 XOR 7 gives 10 buttons, XOR 1 gives 11 stages); byte fields
    // keep their low byte ("PROFILE/dpi" 257 reads 1) and text reads as 0.
    void encodedCountsAndLowBytes() {
        TestTree tree;
        for (const QString value :
             {"ButtonCount=13", "MouseDpi=7", "DPICount=1", "dpi=257", "BUTTON_INFO_3_Matrix=510",
              "butondelay=300", "BUTTON_INFO_2_Res4=not a number"})
            tree.setIniValue("DefaultProfile.bin", "PROFILE/" + value.section('=', 0, 0),
                             value.section('=', 1));
        QVERIFY(description::buttonCount() == 10 && description::dpiStageCount() == 11);
        std::array<uint8_t, 16> matrix{};
        QCOMPARE(description::readButtonMatrix2(matrix), 10);
        description::readButtonMatrix(matrix);
        QCOMPARE(int(matrix[3]), 0xFE);
        DeviceDescription record;
        QCOMPARE(description::loadDescription(record), 0);
        QVERIFY(record.dpiStage == 1 && record.buttons[2].res4 == 0);
        std::array<uint8_t, description::kSensorDefaultCount> sensor{};
        QCOMPARE(description::readSensorDefaults(sensor), 0);
        QCOMPARE(int(sensor[description::kButtonDelay]), 300 & 0xFF);
        tree.setIniValue("DefaultProfile.bin", "PROFILE/DPICount", 3);
        QCOMPARE(description::dpiStageCount(), 10 ^ 3); // 9, where a sum would give 13
    }

    // A description written by hand: colours as text, sub-keys of LedMode, and missing sensor keys that fall
    // back to their own defaults (butondelay 32, sensormode 1). Then edited while the program runs: no value
    // may come from a cache.
    void handWrittenAndEditedDescription() {
        TestTree tree;
        QByteArray text =
            "[PROFILE]\r\npollrate=2\r\nLedMode=9\r\nLedMoveOFF=255\r\nDPI_INFO_7_xy=480\r\nScrollRev=0\r\n"
            "BUTTON_INFO_15_Fun=200\r\nBUTTON_INFO_15_LoopNumber=3\r\nBUTTON_INFO_15_KeyNumber=4\r\n"
            "BUTTON_INFO_15_ID=15\r\nBUTTON_INFO_15_Res1=2\r\nLedMode\\LED_MODE_13_RGB=#00ff80\r\n"
            "LedMode\\LED_MODE_13_bright=4\r\nLedMode\\LED_MODE_13_breath=5\r\n";
        QFile file(tree.file("DefaultProfile.bin"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size());
        file.close();
        DeviceDescription record;
        QCOMPARE(description::loadDescription(record), 0);
        QVERIFY(record.pollRate == 2 && record.ledMode == 9 && record.ledMoveOff == 255);
        QVERIFY(record.dpiValues[7] == 480 && record.dpiValues[0] == 0);
        const DescriptionButton &b = record.buttons[15];
        QVERIFY(b.function == 200 && b.loopNumber == 3 && b.keyNumber == 4 && b.id == 15 && b.res1 == 2);
        QCOMPARE(record.leds[13].color, QColor(0, 255, 128));
        QVERIFY(record.leds[13].bright == 4 && record.leds[13].breath == 5 &&
                !record.leds[0].color.isValid());
        std::array<uint8_t, description::kSensorDefaultCount> sensor{};
        QCOMPARE(description::readSensorDefaults(sensor), 0);
        QVERIFY(sensor[description::kButtonDelay] == 32 && sensor[description::kSensorMode] == 1 &&
                sensor[description::kLift] == 0);
        QVERIFY(description::scrollReverse() == 0 && description::version() != "V9.9.99");
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.replace("ScrollRev=0", "ScrollRev=1\r\nVersion=V9.9.99"));
        file.close();
        QVERIFY(description::scrollReverse() == 1 && description::version() == "V9.9.99");
    }
};

QTEST_GUILESS_MAIN(TestConfig)
#include "test_config.moc"
