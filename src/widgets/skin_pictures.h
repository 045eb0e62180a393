#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// The skin's pictures, shared by every widget that shows them. Each file is read from disk once per run,
// however many buttons wear it; a copy scaled for a widget is made once for each size and kept while the
// pixmap cache has room for it. The skin is part of the installed tree and never changes while the program
// runs. Pixmaps belong to the GUI thread, and so does this cache.
class SkinPictures {
public:
    // The picture in file: a full path, or a name in the skin folder. Null when the file cannot be read;
    // such a file is tried again on the next call.
    static QPixmap picture(const QString &file);
    // The picture in file scaled smoothly to size, keeping its aspect ratio or not; the same pixels as
    // picture(file).scaled(size, mode, Qt::SmoothTransformation). Null when the picture is null or the
    // size empty.
    static QPixmap scaled(const QString &file, const QSize &size, Qt::AspectRatioMode mode);
    // Forgets every picture, scaled ones included.
    static void clear();
    // How many times a picture was read from its file (not found in this cache) since the program started.
    static int loads();
};
