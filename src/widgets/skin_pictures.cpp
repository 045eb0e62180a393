#include "widgets/skin_pictures.h"

#include "storage/app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QPixmapCache>
#include <QSet>
#include <utility>

namespace {
struct Store {
    QHash<QString, QPixmap> pictures;
    QSet<QString> scaledKeys;
    int loads = 0;
    bool cleanupAdded = false;
};

Store &store() {
    static Store s;
    return s;
}

QString fullPath(const QString &file) {
    return QDir::isAbsolutePath(file) ? file : AppPaths::skinDir() + "/" + file;
}

// The pixmaps go with the application, before the window system they belong to.
void clearAtExit() {
    SkinPictures::clear();
    store().cleanupAdded = false;
}
} // namespace

QPixmap SkinPictures::picture(const QString &file) {
    if (file.isEmpty())
        return QPixmap();
    Store &s = store();
    const QString path = fullPath(file);
    const auto found = s.pictures.constFind(path);
    if (found != s.pictures.constEnd())
        return found.value();
    const QPixmap loaded(path);
    ++s.loads;
    if (loaded.isNull())
        return loaded;
    if (!s.cleanupAdded) {
        qAddPostRoutine(clearAtExit);
        s.cleanupAdded = true;
    }
    s.pictures.insert(path, loaded);
    return loaded;
}

QPixmap SkinPictures::scaled(const QString &file, const QSize &size, Qt::AspectRatioMode mode) {
    if (size.isEmpty())
        return QPixmap();
    const QString key = QLatin1String("skin:") + fullPath(file) + QLatin1Char(':') +
                        QString::number(size.width()) + QLatin1Char('x') + QString::number(size.height()) +
                        QLatin1Char(':') + QString::number(int(mode));
    QPixmap result;
    if (QPixmapCache::find(key, &result))
        return result;
    const QPixmap original = picture(file);
    if (original.isNull())
        return QPixmap();
    result = original.scaled(size, mode, Qt::SmoothTransformation);
    if (QPixmapCache::insert(key, result))
        store().scaledKeys.insert(key);
    return result;
}

void SkinPictures::clear() {
    Store &s = store();
    s.pictures.clear();
    for (const QString &key : std::as_const(s.scaledKeys))
        QPixmapCache::remove(key);
    s.scaledKeys.clear();
}

int SkinPictures::loads() {
    return store().loads;
}
