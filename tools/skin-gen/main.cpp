#include "skin_painter.h"

#include <QGuiApplication>
#include <cstdio>

// Renders the skin images into the folder given as the only argument.
int main(int argc, char *argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: skin-gen OUTPUT_DIR\n");
        return 2;
    }
    return SkinPainter(QString::fromLocal8Bit(argv[1])).paintAll() ? 0 : 1;
}
