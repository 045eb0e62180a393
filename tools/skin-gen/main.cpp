#include "skin_painter.h"

#include <QGuiApplication>
#include <cstdio>

// Renders the skin images into the folder given as the first argument; with --icons, the program's icon
// for the desktop's icon theme (OUTPUT_DIR/<size>x<size>/apps/ICON_NAME.png) instead.
int main(int argc, char *argv[]) {
    QGuiApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--icons") == 0)
        return SkinPainter(QString::fromLocal8Bit(argv[2]), QString())
                       .paintDesktopIcons(QString::fromUtf8(argv[3]))
                   ? 0
                   : 1;
    if (argc != 3) {
        std::fprintf(stderr, "usage: skin-gen OUTPUT_DIR PRODUCT_NAME\n");
        std::fprintf(stderr, "       skin-gen --icons OUTPUT_DIR ICON_NAME\n");
        return 2;
    }
    return SkinPainter(QString::fromLocal8Bit(argv[1]), QString::fromUtf8(argv[2])).paintAll() ? 0 : 1;
}
