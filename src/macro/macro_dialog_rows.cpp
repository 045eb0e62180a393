// The macro page's action list: what the editor holds shown in the table and the row panel, and the
// inserting and editing controls forwarded to it.
#include "keys/key_tables.h"
#include "macro/macro_action_model.h"
#include "macro/macro_dialog.h"
#include "macro/macro_edit.h"
#include "macro/macro_editor.h"
#include "macro/macro_log.h"
#include "macro/vel_tree_widget.h"
#include "storage/macro_list.h"
#include "widgets/vel_label.h"
#include "widgets/vel_line_edit.h"
#include "widgets/vel_push_button.h"

#include <QCheckBox>
#include <QCursor>
#include <QItemSelectionModel>
#include <QTableView>

void MacroDialog::connectEditor() {
    connect(m_editor->selection(), &QItemSelectionModel::currentChanged, this, &MacroDialog::CurrentChanged);
    connect(m_editor, &MacroEditor::rowSelected, this, [this](int row) {
        if (row < 0)
            showRowEditor(-1);
        else
            m_table->scrollTo(m_editor->model()->index(row, MacroActionModel::kMap));
    });
    connect(m_editor, &MacroEditor::opened, this, &MacroDialog::showMacro);
    connect(m_editor, &MacroEditor::recordingChanged, this, &MacroDialog::showRecording);
    connect(m_editor, &MacroEditor::keyEditingChanged, this,
            [this](bool editing) { setControlsEnabled(!editing); });
    connect(m_editor, &MacroEditor::keyEdited, this,
            [this](int code) { m_rowName->setText(KeyName(static_cast<KeyCode>(code))); });
    connect(m_editor, &MacroEditor::keysLeftHeld, this,
            [this] { emit ShowMessage(tr("ONE OR MORE KEYS HAS NOT BEEN RELEASED.")); });
    connect(m_editor, &MacroEditor::saved, this, [this](bool written) {
        m_loopCountEdit->setText(QString::number(m_editor->loopTime()));
        if (!written)
            emit ShowMessage(tr(MacroList::message(MacroListResult::WriteFailed)));
    });
    connect(m_editor, &MacroEditor::captureStarted, this,
            [this](bool systemWide) { m_captureNote->setVisible(!systemWide); });
    m_editor->setClickFilter([this] {
        return m_stopButton->isVisible() &&
               (m_stopButton->underMouse() ||
                m_stopButton->rect().contains(m_stopButton->mapFromGlobal(QCursor::pos())));
    });
}

// ---- Delay mode and loops ----

void MacroDialog::makeExclusive(const QVector<QCheckBox *> &boxes, const std::function<void(int)> &set) {
    for (QCheckBox *box : boxes) {
        connect(box, &QCheckBox::clicked, this, [boxes, box, set](bool checked) {
            for (QCheckBox *other : boxes) {
                if (checked && other != box)
                    other->setChecked(false);
            }
            set(checked ? boxes.indexOf(box) + 1 : 0);
        });
    }
}

void MacroDialog::DefDelayChanged(const QString &text) {
    qCDebug(lcMacro, "%s", qPrintable(text));
    m_editor->setDefaultDelay(text.toInt());
}

void MacroDialog::LoopTimeChanged(const QString &text) {
    qCDebug(lcMacro, "%s", qPrintable(text));
    m_editor->setLoopTime(text.toInt());
}

// ---- Rows ----

void MacroDialog::SelectRow(int row) {
    m_editor->selectRow(row);
}

void MacroDialog::CurrentChanged(const QModelIndex &current, const QModelIndex &) {
    showRowEditor(current.isValid() ? current.row() : -1);
}

void MacroDialog::showRowEditor(int row) {
    const MacroStep step = m_editor->model()->step(row);
    const bool valid = row >= 0 && row < m_editor->model()->rowCount();
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
        value = QString::number(step.delayMilliseconds(m_editor->minDelay()));
    }
    m_rowTitle->setText(title);
    m_rowValueEdit->setToolTip(valid && step.isMove() ? tr("DISTANCE") : tr("DELAY(ms)"));
    m_rowName->setText(name);
    m_rowName->setVisible(value.isEmpty());
    m_rowValueEdit->setVisible(!value.isEmpty());
    if (m_rowValueEdit->text() != value)
        m_rowValueEdit->setText(value);
}

void MacroDialog::TreeitemClick(QTreeWidgetItem *item, int) {
    m_editor->insertRows(m_tree->click(item));
}

void MacroDialog::EditDelayChanged(const QString &text) {
    m_editor->setCurrentDelay(text.toInt());
}

void MacroDialog::EditMoveChanged(const QString &text) {
    m_editor->setCurrentDistance(text.toInt());
}

// ---- Recording and key editing ----

void MacroDialog::showRecording(bool recording) {
    // START and STOP share their place: the one shown is hidden first.
    (recording ? m_startButton : m_stopButton)->hide();
    (recording ? m_stopButton : m_startButton)->show();
    setControlsEnabled(!recording);
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
    if (m_editor->editingKey()) {
        m_saveButton->setEnabled(true);
        m_cancelButton->setEnabled(true);
    }
    for (VelPushButton *tool : m_rowTools)
        tool->setEnabled(enabled && !m_batch);
    emit EnableButtonsSignal(enabled);
}
