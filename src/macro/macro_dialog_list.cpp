// The macro page's list of macros: choosing, storing, creating, renaming, deleting, importing and
// exporting them, and the gun set that makes one.
#include "gunset/vel_gunset_dialog.h"
#include "macro/macro_action_model.h"
#include "macro/macro_dialog.h"
#include "macro/macro_log.h"
#include "macro/vel_list_item.h"
#include "storage/app_config_store.h"
#include "storage/config_file.h"
#include "storage/macro_data.h"
#include "storage/macro_file.h"
#include "storage/macro_links.h"
#include "widgets/vel_file_dialog.h"
#include "widgets/vel_line_edit.h"
#include "widgets/vel_message_box.h"
#include "widgets/vel_push_button.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QListWidget>
#include <QSignalBlocker>

namespace {
// What a macro made by the gun set starts with, and the most loops a macro repeats.
constexpr int kDefaultDelayMs = 10;
constexpr int kMaxLoops = 255;
} // namespace

VelListItem *MacroDialog::listItem(int row) const {
    return qobject_cast<VelListItem *>(m_macroList->itemWidget(m_macroList->item(row)));
}

void MacroDialog::showList(const QString &select) {
    const QStringList list = m_list.names();
    {
        const QSignalBlocker blocker(m_macroList);
        m_macroList->clear();
        for (const QString &name : list) {
            auto *item = new QListWidgetItem(m_macroList);
            auto *widget = new VelListItem(name);
            widget->setBatch(m_batch);
            connect(widget, &VelListItem::renameRequested, this, [this, widget](const QString &typed) {
                m_macroList->setCurrentRow(names().indexOf(widget->name()));
                renameCurrent(typed);
            });
            m_macroList->setItemWidget(item, widget);
        }
    }
    const int row = list.isEmpty() ? -1 : qMax(0, list.indexOf(select));
    if (row < 0) {
        m_current.clear();
        m_nameEdit->clear();
        m_model->setSteps({});
        showRowEditor(-1);
        return;
    }
    m_macroList->setCurrentRow(row);
    if (list[row] != m_current)
        loadMacro(list[row]);
}

QStringList MacroDialog::names() const {
    return m_list.names();
}

void MacroDialog::itemClicked(const QModelIndex &index) {
    const QString name = names().value(index.row());
    if (!name.isEmpty() && name != m_current)
        loadMacro(name);
}

void MacroDialog::loadMacro(const QString &name) {
    MacroData macro;
    // A listed macro whose file is gone shows empty, so that the user can record it anew or delete it.
    (void)macrofile::loadMacro(name, macro);
    m_current = name;
    m_nameEdit->setText(name);
    m_defaultDelayEdit->setText(QString::number(macro.defaultDelay));
    m_loopCountEdit->setText(QString::number(macro.loopTime));
    m_recordDelaysBox->setChecked(macro.delayType == MacroRecorder::kRecordedDelays);
    m_defaultDelayBox->setChecked(macro.delayType == MacroRecorder::kDefaultDelays);
    m_recorder.setDelayMode(macro.delayType <= MacroRecorder::kDefaultDelays ? macro.delayType : 0);
    for (int mode = 0; mode < kLoopModeCount; ++mode)
        m_loopBoxes[mode]->setChecked(macro.loopType == mode + 1);
    m_model->setSteps(macro.steps);
    SelectRow(0);
    showRowEditor(currentRow());
}

bool MacroDialog::storeMacro() {
    if (m_current.isEmpty())
        return false;
    MacroData macro;
    macro.name = m_current;
    macro.defaultDelay = defaultDelay();
    macro.delayType = uint8_t(m_recorder.delayMode());
    for (int mode = 0; mode < kLoopModeCount; ++mode) {
        if (m_loopBoxes[mode]->isChecked())
            macro.loopType = mode + 1;
    }
    macro.loopTime = qBound(1, m_loopCountEdit->text().toInt(), kMaxLoops);
    m_loopCountEdit->setText(QString::number(macro.loopTime));
    macro.steps = m_model->steps();
    const bool saved = macrofile::saveMacro(macro) == FileResult::Ok;
    if (!saved)
        emit ShowMessage(tr(MacroList::message(MacroListResult::WriteFailed)));
    return saved;
}

int MacroDialog::defaultDelay() const {
    return m_defaultDelayEdit->text().toInt();
}

void MacroDialog::showResult(MacroListResult result) {
    if (result != MacroListResult::Ok)
        emit ShowMessage(QCoreApplication::translate("MacroList", MacroList::message(result)));
}

void MacroDialog::newMacro() {
    QString name;
    const MacroListResult result = m_list.add(name);
    showResult(result);
    if (result != MacroListResult::Ok)
        return;
    qCDebug(lcMacro, "%s", qPrintable(name));
    showList(name);
}

void MacroDialog::deleteMacro() {
    if (m_current.isEmpty())
        return;
    // Buttons that play the macro lose it: they are given their defaults, so the user decides first.
    QStringList users = macrolinks::profilesUsing(m_current);
    const QString current = workingConfig().profileNames[0];
    const bool workingUses = macrolinks::uses(workingConfig().profile, m_current);
    if (workingUses && !current.isEmpty() && !users.contains(current))
        users.prepend(current);
    if ((workingUses || !users.isEmpty()) &&
        !VelMessageBox::ask(this,
                            tr("Buttons play the macro \"%1\" in these profiles: %2. Delete it, and give "
                               "those buttons their default functions?")
                                .arg(m_current, users.join(", "))))
        return;
    const int row = names().indexOf(m_current);
    const MacroListResult result = m_list.remove(m_current);
    showResult(result);
    m_current.clear();
    showList(names().value(qMin(row, names().size() - 1)));
    if (result != MacroListResult::NotFound)
        emit WorkingConfigChanged();
}

void MacroDialog::changeName() {
    renameCurrent(m_nameEdit->text().trimmed());
}

void MacroDialog::renameCurrent(const QString &requested) {
    if (m_current.isEmpty() || requested.isEmpty())
        return;
    QString actual;
    const MacroListResult result = m_list.rename(m_current, requested, actual);
    showResult(result);
    // Renamed all the same when a profile file could not follow.
    if (result != MacroListResult::Ok && result != MacroListResult::ProfilesNotUpdated) {
        m_nameEdit->setText(m_current);
        return;
    }
    m_current = actual;
    m_nameEdit->setText(actual);
    if (VelListItem *item = listItem(names().indexOf(actual)))
        item->setName(actual);
    emit WorkingConfigChanged();
}

void MacroDialog::saveMacro() {
    endKeyEditing();
    storeMacro();
}

void MacroDialog::cancelEdits() {
    endKeyEditing();
    const QString name = m_current;
    if (!name.isEmpty())
        loadMacro(name);
}

void MacroDialog::importMacros() {
    const QString title = tr("Load Macro File");
    const QString filter = tr("Macro File(*.MSMACRO)");
    if (m_batch) {
        QStringList imported;
        const MacroListResult result =
            m_list.importFiles(VelFileDialog::openFiles(this, title, filter), imported);
        showList(m_current);
        showResult(result);
        return;
    }
    const QString path = VelFileDialog::openFile(this, title, filter);
    if (path.isEmpty())
        return;
    QString name;
    const MacroListResult result = m_list.importFile(path, name);
    showResult(result);
    if (result == MacroListResult::Ok)
        showList(name);
}

void MacroDialog::exportMacros() {
    if (m_current.isEmpty())
        return;
    const QString title = tr("Save Macro File");
    if (m_batch) {
        const QString folder = VelFileDialog::folder(this, title, QStringLiteral("./"));
        if (folder.isEmpty())
            return;
        QStringList ticked;
        for (int row = 0; row < m_macroList->count(); ++row) {
            if (listItem(row) && listItem(row)->isTicked())
                ticked << listItem(row)->name();
        }
        showResult(m_list.exportFiles(ticked, folder));
        return;
    }
    QString path = VelFileDialog::saveFile(this, title, tr("Macro File(*.MSMACRO)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".MSMACRO"), Qt::CaseInsensitive))
        path += QLatin1String(".MSMACRO");
    showResult(m_list.exportFile(m_current, path));
}

void MacroDialog::gunSet() {
    if (names().size() >= config::kMacroSlots) {
        showResult(MacroListResult::TooMany);
        return;
    }
    VelGunsetDialog dialog(m_factor, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    MacroData macro;
    macro.name = dialog.fileName();
    macro.defaultDelay = kDefaultDelayMs;
    macro.delayType = MacroRecorder::kRecordedDelays;
    macro.loopType = 0;
    macro.loopTime = 1;
    macro.steps = dialog.steps();
    const MacroListResult result = m_list.add(macro);
    showResult(result);
    if (result == MacroListResult::Ok)
        showList(macro.name);
}

void MacroDialog::toggleBatch() {
    m_batch = !m_batch;
    m_batchButton->setChecked(m_batch);
    for (int row = 0; row < m_macroList->count(); ++row) {
        if (listItem(row))
            listItem(row)->setBatch(m_batch);
    }
    for (VelPushButton *tool : m_rowTools)
        tool->setEnabled(!m_batch);
}
