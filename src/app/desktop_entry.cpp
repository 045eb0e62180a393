#include "app/desktop_entry.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QTextStream>

namespace {
// The words of an Exec line: quoted words keep their blanks, and a backslash in quotes escapes the next
// character.
QStringList execWords(const QString &exec) {
    QStringList words;
    QString word;
    bool quoted = false;
    bool inWord = false;
    for (int i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (quoted) {
            if (c == '\\' && i + 1 < exec.size())
                word += exec.at(++i);
            else if (c == '"')
                quoted = false;
            else
                word += c;
        } else if (c == '"') {
            quoted = true;
            inWord = true;
        } else if (c.isSpace()) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words << word;
    return words;
}

// The keys of a file's [Desktop Entry] group; empty when it has none.
QHash<QString, QString> entryKeys(const QString &path) {
    QHash<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    QTextStream in(&file);
    bool inGroup = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith('[')) {
            // Only the first group describes the program; the ones after it are its actions.
            if (inGroup)
                break;
            inGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const int equals = line.indexOf('=');
        if (!inGroup || line.startsWith('#') || equals <= 0)
            continue;
        keys.insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
    }
    return keys;
}

QString localized(const QHash<QString, QString> &keys, const QString &key, const QString &locale) {
    const QString language = locale.section('_', 0, 0);
    for (const QString &tag : {locale, language}) {
        if (!tag.isEmpty() && keys.contains(key + '[' + tag + ']'))
            return keys.value(key + '[' + tag + ']');
    }
    return keys.value(key);
}

bool isTrue(const QString &value) {
    return value == QLatin1String("true");
}

// 2: the same path; 1: the same file name; 0: another program.
int matchOf(const QString &entryProgram, const QString &program) {
    const bool entryPath = entryProgram.contains('/');
    const bool programPath = program.contains('/');
    if (entryPath && programPath && QDir::cleanPath(entryProgram) == QDir::cleanPath(program))
        return 2;
    const QString entryName = entryPath ? QFileInfo(entryProgram).fileName() : entryProgram;
    const QString programName = programPath ? QFileInfo(program).fileName() : program;
    return !entryName.isEmpty() && entryName == programName ? 1 : 0;
}
} // namespace

QStringList desktopEntryDirs() {
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (home.isEmpty())
        home = QDir::homePath() + "/.local/share";
    QStringList system = qEnvironmentVariable("XDG_DATA_DIRS").split(':', Qt::SkipEmptyParts);
    if (system.isEmpty())
        system = QStringList{"/usr/local/share", "/usr/share"};
    QStringList dirs{home + "/applications"};
    for (const QString &dir : system)
        dirs << dir + "/applications";
    dirs.removeDuplicates();
    return dirs;
}

QString execProgram(const QString &exec) {
    QStringList words = execWords(exec);
    if (!words.isEmpty() && (words.first() == QLatin1String("env") || words.first().endsWith("/env"))) {
        words.removeFirst();
        while (!words.isEmpty() && (words.first().contains('=') || words.first().startsWith('-')))
            words.removeFirst();
    }
    return words.value(0);
}

QVector<DesktopEntry> readDesktopEntries(const QStringList &dirs, const QString &locale) {
    QVector<DesktopEntry> entries;
    QSet<QString> seenIds;
    for (const QString &dir : dirs) {
        const QDir root(dir);
        QStringList files;
        QDirIterator it(dir, {"*.desktop"}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
        // The same order on every run, whatever the file system lists first.
        files.sort();
        for (const QString &file : files) {
            const QString id = root.relativeFilePath(file).replace('/', '-');
            if (seenIds.contains(id))
                continue;
            seenIds.insert(id);
            const QHash<QString, QString> keys = entryKeys(file);
            const QString type = keys.value("Type", "Application");
            if (keys.isEmpty() || type != QLatin1String("Application") || isTrue(keys.value("Hidden")))
                continue;
            DesktopEntry entry;
            entry.name = localized(keys, "Name", locale);
            entry.icon = localized(keys, "Icon", locale);
            entry.shown = !isTrue(keys.value("NoDisplay"));
            for (const QString &program : {execProgram(keys.value("Exec")), keys.value("TryExec")}) {
                if (!program.isEmpty() && !entry.programs.contains(program))
                    entry.programs << program;
            }
            if (!entry.name.isEmpty() && !entry.programs.isEmpty())
                entries << entry;
        }
    }
    return entries;
}

ProgramLook lookOfProgram(const QVector<DesktopEntry> &entries, const QString &program) {
    const DesktopEntry *best = nullptr;
    int bestScore = 0;
    for (const DesktopEntry &entry : entries) {
        int match = 0;
        for (const QString &entryProgram : entry.programs)
            match = qMax(match, matchOf(entryProgram, program));
        const int score = match == 0 ? 0 : match * 2 + (entry.shown ? 1 : 0);
        if (score > bestScore) {
            best = &entry;
            bestScore = score;
        }
    }
    if (best)
        return ProgramLook{best->name, best->icon, true};
    const QString fileName = QFileInfo(program).fileName();
    return ProgramLook{fileName.isEmpty() ? program : fileName, QString(), false};
}
