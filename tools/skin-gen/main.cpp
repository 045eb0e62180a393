#include "skin_painter.h"

#include <QGuiApplication>
#include <cstdio>

// Renders the skin images into the folder given as the first argument.
int main(int argc, char *argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: skin-gen OUTPUT_DIR PRODUCT_NAME\n");
        return 2;
    }
    return SkinPainter(QString::fromLocal8Bit(argv[1]), QString::fromUtf8(argv[2])).paintAll() ? 0 : 1;
}
