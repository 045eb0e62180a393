#include "platform/linux/process_watcher.h"

#include <QFile>
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <unistd.h>
#include <vector>

namespace {
// The length the kernel cuts a command name to.
constexpr int kCommandNameLength = 15;
// What the kernel appends to the link of an executable replaced or removed while it runs.
const QString kDeletedMark = QStringLiteral(" (deleted)");
} // namespace

namespace {
// The start time in a process's stat line (the 22nd field, in clock ticks since the system started), in
// milliseconds; -1 where there is none. The command name (2nd field) may hold spaces and parentheses, so
// the fields are counted from its closing parenthesis.
qint64 startTime(const QString &entry) {
    QFile stat(entry + QStringLiteral("/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    const int close = line.lastIndexOf(')');
    if (close < 0)
        return -1;
    const QList<QByteArray> fields = line.mid(close + 1).simplified().split(' ');
    constexpr int kStartField = 22 - 3; // counted from the state, the 3rd field
    bool ok = false;
    const qint64 ticks = fields.value(kStartField).toLongLong(&ok);
    static const long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
    return ok && ticksPerSecond > 0 ? ticks * 1000 / ticksPerSecond : -1;
}
} // namespace

ProcessWatcher::ProcessWatcher(const QString &root) : m_root(root) {}

qint64 ProcessWatcher::bootClockMs() {
    timespec now{};
    ::clock_gettime(CLOCK_BOOTTIME, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

bool ProcessWatcher::scan() {
    // Listing the table is all an idle scan does: only the ids not known yet are read, and the known ones
    // are only marked as still there.
    ++m_generation;
    std::vector<qint64> fresh;
    int known = 0;
    if (DIR *dir = ::opendir(QFile::encodeName(m_root).constData())) {
        while (const dirent *entry = ::readdir(dir)) {
            char *end = nullptr;
            const long long pid = std::strtoll(entry->d_name, &end, 10);
            if (pid <= 0 || !end || *end != '\0')
                continue;
            const auto found = m_programs.find(pid);
            if (found == m_programs.end()) {
                fresh.push_back(pid);
            } else {
                found->generation = m_generation;
                ++known;
            }
        }
        ::closedir(dir);
    }
    bool changed = known != m_programs.size();
    if (changed) {
        for (auto it = m_programs.begin(); it != m_programs.end();)
            it = it->generation == m_generation ? std::next(it) : m_programs.erase(it);
    }
    // Processes found by one scan are taken in the order of their ids, which the kernel hands out rising:
    // the later one is most likely the one started later.
    std::sort(fresh.begin(), fresh.end());
    for (const qint64 pid : fresh) {
        Program program = read(pid);
        // An entry gone between the listing and the reading has ended already.
        if (program.pid == 0)
            continue;
        program.seen = ++m_seen;
        program.generation = m_generation;
        m_programs.insert(pid, program);
        changed = true;
    }
    return changed;
}

ProcessWatcher::Program ProcessWatcher::read(qint64 pid) const {
    const QString entry = m_root + QLatin1Char('/') + QString::number(pid);
    QFile comm(entry + QStringLiteral("/comm"));
    if (!comm.open(QIODevice::ReadOnly))
        return Program();
    Program program;
    program.pid = pid;
    program.name = QString::fromLocal8Bit(comm.readAll()).trimmed();
    char target[4096];
    const ssize_t length =
        ::readlink(QFile::encodeName(entry + QStringLiteral("/exe")).constData(), target, sizeof target);
    if (length > 0)
        program.path = QFile::decodeName(QByteArray(target, static_cast<int>(length)));
    if (program.path.endsWith(kDeletedMark))
        program.path.chop(kDeletedMark.size());
    program.fileName = program.path.section(QLatin1Char('/'), -1);
    program.startedMs = startTime(entry);
    return program;
}

bool ProcessWatcher::matches(const Program &running, const QString &program) {
    if (program.isEmpty())
        return false;
    if (program.contains(QLatin1Char('/')))
        return running.path == program;
    if (!running.path.isEmpty())
        return (running.fileName.isEmpty() ? running.path.section(QLatin1Char('/'), -1) : running.fileName) ==
               program;
    return running.name == program.left(kCommandNameLength);
}

const ProcessWatcher::Program *ProcessWatcher::newest(const QStringList &programs) const {
    const Program *found = nullptr;
    for (const Program &running : m_programs) {
        if (found && running.seen < found->seen)
            continue;
        if (std::any_of(programs.cbegin(), programs.cend(),
                        [&running](const QString &program) { return matches(running, program); }))
            found = &running;
    }
    return found;
}
