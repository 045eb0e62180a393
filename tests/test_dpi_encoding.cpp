#include "device/dpi_encoding.h"
#include "device/sensor_dpi.h"

#include <QtTest>

Q_DECLARE_METATYPE(StageDpiBytes)

namespace {

StageDpiBytes dpiBytes(int b9, int b10, int b11, int b12) {
    return {static_cast<uint8_t>(b9), static_cast<uint8_t>(b10), static_cast<uint8_t>(b11),
            static_cast<uint8_t>(b12)};
}

// The sensor whose DPI conversion gives each table's positions their DPI.
int sensorOfTable(char name) {
    switch (name) {
    case 'A':
    case 'B':
    case 'C':
        return sensor::k3325;
    case 'D':
    case 'E':
        return sensor::k33112;
    case 'F':
    case 'G':
    case 'H':
        return sensor::k3327;
    case 'J':
    case 'K':
        return sensor::k3333;
    default:
        return sensor::k33352;
    }
}

} // namespace

class TestDpiEncoding : public QObject {
    Q_OBJECT
private slots:
    void encodings_data();
    void encodings();
    void givenRows_data();
    void givenRows();
    void tablesRiseEvenlyWithTheDpi();
    void rangesJoinAtTheDpiConversion_data();
    void rangesJoinAtTheDpiConversion();
    void dpiConversion_data();
    void dpiConversion();
};

void TestDpiEncoding::encodings_data() {
    QTest::addColumn<int>("sensor");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("capability");
    QTest::addColumn<StageDpiBytes>("bytes");

    QTest::newRow("3389 400 offset by 160 and flagged")
        << 3389 << 400 << 400 << 0 << dpiBytes(0xF0, 0x80, 0xF0, 0x80);
    QTest::newRow("3389 320 plain 16 bits") << 3389 << 320 << 2 << 0 << dpiBytes(0x40, 0x01, 0x02, 0x00);
    QTest::newRow("3389 480 top") << 3389 << 480 << 321 << 0 << dpiBytes(0x40, 0x81, 0xA1, 0x80);
    QTest::newRow("3360 range edges") << 3360 << 121 << 120 << 0 << dpiBytes(60, 1, 119, 0);
    QTest::newRow("3360 180") << 3360 << 180 << 1 << 0 << dpiBytes(119, 1, 0, 0);
    QTest::newRow("3104 y first") << 3104 << 10 << 200 << 0 << dpiBytes(147, 1, 10, 0);
    QTest::newRow("31042 y first") << 31042 << 107 << 106 << 0 << dpiBytes(106, 0, 54, 1);
    QTest::newRow("3325 A 1 and 10") << 3325 << 1 << 10 << 0 << dpiBytes(2, 0, 22, 0);
    QTest::newRow("3325 A 50 and B 51") << 3325 << 50 << 51 << 0 << dpiBytes(115, 0, 59, 1);
    QTest::newRow("3325 B 75 and C 76") << 3325 << 75 << 76 << 0 << dpiBytes(115, 1, 59, 2);
    QTest::newRow("33252 C 100") << 33252 << 100 << 0 << 0 << dpiBytes(115, 2, 0, 0);
    QTest::newRow("301 below and above 102") << 301 << 102 << 103 << 0 << dpiBytes(255, 0, 2, 0x80);
    QTest::newRow("301 10") << 301 << 10 << 125 << 0 << dpiBytes(25, 0, 57, 0x80);
    QTest::newRow("3311 D 120 and E 121") << 3311 << 120 << 121 << 0 << dpiBytes(143, 0, 72, 1);
    QTest::newRow("33112 D 1 and 2") << 33112 << 1 << 2 << 0 << dpiBytes(0, 0, 2, 0);
    QTest::newRow("3370 range edges") << 3370 << 200 << 201 << 0 << dpiBytes(199, 0, 100, 1);
    QTest::newRow("3327 F 1 and 61") << 3327 << 1 << 61 << 0 << dpiBytes(4, 0, 140, 0);
    QTest::newRow("3327 G 62 and H 93") << 3327 << 62 << 93 << 0 << dpiBytes(72, 1, 95, 4);
    QTest::newRow("3212 three ranges") << 3212 << 64 << 95 << 0 << dpiBytes(32, 1, 32, 2);
    QTest::newRow("3212 63") << 3212 << 63 << 16 << 0 << dpiBytes(63, 0, 16, 0);
    QTest::newRow("3333 J 2 and 79") << 3333 << 2 << 79 << 0 << dpiBytes(4, 0, 185, 0);
    QTest::newRow("3333 K 80") << 3333 << 80 << 80 << 0 << dpiBytes(93, 1, 93, 1);
    QTest::newRow("3335 x only, L 160") << 3335 << 160 << 5 << 0 << dpiBytes(188, 0, 188, 0);
    QTest::newRow("33352 x only, M 161") << 33352 << 161 << 1 << 0 << dpiBytes(96, 1, 96, 1);
    QTest::newRow("3335 L 1") << 3335 << 1 << 160 << 0 << dpiBytes(0, 0, 0, 0);
    QTest::newRow("3395 limited to 399 by capability 8")
        << 3395 << 519 << 400 << 8 << dpiBytes(0x8F, 0x01, 0x8F, 0x01);
    QTest::newRow("3395 under the limit") << 3395 << 100 << 399 << 8 << dpiBytes(100, 0, 0x8F, 0x01);
    QTest::newRow("3395 other capability") << 3395 << 519 << 0 << 7 << dpiBytes(0x07, 0x02, 0, 0);
    QTest::newRow("33952 x below 520") << 33952 << 519 << 520 << 0 << dpiBytes(0x07, 0x02, 0x08, 0x02);
    QTest::newRow("33952 x at 520, y at 521") << 33952 << 520 << 521 << 0 << dpiBytes(0x04, 0x81, 0x05, 0x81);
    QTest::newRow("33952 779") << 33952 << 779 << 0 << 8 << dpiBytes(0x07, 0x82, 0, 0);
    QTest::newRow("3399 has no encoding") << 3399 << 100 << 100 << 0 << dpiBytes(0, 0, 0, 0);
    QTest::newRow("unknown sensor") << 1234 << 16 << 16 << 0 << dpiBytes(0, 0, 0, 0);
}

void TestDpiEncoding::encodings() {
    QFETCH(int, sensor);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, capability);
    QFETCH(StageDpiBytes, bytes);
    QCOMPARE(encodeStageDpi(sensor, x, y, static_cast<uint8_t>(capability)), bytes);
}

void TestDpiEncoding::givenRows_data() {
    QTest::addColumn<char>("table");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("value");
    const struct {
        char table;
        int position;
        int value;
    } rows[] = {{'A', 1, 2},    {'A', 10, 22},   {'A', 50, 115}, {'B', 51, 59}, {'B', 75, 115},
                {'C', 76, 59},  {'C', 100, 115}, {'D', 1, 0},    {'D', 2, 2},   {'D', 120, 143},
                {'E', 121, 72}, {'F', 1, 4},     {'F', 61, 140}, {'G', 62, 72}, {'H', 93, 95},
                {'J', 2, 4},    {'J', 79, 185},  {'K', 80, 93},  {'L', 1, 0},   {'L', 160, 188},
                {'M', 161, 96}};
    for (const auto &row : rows)
        QTest::addRow("%c[%d]", row.table, row.position) << row.table << row.position << row.value;
}

void TestDpiEncoding::givenRows() {
    QFETCH(char, table);
    QFETCH(int, position);
    QFETCH(int, value);
    QCOMPARE(int(registerTable(table).at(position)), value);
}

// Every row of every table: rising, and within one step of the straight line that the table's first and
// last rows draw through the DPI of each position; the positions cover the sensor's slider range.
void TestDpiEncoding::tablesRiseEvenlyWithTheDpi() {
    const char names[] = "ABCDEFGHJKLM";
    QCOMPARE(int(registerTables().size()), int(sizeof(names) - 1));
    for (std::size_t t = 0; t < registerTables().size(); ++t) {
        const RegisterTable &table = registerTables()[t];
        QCOMPARE(table.name, names[t]);
        const int sensorId = sensorOfTable(table.name);
        // Position 0 (and 1 of D and L) lies below the sensor's lowest DPI and may sit at 0.
        const int from = table.first == 0 ? 2 : table.first;
        const double dpiFrom = positionToDpi(sensorId, from);
        const double slope =
            (table.at(table.last()) - table.at(from)) / (positionToDpi(sensorId, table.last()) - dpiFrom);
        for (int v = table.first; v <= table.last(); ++v) {
            if (v > table.first)
                QVERIFY2(table.at(v) >= table.at(v - 1),
                         qPrintable(QString("%1[%2]").arg(table.name).arg(v)));
            if (v < from)
                continue;
            const double expected = table.at(from) + slope * (positionToDpi(sensorId, v) - dpiFrom);
            QVERIFY2(
                std::abs(table.at(v) - expected) <= 1.0,
                qPrintable(
                    QString("%1[%2] = %3, line %4").arg(table.name).arg(v).arg(table.at(v)).arg(expected)));
        }
    }
    QCOMPARE(registerTable('C').last(), 100);
    QCOMPARE(registerTable('E').last(), 180);
    QCOMPARE(registerTable('H').last(), 106);
    QCOMPARE(registerTable('K').last(), 120);
    QCOMPARE(registerTable('M').last(), 240);
}

// Where a sensor moves to its next range the register value per DPI drops by the range's factor, so the
// same DPI gives the same speed on either side.
void TestDpiEncoding::rangesJoinAtTheDpiConversion_data() {
    QTest::addColumn<char>("lower");
    QTest::addColumn<char>("upper");
    QTest::addColumn<double>("factor");
    QTest::newRow("A to B") << 'A' << 'B' << 2.0;
    QTest::newRow("B to C") << 'B' << 'C' << 2.0;
    QTest::newRow("D to E") << 'D' << 'E' << 2.0;
    QTest::newRow("F to G") << 'F' << 'G' << 2.0;
    QTest::newRow("G to H") << 'G' << 'H' << 1.5;
    QTest::newRow("J to K") << 'J' << 'K' << 2.0;
    QTest::newRow("L to M") << 'L' << 'M' << 2.0;
}

void TestDpiEncoding::rangesJoinAtTheDpiConversion() {
    QFETCH(char, lower);
    QFETCH(char, upper);
    QFETCH(double, factor);
    const RegisterTable &a = registerTable(lower);
    const RegisterTable &b = registerTable(upper);
    const int sensorId = sensorOfTable(lower);
    const double below = a.at(a.last()) / double(positionToDpi(sensorId, a.last()));
    const double above = b.at(b.first) / double(positionToDpi(sensorId, b.first));
    QVERIFY2(std::abs(below / above - factor) < 0.05 * factor, qPrintable(QString::number(below / above)));
    const double aboveTop = b.at(b.last()) / double(positionToDpi(sensorId, b.last()));
    QVERIFY2(std::abs(below / aboveTop - factor) < 0.05 * factor,
             qPrintable(QString::number(below / aboveTop)));
}

void TestDpiEncoding::dpiConversion_data() {
    QTest::addColumn<int>("sensor");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("dpi");
    const struct {
        int sensor;
        int position;
        int dpi;
    } rows[] = {
        {3325, 50, 5000},   {3325, 51, 5200},    {3325, 76, 10400},  {3325, 90, 16000},  {3327, 1, 200},
        {3327, 61, 6200},   {3327, 62, 6400},    {3327, 92, 12400},  {3327, 93, 12600},  {3327, 106, 16400},
        {3212, 16, 600},    {3212, 21, 800},     {3212, 63, 2400},   {3212, 64, 2430},   {3212, 111, 7200},
        {3104, 14, 500},    {3104, 105, 4200},   {31042, 158, 8400}, {3389, 2, 100},     {3389, 400, 24000},
        {3360, 180, 24000}, {3370, 290, 19000},  {3335, 161, 16200}, {3333, 120, 16000}, {3399, 599, 40000},
        {3395, 519, 26000}, {33952, 779, 52000}, {301, 125, 12500},  {1234, 100, 0}};
    for (const auto &row : rows)
        QTest::addRow("%d at %d", row.sensor, row.position) << row.sensor << row.position << row.dpi;
}

void TestDpiEncoding::dpiConversion() {
    QFETCH(int, sensor);
    QFETCH(int, position);
    QFETCH(int, dpi);
    QCOMPARE(positionToDpi(sensor, position), dpi);
}

QTEST_APPLESS_MAIN(TestDpiEncoding)
#include "test_dpi_encoding.moc"
