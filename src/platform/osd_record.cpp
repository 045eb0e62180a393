#include "platform/osd_record.h"

#include <QtEndian>

namespace {
void putText(QByteArray &data, int offset, const QString &text) {
    const int units = qMin(text.size(), OsdRecord::kTextUnits - 1);
    for (int i = 0; i < units; ++i)
        qToLittleEndian<quint16>(text.at(i).unicode(), data.data() + offset + 2 * i);
}

// The text up to its terminating zero; nothing when the field holds none.
std::optional<QString> takeText(const QByteArray &data, int offset) {
    QString text;
    for (int i = 0; i < OsdRecord::kTextUnits; ++i) {
        const quint16 unit = qFromLittleEndian<quint16>(data.constData() + offset + 2 * i);
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
    const std::optional<QString> text = takeText(data, kTextOffset);
    const std::optional<QString> face = takeText(data, kFaceOffset);
    OsdRecord out;
    out.displayMs = qFromLittleEndian<quint32>(data.constData() + kDisplayTimeOffset);
    out.color = qFromLittleEndian<quint32>(data.constData() + kColorOffset);
    out.fontSize = qFromLittleEndian<quint32>(data.constData() + kFontSizeOffset);
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
