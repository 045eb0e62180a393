#include "device/dpi_stages.h"
#include "device/sensor_dpi.h"
#include "sim/settings_view.h"
#include "sim/virtual_mouse.h"

#include <QtTest>

class TestSettingsView : public QObject {
    Q_OBJECT
private slots:
    void everySliderPositionReadsBack_data();
    void everySliderPositionReadsBack();
    void settingsFieldsFromRawBlock();
};

// The slider ranges of the sensors (with the extended 3325 range and the larger 3327 one).
void TestSettingsView::everySliderPositionReadsBack_data() {
    QTest::addColumn<int>("sensor");
    QTest::addColumn<int>("lowest");
    QTest::addColumn<int>("highest");
    const struct {
        int sensor;
        int lowest;
        int highest;
    } ranges[] = {{3325, 1, 90},   {33252, 1, 90},   {301, 1, 125},  {3311, 1, 120},  {33112, 1, 180},
                  {3360, 1, 180},  {3370, 1, 290},   {3327, 1, 106}, {3389, 2, 480},  {3212, 16, 111},
                  {3104, 14, 105}, {31042, 14, 158}, {3335, 1, 160}, {33352, 1, 240}, {3333, 2, 120},
                  {33952, 0, 779}, {3395, 0, 519}};
    for (const auto &r : ranges)
        QTest::addRow("%d", r.sensor) << r.sensor << r.lowest << r.highest;
}

// Each position goes out as the DPI stage encoder makes it and is read back by the virtual mouse as the
// firmware reads it: x rising, y falling, so the axes cannot be mixed up unnoticed.
void TestSettingsView::everySliderPositionReadsBack() {
    QFETCH(int, sensor);
    QFETCH(int, lowest);
    QFETCH(int, highest);
    const bool xOnly = sensor == sensor::k3335 || sensor == sensor::k33352;
    VirtualMouse mouse(0x248A, 0x8373, 0x248A, 0xFB01);
    for (int from = lowest; from <= highest; from += ProfileData::kStageCount) {
        ProfileData p;
        for (int i = 0; i < ProfileData::kStageCount; ++i) {
            p.dpiStages[i].used = 1;
            p.dpiStages[i].x = std::min(from + i, highest);
            p.dpiStages[i].y = highest + lowest - p.dpiStages[i].x;
        }
        for (const CommandReport &r : dpistages::reports(p, 8, sensor, 0))
            mouse.handleReport(1, r.data(), r.size());
        const SettingsView view(mouse);
        for (int i = 0; i < ProfileData::kStageCount; ++i) {
            const SettingsView::Stage stage = view.stage(i, sensor);
            const int x = int(p.dpiStages[i].x);
            const int y = xOnly ? x : int(p.dpiStages[i].y);
            QVERIFY2(
                stage.x == x && stage.y == y,
                qPrintable(QStringLiteral("sent %1,%2 read %3,%4").arg(x).arg(y).arg(stage.x).arg(stage.y)));
            QCOMPARE(stage.dpiX, positionToDpi(sensor, x));
        }
    }
}

// A settings block written by hand: scroll 1..5, sensor byte 0xA3, profile 4, light off 0, sleep 9,
// debounce 6, mode 2 with wake, rates 5..1, 0x1F, stage 7, mode code 10.
void TestSettingsView::settingsFieldsFromRawBlock() {
    VirtualMouse mouse(0x248A, 0x8373, 0x248A, 0xFB01);
    uint8_t block[33] = {0x05, 0, 0xFA, 0x01, 0x00, 0x00, 19, 0xD1, 1, 2, 3,    4, 5, 0xA3,
                         4,    0, 9,    6,    0x82, 5,    4,  3,    2, 1, 0x1F, 7, 10};
    block[1] = report::checksum(block);
    mouse.handleReport(1, block, sizeof block);
    const SettingsView::Settings s = SettingsView(mouse).settings();
    QCOMPARE(s.scrollSpeeds, (std::array<uint8_t, 5>{1, 2, 3, 4, 5}));
    QCOMPARE(s.pollRates, (std::array<uint8_t, 5>{5, 4, 3, 2, 1}));
    QCOMPARE(int(s.sensorByte), 0xA3);
    QCOMPARE(int(s.profileId), 4);
    QCOMPARE(int(s.ledSleepTime), 9);
    QCOMPARE(int(s.debounce), 6);
    QCOMPARE(int(s.sensorMode), 2);
    QVERIFY(s.wake);
    QCOMPARE(int(s.dpiStage), 7);
    QCOMPARE(int(s.ledModeCode), 10);
    QCOMPARE(SettingsView(mouse).currentModeBlock(), 9);
}

QTEST_GUILESS_MAIN(TestSettingsView)
#include "test_settings_view.moc"
