#include "device/dpi_encoding.h"
#include "device/dpi_stages.h"
#include "device/lighting_blocks.h"
#include "device/pointer_speed.h"
#include "device/result_code.h"
#include "device/sensor_dpi.h"
#include "device/settings_block.h"
#include "device/store_commands.h"
#include "platform/headless_pointer_settings.h"
#include "platform/linux/x11_pointer_settings.h"
#include "sim/settings_view.h"
#include "support/command_harness.h"

#include <QtTest>

class TestSettingsCommands : public QObject {
    Q_OBJECT
private slots:
    // Sensor byte: lift, 0x40 angle off, 0x20 jitter off, 0x80 sync, these only for syncMode 1. Stage colours
    // only for showDpiLed 1; lighting entries past the mode table play mode 6.
    void settingsBlock() {
        AppConfig c;
        c.profileId = 2, c.liftHigh = 2, c.debounce = 4, c.wake = 1, c.sensorMode = 3;
        c.profile.scrollSpeed = 7, c.profile.pollRate = 3, c.profile.ledSleepTime = 5, c.profile.dpiStage = 4;
        for (int i = 0; i < ProfileData::kStageCount; ++i)
            c.profile.dpiStages[i].color = QColor(10 * i + 1, 10 * i + 2, 10 * i + 3);
        // syncMode, sync, angle, jitter, showDpiLed, ledMode; the sensor byte and mode code sent.
        const int rows[][8] = {{1, 1, 0, 1, 1, 11, 0xC2, 7},  // with the stage colours
                               {1, 1, 0, 1, 0, 11, 0xC2, 7},  // without them
                               {1, 1, 0, 1, 2, 11, 0xC2, 7},  // colours only for 1
                               {1, 1, 0, 0, 0, 14, 0xE2, 6},  // sync on, angle and jitter off
                               {1, 0, 1, 0, 0, 255, 0x22, 6}, // sync off, angle on, jitter off
                               {0, 1, 0, 0, 1, 0, 0x02, 1}};  // a model without sync options
        for (const auto &[syncMode, sync, angle, jitter, showDpiLed, ledMode, sensorByte, modeCode] : rows) {
            c.sync = uint8_t(sync), c.angleValue = uint8_t(angle), c.jitter = uint8_t(jitter);
            c.profile.ledMode = uint8_t(ledMode);
            Reports expected = {
                framed({0x05, 0, 0xFA, 0x01, 0x00, 0x00, 19, 0xD1, 7, 7, 7,    7, 7,       sensorByte,
                        2,    0, 5,    4,    0x83, 3,    3,  3,    3, 3, 0x1F, 4, modeCode})};
            if (showDpiLed == 1)
                expected.push_back(
                    framed({0x05, 0,  0xFA, 0x01, 0x13, 0x00, 24, 0xD2, 1,  2,  3,  11, 12, 13, 21, 22,
                            23,   31, 32,   33,   41,   42,   43, 51,   52, 53, 61, 62, 63, 71, 72, 73}));
            expected.push_back(framed({0x05, 0, 0xFA, 0x01, 0x7F, 0x00, 1, 0xD3, 0x1A}));
            QCOMPARE(hexLines(settingsblock::reports(c, syncMode, showDpiLed)), hexLines(expected));
        }
    }

    // Stages past the count go with used 0 (3360: position - 1); a count of 0 or past 8 sends 8.
    void dpiStages() {
        ProfileData p;
        for (int i = 0; i < ProfileData::kStageCount; ++i)
            p.dpiStages[i] = {1, 0, {}, 0, uint32_t(10 + i), uint32_t(20 + i), {}};
        const int counts[][2] = {{0, 8}, {9, 8}, {4, 4}}; // described, sent
        for (const auto &[described, sent] : counts) {
            Reports expected{framed({0x05, 0, 0xFA, 0x02, 0x00, 0x00, 1, 0xD1, sent})};
            for (int i = 0; i < ProfileData::kStageCount; ++i)
                expected.push_back(
                    framed({0x05, 0, 0xFA, 0x02, 1 + 5 * i, 0x00, 5, 0xD2, i < sent, 9 + i, 0, 19 + i, 0}));
            expected.push_back(framed({0x05, 0, 0xFA, 0x02, 0x7F, 0x00, 1, 0xD3, 0x1A}));
            QCOMPARE(hexLines(dpistages::reports(p, described, 3360, 0)), hexLines(expected));
        }
    }

    // Entry 13's bright does not fit a byte.
    void lightingBlocksOfEveryEntry() {
        ProfileData p;
        for (int e = 0; e < ProfileData::kLedModeCount; ++e) {
            p.ledModes[e].color = QColor(16 * e + 1, 16 * e + 2, 16 * e + 3);
            p.ledModes[e].bright = 30 + e;
            p.ledModes[e].breath = 50 + e;
        }
        p.ledModes[13].bright = 256 + 43;
        const Reports expected = {
            framed({0x05, 0,    0xFA, 0x04, 0x00, 0x00, 24, 0xD1,                            // blocks 0 to 2
                    0x80, 0,    0,    0,    0,    0,    0,  0,                               // entry 0
                    0x80, 0x11, 0x12, 0x13, 1,    0,    2,  31,                              // entry 1
                    0x80, 0x21, 0x22, 0x23, 1,    52,   4,  3}),                             // entry 2
            framed({0x05, 0, 0xFA, 0x04, 0x18, 0x00, 24, 0xD2,                               // blocks 3 to 5
                    0x80, 0, 0,    0,    1,    53,   1,  3,                                  // entry 3
                    0x80, 0, 0,    0,    1,    54,   8,  34,                                 // entry 4
                    0x80, 0, 0,    0,    5,    59,   1,  39}),                               // entry 9
            framed({0x05, 0, 0xFA, 0x04, 0x30, 0x00, 24, 0xD2,                               // blocks 6 to 8
                    0x80, 0, 0,    0,    7,    0,    0,  41,                                 // entry 11
                    0x80, 0, 0,    0,    6,    60,   0,  40,                                 // entry 10
                    0x80, 0, 0,    0,    8,    62,   0,  42}),                               // entry 12
            framed({0x05, 0, 0xFA, 0x04, 0x48, 0x00, 8, 0xD2, 0x80, 0, 0, 0, 9, 63, 0, 43}), // entry 13
            framed({0x05, 0, 0xFA, 0x04, 0x7F, 0x00, 1, 0xD3, 0x1A}),
        };
        QCOMPARE(hexLines(lightingblocks::reports(p)), hexLines(expected));
    }

    // A failing store ends the stores; selecting a profile stores it. The selection is not echoed, so only
    // its failed write tells that the mouse stayed on its profile: the slot switch then ends there and
    // says so instead of succeeding on the stores that follow.
    void storeAndSelectProfile() {
        {
            CommandHarness h;
            QVERIFY(h.isOpen());
            h.failAfterFirst(0x40);
            QCOMPARE(int(storeAll()), int(kResultWriteError));
            QCOMPARE(h.mouse().storeCommands(), Bytes{0x04});
        }
        CommandHarness h;
        QCOMPARE(int(selectProfile(3)), int(kResultOk));
        QCOMPARE(h.written(),
                 (Reports{framed({0x05, 0, 0xFA, 0x44, 3}), framed({0x05, 0, 0xFA, 0x40, 0xF3, 1})}));
        QCOMPARE(h.mouse().currentProfile(), 3);
        QCOMPARE(int(switchProfile(0)), int(kResultOk));
        QCOMPARE(h.mouse().currentProfile(), 0);
        QCOMPARE(h.mouse().storeCommands(), (Bytes{0x01, 0x01, 0x04, 0x01, 0x02, 0x08, 0x10}));
        h.mouse().clearRecords();
        h.mouse().failWrites(1);
        QCOMPARE(int(switchProfile(2)), int(kResultWriteError));
        QCOMPARE(h.mouse().currentProfile(), 0);
        QVERIFY(h.written().empty());
    }

    // A speed past 20 comes back as 20 (1 to 20 reach the X server and back in the X start-up tests); the X
    // server's own default 2/1 reads as the default speed, a zero denominator as 1. Headless, a profile
    // without a speed leaves the pointer alone.
    void pointerSpeed() {
        QVERIFY(X11PointerSettings::speedForAcceleration(2, 1) == 10 &&
                X11PointerSettings::speedForAcceleration(1, 0) == 1);
        for (const auto &[speed, kept] : {std::pair{1, 1}, {35, 20}, {0, 0}}) {
            const X11PointerSettings::Acceleration a = X11PointerSettings::accelerationForSpeed(speed);
            QCOMPARE(X11PointerSettings::speedForAcceleration(a.numerator, a.denominator), kept ? kept : 1);
            installPointerSettings(nullptr);
            auto *headless = dynamic_cast<HeadlessPointerSettings *>(&pointerSettings());
            QVERIFY(headless);
            QCOMPARE(readPointerSpeed(), int(PointerSettings::kDefaultSpeed));
            applyPointerSpeed(uint8_t(speed));
            QVERIFY(headless->setCount() == (kept ? 1 : 0) && readPointerSpeed() == (kept ? kept : 10));
        }
        installPointerSettings(nullptr);
    }

    // Every range edge and table of every sensor: 3389 above 320 offset by 160 and flagged, y first on 3104
    // and 31042, x only on 3335 and 33352, 3395 limited to 399 by capability 8 alone, zeros for 3399.
    void encodings() {
        const struct {
            int sensor, x, y, capability;
            uint32_t bytes; // bytes 9 to 12, read from the left
        } rows[] = {{3389, 400, 400, 0, 0xF080F080},  {3389, 320, 2, 0, 0x40010200},
                    {3389, 480, 321, 0, 0x4081A180},  {3360, 121, 120, 0, 0x3C017700},
                    {3360, 180, 1, 0, 0x77010000},    {3104, 10, 200, 0, 0x93010A00},
                    {31042, 107, 106, 0, 0x6A003601}, {3325, 1, 10, 0, 0x02001600},
                    {3325, 50, 51, 0, 0x73003B01},    {3325, 75, 76, 0, 0x73013B02},
                    {33252, 100, 0, 0, 0x73020000},   {301, 102, 103, 0, 0xFF000280},
                    {301, 10, 125, 0, 0x19003980},    {3311, 120, 121, 0, 0x8F004801},
                    {33112, 1, 2, 0, 0x00000200},     {3370, 200, 201, 0, 0xC7006401},
                    {3327, 1, 61, 0, 0x04008C00},     {3327, 62, 93, 0, 0x48015F04},
                    {3212, 64, 95, 0, 0x20012002},    {3212, 63, 16, 0, 0x3F001000},
                    {3333, 2, 79, 0, 0x0400B900},     {3333, 80, 80, 0, 0x5D015D01},
                    {3335, 160, 5, 0, 0xBC00BC00},    {3335, 1, 160, 0, 0x00000000},
                    {33352, 161, 1, 0, 0x60016001},   {3395, 519, 400, 8, 0x8F018F01},
                    {3395, 519, 0, 7, 0x07020000},    {33952, 519, 520, 0, 0x07020802},
                    {33952, 520, 521, 0, 0x04810581}, {33952, 779, 0, 8, 0x07820000},
                    {3399, 100, 100, 0, 0x00000000},  {1234, 16, 16, 0, 0x00000000}};
        for (const auto &r : rows) {
            const StageDpiBytes got = encodeStageDpi(r.sensor, r.x, r.y, static_cast<uint8_t>(r.capability));
            const uint32_t bytes = uint32_t(got[0]) << 24 | uint32_t(got[1]) << 16 | got[2] << 8 | got[3];
            QVERIFY2(bytes == r.bytes, qPrintable(QString::asprintf("%d at %d,%d cap %d: %08x", r.sensor, r.x,
                                                                    r.y, r.capability, bytes)));
        }
    }

    // Every row rises and lies within one step of the line through the table's ends, by DPI; at a join the
    // value per DPI drops by the range's factor, so the same DPI gives the same speed on either side.
    void tablesRiseEvenlyAndJoinAtTheDpiConversion() {
        // Each table's sensor and its value per DPI over the next table's (0: the sensor's last table).
        const std::pair<int, double> tables[] = {{3325, 2.0}, {3325, 2.0}, {3325, 0},    {33112, 2.0},
                                                 {33112, 0},  {3327, 2.0}, {3327, 1.5},  {3327, 0},
                                                 {3333, 2.0}, {3333, 0},   {33352, 2.0}, {33352, 0}};
        QCOMPARE(registerTables().size(), std::size(tables));
        for (std::size_t t = 0; t < std::size(tables); ++t) {
            const RegisterTable &table = registerTables()[t];
            const auto [sensor, factorToNext] = tables[t];
            const auto perDpi = [&](const RegisterTable &of, int v) {
                return of.at(v) / double(positionToDpi(sensor, v));
            };
            // Position 0 (1 of the 33112's and 33352's first tables) may sit at 0, below the lowest DPI.
            const int from = table.first == 0 ? 2 : table.first;
            const double dpiFrom = positionToDpi(sensor, from);
            const double slope =
                (table.at(table.last()) - table.at(from)) / (positionToDpi(sensor, table.last()) - dpiFrom);
            for (int v = table.first; v <= table.last(); ++v) {
                const QString at = QString("%1[%2] = %3").arg(table.name).arg(v).arg(table.at(v));
                QVERIFY2(v == table.first || table.at(v) >= table.at(v - 1), qPrintable(at));
                const double line = table.at(from) + slope * (positionToDpi(sensor, v) - dpiFrom);
                QVERIFY2(v < from || std::abs(table.at(v) - line) <= 1.0, qPrintable(at));
            }
            if (factorToNext == 0)
                continue;
            const RegisterTable &next = registerTables()[t + 1];
            for (int v : {next.first, next.last()}) {
                const double ratio = perDpi(table, table.last()) / perDpi(next, v);
                QVERIFY2(std::abs(ratio - factorToNext) < 0.05 * factorToNext,
                         qPrintable(QString("%1 to %2: %3").arg(table.name).arg(next.name).arg(ratio)));
            }
        }
    }

    // The bends of the conversions inside the sliders' ranges (the ends are checked with the ranges below),
    // and a sensor the program does not know.
    void dpiConversion() {
        const struct {
            int sensor, position, dpi;
        } rows[] = {{3325, 51, 5200},   {3325, 76, 10400},  {3327, 61, 6200}, {3327, 62, 6400},
                    {3327, 93, 12600},  {3212, 21, 800},    {3212, 63, 2400}, {3212, 64, 2430},
                    {3389, 400, 24000}, {3335, 161, 16200}, {1234, 100, 0}};
        for (const auto &row : rows)
            QVERIFY2(positionToDpi(row.sensor, row.position) == row.dpi,
                     qPrintable(QString("%1 at %2").arg(row.sensor).arg(row.position)));
    }

    // Each sensor's range, the short and the extended ones too: its ends convert to the DPI the row's labels
    // show; only the 3325 family has an extended range, and some products stop the 3327 at 12400 DPI. Every
    // slider position of the range reads back, x rising and y falling so the axes cannot mix (the 3399's
    // stages go as zeros, which the virtual mouse does not read). A sensor the program does not know has no
    // range.
    void everySliderPositionReadsBack() {
        QVERIFY(!sensorRange(1234, true, "").known);
        QVERIFY(sensorRange(3327, false, "TESKOL").maxDpi == 12400 &&
                sensorRange(3327, false, "K502").maxRaw == 106);
        QList<int> linkOffered;
        VirtualMouse mouse(0x248A, 0x8373, 0x248A, 0xFB01);
        for (int id : {301, 3104, 31042, 3212, 3311, 33112, 3325, 33252, 3327, 3333, 3335, 33352, 3360, 3370,
                       3389, 3395, 33952, 3399}) {
            const SensorRange r = sensorRange(id, true, ""), plain = sensorRange(id, false, "TESKOL");
            for (const SensorRange &ends : {r, plain})
                QVERIFY2(ends.known && positionToDpi(id, ends.minRaw) == ends.minDpi &&
                             positionToDpi(id, ends.maxRaw) == ends.maxDpi,
                         qPrintable(QString::asprintf("%d: %d-%d", id, ends.minRaw, ends.maxRaw)));
            QCOMPARE(r.maxRaw != plain.maxRaw,
                     id == sensor::k3325 || id == sensor::k33252 || id == sensor::k3327);
            if (r.linkOffered)
                linkOffered << id;
            const bool xOnly = id == sensor::k3335 || id == sensor::k33352;
            for (int from = r.minRaw; id != sensor::k3399 && from <= r.maxRaw;
                 from += ProfileData::kStageCount) {
                ProfileData p;
                for (auto &stage : p.dpiStages) {
                    stage.used = 1;
                    stage.x = std::min(from + int(&stage - p.dpiStages.data()), r.maxRaw);
                    stage.y = r.maxRaw + r.minRaw - stage.x;
                }
                for (const CommandReport &report : dpistages::reports(p, 8, id, 0))
                    mouse.handleReport(1, report.data(), report.size());
                for (int i = 0; i < ProfileData::kStageCount; ++i) {
                    const SettingsView::Stage stage = SettingsView(mouse).stage(i, id);
                    const int x = p.dpiStages[i].x, y = xOnly ? x : p.dpiStages[i].y;
                    QVERIFY2(stage.used && stage.x == x && stage.y == y && stage.dpiX == positionToDpi(id, x),
                             qPrintable(QString::asprintf("%d: %d,%d", id, x, y)));
                }
            }
        }
        QCOMPARE(linkOffered, (QList<int>{3104, 31042, 3360, 3389, 3399}));
        // The virtual mouse does not read the 3399's stages: -1 and DPI 0.
        const SettingsView::Stage unread = SettingsView(mouse).stage(0, sensor::k3399);
        QVERIFY(unread.x == -1 && unread.y == -1 && unread.dpiX == 0);
    }
};

QTEST_GUILESS_MAIN(TestSettingsCommands)
#include "test_settings_commands.moc"
