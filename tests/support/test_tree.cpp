#include "support/test_tree.h"

#include "storage/app_paths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSettings>
#include <QWidget>
#include <unistd.h>

namespace {
// The programs are hard links where the file system allows (they are never written, and a copy of each per
// test took most of a test's time); every other file is a copy the test may change.
bool copyFile(const QFileInfo &file, const QString &target) {
    if (file.isExecutable() &&
        ::link(QFile::encodeName(file.filePath()).constData(), QFile::encodeName(target).constData()) == 0)
        return true;
    return QFile::copy(file.filePath(), target);
}

// Folders before what they hold, empty ones too.
bool copyTree(const QString &from, const QString &to) {
    QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    bool copied = QDir().mkpath(to);
    while (copied && it.hasNext()) {
        const QString target = to + it.next().mid(from.size());
        copied = it.fileInfo().isDir() ? QDir().mkpath(target) : copyFile(it.fileInfo(), target);
    }
    return copied;
}
} // namespace

void saveShot(QWidget *widget, const QString &name) {
    const QString dir = qEnvironmentVariable("KORVANE_SHOT_DIR");
    if (!dir.isEmpty() && widget)
        widget->grab().save(dir + "/" + name + ".png");
}

QByteArray readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return AppPaths::ensureParentDir(path) && file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

bool addProcessEntry(const QString &root, qint64 pid, const QString &name, const QString &exe) {
    const QString entry = root + "/" + QString::number(pid);
    return QDir().mkpath(entry) && writeFile(entry + "/comm", name.toUtf8() + "\n") &&
           (exe.isEmpty() || QFile::link(exe, entry + "/exe"));
}

QMap<QString, QByteArray> filesUnder(const QString &root) {
    QMap<QString, QByteArray> files;
    for (QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        files.insert(path, readFile(path));
    }
    return files;
}

TestTree::TestTree() {
    m_valid = m_dir.isValid() && copyTree(distDir(), m_dir.path());
    AppPaths::setApplicationDir(m_dir.path());
}

void TestTree::setIniValue(const QString &relative, const QString &key, const QVariant &value) const {
    QSettings settings(file(relative), QSettings::IniFormat);
    settings.setValue(key, value);
}

bool TestTree::remove(const QString &relative) const {
    return QFile::remove(file(relative));
}
