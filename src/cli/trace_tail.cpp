#include "cli/trace_tail.h"

#include <QIODevice>

namespace tracetail {

QStringList lastLines(QIODevice &device, int count, qint64 maxBytes) {
    const qint64 size = device.size();
    const qint64 start = qMax<qint64>(0, size - qMax<qint64>(0, maxBytes));
    if (count <= 0 || !device.seek(start))
        return {};
    QByteArray tail = device.read(size - start);
    if (start > 0) {
        const int cut = tail.indexOf('\n');
        tail = cut < 0 ? QByteArray() : tail.mid(cut + 1);
    }
    const QStringList lines = QString::fromLatin1(tail).split('\n', Qt::SkipEmptyParts);
    return lines.mid(qMax(0, lines.size() - count));
}

} // namespace tracetail
