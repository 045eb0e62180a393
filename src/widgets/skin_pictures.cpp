#include "widgets/skin_pictures.h"

#include "storage/app_paths.h"
#include "widgets/display_scale.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPixmapCache>
#include <QSet>
#include <future>
#include <utility>

namespace {
struct Store {
    QHash<QString, QPixmap> pictures;
    // Pictures being read on a thread of their own (preload), by full path.
    QHash<QString, std::shared_future<QImage>> pending;
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

// The copy of a picture painted at twice its size: bat1.png -> bat1@2x.png.
QString twiceFile(const QString &file) {
    const int dot = file.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? file + QLatin1String("@2x") : file.left(dot) + QLatin1String("@2x") + file.mid(dot);
}

// The toolkit's pixel ratio for the screens: what Qt 6 scales every window by, 1 where it does not scale.
qreal toolkitRatio() {
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
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
    QPixmap loaded;
    const auto preloaded = s.pending.find(path);
    if (preloaded != s.pending.end()) {
        loaded = QPixmap::fromImage(preloaded.value().get(), Qt::NoFormatConversion);
        s.pending.erase(preloaded);
    } else {
        loaded.load(path);
        ++s.loads;
    }
    if (loaded.isNull())
        return loaded;
    if (!s.cleanupAdded) {
        qAddPostRoutine(clearAtExit);
        s.cleanupAdded = true;
    }
    s.pictures.insert(path, loaded);
    return loaded;
}

void SkinPictures::preload(const QString &file) {
    Store &s = store();
    const QString path = fullPath(file);
    if (file.isEmpty() || s.pictures.contains(path) || s.pending.contains(path))
        return;
    ++s.loads;
    // Decoded and brought to the form the raster engine draws from, so that the pixmap is a plain copy.
    s.pending.insert(path, std::async(std::launch::async, [path] {
                               QImage image(path);
                               if (image.hasAlphaChannel())
                                   image.convertTo(QImage::Format_ARGB32_Premultiplied);
                               return image;
                           }).share());
}

QPixmap SkinPictures::sharp(const QString &file, double scale) {
    if (scale > 1.0) {
        const QPixmap twice = picture(twiceFile(file));
        if (!twice.isNull())
            return twice;
    }
    return picture(file);
}

double SkinPictures::displayScale() {
    return DisplayScale::factor() * toolkitRatio();
}

QPixmap SkinPictures::scaled(const QString &file, const QSize &size, Qt::AspectRatioMode mode) {
    if (size.isEmpty())
        return QPixmap();
    const qreal ratio = toolkitRatio();
    const QSize pixels(qRound(size.width() * ratio), qRound(size.height() * ratio));
    const QString key = QLatin1String("skin:") + fullPath(file) + QLatin1Char(':') +
                        QString::number(pixels.width()) + QLatin1Char('x') +
                        QString::number(pixels.height()) + QLatin1Char(':') + QString::number(int(mode)) +
                        QLatin1Char('@') + QString::number(ratio);
    QPixmap result;
    if (QPixmapCache::find(key, &result))
        return result;
    QPixmap original = picture(file);
    if (original.isNull())
        return QPixmap();
    if (pixels.width() > original.width() || pixels.height() > original.height())
        original = sharp(file, 2.0);
    result = original.scaled(pixels, mode, Qt::SmoothTransformation);
    result.setDevicePixelRatio(ratio);
    if (QPixmapCache::insert(key, result))
        store().scaledKeys.insert(key);
    return result;
}

void SkinPictures::clear() {
    Store &s = store();
    s.pending.clear();
    s.pictures.clear();
    for (const QString &key : std::as_const(s.scaledKeys))
        QPixmapCache::remove(key);
    s.scaledKeys.clear();
}

int SkinPictures::loads() {
    return store().loads;
}
