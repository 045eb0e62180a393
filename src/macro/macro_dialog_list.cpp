// The macro page's list of macros: the catalog's list shown, the open macro's name and settings shown, and
// the dialogs of the list's operations.
#include "gunset/vel_gunset_dialog.h"
#include "macro/macro_catalog.h"
#include "macro/macro_dialog.h"
#include "macro/macro_editor.h"
#include "macro/vel_list_item.h"
#include "widgets/vel_file_dialog.h"
#include "widgets/vel_line_edit.h"
#include "widgets/vel_message_box.h"
#include "widgets/vel_push_button.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QListWidget>
#include <QSignalBlocker>

namespace {
// Checks the box numbered value from 1, and no other.
void checkOne(const QVector<QCheckBox *> &boxes, int value) {
    for (int i = 0; i < boxes.size(); ++i)
        boxes[i]->setChecked(value == i + 1);
}
} // namespace

void MacroDialog::connectCatalog() {
    connect(m_catalog, &MacroCatalog::listChanged, this, &MacroDialog::showList);
    connect(m_catalog, &MacroCatalog::failed, this, [this](MacroListResult result) {
        emit ShowMessage(QCoreApplication::translate("MacroList", MacroList::message(result)));
    });
    connect(m_catalog, &MacroCatalog::renamed, this, [this](const QString &name) {
        m_nameEdit->setText(name);
        if (VelListItem *item = listItem(m_catalog->names().indexOf(name)))
            item->setName(name);
    });
    connect(m_catalog, &MacroCatalog::buttonsChanged, this, &ConfigPage::WorkingConfigChanged);
}

QString MacroDialog::currentMacro() const {
    return m_editor->macroName();
}

VelListItem *MacroDialog::listItem(int row) const {
    return qobject_cast<VelListItem *>(m_macroList->itemWidget(m_macroList->item(row)));
}

void MacroDialog::showList(const QString &select) {
    const QStringList list = m_catalog->names();
    {
        const QSignalBlocker blocker(m_macroList);
        m_macroList->clear();
        for (const QString &name : list) {
            auto *item = new QListWidgetItem(m_macroList);
            auto *widget = new VelListItem(name);
            widget->setBatch(m_batch);
            connect(widget, &VelListItem::renameRequested, this, [this, widget](const QString &typed) {
                m_macroList->setCurrentRow(m_catalog->names().indexOf(widget->name()));
                m_catalog->renameOpen(typed);
            });
            m_macroList->setItemWidget(item, widget);
        }
    }
    const int row = list.isEmpty() ? -1 : qMax(0, list.indexOf(select));
    if (row < 0) {
        m_editor->close();
        m_nameEdit->clear();
        showRowEditor(-1);
        return;
    }
    m_macroList->setCurrentRow(row);
    if (list[row] != currentMacro())
        m_editor->open(list[row]);
}

void MacroDialog::itemClicked(const QModelIndex &index) {
    const QString name = m_catalog->names().value(index.row());
    if (!name.isEmpty() && name != currentMacro())
        m_editor->open(name);
}

void MacroDialog::showMacro() {
    m_nameEdit->setText(currentMacro());
    m_defaultDelayEdit->setText(QString::number(m_editor->defaultDelay()));
    m_loopCountEdit->setText(QString::number(m_editor->loopTime()));
    checkOne(m_delayBoxes, m_editor->delayMode());
    checkOne(m_loopBoxes, m_editor->loopType());
    showRowEditor(m_editor->currentRow());
}

void MacroDialog::deleteMacro() {
    QStringList profiles;
    // Buttons that play the macro lose it: they are given their defaults, so the user decides first.
    if (currentMacro().isEmpty() ||
        (m_catalog->playedByButtons(profiles) &&
         !VelMessageBox::ask(this, tr("Buttons play the macro \"%1\" in these profiles: %2. Delete it, and "
                                      "give those buttons their default functions?")
                                       .arg(currentMacro(), profiles.join(", ")))))
        return;
    m_catalog->removeOpen();
}

void MacroDialog::importMacros() {
    const QString title = tr("Load Macro File");
    const QString filter = tr("Macro File(*.MSMACRO)");
    if (m_batch) {
        m_catalog->importFiles(VelFileDialog::openFiles(this, title, filter));
        return;
    }
    const QString path = VelFileDialog::openFile(this, title, filter);
    if (!path.isEmpty())
        m_catalog->importFile(path);
}

void MacroDialog::exportMacros() {
    if (currentMacro().isEmpty())
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
        m_catalog->exportFiles(ticked, folder);
        return;
    }
    const QString path = VelFileDialog::saveFile(this, title, tr("Macro File(*.MSMACRO)"));
    if (!path.isEmpty())
        m_catalog->exportOpen(path);
}

void MacroDialog::gunSet() {
    if (!m_catalog->hasRoom())
        return;
    VelGunsetDialog dialog(scale(), this);
    if (dialog.exec() == QDialog::Accepted)
        m_catalog->addGunSet(dialog.fileName(), dialog.steps());
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
