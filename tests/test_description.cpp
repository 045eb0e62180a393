#include "storage/description_file.h"
#include "support/test_tree.h"

#include <QFile>
#include <QtTest>

namespace {
QVector<int> deviceIds() {
    int vid1, pid1, vid2, pid2;
    description::deviceIds(vid1, pid1, vid2, pid2);
    return {vid1, pid1, vid2, pid2};
}
const QVector<int> kIds{0x248A, 0x8373, 0x248A, 0xFB01};
} // namespace

class TestDescription : public QObject {
    Q_OBJECT
private slots:
    // The sample model as shipped: 7 buttons and 6 stages (its ids and button slots are proved where the
    // mouse is found and the profiles load).
    void shippedDescription() {
        TestTree tree;
        QVERIFY(tree.isValid() && !description::productName().isEmpty() && !description::version().isEmpty());
        QVERIFY(description::buttonCount() == 7 && description::dpiStageCount() == 6);
        DeviceDescription record;
        QCOMPARE(description::loadDescription(record), 0);
        QVERIFY(record.dpiValues[0] > 0 && record.dpiValues[5] > 0);
    }

    // Counts are stored encoded (13 XOR 7 gives 10 buttons, XOR 1 gives 11 stages); byte fields keep their
    // low byte ("PROFILE/dpi" 257 reads 1) and text reads as 0.
    void encodedCountsAndLowBytes() {
        TestTree tree;
        for (const QString value :
             {"ButtonCount=13", "MouseDpi=7", "DPICount=1", "dpi=257", "BUTTON_INFO_3_Matrix=510",
              "butondelay=300", "BUTTON_INFO_2_Res4=not a number"})
            tree.setIniValue("DefaultProfile.bin", "PROFILE/" + value.section('=', 0, 0),
                             value.section('=', 1));
        QVERIFY(description::buttonCount() == 10 && description::dpiStageCount() == 11);
        std::array<uint8_t, 16> matrix{};
        QCOMPARE(description::readButtonMatrix2(matrix), 10);
        description::readButtonMatrix(matrix);
        QCOMPARE(int(matrix[3]), 0xFE);
        DeviceDescription record;
        QCOMPARE(description::loadDescription(record), 0);
        QVERIFY(record.dpiStage == 1 && record.buttons[2].res4 == 0);
        std::array<uint8_t, description::kSensorDefaultCount> sensor{};
        QCOMPARE(description::readSensorDefaults(sensor), 0);
        QCOMPARE(int(sensor[description::kButtonDelay]), 300 & 0xFF);
        tree.setIniValue("DefaultProfile.bin", "PROFILE/DPICount", 3);
        QCOMPARE(description::dpiStageCount(), 10 ^ 3); // 9, where a sum would give 13
    }

    void defaultsWithoutFile() {
        TestTree tree;
        QVERIFY(tree.remove("DefaultProfile.bin"));
        QCOMPARE(description::productName(), QString());
        QVERIFY(description::buttonCount() == 0 && description::dpiStageCount() == 0);
        QCOMPARE(deviceIds(), kIds);
        QVERIFY(description::frenchLanguage() == -1 && description::germanLanguage() == -1);
        QCOMPARE(description::newMacroName(), QString("Macro"));
        QVERIFY(description::showSleep() == 1 && description::minDelay() == 10 &&
                description::colorMode() == 1);
        int sleepMin = 0, sleepMax = 0;
        description::sleepRange(sleepMin, sleepMax);
        QVERIFY(sleepMin == 1 && sleepMax == 9);

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

    // Written by hand: colours as text, sub-keys of LedMode, and missing sensor keys that fall back to
    // their own defaults (butondelay 32, sensormode 1). Then edited while the program runs: no value may
    // come from a cache.
    void handWrittenAndEditedFile() {
        TestTree tree;
        QByteArray text =
            "[PROFILE]\r\npollrate=2\r\nLedMode=9\r\nLedMoveOFF=255\r\nDPI_INFO_7_xy=480\r\nScrollRev=0\r\n"
            "BUTTON_INFO_15_Fun=200\r\nBUTTON_INFO_15_LoopNumber=3\r\nBUTTON_INFO_15_KeyNumber=4\r\n"
            "BUTTON_INFO_15_ID=15\r\nBUTTON_INFO_15_Res1=2\r\nLedMode\\LED_MODE_13_RGB=#00ff80\r\n"
            "LedMode\\LED_MODE_13_bright=4\r\nLedMode\\LED_MODE_13_breath=5\r\n";
        QFile file(tree.file("DefaultProfile.bin"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size());
        file.close();
        DeviceDescription record;
        QCOMPARE(description::loadDescription(record), 0);
        QVERIFY(record.pollRate == 2 && record.ledMode == 9 && record.ledMoveOff == 255);
        QVERIFY(record.dpiValues[7] == 480 && record.dpiValues[0] == 0);
        const DescriptionButton &b = record.buttons[15];
        QVERIFY(b.function == 200 && b.loopNumber == 3 && b.keyNumber == 4 && b.id == 15 && b.res1 == 2);
        QCOMPARE(record.leds[13].color, QColor(0, 255, 128));
        QVERIFY(record.leds[13].bright == 4 && record.leds[13].breath == 5 &&
                !record.leds[0].color.isValid());
        std::array<uint8_t, description::kSensorDefaultCount> sensor{};
        QCOMPARE(description::readSensorDefaults(sensor), 0);
        QVERIFY(sensor[description::kButtonDelay] == 32 && sensor[description::kSensorMode] == 1 &&
                sensor[description::kLift] == 0);
        QVERIFY(description::scrollReverse() == 0 && description::version() != "V9.9.99");

        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.replace("ScrollRev=0", "ScrollRev=1\r\nVersion=V9.9.99"));
        file.close();
        QCOMPARE(description::scrollReverse(), 1);
        QCOMPARE(description::version(), QString("V9.9.99"));
    }
};

QTEST_GUILESS_MAIN(TestDescription)
#include "test_description.moc"
