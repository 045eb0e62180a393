#include "storage/description_file.h"
#include "support/test_tree.h"

#include <QFile>
#include <QSettings>
#include <QtTest>

class TestDescription : public QObject {
    Q_OBJECT
private slots:
    void shippedDescriptionIsComplete();
    void encodedCounts_data();
    void encodedCounts();
    void defaultsWithoutFile();
    void byteFieldsKeepLowByte();
    void bulkReadOrderAndColours();
    void editedFileSeenByNextCall();
};

// The sample model as shipped: 7 buttons, 6 stages, its own USB ids and one button slot per button.
void TestDescription::shippedDescriptionIsComplete() {
    TestTree tree;
    QVERIFY(tree.isValid());
    QVERIFY(!description::productName().isEmpty());
    QVERIFY(!description::version().isEmpty());
    QCOMPARE(description::buttonCount(), 7);
    QCOMPARE(description::dpiStageCount(), 6);
    int vid1, pid1, vid2, pid2;
    description::deviceIds(vid1, pid1, vid2, pid2);
    QCOMPARE(vid1, 0x248A);
    QCOMPARE(pid1, 0x8373);
    QCOMPARE(vid2, 0x248A);
    QCOMPARE(pid2, 0xFB01);
    std::array<uint8_t, 16> matrix{};
    QCOMPARE(description::readButtonMatrix(matrix), 0);
    for (int i = 0; i < 7; ++i)
        QCOMPARE(int(matrix[i]), i);
    std::array<uint8_t, 16> matrix2{};
    QCOMPARE(description::readButtonMatrix2(matrix2), 7);
    int sleepMin = 0, sleepMax = 0;
    description::sleepRange(sleepMin, sleepMax);
    QVERIFY(sleepMin >= 1 && sleepMin < sleepMax);
    DeviceDescription record;
    QCOMPARE(description::loadDescription(record), 0);
    for (int i = 0; i < 6; ++i)
        QVERIFY2(record.dpiValues[i] > 0, "every stage of the model has a resolution");
    for (const DescriptionLed &led : record.leds)
        QVERIFY(led.color.isValid());
    QCOMPARE(description::showDpiLed(), 1);
}

void TestDescription::encodedCounts_data() {
    QTest::addColumn<int>("buttonKey");
    QTest::addColumn<int>("mouseDpi");
    QTest::addColumn<int>("dpiCount");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("stages");
    QTest::newRow("13^7, ^1") << 13 << 7 << 1 << 10 << 11;
    QTest::newRow("plain") << 5 << 0 << 0 << 5 << 5;
    QTest::newRow("all zero") << 0 << 0 << 0 << 0 << 0;
}

void TestDescription::encodedCounts() {
    QFETCH(int, buttonKey);
    QFETCH(int, mouseDpi);
    QFETCH(int, dpiCount);
    TestTree tree;
    tree.setIniValue("DefaultProfile.bin", "PROFILE/ButtonCount", buttonKey);
    tree.setIniValue("DefaultProfile.bin", "PROFILE/MouseDpi", mouseDpi);
    tree.setIniValue("DefaultProfile.bin", "PROFILE/DPICount", dpiCount);
    QTEST(description::buttonCount(), "buttons");
    QTEST(description::dpiStageCount(), "stages");
    std::array<uint8_t, 16> matrix2{};
    QTEST(description::readButtonMatrix2(matrix2), "buttons");
}

void TestDescription::defaultsWithoutFile() {
    TestTree tree;
    QVERIFY(tree.remove("DefaultProfile.bin"));
    QCOMPARE(description::productName(), QString());
    QCOMPARE(description::buttonCount(), 0);
    QCOMPARE(description::dpiStageCount(), 0);
    int vid1, pid1, vid2, pid2;
    description::deviceIds(vid1, pid1, vid2, pid2);
    QCOMPARE(vid1, 0x248A);
    QCOMPARE(pid1, 0x8373);
    QCOMPARE(vid2, 0x248A);
    QCOMPARE(pid2, 0xFB01);
    QCOMPARE(description::frenchLanguage(), -1);
    QCOMPARE(description::germanLanguage(), -1);
    QCOMPARE(description::newMacroName(), QString("Macro"));
    QCOMPARE(description::showSleep(), 1);
    QCOMPARE(description::minDelay(), 10);
    QCOMPARE(description::colorMode(), 1);
    int sleepMin = 0, sleepMax = 0;
    description::sleepRange(sleepMin, sleepMax);
    QCOMPARE(sleepMin, 1);
    QCOMPARE(sleepMax, 9);

    // The bulk reads report the missing file and leave their outputs alone.
    DeviceDescription record;
    record.pollRate = 77;
    QCOMPARE(description::loadDescription(record), -1);
    QCOMPARE(record.pollRate, 77);
    std::array<uint8_t, 16> matrix;
    matrix.fill(9);
    QCOMPARE(description::readButtonMatrix(matrix), -1);
    QCOMPARE(int(matrix[15]), 9);
    std::array<uint8_t, description::kSensorDefaultCount> sensor;
    sensor.fill(9);
    QCOMPARE(description::readSensorDefaults(sensor), -1);
    QCOMPARE(int(sensor[description::kSync]), 9);
}

void TestDescription::byteFieldsKeepLowByte() {
    TestTree tree;
    tree.setIniValue("DefaultProfile.bin", "PROFILE/dpi", 257);
    tree.setIniValue("DefaultProfile.bin", "PROFILE/BUTTON_INFO_3_Matrix", 0x1FE);
    tree.setIniValue("DefaultProfile.bin", "PROFILE/butondelay", 300);
    tree.setIniValue("DefaultProfile.bin", "PROFILE/BUTTON_INFO_2_Res4", "not a number");
    DeviceDescription record;
    QCOMPARE(description::loadDescription(record), 0);
    QCOMPARE(int(record.dpiStage), 1);
    QCOMPARE(int(record.buttons[2].res4), 0);
    std::array<uint8_t, 16> matrix{};
    description::readButtonMatrix(matrix);
    QCOMPARE(int(matrix[3]), 0xFE);
    std::array<uint8_t, description::kSensorDefaultCount> sensor{};
    QCOMPARE(description::readSensorDefaults(sensor), 0);
    QCOMPARE(int(sensor[description::kButtonDelay]), 300 & 0xFF);
}

// A hand-written description: colours as text, sub-keys of LedMode, and missing sensor keys that fall
// back to their own defaults (butondelay 32, sensormode 1).
void TestDescription::bulkReadOrderAndColours() {
    TestTree tree;
    QFile file(tree.file("DefaultProfile.bin"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[PROFILE]\r\n"
               "pollrate=2\r\nLedMode=9\r\nLedMoveOFF=255\r\n"
               "DPI_INFO_7_xy=480\r\n"
               "BUTTON_INFO_15_Fun=200\r\nBUTTON_INFO_15_LoopNumber=3\r\nBUTTON_INFO_15_KeyNumber=4\r\n"
               "BUTTON_INFO_15_ID=15\r\nBUTTON_INFO_15_Res1=2\r\n"
               "LedMode\\LED_MODE_13_RGB=#00ff80\r\nLedMode\\LED_MODE_13_bright=4\r\n"
               "LedMode\\LED_MODE_13_breath=5\r\n");
    file.close();
    DeviceDescription record;
    QCOMPARE(description::loadDescription(record), 0);
    QCOMPARE(record.pollRate, 2);
    QCOMPARE(int(record.ledMode), 9);
    QCOMPARE(int(record.ledMoveOff), 255);
    QCOMPARE(record.dpiValues[7], 480);
    QCOMPARE(record.dpiValues[0], 0);
    QCOMPARE(record.buttons[15].function, 200);
    QCOMPARE(record.buttons[15].loopNumber, 3);
    QCOMPARE(record.buttons[15].keyNumber, 4);
    QCOMPARE(record.buttons[15].id, 15);
    QCOMPARE(int(record.buttons[15].res1), 2);
    QCOMPARE(record.leds[13].color, QColor(0, 255, 128));
    QCOMPARE(record.leds[13].bright, 4);
    QCOMPARE(record.leds[13].breath, 5);
    QVERIFY(!record.leds[0].color.isValid());
    std::array<uint8_t, description::kSensorDefaultCount> sensor{};
    QCOMPARE(description::readSensorDefaults(sensor), 0);
    QCOMPARE(int(sensor[description::kButtonDelay]), 32);
    QCOMPARE(int(sensor[description::kSensorMode]), 1);
    QCOMPARE(int(sensor[description::kLift]), 0);
}

// Another program (or the user) edits the file while the program runs: no value may come from a cache.
void TestDescription::editedFileSeenByNextCall() {
    TestTree tree;
    QCOMPARE(description::scrollReverse(), 0);
    QFile file(tree.file("DefaultProfile.bin"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray text = file.readAll();
    file.close();
    text.replace("ScrollRev=0", "ScrollRev=1").replace("Version=V1.0.4", "Version=V9.9.99");
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
    file.close();
    QCOMPARE(description::scrollReverse(), 1);
    QCOMPARE(description::version(), QString("V9.9.99"));
}

QTEST_GUILESS_MAIN(TestDescription)
#include "test_description.moc"
