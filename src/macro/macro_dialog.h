#pragma once

#include "macro/macro_recorder.h"
#include "widgets/config_page.h"

#include <QModelIndex>
#include <QVector>
#include <array>
#include <functional>
#include <utility>
#include <vector>

class MacroCatalog;
class MacroEditor;
class QCheckBox;
class QListWidget;
class QTableView;
class QTreeWidgetItem;
class VelLabel;
class VelLineEdit;
class VelListItem;
class VelMenu;
class VelPushButton;
class VelTreeWidget;

// The MACRO page: the user's macros (new, delete, rename, import, export, batch), and the macro being
// edited (MacroEditor), recorded from the real keyboard and mouse or edited row by row, and how it
// repeats. The page lays the controls out, forwards them to the editor and shows what the editor holds;
// the window's buttons are locked while the editor records or edits a key.
class MacroDialog : public ConfigPage {
    Q_OBJECT
public:
    static constexpr int kLoopModeCount = 3;

    // clock: milliseconds for the recorded delays; the system's steady clock when empty.
    explicit MacroDialog(double scale, QWidget *parent = nullptr, MacroRecorder::Clock clock = {});

    void refresh() override;
    void retranslate() override;
    void setScale(double factor) override;

    QString currentMacro() const;
    MacroEditor &editor() const { return *m_editor; }

public slots:
    void TreeitemClick(QTreeWidgetItem *item, int column);
    void itemClicked(const QModelIndex &index);
    void EditMoveChanged(const QString &text);
    void EditDelayChanged(const QString &text);
    void DefDelayChanged(const QString &text);
    void LoopTimeChanged(const QString &text);
    void CurrentChanged(const QModelIndex &current, const QModelIndex &previous);
    void SelectRow(int row);

private:
    void buildList();
    void buildEditor();
    void buildTools();
    // A widget placed at base (page coordinates at scale 1) by setScale.
    template <typename Widget> Widget *placed(Widget *widget, const QRect &base) {
        m_places.emplace_back(widget, base);
        return widget;
    }
    VelPushButton *addButton(const char *name, const QRect &base);
    template <typename Receiver, typename Slot>
    VelPushButton *addButton(const char *name, const QRect &base, Receiver *receiver, Slot slot);
    void connectEditor();
    void connectCatalog();
    // Boxes of which at most one is checked: checking one unchecks the others, and set receives the number
    // of the checked box from 1, or 0 for none.
    void makeExclusive(const QVector<QCheckBox *> &boxes, const std::function<void(int)> &set);

    // Shows the catalog's list with select (or the first macro) open.
    void showList(const QString &select);
    VelListItem *listItem(int row) const;
    // The open macro's name and settings, after the editor opened it.
    void showMacro();
    void showRowEditor(int row);
    void showRecording(bool recording);
    void setControlsEnabled(bool enabled);
    void deleteMacro();
    void importMacros();
    void exportMacros();
    void gunSet();
    void toggleBatch();

    MacroEditor *m_editor;
    MacroCatalog *m_catalog;
    bool m_batch = false;
    std::vector<std::pair<QWidget *, QRect>> m_places;

    QTableView *m_table;
    QListWidget *m_macroList;
    VelTreeWidget *m_tree;
    VelMenu *m_mouseActionMenu;
    VelLabel *m_macroTitle, *m_nameTitle, *m_commandTitle, *m_rowTitle, *m_rowName, *m_captureNote;
    VelLineEdit *m_nameEdit, *m_defaultDelayEdit, *m_loopCountEdit, *m_rowValueEdit;
    // RECORD DELAYS BETWEEN ACTION and INSERT DEFAULT DELAY; the loop modes.
    QVector<QCheckBox *> m_delayBoxes, m_loopBoxes;
    VelPushButton *m_startButton, *m_stopButton, *m_recordAfterButton, *m_newButton, *m_deleteButton,
        *m_batchButton, *m_changeNameButton, *m_saveButton, *m_cancelButton, *m_importButton, *m_exportButton,
        *m_insertDelayButton, *m_gunSetButton, *m_mouseActionButton;
    // DELETE, UP, DOWN, TOP, BOTTOM, CLEAR, EDIT, COPY, CUT, PASTE
    std::array<VelPushButton *, 10> m_rowTools{};
};
