#include "storage/app_config_file.h"
#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "storage/factory_profile.h"
#include "storage/macro_file.h"
#include "storage/profile_file.h"
#include "support/test_tree.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QtTest>

Q_DECLARE_METATYPE(FileResult)

namespace {

using IniSections = QMap<QString, QMap<QString, QString>>;

QByteArray readText(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeText(const QString &path, const QByteArray &text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

// A plain reader of the INI text, apart from QSettings: sections, keys with "\" read as "/", raw values.
IniSections readIniText(const QString &path) {
    IniSections sections;
    QString section;
    for (const QByteArray &raw : readText(path).split('\n')) {
        const QString line = QString::fromLatin1(raw).trimmed();
        if (line.startsWith('[') && line.endsWith(']'))
            section = line.mid(1, line.size() - 2);
        else if (line.contains('='))
            sections[section][line.section('=', 0, 0).replace('\\', '/')] = line.section('=', 1);
    }
    return sections;
}

QStringList fileList(const QString &root) {
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

// Every field set, no two neighbours alike, byte fields up to 255 and values past 16 bits; keyNumber is
// below 63 everywhere, so the entries past it must survive too.
ProfileData sampleProfile() {
    ProfileData p;
    uint8_t value = 3;
    for (uint8_t ProfileData::*field :
         {&ProfileData::pollRate, &ProfileData::dpiStage, &ProfileData::ledMode, &ProfileData::ledMoveOff,
          &ProfileData::ledSleepTime, &ProfileData::mouseSpeed, &ProfileData::doubleClickSpeed,
          &ProfileData::scrollIsPage, &ProfileData::scrollSpeed, &ProfileData::accelEnable,
          &ProfileData::acee})
        p.*field = value++;
    // clang-format off
    for (uint i = 0; i < 8; ++i)
        p.dpiStages[i] = {uint8_t(i % 2), uint8_t(1 - i % 2), {}, 70000 + i, 100 * i + 2, 26000 - i,
                          QColor(i * 30, 255 - i * 30, 7)};
    for (int b = 0; b < ProfileData::kButtonCount; ++b) {
        ButtonAssignment &a = p.buttons[b];
        a = {b, b == 3 ? 510 : 100 + b, 3 * b, b % 5, {}, uint8_t(b), uint8_t(255 - b), uint8_t(2 * b),
             uint8_t(200 + b), b % 7 == 0 ? QString("Macro %1").arg(b) : QString()};
        // clang-format on
        for (int k = 0; k < ButtonAssignment::kMaxKeys; ++k)
            a.keys[k] = {uint8_t(b + k), uint8_t(b * k), uint8_t(255 - k)};
    }
    for (uint m = 0; m < 14; ++m)
        p.ledModes[m] = {QColor(m * 18, 3, 255 - m), 360 - m, m, 2 * m, m % 5, 100000 + m};
    p.profileName = QString::fromUtf8("Sniper \xc3\xa9t\xc3\xa9");
    p.profilePath = "C:/Games/Sniper.prof";
    return p;
}

AppConfig sampleConfig() {
    AppConfig c;
    uint8_t value = 20;
    for (uint8_t AppConfig::*field : {&AppConfig::profileId, &AppConfig::angleValue, &AppConfig::liftHigh,
                                      &AppConfig::sync, &AppConfig::count, &AppConfig::jitter,
                                      &AppConfig::debounce, &AppConfig::wake, &AppConfig::sensorMode})
        c.*field = value++;
    c.profile = sampleProfile();
    c.profileNames[0] = "Raid";
    return c;
}

ProfileData readDefaults() {
    ProfileData p;
    p.ledMoveOff = 255;
    p.ledSleepTime = 1;
    return p;
}

} // namespace

class TestProfileFile : public QObject {
    Q_OBJECT
private slots:
    // Written the way other installations write it (binary colour variants, "\" in sub-keys), with a
    // colour name and a "/" as a person editing the file might use. Every field is overwritten; the
    // missing ones read their defaults (LedMoveOFF 255, LedSleepTime 1, invalid colours, zeros).
    void handWrittenFileLoads() {
        TestTree tree;
        const QString path = tree.file("hand.prof");
        writeText(
            path,
            "[MouseName]\nName=Korvane M7 Wireless\n\n[PROFILE]\npollrate=3\ndpi=257\n"
            "DPI_INFO_1_used=1\nDPI_INFO_1_xy=1600\nDPI_INFO_1_x=1600\nDPI_INFO_1_y=800\n"
            "DPI_INFO_1_dpicolor=@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff\\0\\0\\xff\\xff\\0\\0\\0\\0)\n"
            "BUTTON_INFO_4_Fun=200\nBUTTON_INFO_4_KeyNumber=2\nBUTTON_INFO_4_macroname=Reload fast\n"
            "BUTTON_INFO_4_KeyInfo_1_map=6\nBUTTON_INFO_4_KeyInfo_1_=44\nBUTTON_INFO_4_KeyInfo_1_H=1\n"
            "ProfileName=Raid\nLedMode=4\n"
            "LedMode\\LED_MODE_4_RGB=@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff\\x12\\x12\\x34\\x34VV\\0\\0)\n"
            "LedMode\\LED_MODE_4_breath=4\nLedMode\\LED_MODE_4_h=360\nLedMode/LED_MODE_5_RGB=#0000ff\n");
        ProfileData expected = readDefaults();
        expected.pollRate = 3;
        expected.dpiStage = 1; // 257 keeps its low byte
        expected.dpiStages[1] = {1, 0, {}, 1600, 1600, 800, QColor(0, 255, 0)};
        expected.buttons[4].function = 200;
        expected.buttons[4].keyNumber = 2;
        expected.buttons[4].macroName = "Reload fast";
        expected.buttons[4].keys[1] = {6, 44, 1};
        expected.profileName = "Raid";
        expected.ledMode = 4;
        expected.ledModes[4] = {QColor(0x12, 0x34, 0x56), 360, 0, 0, 0, 4};
        expected.ledModes[5].color = QColor(0, 0, 255);
        ProfileData read = sampleProfile();
        QCOMPARE(profile::readProfileFile(read, path), FileResult::Ok);
        QVERIFY(read == expected);
        QCOMPARE(profile::readProductMark(path), QString("Korvane M7 Wireless"));
        read = sampleProfile();
        QCOMPARE(profile::readProfileFile(read, tree.file("none.prof")), FileResult::NotFound);
        QVERIFY(read == readDefaults());
    }

    // A written profile, checked key by key, reads back every field over a factory profile, with one DPI
    // value changed in a text editor: all 63 key entries of all 42 buttons, colours, names, lighting.
    void roundTripKeyByKey() {
        TestTree tree;
        const QString path = tree.file("check.prof");
        ProfileData written = sampleProfile();
        written.profileName = "Raid";
        written.ledModes[2].color = QColor();
        QCOMPARE(profile::writeProfileFile(written, path), FileResult::Ok);
        const IniSections ini = readIniText(path);
        QCOMPARE(ini.keys(), QStringList{"PROFILE"});
        // 13 plain keys, 6 for each of 8 stages, 9 + 3 x 63 for each of 42 buttons, 6 for each of 14 modes;
        // the hand-written file above reads the other families.
        const QMap<QString, QString> &keys = ini["PROFILE"];
        QCOMPARE(keys.size(), 13 + 6 * 8 + (9 + 3 * 63) * 42 + 6 * 14);
        const QString values =
            "mousespeed=8 dbclickspeed=9 scrollispage=10 scrollspeed=11 accelenable=12 acee=13 LedMoveOFF=6 "
            "LedSleepTime=7 ProfilePath=C:/Games/Sniper.prof DPI_INFO_7_link=0 BUTTON_INFO_41_ID=41 "
            "BUTTON_INFO_41_LoopNumber=123 BUTTON_INFO_41_Res1=41 BUTTON_INFO_41_Res2=214 "
            "BUTTON_INFO_41_Res3=82 "
            "BUTTON_INFO_41_Res4=241 BUTTON_INFO_41_KeyInfo_62_=238 LedMode/LED_MODE_13_s=13 "
            "LedMode/LED_MODE_13_v=26 LedMode/LED_MODE_13_bright=3 "
            "LedMode/LED_MODE_0_RGB=@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff\\0\\0\\x3\\x3\\xff\\xff\\0\\0) "
            "LedMode/LED_MODE_2_RGB=@Variant(\\0\\0\\0\\x43\\0\\xff\\xff\\0\\0\\0\\0\\0\\0\\0\\0)";
        for (const QString &value : values.split(' '))
            QCOMPARE(value.section('=', 0, 0) + '=' + keys[value.section('=', 0, 0)], value);

        QByteArray text = readText(path);
        QVERIFY(text.contains("\nDPI_INFO_4_x=402\n"));
        writeText(path, text.replace("\nDPI_INFO_4_x=402\n", "\nDPI_INFO_4_x=3200\n"));
        ProfileData read;
        profile::makeFactoryProfile(read);
        QCOMPARE(profile::readProfileFile(read, path), FileResult::Ok);
        written.dpiStages[4].x = 3200;
        QVERIFY(read == written);
    }

    // A configuration export: the Config keys and the profile's less the stage colours, light-off and sleep
    // time, which an import leaves as they are.
    void exportImport() {
        TestTree tree;
        const AppConfig exported = sampleConfig();
        const QString path = tree.file("exports/raid.conf");
        QCOMPARE(config::exportConfig(exported, path), FileResult::Ok);
        const IniSections ini = readIniText(path);
        QCOMPARE(ini.keys(), (QStringList{"Config", "PROFILE_0"}));
        QCOMPARE(ini["Config"].keys(), (QStringList{"AngleValue", "Count", "Debounce", "Jitter", "LiftHigh",
                                                    "ProfileID", "SensorMode", "Sync", "Wake"}));
        QCOMPARE(ini["Config"]["Debounce"], QString("26"));
        const QMap<QString, QString> &keys = ini["PROFILE_0"];
        QCOMPARE(keys.size(), 8461 - 8 - 2);
        QVERIFY(!keys.contains("DPI_INFO_0_dpicolor") && !keys.contains("LedMoveOFF") &&
                !keys.contains("LedSleepTime"));
        AppConfig current;
        current.profileNames = {"Current", "Second"};
        current.profile.dpiStages[3].color = QColor(1, 2, 3);
        current.profile.ledMoveOff = 1;
        current.profile.ledSleepTime = 9;
        QCOMPARE(config::importConfig(current, path), FileResult::Ok);
        AppConfig expected = exported;
        expected.profileNames = {"", "Second"};
        for (int i = 0; i < ProfileData::kStageCount; ++i)
            expected.profile.dpiStages[i].color = i == 3 ? QColor(1, 2, 3) : QColor();
        expected.profile.ledMoveOff = 1;
        expected.profile.ledSleepTime = 9;
        QVERIFY(current == expected);
        QCOMPARE(config::importConfig(current, tree.file("exports/none.conf")), FileResult::NotFound);
        QVERIFY(current == expected);
    }

    void factoryProfile_data() {
        QTest::addColumn<bool>("withDescription");
        QTest::addColumn<int>("ledMode");
        QTest::addColumn<QVector<uint>>("stages");
        QTest::addColumn<QVector<int>>("functions"); // buttons 0..6, 15..19, 40 and 41
        QTest::newRow("built in") << false << 9 << QVector<uint>{8, 12, 16, 24, 50, 75, 0, 0}
                                  << QVector<int>{1, 2, 3, 4, 5, 4, 5, 0, 0, 0, 0, 0, 52, 53};
        QTest::newRow("description") << true << 1 << QVector<uint>{16, 32, 48, 64, 128, 256, 0, 0}
                                     << QVector<int>{1, 2, 3, 5, 4, 48, 49, 33, 0, 0, 0, 0, 52, 53};
    }

    void factoryProfile() {
        QFETCH(bool, withDescription);
        QFETCH(QVector<uint>, stages);
        QFETCH(QVector<int>, functions);
        TestTree tree;
        if (withDescription)
            tree.setIniValue("DefaultProfile.bin", "PROFILE/BUTTON_INFO_15_Fun", 33);
        else
            QVERIFY(tree.remove("DefaultProfile.bin"));
        ProfileData factory = sampleProfile();
        QCOMPARE(profile::makeFactoryProfile(factory), withDescription);
        QTEST(int(factory.ledMode), "ledMode");
        QCOMPARE(int(factory.ledMoveOff), withDescription ? 255 : 0);
        QVERIFY(factory.ledSleepTime == 1 && factory.dpiStage == 1 && factory.mouseSpeed == 10);
        const QColor stageColors[8] = {Qt::red,   Qt::blue, Qt::magenta, Qt::yellow,
                                       Qt::green, Qt::cyan, Qt::red,     Qt::red};
        for (int i = 0; i < 8; ++i)
            QVERIFY(factory.dpiStages[i] ==
                    (DpiStage{1, 1, {}, stages[i], stages[i], stages[i], stageColors[i]}));
        QVector<int> got;
        for (int b : {0, 1, 2, 3, 4, 5, 6, 15, 16, 17, 18, 19, 40, 41})
            got << factory.buttons[b].function;
        QCOMPARE(got, functions);
        QCOMPARE(factory.buttons[5].id, 0); // ids are not taken from the description
        QCOMPARE(factory.ledModes[1].color, withDescription ? QColor(255, 125, 0) : QColor(Qt::red));
        QCOMPARE(factory.ledModes[10].color, withDescription ? QColor(Qt::blue) : QColor(Qt::green));

        QCOMPARE(profile::writeFactoryProfileFile(), FileResult::Ok);
        ProfileData read;
        QCOMPARE(profile::factoryProfilePath(),
                 tree.file("Configs/Korvane M7 Wireless/Profile/DefaultProfile.prof"));
        QCOMPARE(profile::readProfileFile(read, profile::factoryProfilePath()), FileResult::Ok);
        QVERIFY(read == factory);
    }

    // Mend: load and save use the profile list's folder, the current product's Profile folder; saving
    // the slot state or one profile's stage touches only its own keys.
    void appConfigInProductFolder() {
        TestTree tree;
        tree.setIniValue("Configs/Config.ini", "Config/AngleValue", 7);
        AppConfig saved = sampleConfig();
        QCOMPARE(config::saveProfileSlotState(saved), FileResult::Ok);
        QMap<QString, QString> keys = readIniText(tree.file("Configs/Config.ini"))["Config"];
        QVERIFY(keys["ProfileID"] == "20" && keys["Count"] == "24" && keys["Profile1"] == "Raid");
        QCOMPARE(keys["AngleValue"], QString("7"));
        QCOMPARE(config::saveAppConfig(saved), FileResult::Ok);
        QVERIFY(QFileInfo::exists(tree.file("Configs/Korvane M7 Wireless/Profile/Raid.prof")));
        QVERIFY(!QFileInfo::exists(tree.file("Configs/Profile/Raid.prof")));
        QCOMPARE(profile::setProfileDpiStage("Raid", 6), FileResult::Ok);
        saved.profile.dpiStage = 6;
        AppConfig loaded;
        ButtonMatrix matrix;
        QCOMPARE(config::loadAppConfig(loaded, matrix), FileResult::Ok);
        QVERIFY(loaded == saved);
        QCOMPARE(matrix.table(), (ButtonMatrix::Table{0, 1, 2, 3, 4, 5, 6}));

        // Without a description the table stays; an empty profile name reads as a missing profile.
        QVERIFY(tree.remove("DefaultProfile.bin"));
        matrix.table().fill(9);
        tree.setIniValue("Configs/Config.ini", "Config/Profile1", QString());
        QCOMPARE(config::loadAppConfig(loaded, matrix), FileResult::InvalidName);
        QCOMPARE(int(matrix.slot(3)), 9);
        QVERIFY(loaded.profile == readDefaults());
        QCOMPARE(int(loaded.debounce), 26);
    }

    void everyWriter_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<FileResult>("result");
        for (const char *name : {"../x", "a/b", "a\\b", ".", "..", "", "tab\there", "/tmp/x"})
            QTest::newRow(name) << QString(name) << QString() << FileResult::InvalidName;
        QTest::newRow("new product folder") << "Raid"
                                            << "product" << FileResult::Ok;
        QTest::newRow("no Configs folder") << "Raid"
                                           << "no Configs" << FileResult::Ok;
        QTest::newRow("file in place of each folder") << "Raid"
                                                      << "files" << FileResult::WriteFailed;
        QTest::newRow("folder in place of each file") << "Raid"
                                                      << "folders" << FileResult::WriteFailed;
    }

    // Mends: names are file names and nothing is written outside (or inside) the folder; a newly chosen
    // mouse's folders, or a tree without Configs, are created on the first write; a folder that cannot be
    // made, or a write the settings layer reports as failed, is a failure for the caller too. Both
    // failures hold for root as well: no permission bit is involved.
    void everyWriter() {
        QFETCH(QString, name);
        QFETCH(QString, setup);
        QFETCH(FileResult, result);
        TestTree tree;
        const QStringList folders{tree.file("Configs/Korvane M7 Wireless/Profile"),
                                  tree.file("Configs/MacroDB")};
        for (const QString &folder : folders) {
            QVERIFY(QDir().mkpath(folder));
            // A plain file where the profile and macro folders must be: they cannot be created.
            if (setup == "files") {
                QVERIFY(QDir(folder).removeRecursively());
                QFile file(folder);
                QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not a folder\n") > 0);
            }
        }
        if (setup == "folders") {
            QFile::remove(folders[0] + "/DefaultProfile.prof");
            for (const QString &file : {folders[0] + "/Raid.prof", folders[0] + "/DefaultProfile.prof",
                                        folders[1] + "/Raid.MSMACRO"})
                QVERIFY(QDir().mkpath(file));
        }
        if (setup == "product")
            QVERIFY(config::setCurrentProductName("Another Mouse"));
        if (setup == "no Configs")
            QVERIFY(QDir(tree.file("Configs")).removeRecursively());
        const QStringList before = fileList(tree.path());
        AppConfig config;
        config.profileNames[0] = name;
        const QVector<FileResult> results{profile::saveProfileByName(sampleProfile(), name),
                                          profile::setProfileDpiStage(name, 2), config::saveAppConfig(config),
                                          macrofile::saveMacro(MacroData{name, 0, 0, 0, 0, {{0x84, 0, 4}}}),
                                          macrofile::saveMacroSteps(name, {{0x84, 0, 4}})};
        QCOMPARE(results, QVector<FileResult>(results.size(), result));
        if (result != FileResult::InvalidName) {
            QCOMPARE(profile::writeFactoryProfileFile(), result);
            if (setup == "files") {
                for (const QString &folder : folders) {
                    QFile file(folder);
                    QVERIFY(file.open(QIODevice::ReadOnly));
                    QCOMPARE(file.readAll(), QByteArray("not a folder\n"));
                }
            }
            if (result == FileResult::Ok) {
                QCOMPARE(profile::profileDir(),
                         tree.file(setup == "product" ? "Configs/Another Mouse/Profile/"
                                                      : "Configs/Korvane M7 Wireless/Profile/"));
                for (const QString &file :
                     {profile::profileDir() + "Raid.prof", profile::profileDir() + "DefaultProfile.prof",
                      macrofile::macroFilePath("Raid"), tree.file("Configs/Config.ini")})
                    QVERIFY2(QFileInfo::exists(file), qPrintable(file));
            }
            return;
        }
        ProfileData read = sampleProfile();
        QCOMPARE(profile::loadProfileByName(read, name), FileResult::InvalidName);
        QVERIFY(read == sampleProfile());
        MacroData macro;
        QCOMPARE(macrofile::loadMacro(name, macro), FileResult::InvalidName);
        ButtonAssignment button;
        QCOMPARE(macrofile::readMacroForButton(name, button), FileResult::InvalidName);
        QVERIFY(!macrofile::deleteMacroFile(name));
        QCOMPARE(fileList(tree.path()), before);
        QVERIFY(!QFileInfo::exists("/tmp/x.prof") && !QFileInfo::exists("/tmp/x.MSMACRO"));
    }

    // A new configuration keeps the slot count and names the five profiles.
    void factoryConfig() {
        TestTree tree;
        AppConfig config;
        config.count = 3;
        config.profileId = 4;
        profile::makeFactoryConfig(config);
        QVERIFY(config.profileId == 0 && config.count == 3 && config.liftHigh == 1 && config.debounce == 8);
        QCOMPARE(config.profileNames[4], QString("Profile 5"));
    }

    // Macro steps as the editor stores the cells of its table; each case sits between two known steps, so
    // a skipped step leaves exactly those two.
    void macroStepDecoding_data() {
        QTest::addColumn<QVector<int>>("file");   // type, high, low as stored
        QTest::addColumn<QVector<int>>("loaded"); // the step loaded, empty when skipped
        const auto row = [](const char *name, QVector<int> file, QVector<int> loaded) {
            QTest::newRow(name) << file << loaded;
        };
        row("key press usage 4", {0x84, 0, 4}, {0x84, 0, 4});
        row("key release usage 4", {0x04, 0, 4}, {0x04, 0, 4});
        row("key press drops high", {0x84, 7, 40}, {0x84, 0, 40});
        row("backward release", {0x01, 0, 16}, {0x01, 0, 16});
        row("two buttons at once", {0x81, 0, 3}, {});
        row("button bit 32", {0x01, 0, 32}, {});
        row("left 10", {2, 0, 246}, {2, 0, 246});
        row("down 10", {2, 10, 0}, {2, 10, 0});
        row("up 5", {2, 251, 0}, {2, 251, 0});
        row("both axes: no move", {2, 3, 3}, {2, 0, 0});
        row("move with press bit", {0x82, 0, 5}, {2, 0, 5});
        row("delay 300 units", {6, 1, 44}, {6, 1, 44});
        row("unknown type", {9, 0, 1}, {});
    }

    void macroStepDecoding() {
        QFETCH(QVector<int>, file);
        QFETCH(QVector<int>, loaded);
        TestTree tree;
        QByteArray text = "[Setting]\nDefaultDelay=50\nDelayType=2\nLoopType=1\nLoopTime=3\nCount=3\n";
        const QVector<int> steps = QVector<int>{0x84, 0, 30} + file + QVector<int>{0x04, 0, 30};
        for (int i = 0; i < 3; ++i)
            text += QString("Map_%1=%2\nDataH_%1=%3\nDataL_%1=%4\n")
                        .arg(i)
                        .arg(steps[3 * i])
                        .arg(steps[3 * i + 1])
                        .arg(steps[3 * i + 2])
                        .toLatin1();
        writeText(macrofile::macroFilePath("Case"), text + "WriteSign=1\n");
        MacroData macro;
        QCOMPARE(macrofile::loadMacro("Case", macro), FileResult::Ok);
        QVector<MacroStep> expected{{0x84, 0, 30}, {0x04, 0, 30}};
        if (!loaded.isEmpty())
            expected.insert(1, {uint8_t(loaded[0]), uint8_t(loaded[1]), uint8_t(loaded[2])});
        QCOMPARE(macro.steps, expected);
        QVERIFY(macro.defaultDelay == 50 && macro.delayType == 2 && macro.loopType == 1 &&
                macro.loopTime == 3);
    }

    void macroSaveAndLoad() {
        TestTree tree;
        MacroData saved{"Burst fire", 35, 2, 3, 17, {}};
        saved.steps = {{MacroStep::kMousePress, 0, 4}, MacroStep::delay(300),
                       MacroStep::move(-10, 0),        MacroStep::move(0, 10),
                       MacroStep::move(0, -5),         {MacroStep::kKeyRelease, 0, 0xE1}};
        QCOMPARE(macrofile::saveMacro(saved), FileResult::Ok);
        const QString path = AppPaths::configDir() + "/MacroDB/Burst fire.MSMACRO";
        QSettings file(path, QSettings::IniFormat);
        QVERIFY(file.value("Setting/WriteSign").toInt() == 1 && file.value("Setting/MacroFilePath") == path);
        MacroData loaded;
        QCOMPARE(macrofile::loadMacro("Burst fire", loaded), FileResult::Ok);
        QVERIFY(loaded.name == saved.name && loaded.defaultDelay == 35 && loaded.delayType == 2);
        QVERIFY(loaded.loopType == 3 && loaded.loopTime == 17 && loaded.steps == saved.steps);
        QCOMPARE(macrofile::mouseButtonNumber(loaded.steps[0].low), 1);

        // A shorter macro saved under the same name loads only its own steps.
        saved.steps.resize(2);
        QCOMPARE(macrofile::saveMacro(saved), FileResult::Ok);
        QCOMPARE(macrofile::loadMacro("Burst fire", loaded), FileResult::Ok);
        QCOMPARE(loaded.steps, saved.steps);

        // The list-based save has no WriteSign and its own settings, and loads the same steps.
        QCOMPARE(macrofile::saveMacroSteps("Macro 1", saved.steps), FileResult::Ok);
        QVERIFY(!QSettings(macrofile::macroFilePath("Macro 1"), QSettings::IniFormat)
                     .contains("Setting/WriteSign"));
        QCOMPARE(macrofile::loadMacro("Macro 1", loaded), FileResult::Ok);
        QVERIFY(loaded.steps == saved.steps && loaded.defaultDelay == 10 && loaded.delayType == 1 &&
                loaded.loopType == 0 && loaded.loopTime == 1);

        // A missing file clears the macro and the button's key count; a file can be deleted.
        QCOMPARE(macrofile::loadMacro("Nothing", loaded), FileResult::NotFound);
        QVERIFY(loaded.defaultDelay == 0 && loaded.delayType == 0 && loaded.loopType == 0 &&
                loaded.loopTime == 0 && loaded.steps.isEmpty());
        ButtonAssignment button;
        button.keyNumber = 5;
        QCOMPARE(macrofile::readMacroForButton("Nothing", button), FileResult::NotFound);
        QCOMPARE(button.keyNumber, 0);
        QVERIFY(macrofile::deleteMacroFile("Macro 1") &&
                !QFileInfo::exists(macrofile::macroFilePath("Macro 1")));
    }

    void newMacroName_data() {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("base"); // empty: the description has no NewMacro key
        QTest::addColumn<QString>("expected");
        QTest::newRow("1 and 2 taken") << QStringList{"Macro 1", "Macro 2"} << QString() << "Macro 3";
        QTest::newRow("only 2 taken") << QStringList{"Macro 2"} << QString() << "Macro 1";
        QTest::newRow("own base") << QStringList{"Burst 1", "Macro 2"} << "Burst"
                                  << "Burst 2";
    }

    void newMacroName() {
        QFETCH(QStringList, existing);
        QFETCH(QString, base);
        TestTree tree;
        QSettings description(tree.file("DefaultProfile.bin"), QSettings::IniFormat);
        description.remove("PROFILE/NewMacro");
        if (!base.isEmpty())
            description.setValue("PROFILE/NewMacro", base);
        description.sync();
        for (const QString &name : existing)
            QCOMPARE(macrofile::saveMacroSteps(name, {}), FileResult::Ok);
        QTEST(macrofile::newMacroName(), "expected");
    }

    // A button holds at most 63 entries: a longer macro fills them and nothing past them is overwritten; a
    // shorter one leaves the entries past its count as they were. Steps are copied as stored.
    void readMacroForButtonKeepsTheRest() {
        TestTree tree;
        QVector<MacroStep> hundred;
        for (int i = 0; i < 100; ++i)
            hundred.append(
                {uint8_t(i % 2 ? MacroStep::kKeyRelease : MacroStep::kKeyPress), uint8_t(i / 2), uint8_t(i)});
        QCOMPARE(macrofile::saveMacroSteps("Long", hundred), FileResult::Ok);
        ButtonAssignment button;
        button.function = 200;
        button.res1 = 1;
        button.macroName = "Long";
        ButtonAssignment expected = button;
        QCOMPARE(macrofile::readMacroForButton("Long", button), FileResult::Ok);
        expected.keyNumber = 63;
        for (int i = 0; i < 63; ++i)
            expected.keys[i] = {hundred[i].type, hundred[i].low, hundred[i].high};
        QVERIFY(button == expected);
        QCOMPARE(macrofile::saveMacroSteps("Short", {{0x81, 0, 3}, {2, 5, 5}}), FileResult::Ok);
        QCOMPARE(macrofile::readMacroForButton("Short", button), FileResult::Ok);
        expected.keyNumber = 2;
        expected.keys[0] = {0x81, 3, 0};
        expected.keys[1] = {2, 5, 5};
        QVERIFY(button == expected);
    }
};

QTEST_GUILESS_MAIN(TestProfileFile)
#include "test_profile_file.moc"
