#include "keys/key_tables.h"

#include <QSet>
#include <QtTest>

class TestKeyTables : public QObject {
    Q_OBJECT
private slots:
    void hidMapIsOneToOne();
    void conversions_data();
    void conversions();
    void layoutChoice_data();
    void layoutChoice();
    void keyNames_data();
    void keyNames();
    void comboNames();
    void captureRule_data();
    void captureRule();
    void comboText_data();
    void comboText();
};

// Every key code and every usage appears once, and each pair converts both ways.
void TestKeyTables::hidMapIsOneToOne() {
    QSet<int> codes, usages;
    for (const KeyHidPair &pair : KeyHidMap) {
        QVERIFY2(!codes.contains(pair.code), qPrintable(QString("code %1 twice").arg(pair.code)));
        QVERIFY2(!usages.contains(pair.usage), qPrintable(QString("usage %1 twice").arg(pair.usage)));
        codes << pair.code;
        usages << pair.usage;
        HidUsage usage = 0;
        KeyCode code = 0;
        QVERIFY(KeyCodeToHid(pair.code, usage));
        QVERIFY(HidToKeyCode(usage, code));
        QCOMPARE(code, pair.code);
        // Every mapped key has a name to show, in at least the English layout.
        QVERIFY2(!KeyName(pair.code, KeyLayout::English).isEmpty(), qPrintable(QString::number(pair.code)));
    }
    QCOMPARE(codes.size(), 104);
}

void TestKeyTables::conversions_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("usage"); // -1: no pair
    QTest::newRow("A") << 30 << 0x04;
    QTest::newRow("Z") << 44 << 0x1D;
    QTest::newRow("0") << 11 << 0x27;
    QTest::newRow("Enter") << 28 << 0x28;
    QTest::newRow("backslash") << 43 << 0x31;
    QTest::newRow("Caps Lock") << 58 << 0x39;
    QTest::newRow("F11") << 87 << 0x44;
    QTest::newRow("Up") << 72 << 0x52;
    QTest::newRow("Num 5") << 76 << 0x5D;
    QTest::newRow("Num Del") << 224 << 0x63;
    QTest::newRow("App") << 93 << 0x65;
    QTest::newRow("right GUI") << 92 << 0xE7;
    QTest::newRow("left button") << 240 << -1;
    QTest::newRow("F13") << 100 << -1;
    QTest::newRow("none") << 0 << -1;
}

void TestKeyTables::conversions() {
    QFETCH(int, code);
    QFETCH(int, usage);
    HidUsage out = 0xAA;
    QCOMPARE(KeyCodeToHid(KeyCode(code), out), usage >= 0);
    QCOMPARE(int(out), usage >= 0 ? usage : 0xAA);
    if (usage >= 0) {
        KeyCode back = 0;
        QVERIFY(HidToKeyCode(HidUsage(usage), back));
        QCOMPARE(int(back), code);
    }
}

void TestKeyTables::layoutChoice_data() {
    QTest::addColumn<int>("french");
    QTest::addColumn<int>("german");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("layout");
    QTest::newRow("both absent") << -1 << -1 << 1 << int(KeyLayout::English);
    QTest::newRow("french current") << 1 << 2 << 1 << int(KeyLayout::French);
    QTest::newRow("german current") << 1 << 2 << 2 << int(KeyLayout::German);
    QTest::newRow("other language") << 1 << 2 << 0 << int(KeyLayout::English);
    QTest::newRow("both the same") << 3 << 3 << 3 << int(KeyLayout::German);
}

void TestKeyTables::layoutChoice() {
    QFETCH(int, french);
    QFETCH(int, german);
    QFETCH(int, language);
    SetKeyLayoutLanguages(french, german);
    SetKeyLayoutLanguageIndex(language);
    QTEST(int(CurrentKeyLayout()), "layout");
    SetKeyLayoutLanguages(-1, -1);
    SetKeyLayoutLanguageIndex(0);
}

void TestKeyTables::keyNames_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("french");
    QTest::addColumn<QString>("german");
    QTest::newRow("Q") << 16 << "Q"
                       << "a"
                       << "Q";
    QTest::newRow("Y/Z") << 21 << "Y"
                         << "y"
                         << "Z";
    QTest::newRow("M row") << 50 << "M"
                           << ","
                           << "M";
    QTest::newRow("2") << 3 << "2" << QString::fromUtf8("\xc3\xa9") << "2";
    QTest::newRow("3") << 4 << "3"
                       << "\""
                       << "3";
    QTest::newRow("0") << 11 << "0" << QString::fromUtf8("\xc3\xa0") << "0";
    QTest::newRow("backslash") << 43 << "\\"
                               << "*"
                               << "#";
    QTest::newRow("space") << 57 << "Space"
                           << "espace"
                           << "LEER";
    QTest::newRow("F13") << 100 << ""
                         << ""
                         << "F13";
    QTest::newRow("F24") << 118 << ""
                         << ""
                         << "F24";
    QTest::newRow("right Ctrl") << 238 << "RCtr"
                                << "RCtrl"
                                << "";
    QTest::newRow("mouse") << 242 << "Middle Button"
                           << "Middle Button"
                           << "Middle Button";
    QTest::newRow("none") << 0 << ""
                          << ""
                          << "";
    QTest::newRow("unused") << 250 << ""
                            << ""
                            << "";
    QTest::newRow("gap") << 85 << ""
                         << ""
                         << "";
}

void TestKeyTables::keyNames() {
    QFETCH(int, code);
    QTEST(KeyName(KeyCode(code), KeyLayout::English), "english");
    QTEST(KeyName(KeyCode(code), KeyLayout::French), "french");
    QTEST(KeyName(KeyCode(code), KeyLayout::German), "german");
}

void TestKeyTables::comboNames() {
    QCOMPARE(ComboKeyName(29, KeyLayout::English), QString("Ctrl"));
    QCOMPARE(KeyName(29, KeyLayout::English), QString("LCtr"));
    QCOMPARE(ComboKeyName(56, KeyLayout::English), QString("Alt"));
    QCOMPARE(ComboKeyName(56, KeyLayout::French), QString("LAlt"));
    QCOMPARE(ComboKeyName(238, KeyLayout::French), QString("Ctrl"));
    QCOMPARE(ComboKeyName(26, KeyLayout::German), QString::fromUtf8("\xc3\xbc"));
    QCOMPARE(KeyName(26, KeyLayout::German), QString::fromUtf8("\xc3\x9c"));
    QCOMPARE(ComboKeyName(30, KeyLayout::German), QString("A"));
    // The current layout follows the interface language at every call.
    SetKeyLayoutLanguages(1, 2);
    SetKeyLayoutLanguageIndex(2);
    QCOMPARE(KeyName(44), QString("Y"));
    SetKeyLayoutLanguageIndex(1);
    QCOMPARE(KeyName(44), QString("w"));
    SetKeyLayoutLanguages(-1, -1);
    SetKeyLayoutLanguageIndex(0);
}

void TestKeyTables::captureRule_data() {
    QTest::addColumn<uint>("scanCode");
    QTest::addColumn<uint>("flags");
    QTest::addColumn<int>("code");
    QTest::newRow("Pause") << 69u << 0x00u << 69;
    QTest::newRow("Num Lock") << 69u << 0x01u << 225;
    QTest::newRow("Print Screen") << 55u << 0x01u << 55;
    QTest::newRow("Num *") << 55u << 0x00u << 227;
    QTest::newRow("Num * up") << 55u << 0x80u << 227;
    QTest::newRow("right Alt") << 56u << 0x21u << 239;
    QTest::newRow("right Alt up") << 56u << 0x81u << 239;
    QTest::newRow("left Alt") << 56u << 0x20u << 56;
    QTest::newRow("Num Del") << 83u << 0x00u << 224;
    QTest::newRow("Delete") << 83u << 0x01u << 83;
    QTest::newRow("Num /") << 53u << 0x01u << 226;
    QTest::newRow("slash") << 53u << 0x00u << 53;
    QTest::newRow("Num Enter") << 28u << 0x81u << 229;
    QTest::newRow("right Ctrl") << 29u << 0x01u << 238;
    QTest::newRow("Num 7") << 71u << 0x00u << 235;
    QTest::newRow("Home") << 71u << 0x01u << 71;
    QTest::newRow("Num 0") << 82u << 0x00u << 237;
    QTest::newRow("Alt held on keypad") << 79u << 0x20u << 79;
    QTest::newRow("letter") << 30u << 0x00u << 30;
}

void TestKeyTables::captureRule() {
    QFETCH(uint, scanCode);
    QFETCH(uint, flags);
    QTEST(int(RemapHookScanCode(scanCode, flags)), "code");
}

void TestKeyTables::comboText_data() {
    QTest::addColumn<QByteArray>("entries");
    QTest::addColumn<QString>("text");
    // Usages as the combo window stores them: every key pressed and released, three bytes an entry.
    QTest::newRow("Ctrl+C") << QByteArray::fromHex("E00000 060000 060000 E00000 000000") << "Ctrl + C";
    QTest::newRow("right Ctrl counted twice")
        << QByteArray::fromHex("E40000 E40000 060000 000000 000000") << "RCtrl + C";
    QTest::newRow("modifier order") << QByteArray::fromHex("E20000 E10000 E30000 E00000 040000")
                                    << "Shift + Ctrl + Win + Alt + A";
    QTest::newRow("later key wins") << QByteArray::fromHex("040000 050000 000000 000000 000000") << "B";
    QTest::newRow("right Shift alone once")
        << QByteArray::fromHex("E50000 000000 000000 000000 000000") << "Shift";
    QTest::newRow("empty") << QByteArray(15, '\0') << "";
    QTest::newRow("sixth entry unread")
        << QByteArray::fromHex("E00000 E00000 000000 000000 000000 040000") << "Ctrl";
}

void TestKeyTables::comboText() {
    QFETCH(QByteArray, entries);
    QByteArray bytes = entries.left(kComboEntryBytes);
    QTEST(ComboKeyText(reinterpret_cast<const uint8_t *>(bytes.constData())), "text");
}

QTEST_GUILESS_MAIN(TestKeyTables)
#include "test_key_tables.moc"
