#include "app/link_follower.h"

QString LinkFollower::wanted(const ProfileLinks &links, const ProcessWatcher &processes, const Focus &focus,
                             qint64 *sinceMs) {
    if (sinceMs)
        *sinceMs = -1;
    if (focus.known) {
        for (const ProfileLink &link : links.links) {
            const bool byClass = !link.windowClass.isEmpty() && link.windowClass == focus.windowClass;
            if (link.focus && (byClass || ProcessWatcher::matches(focus.program, link.program)))
                return link.profile;
        }
    }
    QStringList running;
    for (const ProfileLink &link : links.links) {
        if (!link.focus || !focus.known)
            running << link.program;
    }
    if (const ProcessWatcher::Program *newest = processes.newest(running)) {
        for (const ProfileLink &link : links.links) {
            if (running.contains(link.program) && ProcessWatcher::matches(*newest, link.program)) {
                if (sinceMs)
                    *sinceMs = newest->startedMs;
                return link.profile;
            }
        }
    }
    return links.defaultProfile;
}

QString LinkFollower::due(const QString &wish, qint64 nowMs, qint64 sinceMs) {
    if (wish != m_wish) {
        m_wish = wish;
        m_since = sinceMs >= 0 ? qMin(sinceMs, nowMs) : nowMs;
        // With nothing asked for, the next program that asks is a wish of its own again.
        if (wish.isEmpty())
            m_done.clear();
    }
    if (m_wish.isEmpty() || m_wish == m_done || nowMs - m_since < kHoldMs)
        return QString();
    return m_wish;
}

qint64 LinkFollower::dueAtMs() const {
    return m_wish.isEmpty() || m_wish == m_done ? -1 : m_since + kHoldMs;
}

QString LinkFollower::waiting(qint64 nowMs) const {
    return m_wish.isEmpty() || m_wish == m_done || nowMs - m_since < kHoldMs ? QString() : m_wish;
}
