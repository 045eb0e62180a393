#pragma once

#include <QByteArray>
#include <QImage>
#include <QVector>

// Writes an animated GIF (the toolkit reads GIF animations but cannot write them). Every frame is mapped
// onto one shared palette; pixels that are mostly transparent become the transparent index 0.
class GifWriter {
public:
    // palette: up to 255 opaque colours, indexes 1.. in the file. delay in hundredths of a second.
    static QByteArray encode(const QVector<QImage> &frames, const QVector<QRgb> &palette, int delay);

    // LZW-compressed image data for a minimum code size, as the GIF format packs it (without the
    // leading code size byte and without the sub-block framing).
    static QByteArray compress(const QByteArray &indexes, int minCodeSize);
};
