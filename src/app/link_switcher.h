#pragma once

#include "app/link_follower.h"
#include "platform/linux/process_watcher.h"
#include "storage/profile_links.h"

#include <QObject>
#include <QString>
#include <functional>

class KorvaneWidget;
class QTimer;
class X11ActiveWindow;

// Switches the mouse's profile as the linked programs ask. Every kScanMs the process table is listed (only
// processes not seen before are read); on X11 the window with focus is followed by its events. When
// LinkFollower finds a switch due, it is made as the profile menu and Apply make it, unless the mouse holds
// that profile already; while the window is busy or holds edits not applied it waits, and says which
// profile waits.
class LinkSwitcher : public QObject {
    Q_OBJECT
public:
    // A program is found within kScanMs of its start, inside the hold, and the hold counts from the start
    // the process table gives: the switch still comes when the hold ends.
    static constexpr int kScanMs = 1500;

    // processRoot: the process table ("/proc", or a folder of its shape in tests); followFocus: whether
    // the window with focus can be followed here (an X11 session with a display).
    LinkSwitcher(KorvaneWidget &window, const QString &processRoot, bool followFocus,
                 QObject *parent = nullptr);
    ~LinkSwitcher() override;

    // The links as stored, again (after the dialog, korvanectl or a reload).
    void reloadLinks();
    const ProfileLinks &links() const { return m_links; }
    // The tray menu's "Switch profiles automatically"; false when the choice could not be stored.
    bool setAutomatic(bool on);
    // A link added (or replacing the program's), removed, or the default profile set, and stored; false
    // when the configuration could not take it (the links stay as they were).
    bool setLink(const ProfileLink &link);
    bool removeLink(const QString &program);
    bool setDefaultProfile(const QString &profile);
    // Where the program cannot see which window has focus (Wayland), a desktop script reports the program
    // whose window took it (its file name or path, and its window class); from then on focus is followed.
    void reportFocus(const QString &program, const QString &windowClass);
    // Whether focus is followed here; where it is not, links that follow focus work while the program
    // runs.
    bool followsFocus() const { return m_focus != nullptr || m_reported.known; }
    QString waitingProfile() const { return m_waiting; }
    // Milliseconds of a steady clock; tests step their own.
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

public slots:
    // Looks at the programs now and switches when a switch is due.
    void check();

signals:
    // The profile waiting for the window to be free changed (empty: none waits).
    void waitingChanged(const QString &profile);
    // A linked program's profile was switched to and written; result is the write's result code.
    void switched(const QString &profile, int result);

private:
    void setWaiting(const QString &profile);
    LinkFollower::Focus focus() const;
    void followLinks();
    // Stores changed links; on failure the stored ones stay in use.
    bool store(const ProfileLinks &changed);

    KorvaneWidget &m_window;
    ProcessWatcher m_processes;
    LinkFollower m_follower;
    ProfileLinks m_links;
    X11ActiveWindow *m_focus = nullptr;
    LinkFollower::Focus m_reported;
    QTimer *m_timer = nullptr;
    // Fires when a wish falls due between two scans.
    QTimer *m_holdTimer = nullptr;
    QString m_waiting;
    // The wish of the last look, kept while neither the programs, the focus nor the links changed.
    QString m_wish;
    qint64 m_wishSince = -1;
    bool m_wishStale = true;
    std::function<qint64()> m_clock;
};
