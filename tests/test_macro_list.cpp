#include "storage/app_config_store.h"
#include "storage/config_file.h"
#include "storage/factory_profile.h"
#include "storage/file_replace.h"
#include "storage/macro_data.h"
#include "storage/macro_file.h"
#include "storage/macro_links.h"
#include "storage/macro_list.h"
#include "storage/profile_file.h"
#include "support/test_tree.h"

#include <QtTest>

namespace {
bool exists(const QString &name) {
    return QFileInfo::exists(macrofile::macroFilePath(name));
}
} // namespace

Q_DECLARE_METATYPE(MacroListResult)

class TestMacroList : public QObject {
    Q_OBJECT
    std::unique_ptr<TestTree> m_tree;
    MacroList m_list;

private slots:
    void init() {
        m_tree = std::make_unique<TestTree>();
        QVERIFY(m_tree->isValid());
        m_list = MacroList();
        m_list.load();
    }

    // NEW takes the lowest number without a file, unlisted ones too; a batch import stops at the file that
    // would be the fifty-first macro, and NEW is refused once fifty macros are listed.
    void addAndImportStopAtFifty() {
        QVERIFY(macrofile::saveMacroSteps("Macro 1", {}) == FileResult::Ok &&
                macrofile::saveMacroSteps("Macro 2", {}) == FileResult::Ok);
        QString name;
        QCOMPARE(m_list.add(name), MacroListResult::Ok);
        QVERIFY(name == "Macro 3" && exists(name));
        while (m_list.names().size() < 49)
            QCOMPARE(m_list.add(name), MacroListResult::Ok);
        QStringList paths, imported;
        for (const QString base : {"A", "B", "C"}) {
            m_tree->setIniValue("in/" + base + ".MSMACRO", "Setting/Count", 0);
            paths << m_tree->file("in/" + base + ".MSMACRO");
        }
        QCOMPARE(m_list.importFiles(paths, imported), MacroListResult::TooMany);
        QVERIFY(imported == QStringList{"A"} && exists("A") && !exists("B") && !exists("C"));
        QVERIFY(config::listMacros().last() == "A" && config::macroCount() == 50);
        QCOMPARE(m_list.add(name), MacroListResult::TooMany);
        QVERIFY(name == "Macro 51" && !exists("Macro 52") && config::macroCount() == 50);
    }

    // Refused imports and exports, a failed export and an export onto its own file leave every file. Rows
    // without a name import path, the others export name to path. An endless step count, a file that is
    // no macro and an unknown macro are korvanectl's rows, with their messages; a negative count is the
    // macro file fuzz seeds'.
    void fileCopiesKeepFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<MacroListResult>("result");
        QTest::addColumn<QString>("path");
        QTest::newRow("import listed name") << "" << MacroListResult::Exists << "in/Macro 1.MSMACRO";
        QTest::newRow("import missing file") << "" << MacroListResult::NotFound << "in/None.MSMACRO";
        QTest::newRow("import count no number") << "" << MacroListResult::BadStepCount << "in/Word.MSMACRO";
        QTest::newRow("export onto own file")
            << "Macro 1" << MacroListResult::Ok << "Configs/MacroDB/Macro 1.MSMACRO";
        QTest::newRow("export fails") << "Macro 1" << MacroListResult::WriteFailed << "out/Old.MSMACRO";
    }

    void fileCopiesKeepFiles() {
        QFETCH(QString, name);
        QFETCH(QString, path);
        QString added;
        QCOMPARE(m_list.add(added), MacroListResult::Ok);
        m_tree->setIniValue("in/Macro 1.MSMACRO", "Setting/Count", 0);
        m_tree->setIniValue("out/Old.MSMACRO", "Setting/Count", 1);
        m_tree->setIniValue("in/Word.MSMACRO", "Setting/Count", "many");
        // A folder where the part file goes makes the copy fail before the target is touched.
        QVERIFY(QDir().mkpath(filereplace::partPath(m_tree->file("out/Old.MSMACRO"))));
        const QMap<QString, QByteArray> before = filesUnder(m_tree->path());
        QTEST(name.isEmpty() ? m_list.importFile(m_tree->file(path), added)
                             : m_list.exportFile(name, m_tree->file(path)),
              "result");
        QCOMPARE(filesUnder(m_tree->path()), before);
        QCOMPARE(config::listMacros(), QStringList{"Macro 1"});
    }

    // Renaming a macro moves its file and renames it in every button that plays it (macro and gun file), in
    // the working configuration and in each listed profile file; deleting it removes the file and gives
    // those buttons their factory function. Buttons of other macros and profiles outside the list stay as
    // they were.
    void buttonsFollowRenameAndDelete() {
        QString name, actual;
        QCOMPARE(m_list.add(name), MacroListResult::Ok);
        QCOMPARE(m_list.add(name), MacroListResult::Ok);
        ProfileData factory;
        profile::makeFactoryProfile(factory);
        const auto playing = [](const QString &macro, int function) {
            ButtonAssignment button;
            button.function = function;
            button.loopNumber = 3;
            button.macroName = macro;
            return button;
        };
        ProfileData raid = factory;
        raid.buttons[3] = playing("Macro 1", 200);
        raid.buttons[4] = playing("Macro 1", 510);
        raid.buttons[5] = playing("Macro 2", 200);
        QVERIFY(config::storeProfileList({"Profile 1", "Raid"}));
        QCOMPARE(profile::saveProfileByName(raid, "Raid"), FileResult::Ok);
        QCOMPARE(profile::saveProfileByName(raid, "Unlisted"), FileResult::Ok);
        ProfileData &working = AppConfigStore::instance().working().profile;
        working = factory;
        working.buttons[6] = playing("Macro 1", 200);
        const auto stored = [](const QString &profileName) {
            ProfileData data;
            [&] { QCOMPARE(profile::loadProfileByName(data, profileName), FileResult::Ok); }();
            return data;
        };

        QVERIFY(m_list.rename("Macro 1", "Burst", actual) == MacroListResult::Ok && actual == "Burst");
        QVERIFY(exists("Burst") && !exists("Macro 1"));
        QCOMPARE(macrolinks::profilesUsing("Burst"), QStringList{"Raid"});
        QVERIFY(macrolinks::profilesUsing("Macro 1").isEmpty());
        ProfileData expected = raid;
        expected.buttons[3].macroName = expected.buttons[4].macroName = "Burst";
        QVERIFY(stored("Raid") == expected);
        QCOMPARE(working.buttons[6].macroName, QString("Burst"));
        QCOMPARE(stored("Unlisted").buttons[3].macroName, QString("Macro 1"));

        QVERIFY(m_list.remove("Burst") == MacroListResult::Ok && !exists("Burst"));
        // The refusals' own results, which choose the message the user reads.
        QCOMPARE(m_list.remove("Burst"), MacroListResult::NotFound);
        QCOMPARE(m_list.rename("Ghost", "Phantom", actual), MacroListResult::NotFound);
        QCOMPARE(m_list.rename("Macro 2", "../escape", actual), MacroListResult::InvalidName);
        expected.buttons[3] = factory.buttons[3];
        expected.buttons[4] = factory.buttons[4];
        QVERIFY(stored("Raid") == expected);
        QVERIFY(working.buttons[6] == factory.buttons[6]);
        QVERIFY(stored("Unlisted") == raid);
        working = ProfileData();
    }
};

QTEST_GUILESS_MAIN(TestMacroList)
#include "test_macro_list.moc"
