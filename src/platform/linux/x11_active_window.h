#pragma once

#include <QObject>
#include <QString>

struct _XDisplay;
class QSocketNotifier;

// The window with focus on X11, as the window manager announces it in the root window's
// _NET_ACTIVE_WINDOW: on a connection of its own, property changes of the root window arrive as events
// (nothing is polled), and the window's _NET_WM_PID and WM_CLASS name its program.
class X11ActiveWindow : public QObject {
    Q_OBJECT
public:
    struct Active {
        unsigned long window = 0; // 0: none, or no window manager tells
        qint64 pid = 0;           // 0 where the window does not name its process
        QString windowClass;      // WM_CLASS's class part, as "Firefox"
        bool operator==(const Active &other) const {
            return window == other.window && pid == other.pid && windowClass == other.windowClass;
        }
    };

    explicit X11ActiveWindow(QObject *parent = nullptr);
    ~X11ActiveWindow() override;
    X11ActiveWindow(const X11ActiveWindow &) = delete;
    X11ActiveWindow &operator=(const X11ActiveWindow &) = delete;

    // An X server was reached; where none is (Wayland without Xwayland, no display), focus cannot be
    // followed.
    bool isOpen() const { return m_display != nullptr; }
    Active active() const { return m_active; }

signals:
    // Another window took focus.
    void activeChanged();

private:
    void readEvents();
    // Reads the root window's _NET_ACTIVE_WINDOW and what that window tells of itself.
    Active readActive() const;

    _XDisplay *m_display = nullptr;
    QSocketNotifier *m_notifier = nullptr;
    unsigned long m_activeAtom = 0;
    unsigned long m_pidAtom = 0;
    Active m_active;
};
