#include "platform/osd_record.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

namespace {
void putText(QByteArray &data, int offset, const QString &text) {
    const int units = qMin(text.size(), OsdRecord::kTextUnits - 1);
    for (int i = 0; i < units; ++i)
        qToLittleEndian<quint16>(text.at(i).unicode(), data.data() + offset + 2 * i);
}

// A record is read through a stream rather than by pointer into the bytes: the optimiser of a sanitizer
// build cannot tell that a record of the right size is never the shared empty array, and warns.
quint32 takeWord(QDataStream &in, int offset) {
    in.device()->seek(offset);
    quint32 word = 0;
    in >> word;
    return word;
}

// The text up to its terminating zero; nothing when the field holds none.
std::optional<QString> takeText(QDataStream &in, int offset) {
    in.device()->seek(offset);
    QString text;
    for (int i = 0; i < OsdRecord::kTextUnits; ++i) {
        quint16 unit = 0;
        in >> unit;
        if (unit == 0)
            return text;
        text.append(QChar(unit));
    }
    return std::nullopt;
}
} // namespace

QByteArray OsdRecord::encode() const {
    QByteArray data(kSize, '\0');
    putText(data, kTextOffset, text);
    qToLittleEndian<quint32>(displayMs, data.data() + kDisplayTimeOffset);
    qToLittleEndian<quint32>(color, data.data() + kColorOffset);
    qToLittleEndian<quint32>(fontSize, data.data() + kFontSizeOffset);
    putText(data, kFaceOffset, face);
    return data;
}

std::optional<OsdRecord> OsdRecord::decode(const QByteArray &data) {
    if (data.size() != kSize)
        return std::nullopt;
    QDataStream in(data);
    in.setByteOrder(QDataStream::LittleEndian);
    const std::optional<QString> text = takeText(in, kTextOffset);
    const std::optional<QString> face = takeText(in, kFaceOffset);
    OsdRecord out;
    out.displayMs = takeWord(in, kDisplayTimeOffset);
    out.color = takeWord(in, kColorOffset);
    out.fontSize = takeWord(in, kFontSizeOffset);
    if (in.status() != QDataStream::Ok)
        return std::nullopt;
    // A time beyond an int would never end the timer, a font of millions of pixels never be drawn.
    if (!text || !face || out.displayMs > kMaxDisplayMs || out.fontSize < 1 || out.fontSize > kMaxFontSize)
        return std::nullopt;
    out.text = *text;
    out.face = *face;
    return out;
}

uint32_t OsdRecord::colorRef(int red, int green, int blue) {
    return uint32_t(red & 0xFF) | uint32_t(green & 0xFF) << 8 | uint32_t(blue & 0xFF) << 16;
}
