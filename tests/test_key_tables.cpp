#include "keys/key_tables.h"

#include <QSet>
#include <QtTest>

class TestKeyTables : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        SetKeyLayoutLanguages(-1, -1);
        SetKeyLayoutLanguageIndex(0);
    }

    // Every key code and usage appears once, each pair converts both ways and has an English name; a value
    // without a pair converts to nothing.
    void hidMapIsOneToOne() {
        QSet<int> codes, usages;
        for (const KeyHidPair &pair : KeyHidMap) {
            const std::optional<HidUsage> usage = KeyCodeToHid(pair.code);
            QVERIFY2(!codes.contains(pair.code) && !usages.contains(pair.usage) && usage &&
                         HidToKeyCode(*usage) == pair.code &&
                         !KeyName(pair.code, KeyLayout::English).isEmpty(),
                     qPrintable(QString::number(pair.code)));
            codes << pair.code;
            usages << pair.usage;
        }
        QCOMPARE(codes.size(), 104);
        QVERIFY(!HidToKeyCode(0x32)); // the non-US hash key has no key code
        const int pairs[][2] = {{30, 0x04}, {11, 0x27}, {43, 0x31}, {76, 0x5D}, {224, 0x63},
                                {92, 0xE7}, {240, -1},  {100, -1},  {0, -1}}; // -1: no pair
        for (const auto &[key, usage] : pairs) {
            const std::optional<HidUsage> out = KeyCodeToHid(KeyCode(key));
            QVERIFY2(usage >= 0 ? out == usage : !out, qPrintable(QString::number(key)));
        }
        // A code without a key has no name in any layout.
        for (const KeyLayout layout : {KeyLayout::English, KeyLayout::French, KeyLayout::German})
            QVERIFY(KeyName(0, layout).isEmpty() && KeyName(250, layout).isEmpty() &&
                    KeyName(85, layout).isEmpty());
    }

    // The layout follows the interface language at every call: French and German language indexes, the
    // language, the layout and its name of key code 44. Neither configured, French or German current,
    // another language, both on one index.
    void layoutChoice() {
        const std::tuple<int, int, int, KeyLayout, const char *> rows[] = {
            {-1, -1, 1, KeyLayout::English, "Z"},
            {1, 2, 1, KeyLayout::French, "w"},
            {1, 2, 2, KeyLayout::German, "Y"},
            {1, 2, 0, KeyLayout::English, "Z"},
            {3, 3, 3, KeyLayout::German, "Y"}};
        for (const auto &[french, german, language, layout, keyZ] : rows) {
            SetKeyLayoutLanguages(french, german);
            SetKeyLayoutLanguageIndex(language);
            QVERIFY2(CurrentKeyLayout() == layout && KeyName(44) == keyZ,
                     qPrintable(QString("%1 %2 %3").arg(french).arg(german).arg(language)));
        }
    }

    // The combo window's names differ from the key names for modifiers and German umlauts.
    void comboNames() {
        QVERIFY(KeyName(29, KeyLayout::English) == "LCtr" && KeyName(26, KeyLayout::German) == "\u00dc");
        const std::tuple<int, KeyLayout, const char *> rows[] = {
            {29, KeyLayout::English, "Ctrl"},  {56, KeyLayout::English, "Alt"},
            {56, KeyLayout::French, "LAlt"},   {238, KeyLayout::French, "Ctrl"},
            {26, KeyLayout::German, "\u00fc"}, {30, KeyLayout::German, "A"}};
        for (const auto &[code, layout, name] : rows)
            QCOMPARE(ComboKeyName(KeyCode(code), layout), QString::fromUtf8(name));
    }

    // Scan code, flags, key code, by the capture rule of the key dialogs: Pause and Num Lock, Print Screen
    // and Num *, right Alt down and up, Num Del, Num /, Num Enter, right Ctrl, Num 7, Alt held on the
    // keypad, a letter. By the rule of recording a macro: right Ctrl, keypad Enter and slash, Num Lock
    // pressed and released, with Alt held and without; right Alt pressed, released, released with left Alt
    // held; left Alt; Num 1 and the up arrow pressed and released with Alt held (the capture rule gives 79
    // for Num 1), each the same code both ways; a letter.
    void scanCodeRules() {
        const uint capture[][3] = {{69, 0x00, 69},  {69, 0x01, 225}, {55, 0x01, 55},  {55, 0x00, 227},
                                   {56, 0x21, 239}, {56, 0x81, 239}, {83, 0x00, 224}, {53, 0x01, 226},
                                   {28, 0x81, 229}, {29, 0x01, 238}, {71, 0x00, 235}, {79, 0x20, 79},
                                   {30, 0x00, 30}};
        const uint recording[][3] = {{29, 0x01, 238}, {29, 0x21, 29},  {29, 0x81, 238}, {29, 0xA1, 29},
                                     {28, 0x21, 28},  {28, 0x81, 229}, {53, 0x01, 226}, {53, 0xA1, 53},
                                     {69, 0x21, 69},  {69, 0x81, 225}, {56, 0x21, 239}, {56, 0x81, 239},
                                     {56, 0xA1, 239}, {56, 0x20, 56},  {79, 0x20, 230}, {79, 0xA0, 230},
                                     {72, 0x21, 72},  {72, 0xA1, 72},  {30, 0xA0, 30}};
        for (const auto &[scanCode, flags, code] : capture)
            QVERIFY2(RemapHookScanCode(scanCode, flags) == code,
                     qPrintable(QString("%1/%2").arg(scanCode).arg(flags)));
        for (const auto &[scanCode, flags, code] : recording)
            QVERIFY2(RemapRecordedScanCode(scanCode, flags) == code,
                     qPrintable(QString("recorded %1/%2").arg(scanCode).arg(flags)));
    }

    // Usages as the combo window stores them, three bytes an entry: a right Ctrl counts twice, modifiers
    // go in their order, the later key wins, a right Shift shows once, a sixth entry is not read.
    void comboText() {
        const char *const rows[][2] = {{"E00000 060000 060000 E00000 000000", "Ctrl + C"},
                                       {"E40000 E40000 060000 000000 000000", "RCtrl + C"},
                                       {"E20000 E10000 E30000 E00000 040000", "Shift + Ctrl + Win + Alt + A"},
                                       {"040000 050000 000000 000000 000000", "B"},
                                       {"E50000 000000 000000 000000 000000", "Shift"},
                                       {"E00000 E00000 000000 000000 000000 040000", "Ctrl"}};
        for (const auto &row : rows) {
            const QByteArray entries = QByteArray::fromHex(row[0]).left(kComboEntryBytes);
            QCOMPARE(ComboKeyText(reinterpret_cast<const uint8_t *>(entries.constData())), QString(row[1]));
        }
    }
};

QTEST_GUILESS_MAIN(TestKeyTables)
#include "test_key_tables.moc"
