#pragma once

#include "platform/input_hook.h"

#include <QPointer>

class QMouseEvent;
class QWindow;

// Where keys cannot be captured system-wide (no X server, or no RECORD extension): the key events of the
// program's own window while the watched widget or one of its children has the focus, taken from the
// platform's native scan code, which on X11 and Wayland is the X keycode. Grabbing keeps the keys from
// the window itself.
class WidgetKeyHook : public InputHook {
    Q_OBJECT
public:
    // watched: the widget whose keys are captured; null for every window of the program.
    explicit WidgetKeyHook(QObject *watched, QObject *parent = nullptr);
    ~WidgetKeyHook() override;
    bool start(Mode mode, bool withMouseButtons) override;
    void stop() override;
    bool systemWide() const override { return false; }

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override;

private:
    bool watchesFocus() const;
    bool watchesWindow(const QWindow *window) const;
    void takeMouseButton(const QWindow *window, const QMouseEvent *event);

    QPointer<QObject> m_watched;
    bool m_watchAll;
    bool m_running = false;
    Mode m_mode = Mode::PassOn;
    bool m_withMouseButtons = false;
    unsigned m_buttonsDown = 0; // bit n: X button n was reported pressed
};
