#pragma once

#include "macro/macro_recorder.h"
#include "storage/macro_list.h"
#include "widgets/config_page.h"

#include <QModelIndex>
#include <QPointer>
#include <array>

class InputHook;
class MacroActionModel;
class QCheckBox;
class QListWidget;
class QTableView;
class QTreeWidgetItem;
class VelLabel;
class VelLineEdit;
class VelListItem;
class VelMenu;
class VelMacroItemDelegate;
class VelPushButton;
class VelTreeWidget;

// The MACRO page: the user's macros (new, delete, rename, import, export, batch), the action list of the
// current one, recorded from the real keyboard and mouse or edited row by row, and how it repeats.
//
// States: idle; recording (START to STOP, or a full list); key editing (EDIT to SAVE or CANCEL). Input
// is captured only while recording or key editing; the window's buttons are locked meanwhile.
class MacroDialog : public ConfigPage {
    Q_OBJECT
public:
    static constexpr int kLoopModeCount = 3;

    // clock: milliseconds for the recorded delays; the system's steady clock when empty.
    explicit MacroDialog(double scale, QWidget *parent = nullptr, MacroRecorder::Clock clock = {});
    ~MacroDialog() override;

    void refresh() override;
    void retranslate() override;
    void setScale(double factor) override;

    QString currentMacro() const { return m_current; }
    const MacroActionModel &actions() const { return *m_model; }
    bool recording() const { return m_recording; }
    bool editingKey() const { return m_editKey; }

signals:
    void mouseHooked(int keyCode, int upDownCode);

public slots:
    void TreeitemClick(QTreeWidgetItem *item, int column);
    void itemClicked(const QModelIndex &index);
    void EditMoveChanged(const QString &text);
    void EditDelayChanged(const QString &text);
    void DefDelayChanged(const QString &text);
    void LoopTimeChanged(const QString &text);
    void CurrentChanged(const QModelIndex &current, const QModelIndex &previous);
    void SelectRow(int row);
    void handleMouseHookEvent(int keyCode, int upDownCode);
    // One captured key or mouse button while recording (flags below 2: a press).
    void OnHookKey(int code, int flags);
    // One captured key while the selected row's key is edited.
    void EditKey(int code, int flags);

    void startRecording();
    void stopRecording();
    void newMacro();
    void deleteMacro();
    void changeName();
    void saveMacro();
    void cancelEdits();
    void importMacros();
    void exportMacros();
    void gunSet();
    void insertDelay();
    void editRowKey();
    void deleteRow();
    void moveRowUp();
    void moveRowDown();
    void moveRowToTop();
    void moveRowToBottom();
    void clearRows();
    void copyRows();
    void cutRows();
    void pasteRows();
    void toggleBatch();

private:
    void buildList();
    void buildEditor();
    void buildTools();
    VelPushButton *addButton(const char *name, void (MacroDialog::*slot)());
    // Shows the macro list from the stored names and selects name (or the first).
    void showList(const QString &select);
    VelListItem *listItem(int row) const;
    void loadMacro(const QString &name);
    bool storeMacro();
    // Inserts rows after the current row, each followed by the delay of the delay mode, and selects the
    // last one.
    void insertRows(const QVector<MacroStep> &rows);
    QVector<int> selectedRows() const;
    int currentRow() const;
    // Where inserted rows go: after the current row, or at the end when none is current.
    int rowAfterCurrent() const;
    void showRowEditor(int row);
    void setControlsEnabled(bool enabled);
    bool startHook(bool withMouse);
    void stopHook();
    void showResult(MacroListResult result);
    int defaultDelay() const;
    QStringList names() const;
    void renameCurrent(const QString &requested);
    void endKeyEditing();
    void onDelayBoxClicked(QCheckBox *box);
    void onLoopBoxClicked(int mode);
    // 0-4 a click of the tree's buttons, 5-8 a move of the tree's directions.
    void insertMouseAction(int action);

    double m_factor;
    int m_minDelay;
    MacroRecorder m_recorder;
    MacroList m_list;
    QString m_current;
    bool m_recording = false;
    bool m_editKey = false;
    bool m_batch = false;
    int m_insertAt = 0;
    int m_editCode = -1;
    int m_editFlags = -1;
    QVector<MacroStep> m_clipboard;
    QPointer<InputHook> m_hook;

    MacroActionModel *m_model;
    VelMacroItemDelegate *m_delegate;
    QTableView *m_table;
    QListWidget *m_macroList;
    VelTreeWidget *m_tree;
    VelMenu *m_mouseActionMenu;
    VelLabel *m_macroTitle, *m_nameTitle, *m_commandTitle, *m_rowTitle, *m_rowName, *m_captureNote;
    VelLineEdit *m_nameEdit, *m_defaultDelayEdit, *m_loopCountEdit, *m_rowValueEdit;
    QCheckBox *m_recordDelaysBox, *m_defaultDelayBox;
    std::array<QCheckBox *, kLoopModeCount> m_loopBoxes{};
    VelPushButton *m_startButton, *m_stopButton, *m_recordAfterButton, *m_newButton, *m_deleteButton,
        *m_batchButton, *m_changeNameButton, *m_saveButton, *m_cancelButton, *m_importButton, *m_exportButton,
        *m_insertDelayButton, *m_gunSetButton, *m_mouseActionButton;
    // DELETE, UP, DOWN, TOP, BOTTOM, CLEAR, EDIT, COPY, CUT, PASTE
    std::array<VelPushButton *, 10> m_rowTools{};
};
