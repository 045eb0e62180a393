// The macro page's action list: recording, inserting and editing rows.
#include "keys/key_tables.h"
#include "macro/macro_action_model.h"
#include "macro/macro_dialog.h"
#include "macro/macro_edit.h"
#include "macro/macro_log.h"
#include "macro/vel_tree_item.h"
#include "macro/vel_tree_widget.h"
#include "platform/input_hook.h"
#include "widgets/vel_label.h"
#include "widgets/vel_line_edit.h"
#include "widgets/vel_push_button.h"

#include <QCheckBox>
#include <QCursor>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QTableView>

namespace {
// The pause the inserting tools put after a row in the recorded-delays mode.
constexpr int kInsertedDelayMs = 10;
} // namespace

// ---- Delay mode and loops ----

void MacroDialog::onDelayBoxClicked(QCheckBox *box) {
    QCheckBox *other = box == m_recordDelaysBox ? m_defaultDelayBox : m_recordDelaysBox;
    if (box->isChecked())
        other->setChecked(false);
    const int mode = !box->isChecked()          ? MacroRecorder::kNoDelays
                     : box == m_recordDelaysBox ? MacroRecorder::kRecordedDelays
                                                : MacroRecorder::kDefaultDelays;
    m_recorder.setDelayMode(mode);
}

void MacroDialog::onLoopBoxClicked(int mode) {
    for (int other = 0; other < kLoopModeCount; ++other) {
        if (other != mode)
            m_loopBoxes[other]->setChecked(false);
    }
}

void MacroDialog::DefDelayChanged(const QString &text) {
    qCDebug(lcMacro, "%s", qPrintable(text));
    m_recorder.setDefaultDelay(text.toInt());
}

void MacroDialog::LoopTimeChanged(const QString &text) {
    qCDebug(lcMacro, "%s", qPrintable(text));
}

// ---- Selection ----

int MacroDialog::rowAfterCurrent() const {
    return currentRow() < 0 ? m_model->rowCount() : currentRow() + 1;
}

int MacroDialog::currentRow() const {
    const QModelIndex current = m_table->currentIndex();
    return current.isValid() ? current.row() : -1;
}

QVector<int> MacroDialog::selectedRows() const {
    QVector<int> rows;
    for (const QModelIndex &index : m_table->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    if (rows.isEmpty() && currentRow() >= 0)
        rows << currentRow();
    return rows;
}

void MacroDialog::SelectRow(int row) {
    if (row < 0 || row >= m_model->rowCount()) {
        m_table->clearSelection();
        m_table->setCurrentIndex(QModelIndex());
        showRowEditor(-1);
        return;
    }
    const QModelIndex index = m_model->index(row, MacroActionModel::kMap);
    m_table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                          QItemSelectionModel::Rows);
    m_table->scrollTo(index);
}

void MacroDialog::CurrentChanged(const QModelIndex &current, const QModelIndex &) {
    showRowEditor(current.isValid() ? current.row() : -1);
}

void MacroDialog::showRowEditor(int row) {
    const MacroStep step = m_model->step(row);
    const bool valid = row >= 0 && row < m_model->rowCount();
    QString title, name, value;
    if (valid && step.isKey()) {
        title = tr("KEY");
        const std::optional<KeyCode> code = HidToKeyCode(step.low);
        name = code ? KeyName(*code) : QString();
    } else if (valid && step.isMouseButton()) {
        title = tr("MOUSE");
        name = VelTreeWidget::buttonName(step.low);
    } else if (valid && step.isMove()) {
        title = tr("MOVEMENT");
        value = QString::number(macroedit::moveDistance(step));
    } else if (valid && step.isDelay()) {
        title = tr("DELAY");
        value = QString::number(step.delayMilliseconds(m_minDelay));
    }
    m_rowTitle->setText(title);
    m_rowValueEdit->setToolTip(valid && step.isMove() ? tr("DISTANCE") : tr("DELAY(ms)"));
    m_rowName->setText(name);
    m_rowName->setVisible(value.isEmpty());
    m_rowValueEdit->setVisible(!value.isEmpty());
    if (m_rowValueEdit->text() != value)
        m_rowValueEdit->setText(value);
}

// ---- Inserting rows ----

void MacroDialog::insertRows(const QVector<MacroStep> &rows) {
    if (m_current.isEmpty() || rows.isEmpty())
        return;
    QVector<MacroStep> inserted;
    for (const MacroStep &row : rows) {
        inserted << row;
        if (m_recorder.delayMode() == MacroRecorder::kRecordedDelays)
            inserted << MacroRecorder::delayStep(kInsertedDelayMs, m_minDelay);
        else if (m_recorder.delayMode() == MacroRecorder::kDefaultDelays)
            inserted << MacroRecorder::delayStep(defaultDelay(), m_minDelay);
    }
    const int at = rowAfterCurrent();
    m_model->insertSteps(at, inserted);
    SelectRow(at + inserted.size() - 1);
}

void MacroDialog::insertDelay() {
    if (m_current.isEmpty())
        return;
    const int ms =
        m_recorder.delayMode() == MacroRecorder::kDefaultDelays ? defaultDelay() : kInsertedDelayMs;
    const int at = rowAfterCurrent();
    m_model->insertSteps(at, {MacroRecorder::delayStep(ms, m_minDelay)});
    SelectRow(at);
}

void MacroDialog::insertMouseAction(int action) {
    if (action < VelTreeWidget::kButtonCount) {
        const uint8_t bit = VelTreeWidget::buttonBitAt(action);
        insertRows({{MacroStep::kMousePress, 0, bit}, {MacroStep::kMouseRelease, 0, bit}});
        return;
    }
    const int move = action - VelTreeWidget::kButtonCount;
    insertRows({macroedit::moveStep(VelTreeWidget::directionAt(move), m_tree->moveItem(move)->distance())});
}

void MacroDialog::TreeitemClick(QTreeWidgetItem *item, int) {
    const uint8_t bit = uint8_t(VelTreeWidget::buttonBit(item));
    if (!item || bit == 0)
        return;
    if (item->parent()) {
        // "PRESS DOWN" is the first child, "BOUNCE UP" the second.
        const bool press = item->parent()->indexOfChild(item) == 0;
        insertRows({{press ? MacroStep::kMousePress : MacroStep::kMouseRelease, 0, bit}});
        return;
    }
    if (!item->isExpanded()) {
        // The first click opens the button's entries and closes the others'.
        for (int i = 0; i < VelTreeWidget::kButtonCount; ++i)
            m_tree->buttonItem(i)->setExpanded(m_tree->buttonItem(i) == item);
        return;
    }
    insertRows({{MacroStep::kMousePress, 0, bit}, {MacroStep::kMouseRelease, 0, bit}});
}

// ---- Editing rows ----

void MacroDialog::EditDelayChanged(const QString &text) {
    const int row = currentRow();
    if (m_model->step(row).isDelay() && row >= 0)
        m_model->setStep(row, MacroRecorder::delayStep(text.toInt(), m_minDelay));
}

void MacroDialog::EditMoveChanged(const QString &text) {
    const int row = currentRow();
    const int distance = qMin(text.toInt(), int(MacroStep::kMaxMove));
    // A move row holds its direction only in which of its parts is not zero: a distance of 0 would turn
    // every move into one to the right. While the field is emptied or 0 to be typed anew, the row keeps
    // its direction and last distance.
    if (m_model->step(row).isMove() && row >= 0 && distance > 0)
        m_model->setStep(row, macroedit::withDistance(m_model->step(row), distance));
}

void MacroDialog::deleteRow() {
    const QVector<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    for (int i = rows.size() - 1; i >= 0; --i)
        m_model->removeSteps(rows[i], 1);
    SelectRow(qMin(rows.first(), m_model->rowCount() - 1));
}

void MacroDialog::moveRowUp() {
    const int row = currentRow();
    if (m_model->moveStep(row, row - 1))
        SelectRow(row - 1);
}

void MacroDialog::moveRowDown() {
    const int row = currentRow();
    if (m_model->moveStep(row, row + 1))
        SelectRow(row + 1);
}

void MacroDialog::moveRowToTop() {
    if (m_model->moveStep(currentRow(), 0))
        SelectRow(0);
}

void MacroDialog::moveRowToBottom() {
    const int last = m_model->rowCount() - 1;
    if (m_model->moveStep(currentRow(), last))
        SelectRow(last);
}

void MacroDialog::clearRows() {
    m_model->setSteps({});
    showRowEditor(-1);
}

void MacroDialog::copyRows() {
    m_clipboard.clear();
    for (int row : selectedRows())
        m_clipboard << m_model->step(row);
}

void MacroDialog::cutRows() {
    copyRows();
    deleteRow();
}

void MacroDialog::pasteRows() {
    if (m_current.isEmpty() || m_clipboard.isEmpty())
        return;
    const int at = rowAfterCurrent();
    m_model->insertSteps(at, m_clipboard);
    SelectRow(at + m_clipboard.size() - 1);
}

void MacroDialog::editRowKey() {
    // Only a key row takes a key: a delay or a move keeps its own value.
    if (!m_model->step(currentRow()).isKey() || !startHook(false))
        return;
    m_editKey = true;
    m_editCode = -1;
    m_editFlags = -1;
    setControlsEnabled(false);
}

void MacroDialog::EditKey(int code, int flags) {
    const int row = currentRow();
    if (!m_editKey || row < 0 || (code == m_editCode && flags == m_editFlags))
        return;
    m_editCode = code;
    m_editFlags = flags;
    MacroStep step = m_model->step(row);
    step.low = KeyCodeToHid(static_cast<KeyCode>(code)).value_or(0);
    m_model->setStep(row, step);
    m_rowName->setText(KeyName(static_cast<KeyCode>(code)));
}

void MacroDialog::endKeyEditing() {
    if (!m_editKey)
        return;
    m_editKey = false;
    stopHook();
    setControlsEnabled(true);
}

// ---- Recording ----

void MacroDialog::startRecording() {
    if (m_current.isEmpty() || m_recording)
        return;
    m_recorder.start();
    m_recording = true;
    m_startButton->hide();
    m_stopButton->show();
    if (m_recordAfterButton->isChecked()) {
        m_insertAt = rowAfterCurrent();
    } else {
        m_model->setSteps({});
        m_insertAt = 0;
    }
    setControlsEnabled(false);
    startHook(true);
}

void MacroDialog::stopRecording() {
    if (!m_recording)
        return;
    m_recording = false;
    stopHook();
    m_stopButton->hide();
    m_startButton->show();
    setControlsEnabled(true);
    if (!macroedit::allReleased(m_model->steps()))
        emit ShowMessage(tr("ONE OR MORE KEYS HAS NOT BEEN RELEASED."));
    storeMacro();
}

void MacroDialog::handleMouseHookEvent(int keyCode, int upDownCode) {
    if (!m_editKey)
        OnHookKey(keyCode, upDownCode);
}

void MacroDialog::OnHookKey(int code, int flags) {
    if (!m_recording)
        return;
    // The click that stops recording is not part of the macro.
    if (code == MacroRecorder::kLeftButtonCode && m_stopButton->isVisible() &&
        (m_stopButton->underMouse() ||
         m_stopButton->rect().contains(m_stopButton->mapFromGlobal(QCursor::pos()))))
        return;
    QVector<MacroStep> rows = m_model->steps();
    const MacroRecorder::Outcome outcome = m_recorder.record(code, flags, rows, m_insertAt);
    if (outcome == MacroRecorder::Outcome::Full) {
        stopRecording();
        return;
    }
    if (outcome == MacroRecorder::Outcome::Recorded) {
        m_model->setSteps(rows);
        SelectRow(m_insertAt - 1);
    }
}

void MacroDialog::setControlsEnabled(bool enabled) {
    for (QWidget *widget : findChildren<QWidget *>()) {
        if (widget->parentWidget() != this)
            continue;
        if (auto *button = qobject_cast<VelPushButton *>(widget))
            button->setEnabled(enabled);
        else
            widget->setEnabled(enabled);
    }
    // What ends the recording or the key editing stays usable.
    m_stopButton->setEnabled(true);
    if (m_editKey) {
        m_saveButton->setEnabled(true);
        m_cancelButton->setEnabled(true);
    }
    for (VelPushButton *tool : m_rowTools)
        tool->setEnabled(enabled && !m_batch);
    emit EnableButtonsSignal(enabled);
}

bool MacroDialog::startHook(bool withMouse) {
    if (!m_hook) {
        m_hook = createInputHook(nullptr);
        m_hook->setParent(this);
        connect(m_hook, &InputHook::keyEvent, this, [this](int scanCode, int flags) {
            const int code = RemapRecordedScanCode(uint32_t(scanCode), uint32_t(flags));
            if (m_editKey)
                EditKey(code, flags);
            else
                OnHookKey(code, flags);
        });
        connect(m_hook, &InputHook::mouseButtonEvent, this, &MacroDialog::mouseHooked);
        connect(this, &MacroDialog::mouseHooked, this, &MacroDialog::handleMouseHookEvent);
    }
    const bool started = m_hook->start(InputHook::Mode::PassOn, withMouse);
    m_captureNote->setVisible(!started || !m_hook->systemWide());
    qCDebug(lcMacro, "Input capture %s.", started ? "started" : "failed");
    return started;
}

void MacroDialog::stopHook() {
    if (m_hook)
        m_hook->stop();
}
