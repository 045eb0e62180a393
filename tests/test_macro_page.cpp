#include "gunset/gun_steps.h"
#include "gunset/vel_gunset_dialog.h"
#include "macro/macro_action_model.h"
#include "macro/macro_dialog.h"
#include "macro/macro_editor.h"
#include "macro/macro_recorder.h"
#include "macro/vel_list_item.h"
#include "macro/vel_tree_item.h"
#include "macro/vel_tree_widget.h"
#include "storage/config_file.h"
#include "storage/factory_profile.h"
#include "storage/macro_data.h"
#include "storage/macro_file.h"
#include "storage/profile_file.h"
#include "support/step_text.h"
#include "support/test_tree.h"
#include "widgets/vel_file_dialog.h"
#include "widgets/vel_label.h"
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

MacroStep delay(int count) {
    return MacroStep::delay(count);
}

VelPushButton *button(const QWidget &page, const char *name) {
    return page.findChild<VelPushButton *>(name);
}
} // namespace

// The MACRO page over its editor and catalog: what it forwards and shows, with a clock the test moves; the
// macro list's dialogs and the gun set.
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
            m_page->editor().record(code, flags);
        }
        button(*m_page, "stopButton")->click();
    }
    Steps steps() const { return m_page->editor().model()->steps(); }
    Steps saved() const {
        MacroData macro;
        [&] { QCOMPARE(macrofile::loadMacro(m_page->currentMacro(), macro), FileResult::Ok); }();
        return macro.steps;
    }
    int current() const { return m_page->findChild<QTableView *>()->currentIndex().row(); }

private slots:
    void init() { openPage(); }
    void cleanup() { VelMessageBox::setNextAnswers({}); }

    // START puts STOP in its place and locks the window; the delay boxes choose the editor's mode, one at a
    // time. With RECORD AFTER a key goes after the selected row and a left click on STOP is left out; the key
    // still held at STOP is reported and the macro saved.
    void recordingAndKeyEditingThroughThePage() {
        setDelayMode(2);
        QVERIFY(!m_page->findChild<QCheckBox *>("recordDelaysBox")->isChecked() &&
                m_page->editor().delayMode() == 2);
        record({{kA, kPress, 0}, {kA, kRelease, 50}}, 1);
        m_page->SelectRow(0);
        button(*m_page, "recordAfterButton")->setChecked(true);
        QSignalSpy locks(m_page.get(), &ConfigPage::EnableButtonsSignal);
        VelPushButton *stop = button(*m_page, "stopButton");
        button(*m_page, "startButton")->click();
        QVERIFY(stop->isVisible() && !button(*m_page, "startButton")->isVisible());
        QVERIFY(!button(*m_page, "rowDelete")->isEnabled() && stop->isEnabled());
        m_now += 20;
        m_page->editor().record(kB, kPress);
        QCursor::setPos(stop->mapToGlobal(stop->rect().center()));
        m_page->editor().record(kLeft, 1);
        stop->click();
        QCOMPARE(stepText(saved()), stepText(Steps({pressA, pressB, delay(5), releaseA})));
        QCOMPARE(current(), 1);
        QVERIFY(locks.size() == 2 && !locks[0][0].toBool() && locks[1][0].toBool());
        QVERIFY(!stop->isVisible() && button(*m_page, "rowDelete")->isEnabled());
        QCOMPARE(m_messages, QStringList({"ONE OR MORE KEYS HAS NOT BEEN RELEASED."}));
        // EDIT gives the selected key row the next key typed, showing its name; SAVE ends editing and writes
        // it.
        m_page->SelectRow(3);
        button(*m_page, "rowEdit")->click();
        QVERIFY(m_page->editor().editingKey() && button(*m_page, "saveButton")->isEnabled());
        m_page->editor().editKey(kB, 0);
        const QList<VelLabel *> labels = m_page->findChildren<VelLabel *>();
        QVERIFY(
            std::any_of(labels.begin(), labels.end(), [](VelLabel *label) { return label->text() == "B"; }));
        button(*m_page, "saveButton")->click();
        QVERIFY(!m_page->editor().editingKey());
        QCOMPARE(stepText(saved()), stepText(Steps({pressA, pressB, delay(5), {0x04, 0, 0x05}})));
    }

    // Each row tool reaches the editor, on A press, a 50 ms delay, A release.
    void rowTools() {
        const Steps start{pressA, delay(5), releaseA};
        const struct {
            const char *tool;
            int row;
            Steps steps;
        } rows[] = {
            {"rowUp", 2, {pressA, releaseA, delay(5)}},  {"rowDown", 0, {delay(5), pressA, releaseA}},
            {"rowTop", 2, {releaseA, pressA, delay(5)}}, {"rowBottom", 0, {delay(5), releaseA, pressA}},
            {"rowDelete", 2, {pressA, delay(5)}},        {"rowClear", 1, {}},
        };
        for (const auto &row : rows) {
            m_page->findChild<MacroActionModel *>()->setSteps(start);
            m_page->SelectRow(row.row);
            button(*m_page, row.tool)->click();
            QCOMPARE(row.tool + stepText(steps()), row.tool + stepText(row.steps));
        }
        m_page->findChild<MacroActionModel *>()->setSteps(start);
        const std::pair<const char *, int> clipboard[] = {{"rowCopy", 0}, {"rowCut", 0}, {"rowPaste", 1}};
        for (const auto &[tool, row] : clipboard) {
            m_page->SelectRow(row);
            button(*m_page, tool)->click();
        }
        QCOMPARE(stepText(steps()), stepText(Steps({delay(5), releaseA, pressA})));
    }

    // The tree's moves (left, right, up, down) insert a move of their field's distance, its buttons a click
    // once opened and a press from their first entry; INSERT DELAY a delay. The row panel edits the current
    // row.
    void insertedAndEditedRows() {
        setDelayMode(0);
        m_page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_page.get()));
        auto *tree = m_page->findChild<VelTreeWidget *>();
        auto *value = m_page->findChild<VelLineEdit *>("rowValueEdit");
        const MacroStep fives[] = {{0x02, 0, 251}, {0x02, 0, 5}, {0x02, 251, 0}, {0x02, 5, 0}};
        for (int entry = 0; entry < VelTreeWidget::kMoveCount; ++entry) {
            button(*m_page, "rowClear")->click();
            tree->moveItem(entry)->setDistance(5);
            emit tree->moveItem(entry)->VelMousePressed();
            QCOMPARE(stepText(steps()), stepText({fives[entry]}));
        }
        // Emptied, the field leaves the row as it is and shows its distance again once left.
        value->setFocus();
        value->selectAll();
        QTest::keyClick(value, Qt::Key_Backspace);
        value->clearFocus();
        QCOMPARE(value->text(), QString("5"));
        value->selectAll();
        QTest::keyClicks(value, "7");
        QCOMPARE(stepText(steps()), stepText(Steps({{0x02, 7, 0}})));
        QTreeWidgetItem *right = tree->buttonItem(2);
        for (QTreeWidgetItem *item : {right, right, right->child(0)})
            m_page->TreeitemClick(item, 0);
        QCOMPARE(stepText(steps().mid(1)), stepText(Steps({{0x81, 0, 2}, {0x01, 0, 2}, {0x81, 0, 2}})));
        button(*m_page, "insertDelayButton")->click();
        QCOMPARE(steps().constLast(), delay(1));
        value->setText("120");
        emit value->textEdited("120");
        QCOMPARE(steps().constLast(), delay(12));
        saveShot(m_page.get(), "macro_page");
    }

    // DELETE of a macro that buttons play asks first, naming the profiles; "No" keeps it, "Yes" deletes it. A
    // macro no button plays goes without a question. CHANGE NAME shows the new name. Renaming and deleting
    // change the buttons, and the window is told to show the working configuration again.
    void deleteAndRenameFollowedByButtons() {
        VelMessageBox::takeShownMessages();
        ProfileData raid;
        profile::makeFactoryProfile(raid);
        raid.buttons[2].function = 200;
        raid.buttons[2].macroName = "Macro 1";
        QVERIFY(config::storeProfileList({"Profile 1", "Raid"}));
        QCOMPARE(profile::saveProfileByName(raid, "Raid"), FileResult::Ok);
        QSignalSpy changes(m_page.get(), &ConfigPage::WorkingConfigChanged);
        m_page->findChild<VelLineEdit *>("macroNameEdit")->setText("Burst");
        button(*m_page, "changeNameButton")->click();
        QCOMPARE(m_page->findChild<VelListItem *>()->name(), QString("Burst"));
        for (const auto answer : {QDialog::Rejected, QDialog::Accepted}) {
            VelMessageBox::setNextAnswers({answer});
            button(*m_page, "deleteMacroButton")->click();
            QCOMPARE(
                VelMessageBox::takeShownMessages(),
                QStringList{"Buttons play the macro \"Burst\" in these profiles: Raid. Delete it, and give "
                            "those buttons their default functions?"});
            QCOMPARE(config::listMacros().size(), answer == QDialog::Rejected ? 1 : 0);
        }
        QCOMPARE(changes.size(), 2);
        button(*m_page, "newMacroButton")->click();
        button(*m_page, "deleteMacroButton")->click();
        QVERIFY(VelMessageBox::takeShownMessages().isEmpty() && config::listMacros().isEmpty());
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
            QCOMPARE(stepText(::gunSteps(bullets)), stepText(expected));
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
            dialog.fileName() + ": " + stepText(dialog.steps()),
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
