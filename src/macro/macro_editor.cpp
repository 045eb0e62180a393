#include "macro/macro_editor.h"

#include "keys/key_tables.h"
#include "macro/macro_action_model.h"
#include "macro/macro_edit.h"
#include "macro/macro_log.h"
#include "platform/input_hook.h"
#include "storage/macro_data.h"
#include "storage/macro_file.h"

#include <QItemSelectionModel>

namespace {
// The pause the inserting tools put after a row in the recorded-delays mode, and INSERT DELAY's outside
// the default-delay mode.
constexpr int kInsertedDelayMs = 10;
} // namespace

MacroEditor::MacroEditor(int minDelay, MacroRecorder::Clock clock, CaptureFactory makeCapture,
                         QObject *parent)
    : QObject(parent), m_recorder(minDelay, std::move(clock)), m_makeCapture(std::move(makeCapture)),
      m_model(new MacroActionModel(this)), m_selection(new QItemSelectionModel(m_model, this)) {}

MacroEditor::~MacroEditor() {
    stopCapture();
}

// ---- The open macro ----

void MacroEditor::open(const QString &name) {
    MacroData macro;
    // A listed macro whose file is gone shows empty, so that the user can record it anew or delete it.
    (void)macrofile::loadMacro(name, macro);
    m_name = name;
    setDefaultDelay(macro.defaultDelay);
    setDelayMode(macro.delayType <= MacroRecorder::kDefaultDelays ? macro.delayType : 0);
    // A loop type the page has no button for is saved as none.
    m_loopType = macro.loopType >= 1 && macro.loopType <= 3 ? macro.loopType : 0;
    m_loopTime = macro.loopTime;
    m_model->setSteps(macro.steps);
    selectRow(0);
    emit opened();
}

void MacroEditor::close() {
    m_name.clear();
    m_model->setSteps({});
    selectRow(-1);
}

void MacroEditor::saveEdits() {
    endKeyEditing();
    // A failed write is reported with saved(false).
    (void)save();
}

void MacroEditor::revertEdits() {
    endKeyEditing();
    if (!m_name.isEmpty())
        open(m_name);
}

bool MacroEditor::save() {
    if (m_name.isEmpty())
        return false;
    MacroData macro;
    macro.name = m_name;
    macro.defaultDelay = defaultDelay();
    macro.delayType = uint8_t(delayMode());
    macro.loopType = m_loopType;
    m_loopTime = qBound(1, m_loopTime, kMaxLoops);
    macro.loopTime = m_loopTime;
    macro.steps = m_model->steps();
    const bool written = macrofile::saveMacro(macro) == FileResult::Ok;
    emit saved(written);
    return written;
}

// ---- Selection ----

int MacroEditor::currentRow() const {
    const QModelIndex current = m_selection->currentIndex();
    return current.isValid() ? current.row() : -1;
}

int MacroEditor::rowAfterCurrent() const {
    return currentRow() < 0 ? m_model->rowCount() : currentRow() + 1;
}

QVector<int> MacroEditor::selectedRows() const {
    QVector<int> rows;
    for (const QModelIndex &index : m_selection->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    if (rows.isEmpty() && currentRow() >= 0)
        rows << currentRow();
    return rows;
}

void MacroEditor::selectRow(int row) {
    if (row < 0 || row >= m_model->rowCount()) {
        m_selection->clearSelection();
        m_selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        emit rowSelected(-1);
        return;
    }
    m_selection->setCurrentIndex(m_model->index(row, MacroActionModel::kMap),
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    emit rowSelected(row);
}

// ---- Rows ----

void MacroEditor::insertAfterCurrent(const QVector<MacroStep> &rows) {
    const int at = rowAfterCurrent();
    m_model->insertSteps(at, rows);
    selectRow(at + rows.size() - 1);
}

void MacroEditor::insertRows(const QVector<MacroStep> &rows) {
    if (m_name.isEmpty() || rows.isEmpty())
        return;
    QVector<MacroStep> inserted;
    for (const MacroStep &row : rows) {
        inserted << row;
        if (delayMode() == MacroRecorder::kRecordedDelays)
            inserted << MacroRecorder::delayStep(kInsertedDelayMs, minDelay());
        else if (delayMode() == MacroRecorder::kDefaultDelays)
            inserted << MacroRecorder::delayStep(defaultDelay(), minDelay());
    }
    insertAfterCurrent(inserted);
}

void MacroEditor::insertDelay() {
    if (m_name.isEmpty())
        return;
    const int ms = delayMode() == MacroRecorder::kDefaultDelays ? defaultDelay() : kInsertedDelayMs;
    insertAfterCurrent({MacroRecorder::delayStep(ms, minDelay())});
}

void MacroEditor::setCurrentDelay(int milliseconds) {
    const int row = currentRow();
    if (row >= 0 && m_model->step(row).isDelay())
        m_model->setStep(row, MacroRecorder::delayStep(milliseconds, minDelay()));
}

void MacroEditor::setCurrentDistance(int distance) {
    const int row = currentRow();
    distance = qMin(distance, int(MacroStep::kMaxMove));
    // A move row holds its direction only in which of its parts is not zero: a distance of 0 would turn
    // every move into one to the right. While the page's field is emptied or 0 to be typed anew, the row
    // keeps its direction and last distance.
    if (row >= 0 && m_model->step(row).isMove() && distance > 0)
        m_model->setStep(row, macroedit::withDistance(m_model->step(row), distance));
}

void MacroEditor::deleteRows() {
    const QVector<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    for (int i = rows.size() - 1; i >= 0; --i)
        m_model->removeSteps(rows[i], 1);
    selectRow(qMin(rows.first(), m_model->rowCount() - 1));
}

void MacroEditor::moveCurrentRow(int to) {
    if (m_model->moveStep(currentRow(), to))
        selectRow(to);
}

void MacroEditor::moveRowUp() {
    moveCurrentRow(currentRow() - 1);
}

void MacroEditor::moveRowDown() {
    moveCurrentRow(currentRow() + 1);
}

void MacroEditor::moveRowToTop() {
    moveCurrentRow(0);
}

void MacroEditor::moveRowToBottom() {
    moveCurrentRow(m_model->rowCount() - 1);
}

void MacroEditor::clearRows() {
    m_model->setSteps({});
    selectRow(-1);
}

void MacroEditor::copyRows() {
    m_clipboard.clear();
    for (int row : selectedRows())
        m_clipboard << m_model->step(row);
}

void MacroEditor::cutRows() {
    copyRows();
    deleteRows();
}

void MacroEditor::pasteRows() {
    if (!m_name.isEmpty() && !m_clipboard.isEmpty())
        insertAfterCurrent(m_clipboard);
}

// ---- Recording ----

void MacroEditor::startRecording(bool after) {
    if (m_name.isEmpty() || m_recording || m_editingKey)
        return;
    m_recorder.start();
    m_recording = true;
    if (after) {
        m_insertAt = rowAfterCurrent();
    } else {
        m_model->setSteps({});
        m_insertAt = 0;
    }
    emit recordingChanged(true);
    // Without capture the recording still runs until STOP; the page tells what is captured.
    (void)startCapture(true);
}

void MacroEditor::stopRecording() {
    if (!m_recording)
        return;
    m_recording = false;
    stopCapture();
    emit recordingChanged(false);
    if (!macroedit::allReleased(m_model->steps()))
        emit keysLeftHeld();
    // A failed write is reported with saved(false).
    (void)save();
}

void MacroEditor::record(int code, int flags) {
    if (!m_recording)
        return;
    // The click that stops recording is not part of the macro.
    if (code == MacroRecorder::kLeftButtonCode && m_clickFilter && m_clickFilter())
        return;
    QVector<MacroStep> rows = m_model->steps();
    const MacroRecorder::Outcome outcome = m_recorder.record(code, flags, rows, m_insertAt);
    if (outcome == MacroRecorder::Outcome::Full) {
        stopRecording();
        return;
    }
    if (outcome == MacroRecorder::Outcome::Recorded) {
        m_model->setSteps(rows);
        selectRow(m_insertAt - 1);
    }
}

// ---- Key editing ----

void MacroEditor::startKeyEditing() {
    // A delay or a move keeps its own value.
    if (m_recording || m_editingKey || !m_model->step(currentRow()).isKey() || !startCapture(false))
        return;
    m_editingKey = true;
    m_editCode = -1;
    m_editFlags = -1;
    emit keyEditingChanged(true);
}

void MacroEditor::editKey(int code, int flags) {
    const int row = currentRow();
    // The press and the release of one key are one change.
    if (!m_editingKey || row < 0 || (code == m_editCode && flags == m_editFlags))
        return;
    m_editCode = code;
    m_editFlags = flags;
    MacroStep step = m_model->step(row);
    step.low = KeyCodeToHid(static_cast<KeyCode>(code)).value_or(0);
    m_model->setStep(row, step);
    emit keyEdited(code);
}

void MacroEditor::endKeyEditing() {
    if (!m_editingKey)
        return;
    m_editingKey = false;
    stopCapture();
    emit keyEditingChanged(false);
}

// ---- Capture ----

bool MacroEditor::startCapture(bool withMouse) {
    if (!m_capture) {
        m_capture = m_makeCapture();
        m_capture->setParent(this);
        connect(m_capture, &InputHook::keyEvent, this, [this](int scanCode, int flags) {
            const int code = RemapRecordedScanCode(uint32_t(scanCode), uint32_t(flags));
            if (m_editingKey)
                editKey(code, flags);
            else
                record(code, flags);
        });
        connect(m_capture, &InputHook::mouseButtonEvent, this, [this](int code, int upDown) {
            if (!m_editingKey)
                record(code, upDown);
        });
    }
    const bool started = m_capture->start(InputHook::Mode::PassOn, withMouse);
    emit captureStarted(started && m_capture->systemWide());
    qCDebug(lcMacro, "Input capture %s.", started ? "started" : "failed");
    return started;
}

void MacroEditor::stopCapture() {
    if (m_capture)
        m_capture->stop();
}
