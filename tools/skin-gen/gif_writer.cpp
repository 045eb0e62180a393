#include "gif_writer.h"

#include <QHash>

namespace {
void putWord(QByteArray &out, int value) {
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

// Packs codes least significant bit first, the GIF bit order.
class BitPacker {
public:
    void put(int code, int width) {
        m_buffer |= uint32_t(code) << m_bits;
        m_bits += width;
        while (m_bits >= 8) {
            m_out.append(char(m_buffer & 0xFF));
            m_buffer >>= 8;
            m_bits -= 8;
        }
    }
    QByteArray finish() {
        if (m_bits > 0)
            m_out.append(char(m_buffer & 0xFF));
        return m_out;
    }

private:
    QByteArray m_out;
    uint32_t m_buffer = 0;
    int m_bits = 0;
};

int nearestIndex(QRgb pixel, const QVector<QRgb> &palette) {
    if (qAlpha(pixel) < 128)
        return 0;
    int best = 1;
    int bestDistance = INT_MAX;
    for (int i = 0; i < palette.size(); ++i) {
        const int dr = qRed(pixel) - qRed(palette[i]);
        const int dg = qGreen(pixel) - qGreen(palette[i]);
        const int db = qBlue(pixel) - qBlue(palette[i]);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i + 1;
        }
    }
    return best;
}
} // namespace

QByteArray GifWriter::compress(const QByteArray &indexes, int minCodeSize) {
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    constexpr int kMaxCode = 4095;
    BitPacker packer;
    QHash<quint32, int> table; // (prefix code << 8 | byte) -> code
    int width = minCodeSize + 1;
    int next = endCode + 1;
    packer.put(clearCode, width);
    int prefix = -1;
    for (const char c : indexes) {
        const int byte = static_cast<unsigned char>(c);
        if (prefix < 0) {
            prefix = byte;
            continue;
        }
        const quint32 key = quint32(prefix) << 8 | quint32(byte);
        const auto found = table.constFind(key);
        if (found != table.constEnd()) {
            prefix = found.value();
            continue;
        }
        packer.put(prefix, width);
        if (next <= kMaxCode) {
            table.insert(key, next);
            if (next == (1 << width) && width < 12)
                ++width;
            ++next;
        } else {
            packer.put(clearCode, width);
            table.clear();
            width = minCodeSize + 1;
            next = endCode + 1;
        }
        prefix = byte;
    }
    if (prefix >= 0)
        packer.put(prefix, width);
    packer.put(endCode, width);
    return packer.finish();
}

QByteArray GifWriter::encode(const QVector<QImage> &frames, const QVector<QRgb> &palette, int delay) {
    if (frames.isEmpty())
        return QByteArray();
    const int w = frames.first().width();
    const int h = frames.first().height();
    QByteArray out("GIF89a");
    putWord(out, w);
    putWord(out, h);
    out.append(char(0xF7)); // global colour table of 256 entries
    out.append(char(0));
    out.append(char(0));
    for (int i = 0; i < 256; ++i) {
        const QRgb color = (i >= 1 && i <= palette.size()) ? palette[i - 1] : qRgb(0, 0, 0);
        out.append(char(qRed(color)));
        out.append(char(qGreen(color)));
        out.append(char(qBlue(color)));
    }
    // Loop forever.
    out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
    for (const QImage &source : frames) {
        const QImage frame = source.convertToFormat(QImage::Format_ARGB32);
        out.append("\x21\xF9\x04", 3);
        out.append(char(0x09)); // restore to background, transparent index used
        putWord(out, delay);
        out.append(char(0)); // transparent index
        out.append(char(0));
        out.append(char(0x2C));
        putWord(out, 0);
        putWord(out, 0);
        putWord(out, w);
        putWord(out, h);
        out.append(char(0));
        QByteArray indexes;
        indexes.reserve(w * h);
        for (int y = 0; y < h; ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(frame.constScanLine(y));
            for (int x = 0; x < w; ++x)
                indexes.append(char(nearestIndex(line[x], palette)));
        }
        out.append(char(8));
        const QByteArray data = compress(indexes, 8);
        for (int at = 0; at < data.size(); at += 255) {
            const QByteArray block = data.mid(at, 255);
            out.append(char(block.size()));
            out.append(block);
        }
        out.append(char(0));
    }
    out.append(char(0x3B));
    return out;
}
