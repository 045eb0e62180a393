#pragma once

#include "platform/linux/process_watcher.h"
#include "storage/profile_links.h"

#include <QString>

// Which profile the programs joined to profiles ask for, and when a switch is due. A switch is a whole
// profile write the mouse stores, so the wish must hold for kHoldMs first (alt-tab, or a program that only
// flashes by, writes nothing), and a wish once acted on is not acted on again: a profile the user chose
// meanwhile stays until the linked programs change.
class LinkFollower {
public:
    static constexpr qint64 kHoldMs = 2000;

    // What the desktop tells of the window with focus; known is false where focus cannot be followed, and
    // links that follow focus then count as links that follow the program running.
    struct Focus {
        bool known = false;
        ProcessWatcher::Program program;
        QString windowClass;
    };

    // The profile asked for now: the profile of a focus link whose program's window has focus; else that
    // of the linked program started last among those running; else the default profile; empty: none.
    // sinceMs, where given, is when that program started (-1 where the table does not say, and for
    // focus and the default).
    static QString wanted(const ProfileLinks &links, const ProcessWatcher &processes, const Focus &focus,
                          qint64 *sinceMs = nullptr);

    // Feeds the wish at nowMs (milliseconds of ProcessWatcher::bootClockMs()'s clock); the profile to
    // switch to once the same wish has held for kHoldMs and was not acted on yet, else empty. A wish of a
    // program whose start time is known (sinceMs) holds from its start, not from when a scan found it, so
    // that the switch follows the hold however late the scan came.
    QString due(const QString &wish, qint64 nowMs, qint64 sinceMs = -1);
    // When the present wish falls due; -1 when none waits to.
    qint64 dueAtMs() const;
    // The wish was acted on: switched to, or found in use already.
    void done(const QString &profile) { m_done = profile; }
    // The profile waiting for the window to be free, for the tray's tool tip; empty when none waits.
    QString waiting(qint64 nowMs) const;

private:
    QString m_wish;
    qint64 m_since = 0;
    QString m_done;
};
