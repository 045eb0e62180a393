#include "storage/file_replace.h"

#include "storage/app_paths.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>

namespace filereplace {

QString partPath(const QString &target) {
    const QFileInfo info(target);
    return info.absolutePath() + "/." + info.fileName() + ".part";
}

bool sameFile(const QString &a, const QString &b) {
    const QString first = QFileInfo(a).canonicalFilePath();
    return !first.isEmpty() && first == QFileInfo(b).canonicalFilePath();
}

bool clearPart(const QString &to) {
    const QString part = partPath(to);
    // A dangling link counts as something in the way too.
    const QFileInfo info(part);
    return (!info.exists() && !info.isSymLink()) || QFile::remove(part);
}

bool commitPart(const QString &to) {
    const QString part = partPath(to);
    // rename(2) replaces an existing target in one step; QFile::rename refuses to.
    if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    QFile::remove(part);
    return false;
}

int removeLeftovers(const QString &folder) {
    static const QRegularExpression leftover(
        QStringLiteral("^(\\..+\\.part|.+\\.(prof|ini|MSMACRO)\\.[A-Za-z0-9]{6})$"));
    int removed = 0;
    QDirIterator files(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QFileInfo file(files.next());
        if (!file.isSymLink() && file.isFile() && leftover.match(file.fileName()).hasMatch() &&
            QFile::remove(file.filePath()))
            ++removed;
    }
    return removed;
}

bool copy(const QString &from, const QString &to) {
    if (sameFile(from, to))
        return true;
    if (!AppPaths::ensureParentDir(to) || !clearPart(to))
        return false;
    const QString part = partPath(to);
    if (!QFile::copy(from, part) ||
        !QFile::setPermissions(part, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                         QFileDevice::ReadGroup | QFileDevice::ReadOther)) {
        QFile::remove(part);
        return false;
    }
    return commitPart(to);
}

bool linkStaysInside(const QString &path, const QString &folder) {
    const QFileInfo info(path);
    if (!info.isSymLink())
        return true;
    const QString target = info.canonicalFilePath();
    const QString root = QFileInfo(folder).canonicalFilePath();
    return !target.isEmpty() && !root.isEmpty() && target.startsWith(root + QLatin1Char('/'));
}

} // namespace filereplace
