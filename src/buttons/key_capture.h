#pragma once

#include "keys/key_tables.h"
#include "platform/input_hook.h"

#include <QObject>
#include <QPointer>

class QAbstractButton;
class VelLabel;

// The keys of a key dialog: the capture, which runs while the dialog is shown, and the key caption. Where the
// capture sees only the keys typed into the program's own window, the note says so; elsewhere it is hidden.
class KeyCapture : public QObject {
    Q_OBJECT
public:
    KeyCapture(QWidget *dialog, InputHook::Mode mode, QAbstractButton *caption, VelLabel *note);
    ~KeyCapture() override;

    // The repeat rule: false when (code, flags) is the pair taken last (a held key, or a press after a
    // release with the same flags); otherwise the pair is the last one and the caption names the key.
    bool take(int code, int flags);
    // The caption names code; 0 and keys without a name leave it empty.
    void showKey(KeyCode code);

signals:
    // A key event of the capture as a key code (the capture rule applied) with its flags.
    void keyArrived(int code, int flags);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<InputHook> m_hook;
    QAbstractButton *m_caption;
    VelLabel *m_note;
    InputHook::Mode m_mode;
    int m_lastCode = 0;
    int m_lastFlags = 0;
};
