#include "storage/app_config_file.h"
#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "storage/description_file.h"
#include "storage/factory_profile.h"
#include "storage/file_replace.h"
#include "storage/macro_file.h"
#include "storage/profile_file.h"
#include "storage/settings_snapshot.h"
#include "support/test_tree.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QtTest>

Q_DECLARE_METATYPE(FileResult)

namespace {

using IniSections = QMap<QString, QMap<QString, QString>>;

// A plain reader of the INI text, apart from QSettings: sections, keys with "\" read as "/", raw values.
IniSections readIniText(const QString &path) {
    IniSections sections;
    QString section;
    for (const QByteArray &raw : readFile(path).split('\n')) {
        const QString line = QString::fromLatin1(raw).trimmed();
        if (line.startsWith('[') && line.endsWith(']'))
            section = line.mid(1, line.size() - 2);
        else if (line.contains('='))
            sections[section][line.section('=', 0, 0).replace('\\', '/')] = line.section('=', 1);
    }
    return sections;
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
    p.pollRate = 4; // a report rate code: any other value reads as 1
                    // clang-format off
    for (uint i = 0; i < 8; ++i)
        p.dpiStages[i] = {uint8_t(i % 2), uint8_t(1 - i % 2), {}, 700 + i, 100 * i + 2, 1000 - i,
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
        p.ledModes[m] = {QColor(m * 18, 3, 255 - m), 360 - m, m, 2 * m, m % 4, m % 6};
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
    c.profileId = 3; // one of the five slots

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

// Profiles, macros, Config.ini, the product's profile list and the model's description.
class TestProfileFile : public QObject {
    Q_OBJECT
    std::unique_ptr<TestTree> m_tree;

private slots:
    void init() {
        m_tree = std::make_unique<TestTree>();
        QVERIFY(m_tree->isValid());
    }

    // A file that is not a whole profile (cut in the middle of its buttons, emptied or of another kind) is
    // refused: its record holds the read defaults and is not marked read, so it is never sent.
    void partialFileIsRefused() {
        const QString path = m_tree->file("hand.prof");
        QCOMPARE(profile::writeProfileFile(sampleProfile(), path), FileResult::Ok);
        const QByteArray whole = readFile(path);
        ProfileData read;
        for (const QByteArray &text : {whole.left(whole.indexOf("BUTTON_INFO_20_")), QByteArray(),
                                       QByteArray("\x7f\x45LF\x02\x01\x01\0\0\0garbage")}) {
            QVERIFY(writeFile(path, text));
            read = sampleProfile();
            QCOMPARE(profile::readProfileFile(read, path), FileResult::Incomplete);
            QVERIFY(read == readDefaults() && !read.filled);
        }
        // Files of older versions may lack the names, colours, light-off and sleep time.
        QVERIFY(writeFile(path, whole));
        QSettings older(path, QSettings::IniFormat);
        for (const char *key : {"PROFILE/ProfileName", "PROFILE/LedMoveOFF", "PROFILE/LedSleepTime",
                                "PROFILE/DPI_INFO_3_dpicolor", "PROFILE/BUTTON_INFO_7_macroname"})
            older.remove(key);
        older.sync();
        QCOMPARE(profile::readProfileFile(read, path), FileResult::Ok);
        QVERIFY(read.filled && read.ledMoveOff == 255 && read.ledSleepTime == 1 &&
                read.profileName.isEmpty());
        read = sampleProfile();
        QCOMPARE(profile::readProfileFile(read, m_tree->file("none.prof")), FileResult::NotFound);
        QVERIFY(read == readDefaults());
    }

    // Values edited by hand beyond their fields come back into range instead of wrapping into a byte.
    void outOfRangeValuesAreBounded() {
        const QString path = m_tree->file("edited.prof");
        QCOMPARE(profile::writeProfileFile(sampleProfile(), path), FileResult::Ok);
        QSettings edited(path, QSettings::IniFormat);
        // (The profile fuzz seeds bound stage values, the lighting mode and the pointer speed.)
        for (const QString edit :
             {"pollrate=999", "dpi=200", "scrollspeed=300", "DPI_INFO_2_y=99999999999",
              "BUTTON_INFO_3_Res1=256", "BUTTON_INFO_3_KeyNumber=-1", "LedMode/LED_MODE_2_breath=9"})
            edited.setValue("PROFILE/" + edit.section('=', 0, 0), edit.section('=', 1));
        edited.sync();
        ProfileData read;
        QCOMPARE(profile::readProfileFile(read, path), FileResult::Ok);
        QVERIFY(read.pollRate == 1 && read.dpiStage == 7 && read.scrollSpeed == 20 &&
                read.dpiStages[2].y == 1023);
        QVERIFY(read.buttons[3].res1 == 255 && read.buttons[3].keyNumber == 0 &&
                read.ledModes[2].breath == 5);
        // A value that is no number at all is as good as missing.
        edited.setValue("PROFILE/DPI_INFO_2_used", "yes");
        edited.sync();
        QCOMPARE(profile::readProfileFile(read, path), FileResult::Incomplete);
    }

    // Every field reads back over a factory profile, with one DPI value edited in the text.
    void roundTripKeyByKey() {
        const QString path = m_tree->file("check.prof");
        ProfileData written = sampleProfile();
        written.profileName = "Raid";
        written.ledModes[2].color = QColor();
        QCOMPARE(profile::writeProfileFile(written, path), FileResult::Ok);
        const IniSections ini = readIniText(path);
        QCOMPARE(ini.keys(), QStringList{"PROFILE"});
        // 13 plain keys, 6 a stage, 9 + 3 x 63 a button, 6 a lighting mode.
        const QMap<QString, QString> &keys = ini["PROFILE"];
        QCOMPARE(keys.size(), 13 + 6 * 8 + (9 + 3 * 63) * 42 + 6 * 14);
        const QString values =
            "mousespeed=8 dbclickspeed=9 scrollispage=10 scrollspeed=11 accelenable=12 acee=13 LedMoveOFF=6 "
            "LedSleepTime=7 ProfilePath=C:/Games/Sniper.prof DPI_INFO_7_link=0 BUTTON_INFO_41_ID=41 "
            "BUTTON_INFO_41_LoopNumber=123 BUTTON_INFO_41_Res1=41 BUTTON_INFO_41_Res2=214 "
            "BUTTON_INFO_41_Res3=82 BUTTON_INFO_41_Res4=241 BUTTON_INFO_41_KeyInfo_62_=238 "
            "LedMode/LED_MODE_13_s=13 LedMode/LED_MODE_13_v=26 LedMode/LED_MODE_13_bright=1 "
            "LedMode/LED_MODE_0_RGB=@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff\\0\\0\\x3\\x3\\xff\\xff\\0\\0) "
            "LedMode/LED_MODE_2_RGB=@Variant(\\0\\0\\0\\x43\\0\\xff\\xff\\0\\0\\0\\0\\0\\0\\0\\0)";
        for (const QString &value : values.split(' '))
            QCOMPARE(value.section('=', 0, 0) + '=' + keys[value.section('=', 0, 0)], value);

        QByteArray text = readFile(path);
        QVERIFY(text.contains("\nDPI_INFO_4_x=402\n"));
        QVERIFY(writeFile(path, text.replace("\nDPI_INFO_4_x=402\n", "\nDPI_INFO_4_x=320\n")));
        ProfileData read;
        profile::makeFactoryProfile(read);
        QCOMPARE(profile::readProfileFile(read, path), FileResult::Ok);
        written.dpiStages[4].x = 320;
        QVERIFY(read == written);
    }

    // An export leaves out the stage colours, light-off and sleep time, and an import leaves them alone. (A
    // slot the mouse does not have, read as the first, is the configuration fuzz seeds'.)
    void exportImport() {
        const AppConfig exported = sampleConfig();
        const QString path = m_tree->file("exports/raid.conf");
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
        QCOMPARE(config::importConfig(current, m_tree->file("exports/none.conf")), FileResult::NotFound);
        QVERIFY(current == expected);
        // Only the product mark, a file cut short, or one without its Config group: nothing is taken.
        const QByteArray whole = readFile(path);
        const QString partial = m_tree->file("exports/partial.conf");
        for (const QByteArray &text :
             {QByteArray("[MouseName]\nName=Korvane M7 Wireless\n"), whole.left(whole.size() / 2),
              whole.mid(whole.indexOf("[PROFILE_0]"))}) {
            QVERIFY(writeFile(partial, text));
            QCOMPARE(config::importConfig(current, partial), FileResult::Incomplete);
            QVERIFY(current == expected);
        }
    }

    // From the description (button 15 edited there, ids not taken from it), also for a new configuration,
    // which keeps its slot count; without a description the built-in profile.
    void factoryProfile() {
        m_tree->setIniValue("DefaultProfile.bin", "PROFILE/BUTTON_INFO_15_Fun", 33);
        ProfileData factory = sampleProfile();
        QVERIFY(profile::makeFactoryProfile(factory));
        QVERIFY(factory.ledMode == 1 && factory.ledMoveOff == 255 && factory.ledSleepTime == 1 &&
                factory.dpiStage == 1 && factory.mouseSpeed == 10);
        QVERIFY(factory.dpiStages[2] == (DpiStage{1, 1, {}, 48, 48, 48, QColor(Qt::magenta)}) &&
                factory.dpiStages[7] == (DpiStage{1, 1, {}, 0, 0, 0, QColor(Qt::red)}));
        QVector<int> functions;
        for (int b : {0, 1, 2, 3, 4, 5, 6, 15, 16, 17, 18, 19, 40, 41})
            functions << factory.buttons[b].function;
        QCOMPARE(functions, (QVector<int>{1, 2, 3, 5, 4, 48, 49, 33, 0, 0, 0, 0, 52, 53}));
        QVERIFY(factory.buttons[5].id == 0 && factory.ledModes[1].color == QColor(255, 125, 0) &&
                factory.ledModes[10].color == QColor(Qt::blue));
        // A file that lost the factory values is written again (that it holds them is the description fuzz
        // target's).
        QVERIFY(profile::writeFactoryProfileFile() == FileResult::Ok &&
                profile::setProfileDpiStage("DefaultProfile", 5) == FileResult::Ok);
        ProfileData read;
        QCOMPARE(profile::writeFactoryProfileFile(), FileResult::Ok);
        QVERIFY(profile::readProfileFile(read, profile::factoryProfilePath()) == FileResult::Ok &&
                read == factory);
        AppConfig config;
        config.count = 3;
        config.profileId = 4;
        profile::makeFactoryConfig(config);
        QVERIFY(config.profileId == 0 && config.count == 3 && config.liftHigh == 1 && config.debounce == 8);
        QVERIFY(config.profileNames[4] == "Profile 5" && config.profile == factory);
        QVERIFY(m_tree->remove("DefaultProfile.bin"));
        QVERIFY(!profile::makeFactoryProfile(factory) && factory.buttons[40].function == 52 &&
                factory.dpiStages[5].used == 1 && factory.dpiStages[5].x > 0);
    }

    // Saving the slot state or one stage touches only its own keys.
    void slotStateAndStageTouchOnlyTheirKeys() {
        m_tree->setIniValue("Configs/Config.ini", "Config/AngleValue", 7);
        AppConfig saved = sampleConfig();
        QCOMPARE(config::saveProfileSlotState(saved), FileResult::Ok);
        QMap<QString, QString> keys = readIniText(m_tree->file("Configs/Config.ini"))["Config"];
        QVERIFY(keys["ProfileID"] == "3" && keys["Count"] == "24" && keys["Profile1"] == "Raid");
        QCOMPARE(keys["AngleValue"], QString("7"));
        QCOMPARE(config::saveAppConfig(saved), FileResult::Ok);
        QCOMPARE(profile::setProfileDpiStage("Raid", 6), FileResult::Ok);
        saved.profile.dpiStage = 6;
        AppConfig loaded;
        ButtonMatrix matrix;
        QCOMPARE(config::loadAppConfig(loaded, matrix), FileResult::Ok);
        QVERIFY(loaded == saved);
        QCOMPARE(matrix.table(), (ButtonMatrix::Table{0, 1, 2, 3, 4, 5, 6}));

        // Without a description the table stays; an empty profile name reads as a missing profile.
        QVERIFY(m_tree->remove("DefaultProfile.bin"));
        matrix.table().fill(9);
        m_tree->setIniValue("Configs/Config.ini", "Config/Profile1", QString());
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
        QTest::newRow("new product folder") << QString("Raid") << QString("product") << FileResult::Ok;
        QTest::newRow("no Configs folder") << QString("Raid") << QString("no Configs") << FileResult::Ok;
        QTest::newRow("file in place of each folder")
            << QString("Raid") << QString("files") << FileResult::WriteFailed;
        QTest::newRow("folder in place of each file")
            << QString("Raid") << QString("folders") << FileResult::WriteFailed;
    }

    // A bad name writes nothing anywhere; missing folders are made; a folder that cannot be made or a file
    // that cannot be written fails, for root too.
    void everyWriter() {
        QFETCH(QString, name);
        QFETCH(QString, setup);
        QFETCH(FileResult, result);
        const QStringList folders{m_tree->file("Configs/Korvane M7 Wireless/Profile"),
                                  m_tree->file("Configs/MacroDB")};
        for (const QString &folder : folders) {
            QVERIFY(QDir().mkpath(folder));
            if (setup == "files") // a plain file where the folder must be: it cannot be made
                QVERIFY(QDir(folder).removeRecursively() && writeFile(folder, "not a folder\n"));
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
            QVERIFY(QDir(m_tree->file("Configs")).removeRecursively());
        const QMap<QString, QByteArray> before = filesUnder(m_tree->path());
        AppConfig config;
        config.profileNames[0] = name;
        const QVector<FileResult> results{profile::saveProfileByName(sampleProfile(), name),
                                          profile::setProfileDpiStage(name, 2), config::saveAppConfig(config),
                                          macrofile::saveMacro(MacroData{name, 0, 0, 0, 0, {{0x84, 0, 4}}}),
                                          macrofile::saveMacroSteps(name, {{0x84, 0, 4}})};
        QCOMPARE(results, QVector<FileResult>(results.size(), result));
        if (result != FileResult::InvalidName) {
            QCOMPARE(profile::writeFactoryProfileFile(), result);
            for (const QString &folder : folders)
                QVERIFY(setup != "files" || readFile(folder) == "not a folder\n");
            if (result == FileResult::Ok) {
                QCOMPARE(profile::profileDir(),
                         m_tree->file(setup == "product" ? "Configs/Another Mouse/Profile/"
                                                         : "Configs/Korvane M7 Wireless/Profile/"));
                for (const QString &file :
                     {profile::profileDir() + "Raid.prof", profile::profileDir() + "DefaultProfile.prof",
                      macrofile::macroFilePath("Raid"), m_tree->file("Configs/Config.ini")})
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
        QCOMPARE(filesUnder(m_tree->path()), before);
        QVERIFY(!QFileInfo::exists("/tmp/x.prof") && !QFileInfo::exists("/tmp/x.MSMACRO"));
    }

    // Each stored step sits between two known ones, so a skipped step leaves exactly those two. (That a
    // macro saved and loaded again is the same is the macro file fuzz target's.)
    void macroFileSteps() {
        // Type, high, low as stored; the step loaded, none when skipped.
        const QPair<QVector<int>, QVector<int>> rows[] = {
            {{0x84, 0, 4}, {0x84, 0, 4}},   // key press usage 4
            {{0x04, 0, 4}, {0x04, 0, 4}},   // key release usage 4
            {{0x84, 7, 40}, {0x84, 0, 40}}, // a key press drops high
            {{0x01, 0, 16}, {0x01, 0, 16}}, // backward release
            {{0x81, 0, 3}, {}},             // two buttons at once
            {{0x01, 0, 32}, {}},            // button bit 32
            {{2, 0, 246}, {2, 0, 246}},     // left 10
            {{2, 10, 0}, {2, 10, 0}},       // down 10
            {{2, 251, 0}, {2, 251, 0}},     // up 5
            {{2, 3, 3}, {2, 0, 0}},         // both axes: no move
            {{0x82, 0, 5}, {2, 0, 5}},      // a move with the press bit
            {{6, 1, 44}, {6, 1, 44}},       // delay of 300 units
            {{9, 0, 1}, {}}};               // unknown type
        for (const auto &[file, loaded] : rows) {
            QByteArray text = "[Setting]\nDefaultDelay=50\nDelayType=2\nLoopType=1\nLoopTime=3\nCount=3\n";
            const QVector<int> steps = QVector<int>{0x84, 0, 30} + file + QVector<int>{0x04, 0, 30};
            for (int i = 0; i < 3; ++i)
                text += QString::asprintf("Map_%d=%d\nDataH_%d=%d\nDataL_%d=%d\n", i, steps[3 * i], i,
                                          steps[3 * i + 1], i, steps[3 * i + 2])
                            .toLatin1();
            QVERIFY(writeFile(macrofile::macroFilePath("Case"), text + "WriteSign=1\n"));
            MacroData macro;
            QCOMPARE(macrofile::loadMacro("Case", macro), FileResult::Ok);
            QVector<MacroStep> expected{{0x84, 0, 30}, {0x04, 0, 30}};
            if (!loaded.isEmpty())
                expected.insert(1, {uint8_t(loaded[0]), uint8_t(loaded[1]), uint8_t(loaded[2])});
            QCOMPARE(macro.steps, expected);
            QVERIFY(macro.defaultDelay == 50 && macro.delayType == 2 && macro.loopType == 1 &&
                    macro.loopTime == 3);
        }
        // A saved macro carries the marks older readers look for, and saved again shorter loads only its own
        // steps; a missing file clears the macro.
        MacroData burst{"Burst", 35, 2, 3, 17, {MacroStep::delay(300), MacroStep::move(0, 10)}};
        QCOMPARE(macrofile::saveMacro(burst), FileResult::Ok);
        burst.steps.resize(1);
        QCOMPARE(macrofile::saveMacro(burst), FileResult::Ok);
        const QSettings file(macrofile::macroFilePath("Burst"), QSettings::IniFormat);
        QVERIFY(file.value("Setting/WriteSign").toInt() == 1 &&
                file.value("Setting/MacroFilePath").toString() == file.fileName());
        MacroData loaded;
        QVERIFY(macrofile::loadMacro("Burst", loaded) == FileResult::Ok && loaded.steps == burst.steps);
        MacroData missing{"Gone", 35, 2, 3, 17, {MacroStep::delay(300)}};
        QCOMPARE(macrofile::loadMacro("Nothing", missing), FileResult::NotFound);
        QVERIFY(missing.defaultDelay == 0 && missing.delayType == 0 && missing.loopType == 0 &&
                missing.loopTime == 0 && missing.steps.isEmpty());
    }

    // The lowest free number after the description's NewMacro name; "Macro 1", "Macro 2" ... are the macro
    // list's business.
    void newMacroName() {
        m_tree->setIniValue("DefaultProfile.bin", "PROFILE/NewMacro", "Burst");
        for (const QString name : {"Burst 1", "Macro 2"})
            QCOMPARE(macrofile::saveMacroSteps(name, {}), FileResult::Ok);
        QCOMPARE(macrofile::newMacroName(), QString("Burst 2"));
    }

    // A longer macro fills the 63 entries, a shorter one leaves those past its count as they were.
    void readMacroForButtonKeepsTheRest() {
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

    // The same name in two slots: removal empties only the lower one, which the next name fills. (Holes and
    // the fifty slots are the random operations' and the macro list's business.)
    void macroListRemovesLowestCopy() {
        m_tree->setIniValue("Configs/Config.ini", "MACRO_LIST/0", "Burst");
        m_tree->setIniValue("Configs/Config.ini", "MACRO_LIST/2", "Burst");
        QVERIFY(config::removeMacroName("Burst") && !config::removeMacroName("burst"));
        QVERIFY(config::addMacroName("Crouch"));
        QCOMPARE(config::listMacros(), (QStringList{"Crouch", "Burst"}));
        QCOMPARE(config::macroCount(), 2);
        // A full list takes no more, whatever the macro list in front of it counted.
        for (int i = 2; i < config::kMacroSlots; ++i)
            QVERIFY(config::addMacroName(QString("M%1").arg(i)));
        QVERIFY(!config::addMacroName("Overflow") && config::macroCount() == config::kMacroSlots);
    }

    // A count past the entries reads only what is there, each name once: a count of two billion does not
    // make a list of two billion. (Shorter lists stored over longer ones are the random operations'.)
    void profileListCountBeyondEntries() {
        const QString product = "Configs/" + config::currentProductName() + "/Config.ini";
        QVERIFY(config::storeProfileList({"Profile 1", "Raid"}));
        m_tree->setIniValue(product, "PROFILE_LIST/Count", 2000000000);
        m_tree->setIniValue(product, "PROFILE_LIST/3", "Raid");
        m_tree->setIniValue(product, "PROFILE_LIST/4", "Sniper");
        QCOMPARE(config::loadProfileList(), (QStringList{"Profile 1", "Raid", "Sniper"}));
    }

    // A new mouse's profile list is kept before its folder exists. Without any file every value reads its
    // default, the bulk reads leave their outputs alone and the first write makes the folder; a folder in
    // the settings file's place fails every write, for root too.
    void missingFilesAndFolders() {
        QVERIFY(config::setCurrentProductName("Another Mouse"));
        QVERIFY(!QFileInfo::exists(AppPaths::productDir("Another Mouse")));
        QVERIFY(config::storeProfileList({"Profile 1"}));
        QCOMPARE(config::loadProfileList(), QStringList{"Profile 1"});
        QVERIFY(QDir(AppPaths::configDir()).removeRecursively() && m_tree->remove("DefaultProfile.bin"));
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
        ProfileData record;
        record.pollRate = 77;
        std::array<uint8_t, 16> matrix;
        matrix.fill(9);
        std::array<uint8_t, description::kSensorDefaultCount> sensor;
        sensor.fill(9);
        QVERIFY(description::loadDescription(record) == -1 && description::readButtonMatrix(matrix) == -1 &&
                description::readSensorDefaults(sensor) == -1);
        QVERIFY(record.pollRate == 77 && matrix[15] == 9 && sensor[description::kSync] == 9);

        QVERIFY(config::setBatteryValue(80) && m_tree->remove("Configs/Config.ini") &&
                QDir().mkpath(m_tree->file("Configs/Config.ini")));
        QVERIFY(!config::setBatteryValue(55) && !config::setCurrentProductName("Lost") &&
                !config::addMacroName("Lost"));
    }

    // Counts are stored encoded (13 XOR 7 is 10 buttons, XOR 1 11 stages); the matrices and sensor bytes
    // keep the low byte, the profile's values come into their range as a profile file's do; text reads 0.
    void encodedCountsAndLowBytes() {
        for (const QString value :
             {"ButtonCount=13", "MouseDpi=7", "DPICount=1", "dpi=257", "BUTTON_INFO_3_Matrix=510",
              "butondelay=300", "BUTTON_INFO_2_Res4=not a number"})
            m_tree->setIniValue("DefaultProfile.bin", "PROFILE/" + value.section('=', 0, 0),
                                value.section('=', 1));
        QVERIFY(description::buttonCount() == 10 && description::dpiStageCount() == 11);
        std::array<uint8_t, 16> matrix{};
        QCOMPARE(description::readButtonMatrix2(matrix), 10);
        description::readButtonMatrix(matrix);
        QCOMPARE(int(matrix[3]), 0xFE);
        ProfileData record;
        QCOMPARE(description::loadDescription(record), 0);
        QVERIFY(record.dpiStage == 7 && record.buttons[2].res4 == 0);
        std::array<uint8_t, description::kSensorDefaultCount> sensor{};
        QCOMPARE(description::readSensorDefaults(sensor), 0);
        QCOMPARE(int(sensor[description::kButtonDelay]), 300 & 0xFF);
        m_tree->setIniValue("DefaultProfile.bin", "PROFILE/DPICount", 3);
        QCOMPARE(description::dpiStageCount(), 10 ^ 3); // 9, where a sum would give 13
    }

    // What saves cut short by a killed process leave is cleared away, in every folder below, and nothing
    // else: not the files themselves, not a user's file of the same shape, not a link.
    void leftoversOfKilledSavesAreCleared() {
        const QStringList leftovers = {"P/Profile/Raid.prof.eoHXwV", "Config.ini.a1B2c3",
                                       "MacroDB/.m.MSMACRO.part", "MacroDB/m.MSMACRO.Zz9y8X",
                                       "P/.Raid.prof.part"};
        const QStringList kept = {
            "P/Profile/Raid.prof", "Config.ini",        "notes.txt.a1B2c3", "P/Raid.prof.abc12",
            "P/Raid.prof.abc1234", "MacroDB/m.MSMACRO", "P/.hidden"};
        for (const QString &file : leftovers + kept)
            QVERIFY(writeFile(m_tree->file("C/" + file), "x"));
        QVERIFY(writeFile(m_tree->file("outside.prof.a1B2c3"), "x"));
        QVERIFY(QFile::link(m_tree->file("outside.prof.a1B2c3"), m_tree->file("C/P/l.prof.a1B2c3")));
        QCOMPARE(filereplace::removeLeftovers(m_tree->file("C")), leftovers.size());
        for (const QString &file : leftovers)
            QVERIFY2(!QFile::exists(m_tree->file("C/" + file)), qPrintable(file));
        for (const QString &file : kept + QStringList{"P/l.prof.a1B2c3"})
            QVERIFY2(QFile::exists(m_tree->file("C/" + file)), qPrintable(file));
    }

    // A file in the plain form reads in one pass to exactly what the settings layer reads of it, and the
    // files this program writes and the shipped description are in that form; the rest is left to the
    // layer, so whatever the one-pass reader takes must match it.
    void onePassReadMatchesTheSettingsLayer() {
        const auto takenAlike = [](const QString &path) {
            SettingsSnapshot snapshot;
            if (!snapshot.read(path))
                return false;
            const QSettings settings(path, QSettings::IniFormat);
            const QStringList keys = settings.allKeys();
            if (settings.status() != QSettings::NoError || snapshot.size() != keys.size())
                return qWarning() << "keys differ in" << readFile(path), false;
            for (const QString &key : keys) {
                if (snapshot.value(key) != settings.value(key))
                    return qWarning() << key << snapshot.value(key) << settings.value(key), false;
            }
            return true;
        };
        ProfileData written = sampleProfile();
        written.profileName = "Raid 2 (long range)";
        const QString path = m_tree->file("plain.prof");
        QCOMPARE(profile::writeProfileFile(written, path), FileResult::Ok);
        QVERIFY(takenAlike(path));
        QVERIFY(takenAlike(TestTree::distDir() + "/DefaultProfile.bin"));

        // A colour of every byte value, as the layer escapes it; those it quotes are left to it.
        int colours = 0;
        for (int byte = 0; byte < 256; ++byte) {
            QSettings colour(m_tree->file("colour.ini"), QSettings::IniFormat);
            colour.setValue("PROFILE/c",
                            QColor::fromRgba64(byte * 257, byte << 8 | '1', '0' << 8 | byte, 65535));
            colour.sync();
            colours += takenAlike(m_tree->file("colour.ini")) ? 1 : 0;
            QFile::remove(m_tree->file("colour.ini"));
        }
        QCOMPARE(colours, 253);

        // Forms written by hand, "|" ending a line: those the one-pass reader must take, then the rest, which
        // it may take or leave to the layer.
        const QList<QByteArray> plain = {"a=1|b=x  y|c=", "a=1\r|b=2\r", "a/b=1|c\\d=2", "a=#ff0000|b=(1)",
                                         "a=@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff\\0\\0\\0\\0\\0\\0\\0\\0)"};
        const QList<QByteArray> others = {
            "a=\"1\"",         "a=1,2",   "a=1 ;c",   "a = 1", "a=1|a=2", "a=1|[PROFILE]|b=2", "a=\xe9",
            "a=@ByteArray(x)", "a%20b=1", "a\\\\b=1", "\\a=1", "a=1=2",   "a=\\x41",           "a= 1",
            "a=\t1",           ";x|a=1"};
        const QList<QByteArray> variants = {
            "a=@Variant(\\0\\0\\0\\x43\\x1\\xff",
            "a=@Variant(\\0\\0\\0\\x43\\x1\\xfff\\xff\\0\\0\\0\\0\\0\\0\\0\\0)",
            "a=@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff\\0\\0\\0\\0\\0\\0\\0\\0\\0)",
            "a=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)"};
        for (const QByteArray &form : plain + others + variants) {
            QVERIFY(writeFile(path, "[PROFILE]\n" + QByteArray(form).replace('|', '\n') + "\n"));
            SettingsSnapshot snapshot;
            QVERIFY2(!plain.contains(form) || snapshot.read(path), form);
            QVERIFY2(!snapshot.read(path) || takenAlike(path), form);
        }
    }

    // Colours as text, LedMode sub-keys, sensor defaults; an edit while the program runs is read, not cached.
    void handWrittenAndEditedDescription() {
        QByteArray text =
            "[PROFILE]\r\npollrate=2\r\nLedMode=9\r\nLedMoveOFF=255\r\nDPI_INFO_7_xy=480\r\nScrollRev=0\r\n"
            "BUTTON_INFO_15_Fun=200\r\nBUTTON_INFO_15_LoopNumber=3\r\nBUTTON_INFO_15_KeyNumber=4\r\n"
            "BUTTON_INFO_15_ID=15\r\nBUTTON_INFO_15_Res1=2\r\nLedMode\\LED_MODE_13_RGB=#00ff80\r\n"
            "LedMode\\LED_MODE_13_bright=4\r\nLedMode\\LED_MODE_13_breath=5\r\n";
        QVERIFY(writeFile(m_tree->file("DefaultProfile.bin"), text));
        ProfileData record;
        QCOMPARE(description::loadDescription(record), 0);
        QVERIFY(record.pollRate == 2 && record.ledMode == 9 && record.ledMoveOff == 255);
        QVERIFY(record.dpiStages[7].xy == 480 && record.dpiStages[0].xy == 0);
        const ButtonAssignment &b = record.buttons[15];
        QVERIFY(b.function == 200 && b.loopNumber == 3 && b.keyNumber == 4 && b.id == 15 && b.res1 == 2);
        QCOMPARE(record.ledModes[13].color, QColor(0, 255, 128));
        QVERIFY(record.ledModes[13].bright == 3 && record.ledModes[13].breath == 5 &&
                !record.ledModes[0].color.isValid());
        std::array<uint8_t, description::kSensorDefaultCount> sensor{};
        QCOMPARE(description::readSensorDefaults(sensor), 0);
        QVERIFY(sensor[description::kButtonDelay] == 32 && sensor[description::kSensorMode] == 1 &&
                sensor[description::kLift] == 0);
        QVERIFY(description::scrollReverse() == 0 && description::version() != "V9.9.99");
        QVERIFY(writeFile(m_tree->file("DefaultProfile.bin"),
                          text.replace("ScrollRev=0", "ScrollRev=1\r\nVersion=V9.9.99")));
        QVERIFY(description::scrollReverse() == 1 && description::version() == "V9.9.99");
    }
};

QTEST_GUILESS_MAIN(TestProfileFile)
#include "test_profile_file.moc"
