#include "platform/osd_record.h"

#include <QtEndian>

namespace {
void putText(QByteArray &data, int offset, const QString &text) {
    const int units = qMin(text.size(), OsdRecord::kTextUnits - 1);
    for (int i = 0; i < units; ++i)
        qToLittleEndian<quint16>(text.at(i).unicode(), data.data() + offset + 2 * i);
}

QString takeText(const QByteArray &data, int offset) {
    QString text;
    for (int i = 0; i < OsdRecord::kTextUnits; ++i) {
        const quint16 unit = qFromLittleEndian<quint16>(data.constData() + offset + 2 * i);
        if (unit == 0)
            break;
        text.append(QChar(unit));
    }
    return text;
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
    OsdRecord out;
    out.text = takeText(data, kTextOffset);
    out.displayMs = qFromLittleEndian<quint32>(data.constData() + kDisplayTimeOffset);
    out.color = qFromLittleEndian<quint32>(data.constData() + kColorOffset);
    out.fontSize = qFromLittleEndian<quint32>(data.constData() + kFontSizeOffset);
    out.face = takeText(data, kFaceOffset);
    return out;
}

uint32_t OsdRecord::colorRef(int red, int green, int blue) {
    return uint32_t(red & 0xFF) | uint32_t(green & 0xFF) << 8 | uint32_t(blue & 0xFF) << 16;
}
