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
    // Starts reading the picture in file on a thread of its own, for a large picture the first frame
    // needs: the window is built meanwhile, and picture() takes the result instead of reading the file.
    static void preload(const QString &file);
    // The picture to draw into a rectangle shown at scale (the program's scale step times the toolkit's
    // pixel ratio): above 1 the copy painted at twice the size (name@2x.png) where the skin has one, so
    // that the window shows pictures painted at its size rather than 1x pictures enlarged.
    static QPixmap sharp(const QString &file, double scale);
    // The picture in file scaled smoothly to size (in the widget's own pixels), keeping its aspect ratio
    // or not. Made at the toolkit's pixel ratio, so it is drawn pixel for pixel, and from the 2x copy when
    // the 1x picture would have to be enlarged. Null when the picture is null or the size empty.
    static QPixmap scaled(const QString &file, const QSize &size, Qt::AspectRatioMode mode);
    // The scale a widget's pictures are shown at: the program's scale step times the toolkit's pixel
    // ratio for the screens (1 where the toolkit does not scale).
    static double displayScale();
    // Forgets every picture, scaled ones included.
    static void clear();
    // How many times a picture was read from its file (not found in this cache) since the program started.
    static int loads();
};
