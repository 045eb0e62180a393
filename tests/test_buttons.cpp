#include "buttons/button_assignment_rules.h"
#include "buttons/button_catalog.h"
#include "storage/macro_file.h"
#include "support/test_tree.h"

#include <QtTest>

namespace {
// The key list as "map low high" triples in hexadecimal, up to the first empty entry.
QString keyList(const ButtonAssignment &record) {
    QStringList entries;
    for (const KeyAction &key : record.keys) {
        if (key == KeyAction{})
            break;
        entries << QString::asprintf("%02X %02X %02X", key.type, key.low, key.high);
    }
    return entries.join(", ");
}

ButtonAssignment recordWithJunk() {
    ButtonAssignment record;
    record.keys.fill({0x99, 0x99, 0x99});
    record.keyNumber = 40;
    return record;
}
} // namespace

// The button function catalog and the rules of giving a button a function.
class TestButtons : public QObject {
    Q_OBJECT
    TestTree m_tree;

private slots:
    // Left clicks on record 5 and maybe another: the last one the mouse receives stays (record 25 of the
    // side group never reaches it), a gun file never goes on record 0, macro functions need a macro first
    // (the tree has none), functions with parameters ask their dialog.
    void choice() {
        const std::tuple<int, int, int, ChoiceResult> rows[] = {{-1, 5, 18, ChoiceResult::LastLeftClick},
                                                                {-1, 5, 1, ChoiceResult::Ok},
                                                                {2, 5, 18, ChoiceResult::Ok},
                                                                {25, 5, 18, ChoiceResult::LastLeftClick},
                                                                {-1, 0, 510, ChoiceResult::GunOnLeftButton},
                                                                {-1, 3, 200, ChoiceResult::NoMacros},
                                                                {-1, 3, 7, ChoiceResult::OpenDialog}};
        for (const auto &[otherLeft, record, function, result] : rows) {
            ProfileData profile;
            profile.buttons[5].function = 1;
            if (otherLeft >= 0)
                profile.buttons[otherLeft].function = 1;
            ProfileData expected = profile;
            if (result == ChoiceResult::Ok)
                expected.buttons[record].function = function;
            QVERIFY2(buttonrules::chooseFunction(profile, record, function) == result && profile == expected,
                     qPrintable(QString("%1 on %2").arg(function).arg(record)));
        }
    }

    // Each key pressed in order and released in reverse; the entries after them are cleared.
    void combo() {
        const std::tuple<QVector<KeyCode>, QString, QString> rows[] = {
            {{29, 46}, "E0 05 80, 06 05 80, 06 05 00, E0 05 00", "Ctrl + C"},
            {{42, 29, 30}, "E1 05 80, E0 05 80, 04 05 80, 04 05 00, E0 05 00, E1 05 00", "Shift + Ctrl + A"},
            {{100}, "00 05 80, 00 05 00", ""}};
        for (const auto &[keys, entries, caption] : rows) {
            ButtonAssignment record = recordWithJunk();
            buttonrules::assignCombo(record, keys);
            QCOMPARE(keyList(record), entries);
            QCOMPARE(record.keyNumber, 2 * keys.size());
            QCOMPARE(buttoncatalog::buttonCaption(record, 0), caption);
        }
    }

    void fireKey() {
        const std::pair<KeyCode, int> rows[] = {{240, 0x81}, {242, 0x84}, {46, 0x06}, {100, 0}};
        for (const auto &[key, res1] : rows) {
            ButtonAssignment record;
            buttonrules::assignFireKey(record, key, 7, 90);
            QCOMPARE(int(record.res1), res1);
            QCOMPARE(QVector<int>({record.function, record.loopNumber, record.keyNumber}),
                     QVector<int>({12, 7, 90}));
        }
    }

    // Steps in the file (-1: no file) and the entries the record holds afterwards; no name changes nothing.
    void macro() {
        const std::tuple<QString, int, FileResult, int> rows[] = {{"short", 2, FileResult::Ok, 2},
                                                                  {"long", 70, FileResult::Ok, 63},
                                                                  {"gone", -1, FileResult::NotFound, 0},
                                                                  {"", -1, FileResult::InvalidName, 40}};
        for (const auto &[name, steps, result, keyNumber] : rows) {
            QVector<MacroStep> written;
            for (int i = 0; i < steps; ++i)
                written << MacroStep{MacroStep::kKeyPress, 0, uint8_t(i + 1)};
            QVERIFY(steps < 0 || macrofile::saveMacroSteps(name, written) == FileResult::Ok);
            ButtonAssignment record = recordWithJunk();
            QVERIFY(buttonrules::assignMacro(record, 510, name, 5, 2) == result);
            QCOMPARE(record.keyNumber, keyNumber);
            if (name.isEmpty())
                continue;
            QCOMPARE(QVector<int>({record.function, record.loopNumber, record.res1}),
                     QVector<int>({510, 5, 2}));
            QCOMPARE(buttoncatalog::buttonCaption(record, 1), name);
            QCOMPARE(keyList(record).count(','), qMax(keyNumber - 1, 0));
            QCOMPARE(record.keys[qMax(keyNumber - 1, 0)].low, uint8_t(keyNumber));
        }
    }

    // Button 1 of a group; the group 0 button 1 holds the single key "B" unless the row replaces it.
    void caption() {
        const std::tuple<int, int, QString> rows[] = {
            {1, 6, "A"}, {0, 18, "Copy"}, {0, 12, "FIRE KEY"}, {1, 52, ""}, {2, 53, "Scroll Down"},
            {0, 0, ""},  {0, 300, ""}};
        for (const auto &[group, function, caption] : rows) {
            ProfileData profile;
            profile.buttons[1].function = 6;
            profile.buttons[1].res1 = 48;
            ButtonAssignment &record = profile.buttons[buttoncatalog::recordIndex(group, 1)];
            record.function = function;
            record.res1 = 30;
            QCOMPARE(buttoncatalog::buttonCaption(record, group), caption);
        }
    }

    // A model whose description disables macros offers no macro in the main menu.
    void menus() {
        for (const int disable : {1, 0}) {
            m_tree.setIniValue("DefaultProfile.bin", "PROFILE/DisableMacro", disable);
            const QVector<MenuEntry> entries = buttoncatalog::mainMenu();
            QCOMPARE(std::any_of(entries.begin(), entries.end(),
                                 [](const MenuEntry &e) { return e.function == 200; }),
                     !disable);
        }
    }
};

QTEST_MAIN(TestButtons)
#include "test_buttons.moc"
