#include "device/button_packer.h"
#include "device/device_code_table.h"
#include "device/device_state.h"
#include "device/macro_image.h"
#include "storage/button_matrix.h"
#include "storage/macro_file.h"
#include "support/test_tree.h"

#include <QtTest>
#include <memory>

Q_DECLARE_METATYPE(ButtonAssignment)
Q_DECLARE_METATYPE(MacroStep)

namespace {

using Bytes = QVector<int>;

ButtonAssignment &record(int r) {
    return DeviceState::instance().deviceCopy().profile.buttons[static_cast<std::size_t>(r)];
}

Bytes tableBytes(int offset, int length) {
    const DeviceState::ButtonTable &table = DeviceState::instance().buttonTable();
    Bytes out;
    for (int i = offset; i < offset + length; ++i)
        out.append(table[static_cast<std::size_t>(i)]);
    return out;
}

// The entry at the slot of button 0, which the identity matrix of these tests puts at bytes 2 to 5.
Bytes packedEntry(const ButtonAssignment &button) {
    record(0) = button;
    packButton(0, 0, 0);
    return tableBytes(2, 4);
}

ButtonAssignment withFunction(int function) {
    ButtonAssignment b;
    b.function = function;
    return b;
}

// A combo as the combo dialog leaves it: presses of the usages in order, then releases in reverse.
ButtonAssignment combo(const QVector<uint8_t> &usages) {
    ButtonAssignment b = withFunction(7);
    int n = 0;
    for (uint8_t u : usages)
        b.keys[static_cast<std::size_t>(n++)] = {u, 0x05, 0x80};
    for (int i = usages.size() - 1; i >= 0; --i)
        b.keys[static_cast<std::size_t>(n++)] = {usages[i], 0x05, 0x00};
    return b;
}

ButtonAssignment macroButton(int function, const QString &name, uint8_t mode, int loops) {
    ButtonAssignment b = withFunction(function);
    b.macroName = name;
    b.res1 = mode;
    b.loopNumber = loops;
    return b;
}

MacroStep ev(uint8_t kind, uint8_t low, uint8_t high = 0) {
    return {kind, high, low};
}

QVector<MacroStep> keyEvents(int count) {
    QVector<MacroStep> events;
    for (int i = 0; i < count; ++i)
        events.append(ev(i % 2 ? 0x04 : 0x84, static_cast<uint8_t>(4 + i / 2)));
    return events;
}

Bytes imageBytes(const QVector<MacroStep> &events) {
    Bytes out;
    for (const MacroStep &e : events)
        out << e.type << e.low << e.high;
    return out;
}

Bytes imagePrefix(const DeviceState::MacroImage &image, int length) {
    Bytes out;
    for (int i = 0; i < length; ++i)
        out.append(image[static_cast<std::size_t>(i)]);
    return out;
}

const MacroStep kPause = ev(6, 1, 0);

} // namespace

class TestButtonPacking : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void codeTableRows_data();
    void codeTableRows();
    void codeTableWalk();
    void functionWithoutRowPacksZeros_data();
    void functionWithoutRowPacksZeros();
    void singleKey_data();
    void singleKey();
    void comboKey_data();
    void comboKey();
    void fireKey_data();
    void fireKey();
    void sniperPerSensor_data();
    void sniperPerSensor();
    void macroEntry_data();
    void macroEntry();
    void macroNumbersSharedInPackingOrder();
    void wheelSlots_data();
    void wheelSlots();
    void matrixLookupsBounded();
    void headerAndOtherSlotsKept();
    void macroImage_data();
    void macroImage();
    void macroEventsReadRaw();

private:
    std::unique_ptr<TestTree> m_tree;
};

void TestButtonPacking::initTestCase() {
    m_tree = std::make_unique<TestTree>();
    QVERIFY(m_tree->isValid());
}

void TestButtonPacking::init() {
    DeviceState::instance().reset();
    ButtonMatrix::Table &matrix = ButtonMatrix::instance().table();
    for (int i = 0; i < ButtonMatrix::kSize; ++i)
        matrix[static_cast<std::size_t>(i)] = static_cast<uint8_t>(i);
    m_tree->setIniValue("DefaultProfile.bin", "PROFILE/ScrollRev", 0);
    m_tree->setIniValue("Configs/Config.ini", "MouseSenSor/1", 3389);
}

void TestButtonPacking::codeTableRows_data() {
    QTest::addColumn<int>("function");
    QTest::addColumn<Bytes>("entry");
    const QVector<QPair<int, Bytes>> rows = {
        {1, {0x81, 0, 0, 0}},           {2, {0x82, 0, 0, 0}},
        {3, {0x83, 0, 0, 0}},           {4, {0x85, 0, 0, 0}},
        {5, {0x84, 0, 0, 0}},           {13, {0x30, 0, 0, 0}},
        {49, {0x89, 0, 0, 0}},          {48, {0x8A, 0, 0, 0}},
        {52, {0x8B, 0, 0, 0}},          {53, {0x8C, 0, 0, 0}},
        {17, {0x8F, 0x01, 0x1B, 0}},    {18, {0x8F, 0x01, 0x06, 0}},
        {19, {0x8F, 0x01, 0x19, 0}},    {20, {0x8F, 0x01, 0x04, 0}},
        {21, {0x8F, 0x01, 0x09, 0}},    {22, {0x8F, 0x01, 0x11, 0}},
        {23, {0x8F, 0x01, 0x13, 0}},    {24, {0x8F, 0x01, 0x16, 0}},
        {25, {0x8F, 0x04, 0x2B, 0}},    {26, {0x8F, 0x04, 0x3D, 0}},
        {27, {0x8F, 0x08, 0x08, 0}},    {28, {0x8F, 0x08, 0x15, 0}},
        {29, {0x8F, 0x08, 0x07, 0}},    {62, {0x8F, 0x08, 0x10, 0}},
        {30, {0x8F, 0x08, 0x0F, 0}},    {31, {0x8E, 0x01, 0x23, 0x02}},
        {32, {0x8E, 0x01, 0x24, 0x02}}, {33, {0x8E, 0x01, 0x25, 0x02}},
        {34, {0x8E, 0x01, 0x26, 0x02}}, {35, {0x8E, 0x01, 0x27, 0x02}},
        {36, {0x8E, 0x01, 0x21, 0x02}}, {37, {0x8E, 0x01, 0x2A, 0x02}},
        {38, {0x8E, 0x01, 0x8A, 0x01}}, {40, {0x8E, 0x01, 0xB7, 0}},
        {39, {0x8E, 0x01, 0xCD, 0}},    {41, {0x8E, 0x01, 0xB6, 0}},
        {42, {0x8E, 0x01, 0xB5, 0}},    {43, {0x8E, 0x01, 0xE9, 0}},
        {44, {0x8E, 0x01, 0xEA, 0}},    {45, {0x8E, 0x01, 0xE2, 0}},
        {46, {0x8E, 0x01, 0x83, 0x01}}, {6, {0x90, 0, 0, 0}},
        {200, {0x91, 0, 0, 0}},         {510, {0x9D, 0, 0, 0}},
        {12, {0x99, 0, 0, 0}},          {16, {0, 0, 0, 0}},
        {47, {0x88, 0, 0, 0}},          {63, {0x97, 0x01, 0, 0}},
        {50, {0x97, 0, 0, 0}},          {51, {0x98, 0, 0, 0}},
        {59, {0x8D, 0, 0, 0}},          {57, {0x94, 0, 0, 0}},
        {58, {0x95, 0, 0, 0}},          {7, {0x8F, 0, 0, 0}},
        {54, {0x9B, 0x08, 0, 0}},       {55, {0x9A, 0x01, 0x01, 0x01}},
        {60, {0x9F, 0, 0, 0}},          {61, {0xA0, 0, 0, 0}},
    };
    QCOMPARE(rows.size(), devicecode::kRowCount);
    for (const auto &row : rows)
        QTest::addRow("function %d", row.first) << row.first << row.second;
}

// Functions without parameters must also pack as their row; the others share only byte 0 with it.
void TestButtonPacking::codeTableRows() {
    QFETCH(int, function);
    QFETCH(Bytes, entry);
    ButtonEntry row{};
    QVERIFY(devicecode::entryOf(function, row));
    QCOMPARE(Bytes({row[0], row[1], row[2], row[3]}), entry);
    const QVector<int> withParameters = {6, 7, 12, 55, 200, 510};
    if (!withParameters.contains(function))
        QCOMPARE(packedEntry(withFunction(function)), entry);
}

// Every row is the one found for its code and decodes back to it: no code or entry appears twice.
void TestButtonPacking::codeTableWalk() {
    for (const DeviceCodeRow &row : devicecode::kTable) {
        ButtonEntry found{};
        QVERIFY(devicecode::entryOf(row.function, found));
        QCOMPARE(found, row.entry);
        QCOMPARE(devicecode::functionOfEntry(row.entry), row.function);
    }
    QCOMPARE(devicecode::functionOfEntry({0x90, 0, 0x04, 0}), 6);
    QCOMPARE(devicecode::functionOfEntry({0x8F, 0x03, 0x04, 0}), 7);
    QCOMPARE(devicecode::functionOfEntry({0x91, 0x81, 0xFF, 0xFF}), 200);
    QCOMPARE(devicecode::functionOfEntry({0x9D, 0x01, 0x02, 0}), 510);
    QCOMPARE(devicecode::functionOfEntry({0x99, 0x81, 3, 2}), 12);
    QCOMPARE(devicecode::functionOfEntry({0x9A, 1, 0x16, 0x16}), 55);
    QCOMPARE(devicecode::functionOfEntry({0x97, 0x02, 0, 0}), -1);
}

void TestButtonPacking::functionWithoutRowPacksZeros_data() {
    QTest::addColumn<int>("function");
    for (int f : {0, 8, 9, 10, 11, 14, 15, 56, 64, 199, 201, 509, -1})
        QTest::addRow("function %d", f) << f;
}

// Whatever the slot held before, a function the mouse has no code for clears it.
void TestButtonPacking::functionWithoutRowPacksZeros() {
    QFETCH(int, function);
    DeviceState::instance().buttonTable().fill(0xEE);
    QCOMPARE(packedEntry(withFunction(function)), Bytes({0, 0, 0, 0}));
}

void TestButtonPacking::singleKey_data() {
    QTest::addColumn<int>("keyCode");
    QTest::addColumn<Bytes>("entry");
    QTest::newRow("A") << 30 << Bytes{0x90, 0, 0x04, 0};
    QTest::newRow("key code 76") << 76 << Bytes{0x90, 0, 0x5D, 0};
    QTest::newRow("mouse button has no usage") << 240 << Bytes{0x90, 0, 0, 0};
    QTest::newRow("no key") << 0 << Bytes{0x90, 0, 0, 0};
}

void TestButtonPacking::singleKey() {
    QFETCH(int, keyCode);
    QFETCH(Bytes, entry);
    DeviceState::instance().buttonTable().fill(0xEE);
    ButtonAssignment b = withFunction(6);
    b.res1 = static_cast<uint8_t>(keyCode);
    QCOMPARE(packedEntry(b), entry);
}

void TestButtonPacking::comboKey_data() {
    QTest::addColumn<ButtonAssignment>("button");
    QTest::addColumn<Bytes>("entry");
    QTest::newRow("Ctrl + Shift + A") << combo({0xE0, 0xE1, 0x04}) << Bytes{0x8F, 0x03, 0x04, 0};
    QTest::newRow("Ctrl + C") << combo({0xE0, 0x06}) << Bytes{0x8F, 0x01, 0x06, 0};
    QTest::newRow("right Alt + left Win + F1") << combo({0xE6, 0xE3, 0x3A}) << Bytes{0x8F, 0x0C, 0x3A, 0};
    QTest::newRow("right Ctrl + right Shift") << combo({0xE4, 0xE5}) << Bytes{0x8F, 0x03, 0, 0};
    QTest::newRow("later key wins") << combo({0x04, 0x05}) << Bytes{0x8F, 0, 0x04, 0};
    QTest::newRow("usage without key code is a key") << combo({0xE2, 0x32}) << Bytes{0x8F, 0x04, 0x32, 0};
    QTest::newRow("no keys") << withFunction(7) << Bytes{0x8F, 0, 0, 0};

    ButtonAssignment gap = combo({0xE0, 0x04});
    gap.keys[4] = gap.keys[3];
    gap.keys[3] = {};
    QTest::newRow("empty entry skipped") << gap << Bytes{0x8F, 0x01, 0x04, 0};

    // Five modifiers with their releases fill the ten entries read; the key after them is not read.
    ButtonAssignment full = combo({0xE0, 0xE1, 0xE2, 0xE3, 0xE4});
    full.keys[10] = {0x04, 0x05, 0x80};
    QTest::newRow("only ten entries read") << full << Bytes{0x8F, 0x10, 0, 0};
}

void TestButtonPacking::comboKey() {
    QFETCH(ButtonAssignment, button);
    QFETCH(Bytes, entry);
    QCOMPARE(packedEntry(button), entry);
}

void TestButtonPacking::fireKey_data() {
    QTest::addColumn<int>("res1");
    QTest::addColumn<int>("loops");
    QTest::addColumn<int>("delay");
    QTest::addColumn<Bytes>("entry");
    QTest::newRow("res1 0") << 0 << 7 << 90 << Bytes{0x99, 0x81, 3, 2};
    QTest::newRow("delay 35") << 0x82 << 5 << 35 << Bytes{0x99, 0x82, 5, 3};
    QTest::newRow("delay 19") << 0x84 << 5 << 19 << Bytes{0x99, 0x84, 5, 2};
    QTest::newRow("delay 20") << 0x84 << 5 << 20 << Bytes{0x99, 0x84, 5, 2};
    QTest::newRow("delay 255") << 0x04 << 1 << 255 << Bytes{0x99, 0x04, 1, 25};
    QTest::newRow("times low byte") << 0x81 << 0x1234 << 40 << Bytes{0x99, 0x81, 0x34, 4};
}

void TestButtonPacking::fireKey() {
    QFETCH(int, res1);
    QFETCH(int, loops);
    QFETCH(int, delay);
    QFETCH(Bytes, entry);
    ButtonAssignment b = withFunction(12);
    b.res1 = static_cast<uint8_t>(res1);
    b.loopNumber = loops;
    b.keyNumber = delay;
    QCOMPARE(packedEntry(b), entry);
}

void TestButtonPacking::sniperPerSensor_data() {
    QTest::addColumn<int>("sensor");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("encoded");
    QTest::newRow("3325 table A") << 3325 << 10 << 22;
    QTest::newRow("3327 table F") << 3327 << 61 << 140;
    QTest::newRow("3360 one below") << 3360 << 5 << 4;
    QTest::newRow("3389 as is") << 3389 << 7 << 7;
    QTest::newRow("3212 as is") << 3212 << 9 << 9;
    QTest::newRow("3104 as is") << 3104 << 3 << 3;
    QTest::newRow("3335 table L") << 3335 << 160 << 188;
    QTest::newRow("3370 not encoded") << 3370 << 7 << 4;
    QTest::newRow("33252 not encoded") << 33252 << 10 << 4;
    QTest::newRow("no sensor") << 0 << 7 << 4;
}

void TestButtonPacking::sniperPerSensor() {
    QFETCH(int, sensor);
    QFETCH(int, value);
    QFETCH(int, encoded);
    m_tree->setIniValue("Configs/Config.ini", "MouseSenSor/1", sensor);
    ButtonAssignment b = withFunction(55);
    b.res1 = static_cast<uint8_t>(value);
    QCOMPARE(packedEntry(b), Bytes({0x9A, 1, encoded, encoded}));
}

void TestButtonPacking::macroEntry_data() {
    QTest::addColumn<ButtonAssignment>("button");
    QTest::addColumn<Bytes>("entry");
    QTest::newRow("loop count") << macroButton(200, "M", 0, 0x0102) << Bytes{0x91, 0, 0x02, 0x01};
    QTest::newRow("while key down") << macroButton(200, "M", 1, 9) << Bytes{0x91, 0x80, 0xFF, 0xFF};
    QTest::newRow("until pressed again") << macroButton(200, "M", 2, 9) << Bytes{0x91, 0x40, 0xFF, 0xFF};
    QTest::newRow("other mode keeps byte 1") << macroButton(200, "M", 3, 5) << Bytes{0x91, 0xEE, 5, 0};
    QTest::newRow("gun file") << macroButton(510, "G", 0, 3) << Bytes{0x9D, 0, 3, 0};
}

void TestButtonPacking::macroEntry() {
    QFETCH(ButtonAssignment, button);
    QFETCH(Bytes, entry);
    DeviceState::instance().buttonTable().fill(0xEE);
    button.res4 = 0x77;
    QCOMPARE(packedEntry(button), entry);
    QCOMPARE(int(record(0).res4), 0);
}

// Numbers follow packing order; a shared name keeps its first number, and res4 records it.
void TestButtonPacking::macroNumbersSharedInPackingOrder() {
    QCOMPARE(macroNumberOf("Burst"), -1);
    record(1) = macroButton(200, "Burst", 0, 1);
    record(2) = macroButton(510, "Recoil", 1, 1);
    record(3) = macroButton(200, "Burst", 2, 1);
    record(4) = withFunction(1);
    record(4).macroName = "Ignored";
    for (int r = 1; r <= 4; ++r)
        packButton(0, r, r);
    QCOMPARE(macroNumberOf("Burst"), 0);
    QCOMPARE(macroNumberOf("Recoil"), 1);
    QCOMPARE(macroNumberOf("Ignored"), 255);
    QCOMPARE(tableBytes(2 + 4 * 1, 4), Bytes({0x91, 0x00, 1, 0}));
    QCOMPARE(tableBytes(2 + 4 * 2, 4), Bytes({0x9D, 0x81, 0xFF, 0xFF}));
    QCOMPARE(tableBytes(2 + 4 * 3, 4), Bytes({0x91, 0x40, 0xFF, 0xFF}));
    QCOMPARE(int(record(1).res4), 0);
    QCOMPARE(int(record(2).res4), 1);
    QCOMPARE(int(record(3).res4), 0);
}

void TestButtonPacking::wheelSlots_data() {
    QTest::addColumn<int>("reverse");
    QTest::addColumn<int>("upOffset");
    QTest::addColumn<int>("downOffset");
    QTest::newRow("normal") << 0 << 90 << 94;
    QTest::newRow("reversed") << 1 << 94 << 90;
    QTest::newRow("only 1 reverses") << 2 << 90 << 94;
}

void TestButtonPacking::wheelSlots() {
    QFETCH(int, reverse);
    QFETCH(int, upOffset);
    QFETCH(int, downOffset);
    m_tree->setIniValue("DefaultProfile.bin", "PROFILE/ScrollRev", reverse);
    // The matrix must not be consulted for the wheel: it points elsewhere.
    ButtonMatrix::instance().table().fill(3);
    record(40) = withFunction(52);
    record(41) = withFunction(53);
    packButton(0, 40, 22);
    packButton(0, 41, 23);
    QCOMPARE(tableBytes(upOffset, 4), Bytes({0x8B, 0, 0, 0}));
    QCOMPARE(tableBytes(downOffset, 4), Bytes({0x8C, 0, 0, 0}));
    QCOMPARE(tableBytes(14, 4), Bytes({0, 0, 0, 0}));
}

// A selector past the 16-entry matrix, or a matrix value whose entry would not fit, packs nothing
// instead of reading or writing out of bounds.
void TestButtonPacking::matrixLookupsBounded() {
    DeviceState::ButtonTable &table = DeviceState::instance().buttonTable();
    ButtonMatrix::Table &matrix = ButtonMatrix::instance().table();
    int slot = -1;
    QVERIFY(!buttonSlot(16, slot));
    QVERIFY(!buttonSlot(21, slot));
    QVERIFY(!buttonSlot(-1, slot));
    QCOMPARE(slot, -1);

    matrix[5] = 30;
    matrix[6] = 31;
    matrix[7] = 255;
    record(5) = withFunction(1);
    record(6) = withFunction(2);
    record(7) = withFunction(3);
    record(16) = withFunction(4);
    for (int r : {5, 6, 7, 16})
        packButton(0, r, r);
    QCOMPARE(tableBytes(122, 4), Bytes({0x81, 0, 0, 0}));
    QCOMPARE(tableBytes(126, 2), Bytes({0, 0}));
    for (uint8_t code : {0x82, 0x83, 0x85})
        QVERIFY(std::find(table.begin(), table.end(), code) == table.end());

    record(5) = withFunction(2);
    packButton(1, 5, 5);
    packButton(0, 42, 5);
    packButton(0, -1, 5);
    QCOMPARE(tableBytes(122, 4), Bytes({0x81, 0, 0, 0}));
}

// The header is written with every entry; slots no button maps to keep what they held.
void TestButtonPacking::headerAndOtherSlotsKept() {
    DeviceState::instance().buttonTable().fill(0xEE);
    record(2) = withFunction(3);
    packButton(0, 2, 2);
    QCOMPARE(tableBytes(0, 2), Bytes({0x0A, 0x00}));
    QCOMPARE(tableBytes(10, 4), Bytes({0x83, 0, 0, 0}));
    QCOMPARE(tableBytes(6, 4), Bytes({0xEE, 0xEE, 0xEE, 0xEE}));
    QCOMPARE(tableBytes(14, 4), Bytes({0xEE, 0xEE, 0xEE, 0xEE}));
}

void TestButtonPacking::macroImage_data() {
    QTest::addColumn<QVector<MacroStep>>("events");
    QTest::addColumn<QVector<MacroStep>>("image");
    const QVector<MacroStep> five = keyEvents(5);
    QTest::newRow("five events") << five << QVector<MacroStep>{five[0], five[1], five[2], five[3],
                                                               kPause,  five[4], kPause};
    const QVector<MacroStep> four = keyEvents(4);
    QTest::newRow("four events: two pauses together")
        << four << QVector<MacroStep>{four[0], four[1], four[2], four[3], kPause, kPause};
    QTest::newRow("empty macro") << QVector<MacroStep>{} << QVector<MacroStep>{kPause};
    const QVector<MacroStep> timed = {ev(0x84, 4), ev(6, 44, 1), ev(0x04, 4), ev(0x81, 1), ev(0x01, 1)};
    QTest::newRow("own delays kept as they are") << timed << timed;
    const QVector<MacroStep> moves = {ev(2, 246), ev(2, 0, 10), ev(0x86, 1), ev(0x81, 2), ev(0x01, 2)};
    QTest::newRow("only kind 6 is a delay")
        << moves << QVector<MacroStep>{moves[0], moves[1], moves[2], moves[3], kPause, moves[4], kPause};

    // 66 events fill 198 of the 200 bytes; the 67th does not fit.
    QVector<MacroStep> long66 = keyEvents(67);
    long66[0] = ev(6, 2);
    QTest::newRow("67 events with a delay") << long66 << long66.mid(0, 66);
    // 52 events and 13 pauses make 65; the closing pause is the 66th and fits.
    const QVector<MacroStep> long52 = keyEvents(52);
    QVector<MacroStep> expected52;
    for (int i = 0; i < 52; ++i) {
        expected52.append(long52[i]);
        if (i % 4 == 3)
            expected52.append(kPause);
    }
    expected52.append(kPause);
    QTest::newRow("52 events and 14 pauses") << long52 << expected52;
    QVector<MacroStep> expected60 = expected52;
    const QVector<MacroStep> long60 = keyEvents(60);
    expected60.removeLast();
    expected60 << long60[52];
    QTest::newRow("60 events cut") << long60 << expected60;
}

void TestButtonPacking::macroImage() {
    QFETCH(QVector<MacroStep>, events);
    QFETCH(QVector<MacroStep>, image);
    QVERIFY(image.size() <= 66);
    macroimage::buildMacroImage(events, 3);
    const DeviceState::MacroImage &slot = DeviceState::instance().macroImages()[3];
    Bytes expected = imageBytes(image);
    expected.resize(DeviceState::kMacroImageSize);
    QCOMPARE(imagePrefix(slot, DeviceState::kMacroImageSize), expected);
    for (int other : {0, 2, 4})
        QCOMPARE(imagePrefix(DeviceState::instance().macroImages()[other], 3), Bytes({0, 0, 0}));
}

// The upload sends what the file holds, also steps the editor would drop, beyond 63 of them too.
void TestButtonPacking::macroEventsReadRaw() {
    const QString path = macrofile::macroFilePath("Raw");
    QVERIFY(!path.isEmpty());
    QDir().mkpath(QFileInfo(path).absolutePath());
    {
        QSettings file(path, QSettings::IniFormat);
        file.setValue("Setting/Count", 70);
        for (int i = 0; i < 70; ++i) {
            file.setValue(QString("Setting/Map_%1").arg(i), i == 1 ? 0x55 : 0x84);
            file.setValue(QString("Setting/DataL_%1").arg(i), QString::number(i));
            file.setValue(QString("Setting/DataH_%1").arg(i), i == 1 ? 0x107 : 0);
        }
    }
    const QVector<MacroStep> events = macroimage::readMacroEvents("Raw");
    QCOMPARE(events.size(), 70);
    QCOMPARE(events[1], ev(0x55, 1, 0x07));
    QCOMPARE(events[69], ev(0x84, 69));
    QVERIFY(macroimage::readMacroEvents("Missing").isEmpty());
    QVERIFY(macroimage::readMacroEvents("../Raw").isEmpty());
}

QTEST_GUILESS_MAIN(TestButtonPacking)
#include "test_button_packing.moc"
