#include "device/battery_control.h"
#include "device/button_packer.h"
#include "device/button_upload.h"
#include "device/command_report.h"
#include "device/device_code_table.h"
#include "device/lighting_blocks.h"
#include "device/macro_image.h"
#include "device/profile_write.h"
#include "device/result_code.h"
#include "device/sensor_dpi.h"
#include "device/write_session.h"
#include "storage/app_config_file.h"
#include "storage/button_matrix.h"
#include "storage/config_file.h"
#include "storage/macro_file.h"
#include "support/command_harness.h"
#include "support/test_tree.h"

#include <QtTest>

namespace {

// The battery reader's start and stop, with the number of reports written when each came.
class RecordingBatteryControl : public BatteryControl {
public:
    explicit RecordingBatteryControl(const std::unique_ptr<CommandHarness> &harness) : m_harness(harness) {}
    void stopBatteryThread() override { calls << QStringLiteral("stop after %1").arg(writes()); }
    void startBatteryThread() override { calls << QStringLiteral("start after %1").arg(writes()); }
    int writes() const { return int(m_harness->written().size()); }
    QStringList calls;

private:
    const std::unique_ptr<CommandHarness> &m_harness;
};

AppConfig sampleConfig() {
    AppConfig config;
    [&] { QCOMPARE(config::loadAppConfig(config), FileResult::Ok); }();
    return config;
}

ButtonAssignment button(int function, int res1 = 0, int loops = 0, int keyNumber = 0) {
    return {0, function, loops, keyNumber, {}, static_cast<uint8_t>(res1), 0, 0, 0, {}};
}

ButtonAssignment macroButton(const QString &name, int mode, int loops, int function = 200) {
    return {0, function, loops, 0, {}, static_cast<uint8_t>(mode), 0, 0, 0, name};
}

// A combo as the combo dialog leaves it: presses of the usages in order, then releases in reverse.
ButtonAssignment combo(std::initializer_list<uint8_t> usages) {
    ButtonAssignment b = button(7);
    int n = 0;
    for (uint8_t u : usages)
        b.keys[n++] = {u, 0x05, 0x80};
    for (auto it = std::rbegin(usages); it != std::rend(usages); ++it)
        b.keys[n++] = {*it, 0x05, 0x00};
    return b;
}

MacroStep ev(uint8_t kind, uint8_t low, uint8_t high = 0) {
    return {kind, high, low};
}

// The pause the macro image puts after every fourth event and at the end.
const MacroStep kPause = ev(6, 1);

// Key down and up events of keys 4, 5, ...: no delay among them.
QVector<MacroStep> keyEvents(int count) {
    QVector<MacroStep> events;
    for (int i = 0; i < count; ++i)
        events.append(ev(i % 2 ? 0x04 : 0x84, static_cast<uint8_t>(4 + i / 2)));
    return events;
}

QVector<MacroStep> withPauses(const QVector<MacroStep> &events) {
    QVector<MacroStep> out;
    for (int i = 0; i < events.size(); ++i) {
        out << events[i];
        if (i % 4 == 3)
            out << kPause;
    }
    return out << kPause;
}

// A macro image of the events, after the images already in out.
Bytes imageBytes(const QVector<MacroStep> &events, Bytes out = {}) {
    const std::size_t start = out.size();
    for (const MacroStep &e : events)
        out.insert(out.end(), {e.type, e.low, e.high});
    out.resize(start + WriteSession::kMacroImageSize);
    return out;
}

} // namespace

// The profile write and the button table and macro images it uploads, against the virtual mouse.
class TestProfileWrite : public QObject {
    Q_OBJECT
    std::unique_ptr<TestTree> m_tree;
    std::unique_ptr<CommandHarness> m_h;
    std::unique_ptr<RecordingBatteryControl> m_battery;
    // The session the step tests pack and send.
    WriteSession m_s;

    void setIni(const char *key, int value) { m_tree->setIniValue("DefaultProfile.bin", key, value); }

    ButtonAssignment &record(int r) { return m_s.deviceCopy.profile.buttons[static_cast<std::size_t>(r)]; }

    Bytes tableBytes(int offset, int length) const {
        return Bytes(m_s.buttonTable.begin() + offset, m_s.buttonTable.begin() + offset + length);
    }

    // The entry at the slot of button 0, which the identity matrix puts at bytes 2 to 5.
    ButtonEntry packedEntry(const ButtonAssignment &button) {
        record(0) = button;
        packButton(m_s, 0, 0);
        const Bytes b = tableBytes(2, 4);
        return {b[0], b[1], b[2], b[3]};
    }

private slots:
    // Seven buttons (the count is stored encoded with MouseDpi; 0 leaves it plain), wheel as built, 3389.
    void init() {
        m_tree = std::make_unique<TestTree>();
        QVERIFY(m_tree->isValid());
        setIni("PROFILE/ScrollRev", 0);
        setIni("PROFILE/ButtonCount", 7);
        setIni("PROFILE/MouseDpi", 0);
        m_h = std::make_unique<CommandHarness>();
        QVERIFY(m_h->isOpen());
        m_battery = std::make_unique<RecordingBatteryControl>(m_h);
        BatteryControl::install(m_battery.get());
        m_s = WriteSession();
    }

    void cleanup() {
        BatteryControl::install(nullptr);
        m_battery.reset();
        m_h.reset();
        m_tree.reset();
    }

    // The shipped sample: sensor 3389, six stages described, sync options and stage colours on.
    void sampleProfileByteExact() {
        QCOMPARE(config::sensorType(), int(sensor::k3389));
        QCOMPARE(int(writeProfile(sampleConfig(), writeflags::kWriteAll, 0)), 0);
        Reports mine;
        for (const Bytes &r : m_h->written()) {
            if (r[report::kCommand] != report::kCmdButtons && r[report::kCommand] != report::kCmdMacros)
                mine.push_back(r);
        }
        Reports expected = {
            framed({0x05, 0, 0xFA, 0x46, 0}),
            // scroll 1 x5, sensor: lift 1 + angle off 0x40 + jitter off 0x20, profile 0, light stays on while
            // moving (255), sleep 1, debounce 8, sensor mode 1, rate 1 x5, 0x1F, stage 1, mode code 2
            framed({0x05, 0,    0xFA, 0x01, 0x00, 0x00, 19, 0xD1, 1, 1, 1,    1, 1, 0x61,
                    0,    0xFF, 1,    8,    1,    1,    1,  1,    1, 1, 0x1F, 1, 2}),
            // red, blue, magenta, yellow, green, cyan, red, red
            framed({0x05, 0,    0xFA, 0x01, 0x13, 0x00, 24, 0xD2, 0xFF, 0,    0,    0, 0, 0xFF, 0xFF, 0,
                    0xFF, 0xFF, 0xFF, 0,    0,    0xFF, 0,  0,    0xFF, 0xFF, 0xFF, 0, 0, 0xFF, 0,    0}),
            framed({0x05, 0, 0xFA, 0x01, 0x7F, 0x00, 1, 0xD3, 0x1A}),
            framed({0x05, 0, 0xFA, 0x02, 0x00, 0x00, 1, 0xD1, 6}),
        };
        // Six stages used at 0x10, 0x20, 0x30, 0x40, 0x80 and 0x100 for x and y, two unused.
        const int dpi[] = {0x10, 0x20, 0x30, 0x40, 0x80, 0x100, 0, 0};
        for (int i = 0; i < 8; ++i)
            expected.push_back(framed({0x05, 0, 0xFA, 0x02, 1 + 5 * i, 0, 5, 0xD2, dpi[i] > 0, dpi[i] & 0xFF,
                                       dpi[i] >> 8, dpi[i] & 0xFF, dpi[i] >> 8}));
        expected.push_back(framed({0x05, 0, 0xFA, 0x02, 0x7F, 0x00, 1, 0xD3, 0x1A}));
        for (int store : {0x04, 0x01, 0x02, 0x08, 0x10})
            expected.push_back(framed({0x05, 0, 0xFA, 0x40, 0xF3, store}));
        expected.push_back(framed({0x05, 0, 0xFA, 0x46, 1}));
        // The lighting blocks come from the profile alone: their bytes are the lighting tests' business.
        const std::vector<CommandReport> lighting = lightingblocks::reports(sampleConfig().profile);
        for (std::size_t i = 0; i < lighting.size(); ++i)
            QVERIFY(mine.at(14 + i) == Bytes(lighting[i].begin(), lighting[i].end()));
        mine.erase(mine.begin() + 14, mine.begin() + 14 + lighting.size());
        QCOMPARE(hexLines(mine), hexLines(expected));
    }

    // The flags' sections in order, macros last. A failing report leaves the reader stopped (that nothing
    // follows it, at any report, is the fault matrix's); a sleeping mouse, an unfilled record, too many
    // macros and no mouse stop before any harm.
    void outcomes_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("result");
        QTest::addColumn<QVector<int>>("codes");
        QTest::addColumn<int>("reader"); // 0 left alone, 1 stopped, 2 stopped and started after the write
        const auto row = [](const char *name, const char *fault, int flags, int result, QVector<int> codes,
                            int reader) {
            QTest::newRow(name) << QString(fault) << flags << result << codes << reader;
        };
        row("all", "", 15, 0, {0x46, 0x01, 0x03, 0x02, 0x04, 0x40, 0x46}, 2);
        row("a macro", "macro", 15, 0, {0x46, 0x01, 0x03, 0x02, 0x04, 0x40, 0x05, 0x46}, 2);
        row("none: no store", "", 0, 0, {0x46, 0x01, 0x46}, 2);
        row("DPI", "", 2, 0, {0x46, 0x01, 0x02, 0x40, 0x46}, 2);
        row("buttons", "", 4, 0, {0x46, 0x01, 0x03, 0x40, 0x46}, 2);
        row("lighting", "", 8, 0, {0x46, 0x01, 0x04, 0x40, 0x46}, 2);
        row("bit 0 alone still stores", "", 1, 0, {0x46, 0x01, 0x40, 0x46}, 2);
        row("DPI report fails", "fail 02", 15, 4, {0x46, 0x01, 0x03, 0x02}, 1);
        row("asleep: six brackets", "asleep", 15, 5, {0x46}, 1);
        row("never read", "unfilled", 15, 7, {}, 0);
        row("no left click", "no click", 15, 7, {}, 0);
        // More macros than the mouse plays must not look like a successful write: twelve fit, thirteen fail
        // before anything is sent.
        row("12 macros", "macros 12", 15, 0, {0x46, 0x01, 0x03, 0x02, 0x04, 0x40, 0x05, 0x46}, 2);
        row("13 macros", "macros 13", 15, 6, {}, 2);
        row("a macro file gone", "missing macro", 15, 8, {}, 2);
        row("a macro without name", "nameless macro", 15, 8, {}, 2);
        row("a macro gone past the buttons sent", "missing macro past buttons", 15, 0,
            {0x46, 0x01, 0x03, 0x02, 0x04, 0x40, 0x46}, 2);
        row("no mouse", "no mouse", 15, 1, {}, 1);
    }

    void outcomes() {
        QFETCH(QString, fault);
        QFETCH(int, flags);
        QFETCH(int, reader);
        AppConfig config = sampleConfig();
        const int failCode = fault.startsWith("fail") ? fault.mid(5).toInt(nullptr, 16) : 0;
        m_h->failAfterFirst(failCode ? failCode : -1);
        m_h->mouse().setAsleep(fault == "asleep");
        config.profile.filled = fault != "unfilled";
        if (fault == "no click") {
            // The click kept only on a button the mouse never receives does not count.
            for (ButtonAssignment &b : config.profile.buttons)
                b.function = b.function == 1 ? 2 : b.function;
            config.profile.buttons[30].function = 1;
        }
        if (fault == "no mouse")
            MouseDevice::setInstance(nullptr);
        if (fault == "macro") {
            QCOMPARE(macrofile::saveMacroSteps("Burst", {ev(0x84, 4), ev(0x04, 4)}), FileResult::Ok);
            config.profile.buttons[3] = macroButton("Burst", 0, 3);
        }
        if (fault.startsWith("macros ")) {
            setIni("PROFILE/ButtonCount", 16);
            for (int r = 0; r < 16; ++r) {
                const QString name = QString("M%1").arg(r);
                QCOMPARE(macrofile::saveMacroSteps(name, {ev(0x84, 4)}), FileResult::Ok);
                config.profile.buttons[r] = r < fault.mid(7).toInt() ? macroButton(name, 0, 1) : button(1);
            }
        }
        if (fault.startsWith("missing macro"))
            config.profile.buttons[fault.endsWith("past buttons") ? 20 : 3] = macroButton("Gone", 0, 3);
        if (fault == "nameless macro")
            config.profile.buttons[3] = macroButton(QString(), 0, 3, 510);
        QTEST(int(writeProfile(config, flags, 0)), "result");
        QTEST(m_h->sections(), "codes");
        QStringList calls = QStringList{"stop after 0", "start after %1"}.mid(0, reader);
        QCOMPARE(m_battery->calls, calls.replaceInStrings("%1", QString::number(m_h->written().size())));
        QCOMPARE(int(m_h->written().size()) == 6, fault == "asleep");
        // Each macro slot in ten reports, then the closing one.
        const Reports sent = m_h->written();
        QCOMPARE(std::count_if(sent.begin(), sent.end(),
                               [](const Bytes &r) { return r[report::kCommand] == report::kCmdMacros; }),
                 fault == "macros 12" ? 12 * 10 + 1
                 : fault == "macro"   ? 11
                                      : 0);
    }

    // No code or entry appears twice; functions without parameters pack as their row, others share byte 0.
    void codeTableWalk() {
        const QVector<int> withParameters = {6, 7, 12, 55, 200, 510};
        for (const DeviceCodeRow &row : devicecode::kTable) {
            ButtonEntry found{};
            QVERIFY(devicecode::entryOf(row.function, found) && found == row.entry &&
                    devicecode::functionOfEntry(row.entry) == row.function);
            const ButtonEntry packed = packedEntry(button(row.function));
            if (withParameters.contains(row.function))
                QCOMPARE(packed[0], row.entry[0]);
            else
                QCOMPARE(packed, row.entry);
        }
    }

    // Packed into a table that held 0xEE everywhere, only the button's slot changes, and the header, which
    // goes with every entry.
    void entries() {
        QVector<std::tuple<QString, int, ButtonAssignment, ButtonEntry>> rows;
        const auto row = [&rows](const QString &name, const ButtonAssignment &b, ButtonEntry e,
                                 int sensor = 3389) {
            rows.append({name, sensor, b, e});
        };
        row("key A", button(6, 30), {0x90, 0, 0x04, 0});
        row("mouse button has no usage", button(6, 240), {0x90, 0, 0, 0});
        row("Ctrl + Shift + A", combo({0xE0, 0xE1, 0x04}), {0x8F, 0x03, 0x04, 0});
        row("right Alt + left Win + F1", combo({0xE6, 0xE3, 0x3A}), {0x8F, 0x0C, 0x3A, 0});
        row("right Ctrl + right Shift", combo({0xE4, 0xE5}), {0x8F, 0x03, 0, 0});
        row("later key wins", combo({0x04, 0x05}), {0x8F, 0, 0x04, 0});
        row("usage without key code is a key", combo({0xE2, 0x32}), {0x8F, 0x04, 0x32, 0});
        ButtonAssignment gap = combo({0xE0, 0x04});
        std::swap(gap.keys[3], gap.keys[4]);
        row("empty combo entry skipped", gap, {0x8F, 0x01, 0x04, 0});
        // Five modifiers with their releases fill the ten entries read; the key after them is not read.
        ButtonAssignment full = combo({0xE0, 0xE1, 0xE2, 0xE3, 0xE4});
        full.keys[10] = {0x04, 0x05, 0x80};
        row("only ten combo entries read", full, {0x8F, 0x10, 0, 0});
        // Fire: res1 (0 becomes 0x81), times low byte, delay / 10 with 2 the least.
        row("fire res1 0", button(12, 0, 7, 90), {0x99, 0x81, 3, 2});
        row("fire delay 35", button(12, 0x82, 5, 35), {0x99, 0x82, 5, 3});
        row("fire delay 19", button(12, 0x84, 5, 19), {0x99, 0x84, 5, 2});
        row("fire delay 255", button(12, 0x04, 1, 255), {0x99, 0x04, 1, 25});
        row("fire times low byte", button(12, 0x81, 0x1234, 40), {0x99, 0x81, 0x34, 4});
        // Sniper: the value through the sensor's register table, one below, as it is, or 4 unencoded.
        const int sniper[][3] = {{3325, 10, 22}, {3327, 61, 140},  {3360, 5, 4}, {3389, 7, 7},   {3212, 9, 9},
                                 {3104, 3, 3},   {3335, 160, 188}, {3370, 7, 4}, {33252, 10, 4}, {0, 7, 4}};
        for (const auto &s : sniper) {
            const auto value = static_cast<uint8_t>(s[2]);
            row(QString("sniper %1").arg(s[0]), button(55, s[1]), {0x9A, 1, value, value}, s[0]);
        }
        row("macro loop count", macroButton("M", 0, 0x0102), {0x91, 0, 0x02, 0x01});
        row("macro while key down", macroButton("M", 1, 9), {0x91, 0x80, 0xFF, 0xFF});
        row("macro until pressed again", macroButton("M", 2, 9), {0x91, 0x40, 0xFF, 0xFF});
        row("macro other mode keeps byte 1", macroButton("M", 3, 5), {0x91, 0xEE, 5, 0});
        row("gun file", macroButton("G", 0, 3, 510), {0x9D, 0, 3, 0});
        for (int f : {0, 8, 56, 64, 199, 201, -1})
            row(QString("function %1 has no row").arg(f), button(f), {0, 0, 0, 0});
        for (const auto &[name, sensor, button, entry] : rows) {
            m_tree->setIniValue("Configs/Config.ini", "MouseSenSor/1", sensor);
            m_s = WriteSession();
            m_s.buttonTable.fill(0xEE);
            QVERIFY2(packedEntry(button) == entry, qPrintable(name));
            QCOMPARE(tableBytes(0, 2), (Bytes{0x0A, 0x00}));
            QCOMPARE(tableBytes(6, 4), Bytes(4, 0xEE));
        }
    }

    // Numbers follow packing order: the first name gets 0, a shared name keeps its number, res4 records it.
    void macroNumbersSharedInPackingOrder() {
        QCOMPARE(macroNumberOf(m_s, "Burst"), -1);
        record(1) = macroButton("Burst", 0, 1);
        record(2) = macroButton("Recoil", 1, 1, 510);
        record(3) = macroButton("Burst", 2, 1);
        record(4) = button(1);
        record(4).macroName = "Ignored";
        for (int r = 1; r <= 4; ++r) {
            record(r).res4 = 0x77;
            packButton(m_s, r, r);
        }
        QCOMPARE(macroNumberOf(m_s, "Burst"), 0);
        QCOMPARE(macroNumberOf(m_s, "Recoil"), 1);
        QCOMPARE(macroNumberOf(m_s, "Ignored"), 255);
        QCOMPARE(tableBytes(6, 12),
                 (Bytes{0x91, 0x00, 1, 0, 0x9D, 0x81, 0xFF, 0xFF, 0x91, 0x40, 0xFF, 0xFF}));
        QCOMPARE((QVector<int>{record(1).res4, record(2).res4, record(3).res4}), (QVector<int>{0, 1, 0}));
    }

    // Selectors, matrix values and records out of range pack nothing; a button count above 16
    // leaves records 16 on unpacked and unnumbered.
    void matrixLookupsBounded() {
        QVERIFY(!buttonSlot(16) && !buttonSlot(21) && !buttonSlot(-1));
        ButtonMatrix::Table &matrix = ButtonMatrix::instance().table();
        matrix[5] = 30;
        matrix[6] = 31;
        matrix[7] = 255;
        for (int r : {5, 6, 7, 16}) {
            record(r) = button(r == 5 ? 1 : 2);
            packButton(m_s, r, r);
        }
        QCOMPARE(tableBytes(122, 6), (Bytes{0x81, 0, 0, 0, 0, 0}));
        QVERIFY(std::find(m_s.buttonTable.begin(), m_s.buttonTable.end(), 0x82) == m_s.buttonTable.end());
        record(5) = button(2);
        packButton(m_s, 42, 5);
        packButton(m_s, -1, 5);
        QCOMPARE(tableBytes(122, 4), (Bytes{0x81, 0, 0, 0}));

        m_h.reset(); // a fresh mouse and the description's matrix again
        m_h = std::make_unique<CommandHarness>();
        m_s = WriteSession();
        setIni("PROFILE/ButtonCount", 24);
        for (int r = 0; r < 24; ++r)
            record(r) = r < 16 ? button(1) : macroButton(QString("Extra%1").arg(r), 0, 1);
        record(0) = macroButton("Kept", 0, 1);
        record(40) = button(52);
        record(41) = button(53);
        packButtonTable(m_s);
        QCOMPARE(int(sendButtonTable(m_s)), int(kResultOk));
        QCOMPARE(m_s.macroNumbers.keys(), QStringList{"Kept"});
        for (int s = 1; s < 24; ++s)
            QCOMPARE(int(m_h->mouse().memory(0x03, 2 + 4 * s, 1)[0]), s < 16   ? 0x81
                                                                      : s < 22 ? 0
                                                                               : 0x8B + s - 22);
    }

    // Events and the image they make. A macro without delays of its own gets a pause after every fourth
    // event and at the end; only kind 6 is a delay.
    void macroImage() {
        const QVector<MacroStep> five = keyEvents(5);
        const QVector<MacroStep> timed = {ev(0x84, 4), ev(6, 44, 1), ev(0x04, 4), ev(0x81, 1), ev(0x01, 1)};
        const QVector<MacroStep> moves = {ev(2, 246), ev(2, 0, 10), ev(0x86, 1), ev(0x81, 2), ev(0x01, 2)};
        QVector<MacroStep> long67 = keyEvents(67);
        long67[0] = ev(6, 2);
        const QPair<QVector<MacroStep>, QVector<MacroStep>> rows[] = {
            {five, {five[0], five[1], five[2], five[3], kPause, five[4], kPause}},
            {{}, {kPause}},
            {timed, timed},
            {moves, withPauses(moves)},
            // 66 events fill 198 of the 200 bytes; the 67th does not fit.
            {long67, long67.mid(0, 66)},
            // 52 events and 13 pauses make 65; the closing pause is the 66th and fits. With 60 it is cut.
            {keyEvents(52), withPauses(keyEvents(52))},
            {keyEvents(60), withPauses(keyEvents(60)).mid(0, 66)}};
        for (const auto &[events, image] : rows) {
            const WriteSession::MacroImage made = macroimage::macroImage(events);
            QCOMPARE(Bytes(made.begin(), made.end()), imageBytes(image));
        }
    }

    // The upload sends what the file holds, also steps the editor would drop, beyond the 63 a button keeps
    // too, up to the most a macro holds; a count no macro can have is not read on.
    void macroEventsReadRaw() {
        const QString path = macrofile::macroFilePath("Raw");
        QVERIFY(!path.isEmpty());
        QDir().mkpath(QFileInfo(path).absolutePath());
        {
            QSettings file(path, QSettings::IniFormat);
            file.setValue("Setting/Count", 2000000000);
            for (int i = 0; i < 70; ++i) {
                file.setValue(QString("Setting/Map_%1").arg(i), i == 1 ? 0x55 : 0x84);
                file.setValue(QString("Setting/DataL_%1").arg(i), QString::number(i));
                file.setValue(QString("Setting/DataH_%1").arg(i), i == 1 ? 0x107 : 0);
            }
        }
        const QVector<MacroStep> events = macroimage::readMacroEvents("Raw");
        QCOMPARE(events.size(), macrofile::kMaxSteps);
        QCOMPARE(events[1], ev(0x55, 1, 0x07));
        QCOMPARE(events[65], ev(0x84, 65));
        QVERIFY(macroimage::readMacroEvents("Missing").isEmpty());
        QVERIFY(macroimage::readMacroEvents("../Raw").isEmpty());
    }

    // Seven buttons on slots 0 to 6, the wheel on 22 and 23 (exchanged for ScrollRev 1 only, never through
    // the matrix); record 7 lies past the button count.
    void buttonTableReports() {
        const int functions[] = {1, 2, 3, 5, 4, 48, 49, 17};
        for (int r = 0; r < 8; ++r)
            record(r) = button(functions[r]);
        record(40) = button(52);
        record(41) = button(53);
        for (int reverse : {0, 1, 2}) {
            setIni("PROFILE/ScrollRev", reverse);
            m_h->mouse().clearRecords();
            packButtonTable(m_s);
            QCOMPARE(int(sendButtonTable(m_s)), int(kResultOk));
            const Bytes slots0to5 = {0x81, 0, 0, 0, 0x82, 0, 0, 0, 0x83, 0, 0, 0,
                                     0x84, 0, 0, 0, 0x85, 0, 0, 0, 0x8A, 0, 0, 0};
            Bytes slots6to11(24, 0), slots18to23(24, 0);
            slots6to11[0] = 0x89;
            slots18to23[reverse == 1 ? 20 : 16] = 0x8B;
            slots18to23[reverse == 1 ? 16 : 20] = 0x8C;
            const Reports expected = {
                onWire(0x03, 0, 0xD1, {0x0A, 0x00}), onWire(0x03, 2, 0xD2, slots0to5),
                onWire(0x03, 26, 0xD2, slots6to11),  onWire(0x03, 50, 0xD2, Bytes(24, 0)),
                onWire(0x03, 74, 0xD2, slots18to23), onWire(0x03, 98, 0xD2, {0xFF, 0xFF, 0xFF, 0xFF}),
                onWire(0x03, 0x7F, 0xD3, {0x1A}),
            };
            QCOMPARE(hexLines(m_h->written()), hexLines(expected));
        }
    }

    // Burst (pauses inserted) on two buttons, Reload (its own delay) on one and a macro past the model's
    // buttons: each numbered slot's ten reports, then one closing report.
    void macroReports() {
        const QVector<MacroStep> burst = keyEvents(5);
        const QVector<MacroStep> reload = {ev(0x81, 1), ev(6, 30), ev(0x01, 1), ev(2, 246)};
        QCOMPARE(macrofile::saveMacroSteps("Burst", burst), FileResult::Ok);
        QCOMPARE(macrofile::saveMacroSteps("Reload", reload), FileResult::Ok);
        packButtonTable(m_s);
        // No macro buttons: nothing.
        QVERIFY(packMacroImages(m_s) == kResultOk && sendMacros(m_s) == kResultOk);
        QVERIFY(m_h->written().empty());
        record(1) = macroButton("Burst", 0, 3);
        record(2) = macroButton("Reload", 1, 1);
        record(3) = macroButton("Burst", 0, 3);
        record(20) = macroButton("Elsewhere", 0, 1);
        packButtonTable(m_s);
        QCOMPARE(int(packMacroImages(m_s)), int(kResultOk));
        QCOMPARE(int(sendMacros(m_s)), int(kResultOk));

        // Image slot 0 at 0 to 199, slot 1 at 200 to 399, 20 bytes a report, low address byte first.
        const Bytes images = imageBytes(reload, imageBytes(withPauses(burst)));
        Reports expected;
        for (uint16_t a = 0; a < 400; a += 20)
            expected.push_back(onWire(0x05, a, a ? 0xD2 : 0xD1, Bytes(&images[a], &images[a] + 20)));
        expected.push_back(onWire(0x05, 0x0FFF, 0xD3, {0x1A}));
        QCOMPARE(hexLines(m_h->written()), hexLines(expected));
        QCOMPARE(m_h->pauses.count(50), 3);
    }
};

QTEST_GUILESS_MAIN(TestProfileWrite)
#include "test_profile_write.moc"
