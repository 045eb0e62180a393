#pragma once

#include "macro/macro_recorder.h"
#include "storage/macro_step.h"

#include <QObject>
#include <QPointer>
#include <QVector>
#include <functional>

class InputHook;
class MacroActionModel;
class QItemSelectionModel;

// The macro being edited on the MACRO page: its action list with the current and selected rows, the
// settings saved with it, and the two states in which captured keys and clicks change it. The page shows
// what this holds and forwards its buttons and fields here.
//
// States: idle; recording (startRecording to stopRecording, or a full list); key editing
// (startKeyEditing to endKeyEditing). Keys and clicks are captured only in those two states.
class MacroEditor : public QObject {
    Q_OBJECT
public:
    using CaptureFactory = std::function<InputHook *()>;
    // Whether a left click is the one on the page's STOP button, which is not recorded.
    using ClickFilter = std::function<bool()>;
    static constexpr int kMaxLoops = 255;

    // minDelay: the delay unit in milliseconds; clock: milliseconds for the recorded delays; makeCapture:
    // the key and mouse capture, made when first needed and owned by the editor.
    MacroEditor(int minDelay, MacroRecorder::Clock clock, CaptureFactory makeCapture,
                QObject *parent = nullptr);
    ~MacroEditor() override;

    MacroActionModel *model() const { return m_model; }
    // The current row and the selected rows, shared with the page's table.
    QItemSelectionModel *selection() const { return m_selection; }
    int minDelay() const { return m_recorder.minDelay(); }
    void setClickFilter(ClickFilter filter) { m_clickFilter = std::move(filter); }

    // The open macro: empty when none is; a listed macro whose file is gone opens empty.
    QString macroName() const { return m_name; }
    void open(const QString &name);
    void close();
    // SAVE: ends key editing and writes the macro. CANCEL: ends key editing and opens the macro again.
    void saveEdits();
    void revertEdits();
    // The open macro's file now has this name.
    void setMacroName(const QString &name) { m_name = name; }
    // Writes the open macro, its loop count first held to 1..kMaxLoops; false when none is open or the
    // file could not be written. Each write is reported with saved().
    bool save();

    // MacroRecorder's delay modes: what follows each recorded or inserted row.
    int delayMode() const { return m_recorder.delayMode(); }
    void setDelayMode(int mode) { m_recorder.setDelayMode(mode); }
    // milliseconds
    int defaultDelay() const { return m_recorder.defaultDelay(); }
    void setDefaultDelay(int milliseconds) { m_recorder.setDefaultDelay(milliseconds); }
    // 0 none, 1 loopTime times, 2 while the key is down, 3 until the key is pressed again.
    int loopType() const { return m_loopType; }
    void setLoopType(int type) { m_loopType = type; }
    int loopTime() const { return m_loopTime; }
    void setLoopTime(int count) { m_loopTime = count; }

    // -1 when no row is current.
    int currentRow() const;
    // The selected rows in order, or the current row alone when none is selected.
    QVector<int> selectedRows() const;
    // Makes row the current and only selected row; outside the list, no row.
    void selectRow(int row);

    // Inserts rows after the current row (at the end when none is), each followed by the delay of the
    // delay mode, and selects the last one. Nothing without an open macro; a full list takes what fits.
    void insertRows(const QVector<MacroStep> &rows);
    // A delay of the default delay in its mode, otherwise of 10 ms.
    void insertDelay();
    // The current delay row takes milliseconds; the current move row a distance (at most
    // MacroStep::kMaxMove), keeping its direction. Other rows, and a distance of 0, change nothing.
    void setCurrentDelay(int milliseconds);
    void setCurrentDistance(int distance);
    void deleteRows();
    void moveRowUp();
    void moveRowDown();
    void moveRowToTop();
    void moveRowToBottom();
    void clearRows();
    void copyRows();
    void cutRows();
    void pasteRows();

    bool recording() const { return m_recording; }
    // after: keep the list and record after the current row; otherwise the list starts empty.
    void startRecording(bool after);
    // Ends the recording and saves the macro; keysLeftHeld() first when a press has no release.
    void stopRecording();
    // One captured key or mouse button (flags below 2: a press) while recording; a full list ends it.
    void record(int code, int flags);

    bool editingKey() const { return m_editingKey; }
    // Only a key row takes a key, and only while keys can be captured.
    void startKeyEditing();
    // One captured key while editing: the current row takes its HID usage, keeping press or release.
    void editKey(int code, int flags);
    void endKeyEditing();

signals:
    // A macro was opened, or opened again: its settings and rows are new.
    void opened();
    // The row selectRow made current, -1 for none.
    void rowSelected(int row);
    void recordingChanged(bool recording);
    void keyEditingChanged(bool editing);
    // The key code the edited row now holds.
    void keyEdited(int code);
    // A recording ended with a key or button pressed and not released: the macro would leave it down.
    void keysLeftHeld();
    void saved(bool written);
    // Capture began; systemWide false when it failed or sees only the program's own windows.
    void captureStarted(bool systemWide);

private:
    int rowAfterCurrent() const;
    // Inserts rows after the current row and selects the last one inserted.
    void insertAfterCurrent(const QVector<MacroStep> &rows);
    void moveCurrentRow(int to);
    bool startCapture(bool withMouse);
    void stopCapture();

    MacroRecorder m_recorder;
    CaptureFactory m_makeCapture;
    ClickFilter m_clickFilter;
    QPointer<InputHook> m_capture;
    MacroActionModel *m_model;
    QItemSelectionModel *m_selection;
    QString m_name;
    int m_loopType = 0;
    int m_loopTime = 0;
    bool m_recording = false;
    bool m_editingKey = false;
    int m_insertAt = 0;
    int m_editCode = -1;
    int m_editFlags = -1;
    QVector<MacroStep> m_clipboard;
};
