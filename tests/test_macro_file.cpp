#include "storage/app_paths.h"
#include "storage/macro_file.h"
#include "support/test_tree.h"

#include <QFile>
#include <QSettings>
#include <QtTest>

Q_DECLARE_METATYPE(FileResult)

namespace {

// A macro file written as text, the way the editor stores the cells of its table.
void writeMacroText(const QString &name, const QVector<QVector<int>> &steps) {
    QFile file(macrofile::macroFilePath(name));
    QVERIFY(AppPaths::ensureParentDir(file.fileName()) &&
            file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QString text = QString("[Setting]\nDefaultDelay=50\nDelayType=2\nLoopType=1\nLoopTime=3\nCount=%1\n")
                       .arg(steps.size());
    for (int i = 0; i < steps.size(); ++i)
        text += QString("Map_%1=%2\nDataH_%1=%3\nDataL_%1=%4\n")
                    .arg(i)
                    .arg(steps[i][0])
                    .arg(steps[i][1])
                    .arg(steps[i][2]);
    file.write(text.toLatin1() + "WriteSign=1\n");
}

} // namespace

class TestMacroFile : public QObject {
    Q_OBJECT
private slots:
    void stepDecoding_data() {
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

    // Each case sits between two known steps, so a skipped step leaves exactly those two.
    void stepDecoding() {
        QFETCH(QVector<int>, file);
        QFETCH(QVector<int>, loaded);
        TestTree tree;
        writeMacroText("Case", {{0x84, 0, 30}, file, {0x04, 0, 30}});
        MacroData macro;
        QCOMPARE(macrofile::loadMacro("Case", macro), FileResult::Ok);
        QVector<MacroStep> expected{{0x84, 0, 30}, {0x04, 0, 30}};
        if (!loaded.isEmpty())
            expected.insert(1, {uint8_t(loaded[0]), uint8_t(loaded[1]), uint8_t(loaded[2])});
        QCOMPARE(macro.steps, expected);
        QVERIFY(macro.defaultDelay == 50 && macro.delayType == 2 && macro.loopType == 1 &&
                macro.loopTime == 3);
    }

    void saveAndLoad() {
        TestTree tree;
        MacroData saved{"Burst fire", 35, 2, 3, 17, {}};
        saved.steps = {{MacroStep::kMousePress, 0, 4}, MacroStep::delay(300),
                       MacroStep::move(-10, 0),        MacroStep::move(0, 10),
                       MacroStep::move(0, -5),         {MacroStep::kKeyRelease, 0, 0xE1}};
        QCOMPARE(macrofile::saveMacro(saved), FileResult::Ok);
        const QString path = AppPaths::configDir() + "/MacroDB/Burst fire.MSMACRO";
        QSettings file(path, QSettings::IniFormat);
        QCOMPARE(file.value("Setting/WriteSign").toInt(), 1);
        QCOMPARE(file.value("Setting/MacroFilePath").toString(), path);
        MacroData loaded;
        QCOMPARE(macrofile::loadMacro("Burst fire", loaded), FileResult::Ok);
        QVERIFY(loaded.name == saved.name && loaded.defaultDelay == 35 && loaded.delayType == 2);
        QVERIFY(loaded.loopType == 3 && loaded.loopTime == 17);
        QCOMPARE(loaded.steps, saved.steps);
        // (6, 1, 44) is 3000 ms at a 10 ms unit; (2, 0, 246) left 10, (2, 10, 0) down 10, (2, 251, 0) up 5.
        const QVector<MacroStep> stored{{6, 1, 44}, {2, 0, 246}, {2, 10, 0}, {2, 251, 0}};
        QCOMPARE(loaded.steps.mid(1, 4), stored);
        QCOMPARE(loaded.steps[1].delayMilliseconds(10), 3000);
        QVERIFY(loaded.steps[2].moveX() == -10 && loaded.steps[3].moveY() == 10 &&
                loaded.steps[4].moveY() == -5);
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
        QCOMPARE(loaded.steps, saved.steps);
        QVERIFY(loaded.defaultDelay == 10 && loaded.delayType == 1 && loaded.loopType == 0 &&
                loaded.loopTime == 1);

        // A missing file clears the macro and the button's key count; a file can be deleted.
        QCOMPARE(macrofile::loadMacro("Nothing", loaded), FileResult::NotFound);
        QVERIFY(loaded.defaultDelay == 0 && loaded.delayType == 0 && loaded.loopType == 0 &&
                loaded.loopTime == 0);
        QVERIFY(loaded.steps.isEmpty());
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

    // A button holds at most 63 entries: a longer macro fills them and nothing past them is overwritten.
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

        // A shorter macro leaves the entries past its count as they were; steps are copied as stored.
        QCOMPARE(macrofile::saveMacroSteps("Short", {{0x81, 0, 3}, {2, 5, 5}}), FileResult::Ok);
        QCOMPARE(macrofile::readMacroForButton("Short", button), FileResult::Ok);
        expected.keyNumber = 2;
        expected.keys[0] = {0x81, 3, 0};
        expected.keys[1] = {2, 5, 5};
        QVERIFY(button == expected);
    }
};

QTEST_GUILESS_MAIN(TestMacroFile)
#include "test_macro_file.moc"
