#include "support/test_tree.h"

#include "storage/app_paths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSettings>
#include <QWidget>

namespace {
bool copyTree(const QString &from, const QString &to) {
    QDirIterator it(from, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    QDir().mkpath(to);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!QFile::copy(source, target))
            return false;
    }
    QDirIterator dirs(from, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (dirs.hasNext())
        QDir().mkpath(to + dirs.next().mid(from.size()));
    return true;
}
} // namespace

void saveShot(QWidget *widget, const QString &name) {
    const QString dir = qEnvironmentVariable("KORVANE_SHOT_DIR");
    if (!dir.isEmpty() && widget)
        widget->grab().save(dir + "/" + name + ".png");
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
