#include "gunset/gun_steps.h"
#include "gunset/vel_gunset_dialog.h"
#include "macro/macro_action_model.h"
#include "macro/macro_dialog.h"
#include "macro/macro_edit.h"
#include "macro/macro_recorder.h"
#include "macro/vel_tree_item.h"
#include "macro/vel_tree_widget.h"
#include "storage/app_config_store.h"
#include "storage/config_file.h"
#include "storage/factory_profile.h"
#include "storage/macro_data.h"
#include "storage/macro_file.h"
#include "storage/profile_file.h"
#include "support/test_tree.h"
#include "widgets/vel_file_dialog.h"
#include "widgets/vel_line_edit.h"
#include "widgets/vel_message_box.h"
#include "widgets/vel_push_button.h"

#include <QCheckBox>
#include <QListWidget>
#include <QMenu>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>
#include <QtTest>
#include <memory>

using Steps = QVector<MacroStep>;

namespace {
constexpr int kA = 30, kB = 48, kLeft = MacroRecorder::kLeftButtonCode;
constexpr int kPress = 0, kRelease = 0x80;
constexpr MacroStep leftUp{0x01, 0, 1}, leftDown{0x81, 0, 1};
constexpr MacroStep pressA{0x84, 0, 0x04}, releaseA{0x04, 0, 0x04}, pressB{0x84, 0, 0x05};

// Steps as "84 00 04, 06 00 05", for readable comparisons.
QString show(const Steps &steps) {
    QStringList rows;
    for (const MacroStep &step : steps)
        rows << QString::asprintf("%02x %02x %02x", step.type, step.high, step.low);
    return rows.join(", ");
}

MacroStep delay(int count) {
    return MacroStep::delay(count);
}

VelPushButton *button(const QWidget &page, const char *name) {
    return page.findChild<VelPushButton *>(name);
}
} // namespace

// The MACRO page: recording with a clock the test moves, row editing and the macro list.
class TestMacroPage : public QObject {
    Q_OBJECT
    std::unique_ptr<TestTree> m_tree;
    std::unique_ptr<MacroDialog> m_page;
    int64_t m_now = 1000;
    QStringList m_messages;

    // A page on a fresh configuration holding one empty macro, "Macro 1".
    void openPage() {
        m_page.reset();
        m_tree = std::make_unique<TestTree>();
        QVERIFY(macrofile::saveMacroSteps("Macro 1", {}) == FileResult::Ok &&
                config::addMacroName("Macro 1"));
        m_page = std::make_unique<MacroDialog>(1.0, nullptr, [this] { return m_now; });
        m_messages.clear();
        connect(m_page.get(), &ConfigPage::ShowMessage, this,
                [this](const QString &text) { m_messages << text; });
        m_page->show();
    }
    void setDelayMode(int delayMode) {
        for (const auto &[name, mode] :
             {std::pair<const char *, int>{"recordDelaysBox", 1}, {"defaultDelayBox", 2}}) {
            auto *box = m_page->findChild<QCheckBox *>(name);
            if (box->isChecked() != (delayMode == mode))
                box->click();
        }
    }
    // Records events (code, flags, milliseconds after the previous one) from START to STOP.
    void record(const QVector<std::tuple<int, int, int>> &events, int delayMode) {
        setDelayMode(delayMode);
        button(*m_page, "startButton")->click();
        for (const auto &[code, flags, gap] : events) {
            m_now += gap;
            if (!m_page->recording())
                break;
            if (code >= kLeft)
                emit m_page->mouseHooked(code, flags == kPress ? 1 : 129);
            else
                m_page->OnHookKey(code, flags);
        }
        if (m_page->recording())
            button(*m_page, "stopButton")->click();
    }
    Steps saved() const {
        MacroData macro;
        [&] { QCOMPARE(macrofile::loadMacro(m_page->currentMacro(), macro), FileResult::Ok); }();
        return macro.steps;
    }
    int current() const { return m_page->findChild<QTableView *>()->currentIndex().row(); }

private slots:
    void init() { openPage(); }
    void cleanup() { VelMessageBox::setNextAnswers({}); }

    // What a recording stores, by delay mode; it is saved at STOP and the window is locked meanwhile.
    void recordedRows() {
        const std::tuple<int, QVector<std::tuple<int, int, int>>, Steps> rows[] = {
            // The first event has no delay; 57 ms is five units, 3 ms and 0 ms one.
            {1,
             {{kA, kPress, 0}, {kA, kRelease, 57}, {kB, kPress, 3}, {kB, kRelease, 0}},
             {pressA, delay(5), releaseA, delay(1), pressB, delay(1), {0x04, 0, 0x05}}},
            // A held key repeats its press: one press and one release.
            {0,
             {{kA, kPress, 0}, {kA, kPress, 30}, {kA, kPress, 30}, {kA, kRelease, 30}},
             {pressA, releaseA}},
            // The default delay (10 ms) whatever the pause; mouse buttons as their bits.
            {2, {{kLeft + 1, kPress, 500}, {kLeft + 1, kRelease, 7}}, {{0x81, 0, 2}, delay(1), {0x01, 0, 2}}},
        };
        for (const auto &[mode, events, expected] : rows) {
            openPage();
            QSignalSpy locks(m_page.get(), &ConfigPage::EnableButtonsSignal);
            record(events, mode);
            QCOMPARE(show(m_page->actions().steps()), show(expected));
            QCOMPARE(show(saved()), show(expected));
            QCOMPARE(locks.size(), 2);
            QVERIFY(!locks[0][0].toBool() && locks[1][0].toBool());
            QVERIFY(m_messages.isEmpty());
        }
    }

    // Without delays the 41st event ends the recording unstored; with delays the list stops at 63 rows.
    void fullListEndsRecording() {
        for (const int mode : {0, 1}) {
            openPage();
            QVector<std::tuple<int, int, int>> events;
            for (int i = 0; i < 50; ++i)
                events << std::make_tuple(4 + i / 2, i % 2 ? kRelease : kPress, 20);
            record(events, mode);
            QVERIFY(!m_page->recording());
            QCOMPARE(saved().size(), mode ? 63 : 40);
        }
    }

    // The left click on STOP is not recorded; a key still held at STOP is reported and the macro saved.
    void stopClickAndHeldKey() {
        VelPushButton *start = button(*m_page, "startButton");
        VelPushButton *stop = button(*m_page, "stopButton");
        start->click();
        m_page->OnHookKey(kA, kPress);
        QCursor::setPos(stop->mapToGlobal(stop->rect().center()));
        emit m_page->mouseHooked(kLeft, 1);
        stop->click();
        QCOMPARE(show(saved()), show(Steps({pressA})));
        QCOMPARE(m_messages, QStringList({"ONE OR MORE KEYS HAS NOT BEEN RELEASED."}));
        QVERIFY(!macroedit::allReleased({releaseA, pressA}));
        QVERIFY(macroedit::allReleased({releaseA, pressA, {0x02, 0, 4}, releaseA}));
    }

    // RECORD AFTER keeps the list and records after the selected row.
    void recordAfterSelectedRow() {
        record({{kA, kPress, 0}, {kA, kRelease, 10}}, 0);
        m_page->SelectRow(0);
        button(*m_page, "recordAfterButton")->setChecked(true);
        record({{kB, kPress, 10}}, 0);
        QCOMPARE(show(saved()), show(Steps({pressA, pressB, releaseA})));
    }

    // The row tools on the list A press, a 50 ms delay, A release.
    void rowTools() {
        record({{kA, kPress, 0}, {kA, kRelease, 50}}, 1);
        const Steps start{pressA, delay(5), releaseA};
        QCOMPARE(show(m_page->actions().steps()), show(start));
        const struct {
            const char *tool;
            int row;
            Steps steps;
            int selected;
        } rows[] = {
            {"rowUp", 0, start, 0},
            {"rowDown", 2, start, 2},
            {"rowDown", 0, {delay(5), pressA, releaseA}, 1},
            {"rowTop", 2, {releaseA, pressA, delay(5)}, 0},
            {"rowBottom", 0, {delay(5), releaseA, pressA}, 2},
            {"rowDelete", 2, {pressA, delay(5)}, 1},
            {"rowDelete", 0, {delay(5), releaseA}, 0},
            {"rowClear", 1, {}, -1},
        };
        for (const auto &row : rows) {
            m_page->findChild<MacroActionModel *>()->setSteps(start);
            m_page->SelectRow(row.row);
            button(*m_page, row.tool)->click();
            QCOMPARE(show(m_page->actions().steps()), show(row.steps));
            QCOMPARE(current(), row.selected);
        }
        // Copy and paste after the selected row; cut removes the rows.
        m_page->findChild<MacroActionModel *>()->setSteps(start);
        m_page->SelectRow(0);
        button(*m_page, "rowCut")->click();
        m_page->SelectRow(1);
        button(*m_page, "rowPaste")->click();
        QCOMPARE(show(m_page->actions().steps()), show(Steps({delay(5), releaseA, pressA})));
    }

    // Inserted moves, clicks and delays, and the editing panel's fields.
    void insertedAndEditedRows() {
        setDelayMode(0);
        auto *tree = m_page->findChild<VelTreeWidget *>();
        tree->moveItem(2)->setDistance(5);
        emit tree->moveItem(2)->VelMousePressed();
        QCOMPARE(show(m_page->actions().steps()), show(Steps({{0x02, 251, 0}})));
        auto *value = m_page->findChild<VelLineEdit *>("rowValueEdit");
        value->setText("7");
        emit value->textEdited("7");
        QCOMPARE(show(m_page->actions().steps()), show(Steps({{0x02, 249, 0}})));
        // A button entry opens on its first click and inserts a click on the next; its child only a press.
        QTreeWidgetItem *right = tree->buttonItem(2);
        m_page->TreeitemClick(right, 0);
        QCOMPARE(m_page->actions().steps().size(), 1);
        m_page->TreeitemClick(right, 0);
        m_page->TreeitemClick(right->child(0), 0);
        QCOMPARE(show(m_page->actions().steps().mid(1)),
                 show(Steps({{0x81, 0, 2}, {0x01, 0, 2}, {0x81, 0, 2}})));
        button(*m_page, "insertDelayButton")->click();
        QCOMPARE(m_page->actions().steps().constLast(), delay(1));
        value->setText("120");
        emit value->textEdited("120");
        QCOMPARE(m_page->actions().steps().constLast(), delay(12));
        saveShot(m_page.get(), "macro_page");
    }

    // A macro file whose count no macro can have shows at once as many rows as a macro holds, and the list
    // never grows past that: inserts on a full list add nothing, a paste only the rows that fit.
    void rowsBoundedByWhatAMacroHolds() {
        QVERIFY(macrofile::saveMacroSteps("Macro 1", Steps(70, pressA)) == FileResult::Ok);
        m_tree->setIniValue("Configs/MacroDB/Macro 1.MSMACRO", "Setting/Count", 2000000000);
        button(*m_page, "cancelButton")->click();
        QCOMPARE(m_page->actions().steps().size(), macrofile::kMaxSteps);
        m_page->SelectRow(3);
        button(*m_page, "insertDelayButton")->click();
        m_page->TreeitemClick(m_page->findChild<VelTreeWidget *>()->buttonItem(2), 0);
        m_page->TreeitemClick(m_page->findChild<VelTreeWidget *>()->buttonItem(2), 0);
        QCOMPARE(show(m_page->actions().steps()), show(Steps(macrofile::kMaxSteps, pressA)));
        auto *model = m_page->findChild<MacroActionModel *>();
        model->setSteps(Steps(macrofile::kMaxSteps - 1, pressA));
        model->insertSteps(0, {releaseA, delay(1)});
        QCOMPARE(show(m_page->actions().steps()),
                 show(Steps{releaseA} + Steps(macrofile::kMaxSteps - 1, pressA)));
    }

    // EDIT gives the selected key row the next key typed, keeping its kind; SAVE ends editing.
    void editKeyChangesOnlyUsage() {
        record({{kA, kPress, 0}, {kA, kRelease, 10}}, 0);
        m_page->SelectRow(1);
        button(*m_page, "rowEdit")->click();
        QVERIFY(m_page->editingKey());
        m_page->EditKey(kB, 0);
        button(*m_page, "saveButton")->click();
        QVERIFY(!m_page->editingKey());
        QCOMPARE(show(saved()), show(Steps({pressA, {0x04, 0, 0x05}})));
    }

    // A move's distance typed anew: the field emptied, 0, then the new number. A row of distance 0 would
    // hold no direction (it reads as a move right), so the row keeps its direction throughout, and the
    // saved macro holds the new distance in the old direction; a field left empty keeps the old row.
    void retypedMoveKeepsDirection() {
        setDelayMode(0);
        m_page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_page.get()));
        auto *tree = m_page->findChild<VelTreeWidget *>();
        auto *value = m_page->findChild<VelLineEdit *>("rowValueEdit");
        // The tree's move entries: left, right, up, down; the rows a move of 5 and then of 7 are.
        const std::tuple<int, MacroStep, MacroStep> rows[] = {{0, {0x02, 0, 251}, {0x02, 0, 249}},
                                                              {1, {0x02, 0, 5}, {0x02, 0, 7}},
                                                              {2, {0x02, 251, 0}, {0x02, 249, 0}},
                                                              {3, {0x02, 5, 0}, {0x02, 7, 0}}};
        for (const auto &[entry, five, seven] : rows) {
            const QString direction = QString("direction %1: ").arg(entry);
            for (const bool retyped : {true, false}) {
                button(*m_page, "rowClear")->click();
                tree->moveItem(entry)->setDistance(5);
                emit tree->moveItem(entry)->VelMousePressed();
                QCOMPARE(direction + show(m_page->actions().steps()), direction + show({five}));
                value->setFocus();
                value->selectAll();
                QTest::keyClick(value, Qt::Key_Backspace);
                QCOMPARE(direction + show(m_page->actions().steps()), direction + show({five}));
                QTest::keyClick(value, Qt::Key_0);
                QCOMPARE(direction + show(m_page->actions().steps()), direction + show({five}));
                QTest::keyClick(value, Qt::Key_Backspace);
                if (retyped)
                    QTest::keyClicks(value, "7");
                // Leaving the field shows the row's distance again.
                value->clearFocus();
                QCOMPARE(value->text(), retyped ? QString("7") : QString("5"));
                button(*m_page, "saveButton")->click();
                QCOMPARE(direction + show(saved()), direction + show({retyped ? seven : five}));
            }
        }
    }

    // DELETE of a macro that buttons play asks first, naming the profiles; "No" keeps everything, "Yes"
    // deletes it and gives those buttons their defaults. CHANGE NAME takes the buttons along. Either way the
    // window is told to show the working configuration again.
    void deleteAndRenameFollowedByButtons() {
        VelMessageBox::takeShownMessages();
        ProfileData factory;
        profile::makeFactoryProfile(factory);
        ProfileData raid = factory;
        raid.buttons[2].function = 200;
        raid.buttons[2].macroName = "Macro 1";
        QVERIFY(config::storeProfileList({"Profile 1", "Raid"}));
        QCOMPARE(profile::saveProfileByName(raid, "Raid"), FileResult::Ok);
        AppConfigStore::instance().working().profileNames[0] = "Raid";
        ProfileData &working = AppConfigStore::instance().working().profile;
        working = raid;
        int changes = 0;
        connect(m_page.get(), &ConfigPage::WorkingConfigChanged, this, [&changes] { ++changes; });

        m_page->findChild<VelLineEdit *>("macroNameEdit")->setText("Burst");
        button(*m_page, "changeNameButton")->click();
        QCOMPARE(working.buttons[2].macroName, QString("Burst"));
        QCOMPARE(changes, 1);

        VelMessageBox::setNextAnswers({QDialog::Rejected});
        button(*m_page, "deleteMacroButton")->click();
        QCOMPARE(VelMessageBox::takeShownMessages(),
                 QStringList{"Buttons play the macro \"Burst\" in these profiles: Raid. Delete it, and give "
                             "those buttons their default functions?"});
        QVERIFY(config::listMacros() == QStringList{"Burst"} && working.buttons[2].macroName == "Burst");
        QCOMPARE(changes, 1);

        VelMessageBox::setNextAnswers({QDialog::Accepted});
        button(*m_page, "deleteMacroButton")->click();
        QCOMPARE(VelMessageBox::takeShownMessages().size(), 1);
        QVERIFY(config::listMacros().isEmpty() && working.buttons[2] == factory.buttons[2]);
        ProfileData stored;
        QCOMPARE(profile::loadProfileByName(stored, "Raid"), FileResult::Ok);
        QVERIFY(stored.buttons[2] == factory.buttons[2]);
        QCOMPARE(changes, 2);

        // A macro no button plays goes without a question.
        button(*m_page, "newMacroButton")->click();
        button(*m_page, "deleteMacroButton")->click();
        QVERIFY(VelMessageBox::takeShownMessages().isEmpty() && config::listMacros().isEmpty());
        AppConfigStore::instance().working() = AppConfig();
    }

    // A macro exported and imported again under a taken name is refused; in batch mode the ticked macros are
    // exported into a folder.
    void importAndExport() {
        record({{kA, kPress, 0}, {kA, kRelease, 10}}, 0);
        const QString path = m_tree->file("Macro 1.MSMACRO");
        VelFileDialog::setNextAnswers({path, path});
        button(*m_page, "exportButton")->click();
        QVERIFY(QFileInfo::exists(path));
        button(*m_page, "importButton")->click();
        QCOMPARE(m_messages, QStringList({"Macro Exist!"}));
        button(*m_page, "newMacroButton")->click();
        button(*m_page, "batchButton")->click();
        auto *list = m_page->findChild<QListWidget *>("macroList");
        QCOMPARE(list->count(), 2);
        list->itemWidget(list->item(1))->findChild<QCheckBox *>("batchBox")->setChecked(true);
        QVERIFY(QDir().mkpath(m_tree->file("out")));
        VelFileDialog::setNextAnswers({m_tree->file("out")});
        button(*m_page, "exportButton")->click();
        QCOMPARE(QDir(m_tree->file("out")).entryList(QDir::Files), QStringList({"Macro 2.MSMACRO"}));
    }

    void gunSteps() {
        const Steps pullDown = {leftUp, leftDown, {0x02, 3, 0}, {0x06, 0, 10}};
        const std::pair<QVector<GunBullet>, Steps> rows[] = {
            {QVector<GunBullet>(5, {100, 3, 0}), pullDown + pullDown + pullDown + pullDown + pullDown},
            {{{100, 0, 0}}, {leftUp, leftDown, {0x06, 0, 10}}},
            {{{30, -5, 7}}, {leftUp, leftDown, {0x02, 251, 0}, {0x02, 0, 7}, {0x06, 0, 3}}},
            {{{999, 0, -100}}, {leftUp, leftDown, {0x02, 0, 156}, {0x06, 0, 99}}},
            {{{5000, 0, 0}}, {leftUp, leftDown, {0x06, 0x01, 0xf4}}},
            {{{0, 0, 0}, {9, 0, 0}}, {leftUp, leftDown, leftUp, leftDown, {0x06, 0, 0}}},
        };
        for (const auto &[bullets, expected] : rows)
            QCOMPARE(show(::gunSteps(bullets)), show(expected));
    }

    // Two bullets chosen in the menu: two rows shown and marked, and Ok yields their steps only; Ok without
    // a name (or only blanks) shows the message and leaves the dialog open.
    void gunsetChosenBullets() {
        VelGunsetDialog dialog(1.0);
        const QList<QAction *> entries = dialog.findChild<QToolButton *>("bulletsButton")->menu()->actions();
        entries[1]->trigger();
        for (int row = 0; row < VelGunsetDialog::kMaxBullets; ++row) {
            const bool shown = row < 2;
            QCOMPARE(dialog.findChild<QSpinBox *>(QString("delayBox%1").arg(row))->isVisibleTo(&dialog),
                     shown);
            QCOMPARE(!entries[row]->icon().isNull(), row == 1);
        }
        dialog.show();
        dialog.findChild<QLineEdit *>("nameEdit")->setText("   ");
        VelMessageBox::setNextAnswers({QDialog::Accepted});
        QTest::mouseClick(dialog.findChild<QToolButton *>("msgBoxYesBtn"), Qt::LeftButton);
        QCOMPARE(VelMessageBox::takeShownMessages(), QStringList{"Please input file name."});
        QVERIFY(dialog.isVisible() && dialog.result() != QDialog::Accepted);
        dialog.findChild<QLineEdit *>("nameEdit")->setText("Burst");
        // The last one is in a hidden row and adds nothing.
        const std::pair<const char *, int> values[] = {
            {"delayBox0", 250}, {"horizontalBox0", 2}, {"verticalBox1", -4}, {"verticalBox2", 9}};
        for (const auto &[name, value] : values)
            dialog.findChild<QSpinBox *>(name)->setValue(value);
        saveShot(&dialog, "gunset_dialog");
        dialog.OnYesClick();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(
            dialog.fileName() + ": " + show(dialog.steps()),
            QString("Burst: 01 00 01, 81 00 01, 02 00 02, 06 00 19, 01 00 01, 81 00 01, 02 fc 00, 06 00 0a"));
    }

    // GUN SET writes the dialog's steps as a new macro with recorded delays; a taken name gets "_2", and at
    // fifty macros neither the dialog opens nor NEW makes a macro.
    void gunSetFlow() {
        for (const QString &expected : {QString("Burst"), QString("Burst_2")}) {
            QTimer::singleShot(0, [] {
                auto *dialog = qobject_cast<VelGunsetDialog *>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                dialog->findChild<QLineEdit *>("nameEdit")->setText("Burst");
                dialog->OnYesClick();
            });
            button(*m_page, "gunSetButton")->click();
            QCOMPARE(m_page->currentMacro(), expected);
            MacroData macro;
            QVERIFY(macrofile::loadMacro(expected, macro) == FileResult::Ok);
            QCOMPARE(QString::asprintf("%d %d %d %d %d", macro.delayType, macro.defaultDelay, macro.loopType,
                                       macro.loopTime, int(macro.steps.size())),
                     QString("1 10 0 1 15"));
        }
        for (int i = 3; i < config::kMacroSlots; ++i)
            QVERIFY(config::addMacroName(QString("Other %1").arg(i)));
        m_page->refresh();
        button(*m_page, "gunSetButton")->click();
        button(*m_page, "newMacroButton")->click();
        QCOMPARE(m_messages, (QStringList{"TOO MANY MACROS TO BE CREATE!", "TOO MANY MACROS TO BE CREATE!"}));
        QCOMPARE(config::listMacros().size(), config::kMacroSlots);
    }
};

QTEST_MAIN(TestMacroPage)
#include "test_macro_page.moc"
