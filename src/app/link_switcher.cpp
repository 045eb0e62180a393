#include "app/link_switcher.h"

#include "app/korvane_widget.h"
#include "app/mouse_notices.h"
#include "platform/linux/x11_active_window.h"
#include "storage/config_file.h"

#include <QTimer>

LinkSwitcher::LinkSwitcher(KorvaneWidget &window, const QString &processRoot, bool followFocus,
                           QObject *parent)
    : QObject(parent), m_window(window), m_processes(processRoot), m_timer(new QTimer(this)),
      m_holdTimer(new QTimer(this)), m_clock(&ProcessWatcher::bootClockMs) {
    m_holdTimer->setSingleShot(true);
    connect(m_holdTimer, &QTimer::timeout, this, &LinkSwitcher::check);
    if (followFocus) {
        m_focus = new X11ActiveWindow(this);
        if (!m_focus->isOpen()) {
            delete m_focus;
            m_focus = nullptr;
        } else {
            connect(m_focus, &X11ActiveWindow::activeChanged, this, [this] {
                m_wishStale = true;
                check();
            });
        }
    }
    m_timer->setInterval(kScanMs);
    connect(m_timer, &QTimer::timeout, this, &LinkSwitcher::check);
    // The links follow the profile list: a profile deleted elsewhere takes its links along.
    connect(&window, &KorvaneWidget::profilesChanged, this, &LinkSwitcher::followLinks);
    reloadLinks();
}

LinkSwitcher::~LinkSwitcher() = default;

void LinkSwitcher::reloadLinks() {
    m_links = config::loadProfileLinks();
    followLinks();
}

void LinkSwitcher::followLinks() {
    m_wishStale = true;
    const QStringList names = m_window.profileNames();
    if (!names.isEmpty() && !m_links.keepOnly(names).isEmpty())
        (void)config::storeProfileLinks(m_links);
    // Nothing to follow: the process table is not read at all.
    const bool following =
        m_links.automatic && (!m_links.links.isEmpty() || !m_links.defaultProfile.isEmpty());
    if (following && !m_timer->isActive()) {
        m_timer->start();
        QTimer::singleShot(0, this, &LinkSwitcher::check);
    } else if (!following) {
        m_timer->stop();
        setWaiting(QString());
    }
}

bool LinkSwitcher::store(const ProfileLinks &changed) {
    if (!config::storeProfileLinks(changed))
        return false;
    m_links = changed;
    followLinks();
    return true;
}

bool LinkSwitcher::setAutomatic(bool on) {
    ProfileLinks changed = m_links;
    changed.automatic = on;
    return store(changed);
}

bool LinkSwitcher::setLink(const ProfileLink &link) {
    ProfileLinks changed = m_links;
    changed.set(link);
    return store(changed);
}

bool LinkSwitcher::removeLink(const QString &program) {
    ProfileLinks changed = m_links;
    return changed.remove(program) && store(changed);
}

bool LinkSwitcher::setDefaultProfile(const QString &profile) {
    ProfileLinks changed = m_links;
    changed.defaultProfile = profile;
    return store(changed);
}

void LinkSwitcher::reportFocus(const QString &program, const QString &windowClass) {
    m_reported.known = true;
    m_reported.program = ProcessWatcher::Program();
    m_reported.program.path = program;
    m_reported.program.name = program.section(QLatin1Char('/'), -1);
    m_reported.windowClass = windowClass;
    m_wishStale = true;
    check();
}

LinkFollower::Focus LinkSwitcher::focus() const {
    LinkFollower::Focus focus;
    if (!m_focus)
        return m_reported;
    const X11ActiveWindow::Active active = m_focus->active();
    focus.known = true;
    focus.windowClass = active.windowClass;
    focus.program = m_processes.programs().value(active.pid);
    return focus;
}

void LinkSwitcher::check() {
    if (!m_links.automatic)
        return;
    // An idle scan finds nothing new: the wish is the last one, without matching every process again.
    if (m_processes.scan() || m_wishStale) {
        m_wish = LinkFollower::wanted(m_links, m_processes, focus(), &m_wishSince);
        m_wishStale = false;
    }
    const qint64 now = m_clock();
    const QString due = m_follower.due(m_wish, now, m_wishSince);
    if (due.isEmpty() || !m_window.profileNames().contains(due)) {
        setWaiting(QString());
        // A wish that falls due before the next scan is looked at then, not a scan later.
        const qint64 dueAt = m_follower.dueAtMs();
        if (due.isEmpty() && dueAt > now && dueAt - now < kScanMs)
            m_holdTimer->start(int(dueAt - now));
        return;
    }
    // The mouse holds that profile already: nothing is written.
    if (due == m_window.currentProfileName() && config::configDiff() == 0 && !m_window.editsPending()) {
        m_follower.done(due);
        setWaiting(QString());
        return;
    }
    if (!m_window.busyReason().isEmpty() || m_window.editsPending()) {
        setWaiting(due);
        return;
    }
    setWaiting(QString());
    m_follower.done(due);
    QString failedFile;
    if (m_window.switchProfile(due, failedFile) != ProfileListResult::Ok)
        return;
    QString message;
    const ProfileWriteOutcome outcome = m_window.applyWithoutDialog(message);
    m_window.mouseNotices().showProfile(due);
    emit switched(due, outcome.result);
}

void LinkSwitcher::setWaiting(const QString &profile) {
    if (profile == m_waiting)
        return;
    m_waiting = profile;
    emit waitingChanged(profile);
}
