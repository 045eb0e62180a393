#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The programs running, followed cheaply: each scan lists the process ids of the process table and reads
// only the entries of ids not seen before (the executable's path and the command name); the ids that
// ended are forgotten. A table of hundreds of processes then costs one directory listing per scan.
class ProcessWatcher {
public:
    struct Program {
        qint64 pid = 0;
        QString path;     // the executable; empty where it cannot be read (another user's, a kernel thread)
        QString name;     // the command name, as the kernel keeps it (at most 15 characters)
        quint64 seen = 0; // order of first sight: a larger one started later
        qint64 startedMs = -1;  // when it started, on bootClockMs()'s clock; -1 where the table does not say
        QString fileName;       // the executable's file name, where its path is known
        quint64 generation = 0; // the last scan that found it
    };

    // Milliseconds since the system started, suspended time included: the clock the process table's
    // start times count on.
    static qint64 bootClockMs();

    // root: the process table, "/proc" or a folder of the same shape for tests.
    explicit ProcessWatcher(const QString &root = QStringLiteral("/proc"));

    // Reads the table again; true when a process started or ended since the last scan.
    bool scan();
    const QHash<qint64, Program> &programs() const { return m_programs; }

    // Whether program is what a link names: a path (with a '/') is compared with the executable's path,
    // a name with the executable's file name, or, where the executable cannot be read, with the command
    // name (which the kernel cuts to 15 characters).
    static bool matches(const Program &running, const QString &program);
    // Of the running programs that one of programs names, the one started last; nullptr when none runs.
    const Program *newest(const QStringList &programs) const;

private:
    Program read(qint64 pid) const;

    QString m_root;
    QHash<qint64, Program> m_programs;
    quint64 m_seen = 0;
    quint64 m_generation = 0;
};
