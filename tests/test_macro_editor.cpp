#include "macro/macro_action_model.h"
#include "macro/macro_catalog.h"
#include "macro/macro_editor.h"
#include "platform/input_hook.h"
#include "storage/app_config_store.h"
#include "storage/config_file.h"
#include "storage/macro_data.h"
#include "storage/macro_file.h"
#include "support/step_text.h"
#include "support/test_tree.h"

#include <QItemSelectionModel>
#include <QtTest>
#include <memory>

using Steps = QVector<MacroStep>;

namespace {
constexpr int kA = 30, kB = 48, kLeft = MacroRecorder::kLeftButtonCode;
constexpr int kPress = 0, kRelease = 0x80;
constexpr MacroStep pressA{0x84, 0, 0x04}, releaseA{0x04, 0, 0x04}, pressB{0x84, 0, 0x05},
    releaseB{0x04, 0, 0x05}, leftDown{0x81, 0, 1};

MacroStep delay(int count) {
    return MacroStep::delay(count);
}

// A capture that starts when it works and reports what the test sends through its signals.
class FakeCapture : public InputHook {
public:
    bool works = true, running = false, withMouse = false;
    bool start(Mode, bool withMouseButtons) override {
        running = works;
        withMouse = withMouseButtons;
        return works;
    }
    void stop() override { running = false; }
    bool systemWide() const override { return true; }
};
} // namespace

// The macro page's editor and catalog without a window: recording with a clock the test moves, key
// editing through a fake capture, the row tools, and the list operations.
class TestMacroEditor : public QObject {
    Q_OBJECT
    std::unique_ptr<TestTree> m_tree;
    std::unique_ptr<MacroEditor> m_editor;
    QPointer<FakeCapture> m_capture;
    bool m_captureWorks = true, m_onStop = false;
    int64_t m_now = 1000;

    // The editor's list holds rows, the first current, with the delays of mode and a default delay of 30 ms.
    void use(const Steps &rows, int mode = 0) {
        m_editor->model()->setSteps(rows);
        m_editor->selectRow(0);
        m_editor->setDelayMode(mode);
        m_editor->setDefaultDelay(30);
    }
    Steps rows() const { return m_editor->model()->steps(); }
    Steps saved() const {
        MacroData macro;
        [&] { QCOMPARE(macrofile::loadMacro("Macro 1", macro), FileResult::Ok); }();
        return macro.steps;
    }
    // Selects rows, the first of them current; none when empty.
    void select(const QVector<int> &selected) {
        m_editor->selectRow(selected.value(0, -1));
        for (int row : selected)
            m_editor->selection()->select(m_editor->model()->index(row, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    // A tree holding one empty macro, "Macro 1".
    void freshTree() {
        m_tree = std::make_unique<TestTree>();
        QVERIFY(macrofile::saveMacroSteps("Macro 1", {}) == FileResult::Ok &&
                config::addMacroName("Macro 1"));
    }

private slots:
    // One tree for the tests of the editor, which write only "Macro 1".
    void initTestCase() { freshTree(); }
    // An editor (10 ms delay unit) with "Macro 1" open.
    void init() {
        m_editor = std::make_unique<MacroEditor>(
            10, [this] { return m_now; },
            [this] {
                m_capture = new FakeCapture;
                m_capture->works = m_captureWorks;
                return m_capture.data();
            });
        m_editor->setClickFilter([this] { return m_onStop; });
        m_editor->open("Macro 1");
    }
    void cleanup() {
        m_editor.reset();
        m_captureWorks = true;
        m_onStop = false;
    }

    // What a recording stores by delay mode from start to stop, saved at the stop with the capture ended;
    // a key still held at the stop is reported.
    void recordingToRows() {
        // Events as code, flags and milliseconds after the previous one; onStop: the pointer on STOP.
        const auto check = [this](int mode, bool onStop, const QVector<std::tuple<int, int, int>> &events,
                                  const Steps &expected) {
            use({releaseB}, mode);
            m_onStop = onStop;
            QSignalSpy changes(m_editor.get(), &MacroEditor::recordingChanged);
            QSignalSpy held(m_editor.get(), &MacroEditor::keysLeftHeld);
            m_editor->startRecording(false);
            QVERIFY(m_capture->running && m_capture->withMouse);
            for (const auto &[code, flags, gap] : events) {
                m_now += gap;
                m_editor->record(code, flags);
            }
            m_editor->stopRecording();
            QCOMPARE(stepText(rows()), stepText(expected));
            QCOMPARE(stepText(saved()), stepText(expected));
            QVERIFY(!m_capture->running && changes.size() == 2 && !changes[1][0].toBool());
            QCOMPARE(held.size(), onStop ? 1 : 0);
        };
        // The first event has no delay; 57 ms is five units, 3 ms and 0 ms one.
        check(1, false, {{kA, kPress, 0}, {kA, kRelease, 57}, {kB, kPress, 3}, {kB, kRelease, 0}},
              {pressA, delay(5), releaseA, delay(1), pressB, delay(1), releaseB});
        // A held key repeats its press: one press and one release.
        check(0, false, {{kA, kPress, 0}, {kA, kPress, 30}, {kA, kPress, 30}, {kA, kRelease, 30}},
              {pressA, releaseA});
        // The default delay (30 ms) whatever the pause; mouse buttons as their bits.
        check(2, false, {{kLeft + 1, kPress, 500}, {kLeft + 1, kRelease, 7}},
              {{0x81, 0, 2}, delay(3), {0x01, 0, 2}});
        // The click on STOP is not recorded, a key on it is; A is still held.
        check(0, true, {{kLeft, kPress, 0}, {kA, kPress, 5}}, {pressA});
    }

    // Without delays the 41st event ends the recording unstored; with delays the list stops at 63 rows.
    void fullListEndsRecording() {
        for (const int mode : {0, 1}) {
            use({}, mode);
            m_editor->startRecording(false);
            for (int i = 0; i < 50; ++i)
                m_editor->record(4 + i / 2, i % 2 ? kRelease : kPress);
            QVERIFY(!m_editor->recording() && !m_capture->running);
            QCOMPARE(saved().size(), mode ? 63 : 40);
        }
    }

    // Recording after the current row keeps the list; nothing records without an open macro or while a
    // key is edited, and captured keys and buttons go to the recording or to the edited row.
    void recordingAndKeyEditingShareTheCapture() {
        use({pressA, releaseA});
        m_editor->startRecording(true);
        emit m_capture->keyEvent(48, 0); // B by its scan code
        emit m_capture->mouseButtonEvent(kLeft, 1);
        m_editor->stopRecording();
        QCOMPARE(stepText(rows()), stepText({pressA, pressB, leftDown, releaseA}));
        QCOMPARE(m_editor->currentRow(), 2);

        m_editor->selectRow(1);
        QSignalSpy edited(m_editor.get(), &MacroEditor::keyEdited);
        m_editor->startKeyEditing();
        QVERIFY(m_editor->editingKey() && m_capture->running && !m_capture->withMouse);
        m_editor->startRecording(false);
        QVERIFY(!m_editor->recording());
        // The same key and flags twice are one edit; a release keeps the row a press; clicks are no keys.
        for (const int flags : {kPress, kPress, kRelease})
            emit m_capture->keyEvent(kA, flags);
        emit m_capture->mouseButtonEvent(kLeft, 129);
        QCOMPARE(stepText(rows()), stepText({pressA, pressA, leftDown, releaseA}));
        QCOMPARE(edited.size(), 2);
        m_editor->endKeyEditing();
        QVERIFY(!m_editor->editingKey() && !m_capture->running);

        m_editor->close();
        m_editor->startRecording(false);
        m_editor->record(kA, kPress);
        QVERIFY(!m_editor->recording() && rows().isEmpty());
    }

    // Only a key row takes a key, and only while keys can be captured; SAVE writes the edited row, CANCEL
    // reads the macro back from its file.
    void keyEditing() {
        const std::tuple<MacroStep, int, bool> refused[] = {{delay(5), 0, true},
                                                            {MacroStep::move(3, 0), 0, true},
                                                            {releaseA, -1, true},
                                                            {releaseA, 0, false}};
        for (const auto &[step, row, captureWorks] : refused) {
            m_captureWorks = captureWorks;
            use({step});
            m_editor->selectRow(row);
            m_editor->startKeyEditing();
            m_editor->editKey(kB, kPress);
            QVERIFY(!m_editor->editingKey() && stepText(rows()) == stepText({step}));
        }
        m_capture->works = true;
        use({releaseA});
        for (const auto &[key, save] : {std::pair{kB, true}, std::pair{kA, false}}) {
            m_editor->startKeyEditing();
            m_editor->editKey(key, kRelease);
            save ? m_editor->saveEdits() : m_editor->revertEdits();
            QVERIFY(!m_editor->editingKey() && !m_capture->running);
        }
        QVERIFY(stepText(saved()) == stepText({releaseB}) && stepText(rows()) == stepText({releaseB}));
    }

    // The row tools on A press, a 50 ms delay, A release, from the selected rows (the first current).
    void rowTools() {
        const Steps start{pressA, delay(5), releaseA};
        const struct {
            void (MacroEditor::*tool)();
            QVector<int> selected;
            Steps expected;
            int current;
        } table[] = {
            {&MacroEditor::moveRowUp, {0}, start, 0},
            {&MacroEditor::moveRowUp, {2}, {pressA, releaseA, delay(5)}, 1},
            {&MacroEditor::moveRowUp, {}, start, -1},
            {&MacroEditor::moveRowDown, {2}, start, 2},
            {&MacroEditor::moveRowDown, {0}, {delay(5), pressA, releaseA}, 1},
            {&MacroEditor::moveRowToTop, {2}, {releaseA, pressA, delay(5)}, 0},
            {&MacroEditor::moveRowToBottom, {0}, {delay(5), releaseA, pressA}, 2},
            {&MacroEditor::deleteRows, {2}, {pressA, delay(5)}, 1},
            {&MacroEditor::deleteRows, {0}, {delay(5), releaseA}, 0},
            {&MacroEditor::deleteRows, {2, 0}, {delay(5)}, 0},
            {&MacroEditor::deleteRows, {}, start, -1},
            {&MacroEditor::clearRows, {1}, {}, -1},
            {&MacroEditor::pasteRows, {0}, start, 0}, // nothing copied yet
            {&MacroEditor::cutRows, {0, 1}, {releaseA}, 0},
        };
        for (const auto &row : table) {
            use(start);
            select(row.selected);
            (m_editor.get()->*row.tool)();
            QCOMPARE(stepText(rows()), stepText(row.expected));
            QCOMPARE(m_editor->currentRow(), row.current);
        }
        // Copied rows are pasted after the current row; a closed macro takes none.
        use(start);
        select({0, 1});
        m_editor->copyRows();
        m_editor->selectRow(0);
        m_editor->pasteRows();
        QCOMPARE(stepText(rows()), stepText({pressA, pressA, delay(5), delay(5), releaseA}));
        QCOMPARE(m_editor->currentRow(), 2);
        m_editor->close();
        m_editor->pasteRows();
        QVERIFY(rows().isEmpty());
    }

    // Inserted rows go after the current row (at the end without one), each followed by the delay of the
    // mode; INSERT DELAY is the default delay in its mode, otherwise 10 ms. A full list takes what fits.
    void insertedRows() {
        const struct {
            int mode, current;
            bool delay; // INSERT DELAY, else B pressed and released
            Steps expected;
            int selected; // the last row inserted
        } table[] = {
            {0, 0, false, {pressA, pressB, releaseB, releaseA}, 2},
            {1, -1, false, {pressA, releaseA, pressB, delay(1), releaseB, delay(1)}, 5},
            {2, 0, false, {pressA, pressB, delay(3), releaseB, delay(3), releaseA}, 4},
            {0, 1, true, {pressA, releaseA, delay(1)}, 2},
            {2, 0, true, {pressA, delay(3), releaseA}, 1},
        };
        for (const auto &row : table) {
            use({pressA, releaseA}, row.mode);
            m_editor->selectRow(row.current);
            row.delay ? m_editor->insertDelay() : m_editor->insertRows({pressB, releaseB});
            QCOMPARE(stepText(rows()), stepText(row.expected));
            QCOMPARE(m_editor->currentRow(), row.selected);
        }
        use(Steps(macrofile::kMaxSteps - 1, pressA));
        m_editor->selectRow(3);
        m_editor->insertRows({pressB, releaseB});
        m_editor->insertDelay();
        QCOMPARE(stepText(rows()),
                 stepText(Steps(4, pressA) + Steps{pressB} + Steps(macrofile::kMaxSteps - 5, pressA)));
        m_editor->close();
        m_editor->insertRows({pressB});
        QVERIFY(rows().isEmpty());
    }

    // The row panel's value: a delay row takes milliseconds; a move row a distance of at most 120 in its
    // own direction, where 0 (a field emptied to be typed anew) changes nothing; other rows neither.
    void currentRowValue() {
        const std::tuple<Steps, int, int, MacroStep> table[] = {
            {{delay(5)}, 120, 7, delay(12)},
            {{MacroStep::move(0, -5)}, 120, 7, {0x02, 249, 0}},
            {{MacroStep::move(0, -5)}, 0, 0, {0x02, 251, 0}},
            {{MacroStep::move(-5, 0)}, 0, 300, {0x02, 0, 136}},
            {{pressA}, 120, 7, pressA},
        };
        for (const auto &[start, milliseconds, distance, expected] : table) {
            use(start);
            m_editor->setCurrentDelay(milliseconds);
            m_editor->setCurrentDistance(distance);
            QCOMPARE(stepText(rows()), stepText({expected}));
        }
    }

    // A delay or loop mode the page has no box for opens as none; the loop count is saved as 1-255.
    void settingsOpenedAndSaved() {
        MacroData macro{"Macro 1", 30, 5, 7, 0, {pressA}};
        QVERIFY(macrofile::saveMacro(macro) == FileResult::Ok);
        m_editor->open("Macro 1");
        QCOMPARE(QString::asprintf("%d %d %d %d", m_editor->defaultDelay(), m_editor->delayMode(),
                                   m_editor->loopType(), m_editor->loopTime()),
                 QString("30 0 0 0"));
        for (const auto &[type, count, stored] : {std::tuple{0, 0, 1}, std::tuple{2, 300, 255}}) {
            m_editor->setLoopType(type);
            m_editor->setLoopTime(count);
            QVERIFY(m_editor->save());
            QVERIFY(macrofile::loadMacro("Macro 1", macro) == FileResult::Ok);
            QCOMPARE(QString::asprintf("%d %d %d %d", macro.defaultDelay, macro.delayType, macro.loopType,
                                       macro.loopTime),
                     QString::asprintf("30 0 %d %d", type, stored));
            QCOMPARE(m_editor->loopTime(), stored);
        }
        m_editor->close();
        QVERIFY(!m_editor->save());
    }

    // The list operations in the order the page shows them: the macro to show next, then why an
    // operation did not fully succeed; a deleted macro makes way for its neighbour.
    void catalogOperations() {
        freshTree();
        m_editor->open("Macro 1");
        MacroCatalog catalog(*m_editor);
        QStringList events;
        using C = MacroCatalog;
        connect(&catalog, &C::listChanged, [&](const QString &name) { events << "show " + name; });
        connect(&catalog, &C::failed,
                [&](MacroListResult result) { events << QString("failed %1").arg(int(result)); });
        connect(&catalog, &C::renamed, [&](const QString &name) { events << "renamed " + name; });
        connect(&catalog, &C::buttonsChanged, [&] { events << "buttons"; });
        catalog.load();
        catalog.addNew();
        catalog.addNew();
        m_editor->open("Macro 2");
        catalog.renameOpen("a/b");
        catalog.renameOpen("Burst");
        QStringList profiles;
        QVERIFY(!catalog.playedByButtons(profiles) && profiles.isEmpty());
        catalog.removeOpen();
        QVERIFY(m_editor->macroName().isEmpty() && catalog.names() == QStringList({"Macro 1", "Macro 3"}));
        for (int i = 3; i <= config::kMacroSlots; ++i)
            QVERIFY(config::addMacroName(QString("Other %1").arg(i)));
        catalog.reload();
        catalog.reload();
        QVERIFY(!catalog.hasRoom());
        QCOMPARE(events,
                 (QStringList{"show Macro 1", "show Macro 2", "show Macro 3", "failed 3", "renamed Macro 2",
                              "renamed Burst", "buttons", "show Macro 3", "buttons", "show ", "failed 1"}));
        // The working configuration's buttons name their profile first, before its file plays the macro.
        m_editor->open("Macro 1");
        AppConfig &working = AppConfigStore::instance().working();
        working.profileNames[0] = "Raid";
        working.profile.buttons[2].function = 200;
        working.profile.buttons[2].macroName = "Macro 1";
        QVERIFY(catalog.playedByButtons(profiles));
        QCOMPARE(profiles, QStringList{"Raid"});
        working = AppConfig();
    }
};

QTEST_GUILESS_MAIN(TestMacroEditor)
#include "test_macro_editor.moc"
